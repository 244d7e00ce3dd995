// The xlsx reader against workbooks laid out as spreadsheet programs write
// them: shared strings with rich-text runs, inline strings, dates as serial
// numbers with built-in and custom date formats, a sheet part with another
// name, and against files that are no workbook.
#include "exchange/sheet_reader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <zip.h>

namespace cr::exchange {
namespace {

void writeZip(const QString& path, const QList<QPair<QString, QByteArray>>& parts)
{
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    ASSERT_NE(zip, nullptr);
    for (const auto& [name, data] : parts) {
        zip_fileinfo info{};
        ASSERT_EQ(zipOpenNewFileInZip64(zip, name.toUtf8().constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                                        Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0),
                  ZIP_OK);
        ASSERT_EQ(zipWriteInFileInZip(zip, data.constData(), unsigned(data.size())), ZIP_OK);
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
}

const QByteArray kWorkbook = R"xml(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"
 xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheets><sheet name="人员" sheetId="1" r:id="rId3"/><sheet name="说明" sheetId="2" r:id="rId4"/></sheets></workbook>)xml";

const QByteArray kRels = R"xml(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet2.xml"/>
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/data.xml"/>
</Relationships>)xml";

const QByteArray kStrings = R"xml(<?xml version="1.0" encoding="UTF-8"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="2" uniqueCount="2">
<si><t>姓名</t></si>
<si><r><rPr><b/></rPr><t>出生</t></r><r><t xml:space="preserve">日期</t></r><rPh sb="0" eb="2"><t>chusheng</t></rPh></si>
</sst>)xml";

const QByteArray kStyles = R"xml(<?xml version="1.0" encoding="UTF-8"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<numFmts count="2"><numFmt numFmtId="176" formatCode="yyyy&quot;年&quot;m&quot;月&quot;d&quot;日&quot;"/>
<numFmt numFmtId="177" formatCode="#,##0.00_);[Red]\(#,##0.00\)"/></numFmts>
<cellStyleXfs count="1"><xf numFmtId="0"/></cellStyleXfs>
<cellXfs count="5"><xf numFmtId="0"/><xf numFmtId="14" applyNumberFormat="1"/><xf numFmtId="176" applyNumberFormat="1"/>
<xf numFmtId="49"/><xf numFmtId="177"/></cellXfs></styleSheet>)xml";

const QByteArray kSheet = R"xml(<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="inlineStr"><is><t>性别</t></is></c><c r="C1" t="s"><v>1</v></c></row>
<row r="3"><c r="A3" s="1"><v>31108</v></c><c r="B3" s="2"><v>31108</v></c><c r="C3" s="3" t="s"><v>0</v></c>
<c r="E3"><v>13800138000</v></c><c r="F3" t="b"><v>1</v></c><c r="G3" t="str"><f>A1&amp;B1</f><v>姓名性别</v></c>
<c r="H3" s="4"><v>1234.5</v></c><c r="I3" t="e"><v>#N/A</v></c></row>
<row r="4"><c t="inlineStr"><is><t>无引用</t></is></c><c><v>7</v></c></row>
</sheetData></worksheet>)xml";

TEST(XlsxReader, ReadsTheFirstSheetAsSpreadsheetProgramsWriteIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.xlsx"));
    writeZip(path, {{QStringLiteral("xl/workbook.xml"), kWorkbook},
                    {QStringLiteral("xl/_rels/workbook.xml.rels"), kRels},
                    {QStringLiteral("xl/sharedStrings.xml"), kStrings},
                    {QStringLiteral("xl/styles.xml"), kStyles},
                    {QStringLiteral("xl/worksheets/sheet2.xml"), QByteArray("<worksheet/>")},
                    {QStringLiteral("xl/worksheets/data.xml"), kSheet}});
    const SheetRead read = readSheet(path);
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    ASSERT_EQ(read.rows.size(), 4);
    EXPECT_EQ(read.rows[0], (QVariantList{QStringLiteral("姓名"), QStringLiteral("性别"), QStringLiteral("出生日期")}));
    EXPECT_TRUE(read.rows[1].isEmpty()) << "a row the file skips stays, so row numbers match";

    const QVariantList& r = read.rows[2];
    ASSERT_EQ(r.size(), 9);
    struct Case {
        const char* name;
        int column;
        QVariant value;
    };
    const Case cases[] = {
        {"built-in date format", 0, QDate(1985, 3, 2)},
        {"custom Chinese date format", 1, QDate(1985, 3, 2)},
        {"shared string in a text cell", 2, QStringLiteral("姓名")},
        {"column left out", 3, QVariant()},
        {"long number", 4, 13800138000.0},
        {"boolean", 5, QStringLiteral("是")},
        {"formula result", 6, QStringLiteral("姓名性别")},
        {"number format with a [Red] section is no date", 7, 1234.5},
        {"error value", 8, QVariant()},
    };
    for (const Case& c : cases) EXPECT_EQ(r[c.column], c.value) << c.name;
    EXPECT_EQ(read.rows[3], (QVariantList{QStringLiteral("无引用"), 7.0})) << "cells without references follow on";
}

TEST(XlsxReader, RefusesWhatIsNoWorkbook)
{
    QTemporaryDir dir;
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* message;
    };
    const Case cases[] = {
        {"old binary Excel", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(504, '\0'), ".xls"},
        {"a picture", QByteArray("\x89PNG\r\n\x1A\n", 8) + QByteArray(64, '\0'), "不是表格"},
        {"a zip cut short", QByteArray("PK\x03\x04", 4) + QByteArray(40, 'x'), "不是有效的Excel"},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.name));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        const SheetRead read = readSheet(path);
        EXPECT_FALSE(read.ok) << c.name;
        EXPECT_TRUE(read.error.contains(QString::fromUtf8(c.message))) << c.name << ": " << read.error.toStdString();
    }
    const QString zipWithoutSheet = dir.filePath(QStringLiteral("other.zip"));
    writeZip(zipWithoutSheet, {{QStringLiteral("readme.txt"), QByteArray("hello")}});
    EXPECT_FALSE(readSheet(zipWithoutSheet).ok) << "a zip of something else";
    EXPECT_FALSE(readSheet(dir.filePath(QStringLiteral("missing.xlsx"))).ok);
}

} // namespace
} // namespace cr::exchange
