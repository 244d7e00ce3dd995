#include "persons_in_charge/range_code.h"

#include <QStringList>

namespace cr::persons_in_charge {
namespace {

constexpr int kMaxDigits = 9;   // keeps every number inside an int

// Reads one code from left to right; each read* leaves `pos` after what it
// read or sets the error.
class CodeReader {
public:
    CodeReader(const QString& code, RangeCodeError* error) : m_code(code), m_error(error) {}

    std::optional<QList<RangeElement>> elements()
    {
        QList<RangeElement> list;
        skipBlanks();
        if (atEnd()) return list;
        for (;;) {
            skipBlanks();
            if (atEnd() || peek() == QLatin1Char(',')) return fail(QStringLiteral("缺少范围元素"));
            RangeElement e;
            if (!readElement(&e)) return std::nullopt;
            list << e;
            skipBlanks();
            if (atEnd()) return list;
            if (peek() != QLatin1Char(',')) return fail(QStringLiteral("应为“,”，不应为“%1”").arg(peek()));
            ++m_pos;
        }
    }

private:
    bool atEnd() const { return m_pos >= m_code.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_code[m_pos]; }
    bool take(char letter)
    {
        if (atEnd() || peek().toUpper() != QLatin1Char(letter)) return false;
        ++m_pos;
        return true;
    }
    void skipBlanks()
    {
        while (!atEnd() && peek().isSpace()) ++m_pos;
    }
    std::nullopt_t fail(const QString& reason)
    {
        if (m_error) *m_error = {int(m_pos) + 1, reason};
        return std::nullopt;
    }

    bool readElement(RangeElement* e)
    {
        if (!take('B')) {
            fail(QStringLiteral("应为“B”（楼院）"));
            return false;
        }
        const std::optional<qlonglong> building = readNumber();
        if (!building) return false;
        e->building = *building;
        if (take('U')) {
            const std::optional<qlonglong> door = readNumber();
            if (!door) return false;
            e->door = Door{int(*door), QString()};
        } else if (take('N')) {
            const std::optional<QString> name = readQuoted();
            if (!name) return false;
            e->door = Door{0, *name};
        } else {
            return true;   // the whole building: nothing may follow but ","
        }
        if (!take('F')) return true;
        const std::optional<int> first = readFloor();
        if (!first) return false;
        int last = *first;
        if (take('~')) {
            const std::optional<int> to = readFloor();
            if (!to) return false;
            last = *to;
        }
        e->floors = QPair<int, int>(*first, last);
        return true;
    }

    std::optional<qlonglong> readNumber()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && peek() >= QLatin1Char('0') && peek() <= QLatin1Char('9')) ++m_pos;
        if (m_pos == start) return fail(QStringLiteral("应为数字"));
        if (m_pos - start > kMaxDigits) {
            m_pos = start;
            return fail(QStringLiteral("的数字太大"));
        }
        return m_code.mid(start, m_pos - start).toLongLong();
    }

    std::optional<int> readFloor()
    {
        const qsizetype start = m_pos;
        const bool below = take('-');
        const std::optional<qlonglong> n = readNumber();
        if (!n) return std::nullopt;
        if (*n == 0) {
            m_pos = start;
            return fail(QStringLiteral("的楼层为0（没有第0层）"));
        }
        return int(below ? -*n : *n);
    }

    // "东门" with a doubled quote standing for one inside the name.
    std::optional<QString> readQuoted()
    {
        if (peek() != QLatin1Char('"')) return fail(QStringLiteral("应为“\"”（楼门名称的开头）"));
        const qsizetype start = m_pos++;
        QString name;
        while (!atEnd()) {
            const QChar c = m_code[m_pos++];
            if (c != QLatin1Char('"')) {
                name += c;
                continue;
            }
            if (peek() != QLatin1Char('"')) {
                if (name.trimmed().isEmpty()) {
                    m_pos = start;
                    return fail(QStringLiteral("的楼门名称为空"));
                }
                return name;
            }
            name += c;
            ++m_pos;
        }
        m_pos = start;
        return fail(QStringLiteral("的楼门名称缺少结尾的“\"”"));
    }

    const QString& m_code;
    RangeCodeError* m_error;
    qsizetype m_pos = 0;
};

QString doorCode(const Door& door)
{
    if (!door.name.isEmpty()) {
        QString quoted = door.name;
        quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        return QStringLiteral("N\"%1\"").arg(quoted);
    }
    return QStringLiteral("U%1").arg(door.number);
}

// The doors an element names, as indexes into the layout; empty when the
// building has no such door.
QList<int> doorsOf(const FloorLayout& layout, const RangeElement& e)
{
    QList<int> doors;
    if (!e.door || e.door->isBlock()) {
        for (int d = 0; d < layout.doors.size(); ++d) doors << d;
    } else if (const int d = layout.doorIndex(*e.door); d >= 0) {
        doors << d;
    }
    return doors;
}

} // namespace

std::optional<QList<RangeElement>> RangeCode::parse(const QString& code, RangeCodeError* error)
{
    return CodeReader(code, error).elements();
}

QString RangeCode::elementText(const RangeElement& e)
{
    QString text = QStringLiteral("B%1").arg(e.building);
    if (!e.door) return text;
    text += doorCode(*e.door);
    if (!e.floors) return text;
    text += QStringLiteral("F%1").arg(e.floors->first);
    if (e.floors->second != e.floors->first) text += QStringLiteral("~%1").arg(e.floors->second);
    return text;
}

QString RangeCode::print(const FloorLayout& layout, const Cells& cells)
{
    Cells inside;
    for (const Cell& c : cells)
        if (layout.contains(c)) inside.insert(c);
    if (inside.isEmpty()) return QString();
    if (inside == layout.allCells()) return elementText({layout.buildingNo, std::nullopt, std::nullopt});

    QStringList elements;
    for (int d = 0; d < layout.doors.size(); ++d) {
        const Door& door = layout.doors[d];
        if (inside.contains(layout.doorCells(d))) {
            elements << elementText({layout.buildingNo, door, std::nullopt});
            continue;
        }
        for (const QPair<int, int>& run : layout.runs(inside, d))
            elements << elementText({layout.buildingNo, door, run});
    }
    return elements.join(QLatin1Char(','));
}

Cells RangeCode::cells(const FloorLayout& layout, const QList<RangeElement>& elements, QList<RangeElement>* outside)
{
    Cells result;
    for (const RangeElement& e : elements) {
        bool beyond = e.building != layout.buildingNo;
        const QList<int> doors = beyond ? QList<int>() : doorsOf(layout, e);
        if (doors.isEmpty()) beyond = true;
        QList<int> floors;
        if (!e.floors) {
            floors = layout.floors();
        } else {
            const int low = qMin(e.floors->first, e.floors->second);
            const int high = qMax(e.floors->first, e.floors->second);
            for (int f : layout.floors())
                if (f >= low && f <= high) floors << f;
            // The building's floors run without a gap from its deepest
            // basement to its top floor (0 aside).
            if ((low < 0 && low < -layout.downFloors) || (high > 0 && high > layout.upFloors)) beyond = true;
        }
        for (int d : doors)
            for (int f : std::as_const(floors)) result.insert({d, f});
        if (beyond && outside) outside->append(e);
    }
    return result;
}

} // namespace cr::persons_in_charge
