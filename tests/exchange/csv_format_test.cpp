#include "exchange/csv_format.h"
#include "exchange/sheet_reader.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace cr::exchange {
namespace {

TEST(CsvFormat, LinesQuoteWhatASpreadsheetWouldSplit)
{
    struct Case {
        const char* name;
        QStringList cells;
        QByteArray line;
    };
    const Case cases[] = {
        {"plain", {QStringLiteral("楼院"), QStringLiteral("12")}, "楼院,12\r\n"},
        {"comma in a number", {QStringLiteral("2,956.80")}, "\"2,956.80\"\r\n"},
        {"quote doubled", {QStringLiteral("\"东\"院")}, "\"\"\"东\"\"院\"\r\n"},
        {"line break kept", {QStringLiteral("一\n二")}, "\"一\n二\"\r\n"},
        {"blanks at the ends kept", {QStringLiteral(" 3 ")}, "\" 3 \"\r\n"},
        {"empty cells", {QString(), QString()}, ",\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(csvLine(c.cells), c.line) << c.name;
}

TEST(CsvFormat, ParsesWhatItWritesAndWhatOthersWrite)
{
    struct Case {
        const char* name;
        QString text;
        QList<QStringList> records;
    };
    const Case cases[] = {
        {"CR LF lines", QStringLiteral("a,b\r\nc,d\r\n"), {{"a", "b"}, {"c", "d"}}},
        {"LF lines, no last break", QStringLiteral("a,b\nc,d"), {{"a", "b"}, {"c", "d"}}},
        {"quoted separator, quote and break", QStringLiteral("\"1,2\",\"say \"\"hi\"\"\",\"x\r\ny\"\n"),
         {{"1,2", "say \"hi\"", "x\r\ny"}}},
        {"empty last field", QStringLiteral("a,\n"), {{"a", ""}}},
        {"empty line stays a row", QStringLiteral("a\n\nb\n"), {{"a"}, {}, {"b"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(parseCsv(c.text, QLatin1Char(',')), c.records) << c.name;

    const QStringList cells{QStringLiteral("张三"), QStringLiteral("1,2"), QStringLiteral("\"引号\""), QString()};
    EXPECT_EQ(parseCsv(QString::fromUtf8(csvLine(cells)), QLatin1Char(',')), QList<QStringList>{cells});
}

TEST(CsvFormat, SeparatorAndEncodingAreRecognised)
{
    EXPECT_EQ(guessSeparator(QStringLiteral("姓名\t性别\t证件号码\n")), QLatin1Char('\t'));
    EXPECT_EQ(guessSeparator(QStringLiteral("姓名;性别;地址,门\n")), QLatin1Char(';'));
    EXPECT_EQ(guessSeparator(QStringLiteral("姓名,性别\n")), QLatin1Char(','));

    const QString text = QStringLiteral("姓名,民族\n张三,汉族\n");
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    QStringEncoder gb("GB18030");
    ASSERT_TRUE(gb.isValid()) << "GB18030 is what spreadsheet programs on Chinese systems save";
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const Case cases[] = {
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + text.toUtf8()},
        {"UTF-8 without BOM", text.toUtf8()},
        {"GB18030", gb(text)},
        {"UTF-16 with BOM", utf16(text)},
    };
    for (const Case& c : cases) {
        const SheetRead read = readCsv(c.bytes);
        ASSERT_TRUE(read.ok) << c.name;
        ASSERT_EQ(read.rows.size(), 2) << c.name;
        EXPECT_EQ(read.rows[1][1].toString(), QStringLiteral("汉族")) << c.name;
    }
}

} // namespace
} // namespace cr::exchange
