#pragma once

#include <QString>
#include <QVariant>

namespace cr::expr {

// Display formats of list and form fields and of string(x, format):
// numbers as "##,###,##0.00", "###,###.00", "0", "#,##0.00%" (sections
// "positive;negative;zero" allowed), dates as "yyyy-mm-dd", "yyyy年m月d日",
// date-times with "hh:mm:ss". A value without format gets its plain text.
class Format {
public:
    static QString apply(const QVariant& value, const QString& format);
    static QString plain(const QVariant& value);   // null -> ""

private:
    static QString number(double value, const QString& format);
    static QString numberSection(double value, const QString& section, bool withSign);
    static QString dateTime(const QDateTime& value, const QString& format);
};

} // namespace cr::expr
