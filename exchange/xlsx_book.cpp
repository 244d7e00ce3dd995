#include "exchange/xlsx_book.h"

#include "exchange/workbook_libraries.h"

#include <QRegularExpression>

namespace cr::exchange {

struct XlsxBook::Private {
    const XlsxWriterCalls* lxw = nullptr;
    lxw_workbook* book = nullptr;
    lxw_worksheet* sheet = nullptr;
};

XlsxBook::XlsxBook(const QString& path, const QString& title) : d(std::make_unique<Private>())
{
    d->lxw = xlsxWriter(&m_error);
    if (!d->lxw) return;
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_TRUE;   // lists past a few hundred thousand cells
    d->book = d->lxw->workbookNewOpt(path.toLocal8Bit().constData(), &options);
    if (!d->book) {
        m_error = QStringLiteral("无法建立Excel文件。");
        return;
    }
    d->sheet = d->lxw->workbookAddWorksheet(d->book, sheetName(title).toUtf8().constData());
    if (!d->sheet) d->sheet = d->lxw->workbookAddWorksheet(d->book, nullptr);
}

XlsxBook::~XlsxBook()
{
    close();
}

bool XlsxBook::isOpen() const
{
    return d->book && d->sheet;
}

QString XlsxBook::sheetName(const QString& title)
{
    static const QRegularExpression forbidden(QStringLiteral(R"([\[\]:*?/\\])"));
    QString name = title.trimmed();
    name.replace(forbidden, QStringLiteral("_"));
    if (name.startsWith(QLatin1Char('\''))) name[0] = QLatin1Char('_');
    name = name.left(31);
    return name.isEmpty() ? QStringLiteral("Sheet1") : name;
}

XlsxBook::Style XlsxBook::addStyle(const Look& look)
{
    if (!isOpen()) return nullptr;
    const XlsxWriterCalls& lxw = *d->lxw;
    lxw_format* f = lxw.workbookAddFormat(d->book);
    lxw.formatSetFontName(f, "宋体");
    lxw.formatSetFontSize(f, 11);
    if (look.bold) lxw.formatSetBold(f);
    if (look.fill) {
        lxw.formatSetPattern(f, LXW_PATTERN_SOLID);
        lxw.formatSetBgColor(f, look.fill);
    }
    if (look.border) lxw.formatSetBorder(f, LXW_BORDER_THIN);
    if (look.topBorder) lxw.formatSetTop(f, LXW_BORDER_THIN);
    if (look.alignRight) lxw.formatSetAlign(f, LXW_ALIGN_RIGHT);
    if (!look.numberFormat.isEmpty()) lxw.formatSetNumFormat(f, look.numberFormat.toUtf8().constData());
    return f;
}

void XlsxBook::setColumnWidth(int column, double width, Style style)
{
    if (isOpen())
        d->lxw->worksheetSetColumn(d->sheet, lxw_col_t(column), lxw_col_t(column), width, static_cast<lxw_format*>(style));
}

void XlsxBook::freezeHeading()
{
    if (isOpen()) d->lxw->worksheetFreezePanes(d->sheet, 1, 0);
}

void XlsxBook::setPrintLayout(bool landscape)
{
    if (!isOpen()) return;
    const XlsxWriterCalls& lxw = *d->lxw;
    lxw.worksheetSetPaper(d->sheet, 9);   // A4
    if (landscape) lxw.worksheetSetLandscape(d->sheet);
    lxw.worksheetRepeatRows(d->sheet, 0, 0);
    lxw.worksheetFitToPages(d->sheet, 1, 0);
}

void XlsxBook::writeText(int row, int column, const QString& text, Style style)
{
    if (!isOpen() || text.isEmpty()) return;
    d->lxw->worksheetWriteString(d->sheet, lxw_row_t(row), lxw_col_t(column), text.toUtf8().constData(),
                           static_cast<lxw_format*>(style));
}

void XlsxBook::writeNumber(int row, int column, double value, Style style)
{
    if (isOpen()) d->lxw->worksheetWriteNumber(d->sheet, lxw_row_t(row), lxw_col_t(column), value,
                                         static_cast<lxw_format*>(style));
}

void XlsxBook::writeDate(int row, int column, const QDate& date, Style style)
{
    if (!isOpen() || !date.isValid()) return;
    lxw_datetime dt{date.year(), date.month(), date.day(), 0, 0, 0};
    d->lxw->worksheetWriteDatetime(d->sheet, lxw_row_t(row), lxw_col_t(column), &dt, static_cast<lxw_format*>(style));
}

bool XlsxBook::close()
{
    if (!d->book) return m_error.isEmpty();
    const lxw_error result = d->lxw->workbookClose(d->book);
    d->book = nullptr;
    d->sheet = nullptr;
    if (result != LXW_NO_ERROR)
        m_error = QStringLiteral("写入Excel文件失败（%1）。").arg(QString::fromUtf8(d->lxw->strerror(result)));
    return result == LXW_NO_ERROR;
}

} // namespace cr::exchange
