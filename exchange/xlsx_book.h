#pragma once

#include <QDate>
#include <QString>
#include <memory>

namespace cr::exchange {

// A workbook of one sheet written row by row (the rows must come in order),
// so that a long list needs little memory. A thin layer over libxlsxwriter
// that speaks Qt's strings and dates.
class XlsxBook {
public:
    struct Look {
        bool bold = false;
        unsigned fill = 0;       // background 0xRRGGBB, 0 = none
        bool border = false;
        bool topBorder = false;
        bool alignRight = false;
        QString numberFormat;    // "#,##0.00", "yyyy-mm-dd"; empty = general
    };
    using Style = void*;         // a style made by addStyle(), owned by the book

    XlsxBook(const QString& path, const QString& sheetName);
    ~XlsxBook();
    XlsxBook(const XlsxBook&) = delete;
    XlsxBook& operator=(const XlsxBook&) = delete;

    bool isOpen() const;
    QString error() const { return m_error; }

    Style addStyle(const Look& look);
    void setColumnWidth(int column, double width, Style style = nullptr);   // style: of empty cells too
    void freezeHeading();                  // the first row stays in view
    void setPrintLayout(bool landscape);   // A4, the heading row on every page
    void writeText(int row, int column, const QString& text, Style style = nullptr);
    void writeNumber(int row, int column, double value, Style style = nullptr);
    void writeDate(int row, int column, const QDate& date, Style style = nullptr);

    // Writes the file; false with error() when it could not be written.
    bool close();

    // A sheet name a workbook accepts: at most 31 characters, none of []:*?/\.
    static QString sheetName(const QString& title);

private:
    struct Private;
    std::unique_ptr<Private> d;
    QString m_error;
};

} // namespace cr::exchange
