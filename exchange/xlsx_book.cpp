#include "exchange/xlsx_book.h"

#include <QRegularExpression>
#include <xlsxwriter.h>

namespace cr::exchange {

struct XlsxBook::Private {
    lxw_workbook* book = nullptr;
    lxw_worksheet* sheet = nullptr;
};

XlsxBook::XlsxBook(const QString& path, const QString& title) : d(std::make_unique<Private>())
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_TRUE;   // lists past a few hundred thousand cells
    d->book = workbook_new_opt(path.toLocal8Bit().constData(), &options);
    if (!d->book) {
        m_error = QStringLiteral("无法建立Excel文件。");
        return;
    }
    d->sheet = workbook_add_worksheet(d->book, sheetName(title).toUtf8().constData());
    if (!d->sheet) d->sheet = workbook_add_worksheet(d->book, nullptr);
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
    lxw_format* f = workbook_add_format(d->book);
    format_set_font_name(f, "宋体");
    format_set_font_size(f, 11);
    if (look.bold) format_set_bold(f);
    if (look.fill) {
        format_set_pattern(f, LXW_PATTERN_SOLID);
        format_set_bg_color(f, look.fill);
    }
    if (look.border) format_set_border(f, LXW_BORDER_THIN);
    if (look.topBorder) format_set_top(f, LXW_BORDER_THIN);
    if (look.alignRight) format_set_align(f, LXW_ALIGN_RIGHT);
    if (!look.numberFormat.isEmpty()) format_set_num_format(f, look.numberFormat.toUtf8().constData());
    return f;
}

void XlsxBook::setColumnWidth(int column, double width, Style style)
{
    if (isOpen())
        worksheet_set_column(d->sheet, lxw_col_t(column), lxw_col_t(column), width, static_cast<lxw_format*>(style));
}

void XlsxBook::freezeHeading()
{
    if (isOpen()) worksheet_freeze_panes(d->sheet, 1, 0);
}

void XlsxBook::setPrintLayout(bool landscape)
{
    if (!isOpen()) return;
    worksheet_set_paper(d->sheet, 9);   // A4
    if (landscape) worksheet_set_landscape(d->sheet);
    worksheet_repeat_rows(d->sheet, 0, 0);
    worksheet_fit_to_pages(d->sheet, 1, 0);
}

void XlsxBook::writeText(int row, int column, const QString& text, Style style)
{
    if (!isOpen() || text.isEmpty()) return;
    worksheet_write_string(d->sheet, lxw_row_t(row), lxw_col_t(column), text.toUtf8().constData(),
                           static_cast<lxw_format*>(style));
}

void XlsxBook::writeNumber(int row, int column, double value, Style style)
{
    if (isOpen()) worksheet_write_number(d->sheet, lxw_row_t(row), lxw_col_t(column), value,
                                         static_cast<lxw_format*>(style));
}

void XlsxBook::writeDate(int row, int column, const QDate& date, Style style)
{
    if (!isOpen() || !date.isValid()) return;
    lxw_datetime dt{date.year(), date.month(), date.day(), 0, 0, 0};
    worksheet_write_datetime(d->sheet, lxw_row_t(row), lxw_col_t(column), &dt, static_cast<lxw_format*>(style));
}

bool XlsxBook::close()
{
    if (!d->book) return m_error.isEmpty();
    const lxw_error result = workbook_close(d->book);
    d->book = nullptr;
    d->sheet = nullptr;
    if (result != LXW_NO_ERROR)
        m_error = QStringLiteral("写入Excel文件失败（%1）。").arg(QString::fromUtf8(lxw_strerror(result)));
    return result == LXW_NO_ERROR;
}

} // namespace cr::exchange
