#include "frame/typed_date.h"

#include <QRegularExpression>

namespace cr {
namespace {

// Full-width digits, "－", "／" and "．" become their plain forms, and the
// ideographic blank a plain one.
QString plainForms(const QString& text)
{
    QString plain = text;
    for (QChar& c : plain) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E) c = QChar(u - 0xFEE0);
        else if (u == 0x3000) c = QLatin1Char(' ');
    }
    return plain;
}

std::optional<QDate> validDate(const QRegularExpressionMatch& m, int year, int month, int day)
{
    const QDate d(m.captured(year).toInt(), m.captured(month).toInt(), m.captured(day).toInt());
    if (!d.isValid()) return std::nullopt;
    return d;
}

} // namespace

std::optional<QDate> parseTypedDate(const QString& text)
{
    static const QRegularExpression separated(
        QStringLiteral("^(\\d{4})\\s*([-/.])\\s*(\\d{1,2})\\s*\\2\\s*(\\d{1,2})$"));
    static const QRegularExpression compact(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$"));
    static const QRegularExpression written(
        QStringLiteral("^(\\d{4})\\s*年\\s*(\\d{1,2})\\s*月\\s*(\\d{1,2})\\s*日?$"));
    const QString t = plainForms(text).trimmed();
    if (QRegularExpressionMatch m = separated.match(t); m.hasMatch()) return validDate(m, 1, 3, 4);
    if (QRegularExpressionMatch m = compact.match(t); m.hasMatch()) return validDate(m, 1, 2, 3);
    if (QRegularExpressionMatch m = written.match(t); m.hasMatch()) return validDate(m, 1, 2, 3);
    return std::nullopt;
}

QString typedDateRefusal(const QString& label, const QString& text)
{
    return QStringLiteral("“%1”中输入的“%2”不是有效的日期，请重新输入。\r\n"
                          "日期可以这样输入：2024-3-5、2024/03/05、20240305 或 2024年3月5日。")
        .arg(label, text.trimmed());
}

} // namespace cr
