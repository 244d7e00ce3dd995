#include "persons_in_charge/range_text.h"

#include <QRegularExpression>

namespace cr::persons_in_charge {
namespace {

const QString kDoorsApart = QStringLiteral("，");
const QString kFloorsApart = QStringLiteral("、");
const QString kBelowGround = QStringLiteral("地下");

Cells insideOf(const FloorLayout& layout, const Cells& cells)
{
    Cells inside;
    for (const Cell& c : cells)
        if (layout.contains(c)) inside.insert(c);
    return inside;
}

// "1单元" / "1门" (whichever word the building uses, or the usual ones) at the
// start of a part: the door's index and how long the label is.
bool readNumberedDoor(const FloorLayout& layout, const QString& part, int* door, qsizetype* length)
{
    qsizetype digits = 0;
    while (digits < part.size() && part[digits].isDigit() && part[digits].unicode() < 128) ++digits;
    if (digits == 0 || digits > 6) return false;
    const QString rest = part.mid(digits);
    for (const QString& word : {layout.doorWord, FloorLayout::defaultDoorWord(), QStringLiteral("门")}) {
        if (word.isEmpty() || !rest.startsWith(word)) continue;
        *door = layout.doorIndex(Door{part.left(digits).toInt(), QString()});
        *length = digits + word.size();
        return *door >= 0;
    }
    return false;
}

// A gate named at the start of a part; the longest name wins ("东门" before "东").
bool readGate(const FloorLayout& layout, const QString& part, int* door, qsizetype* length)
{
    *door = -1;
    for (int d = 0; d < layout.doors.size(); ++d) {
        const QString& name = layout.doors[d].name;
        if (!name.isEmpty() && part.startsWith(name) && (*door < 0 || name.size() > *length)) {
            *door = d;
            *length = name.size();
        }
    }
    return *door >= 0;
}

// "3层", "1-6层", "地下1-2层" into the floors it names; false when the piece
// is no such text.
bool readFloors(const QString& piece, int* low, int* high)
{
    static const QRegularExpression pattern(QStringLiteral("^(地下)?([0-9]{1,4})(?:-([0-9]{1,4}))?层$"));
    const QRegularExpressionMatch m = pattern.match(piece);
    if (!m.hasMatch()) return false;
    const int a = m.captured(2).toInt();
    const int b = m.captured(3).isEmpty() ? a : m.captured(3).toInt();
    if (a == 0 || b == 0) return false;
    const int sign = m.captured(1).isEmpty() ? 1 : -1;
    *low = qMin(sign * a, sign * b);
    *high = qMax(sign * a, sign * b);
    return true;
}

// The floors part of one door's text into `cells`; false when a piece could
// not be read or names a floor the building lacks.
bool readDoorFloors(const FloorLayout& layout, const QList<int>& doors, const QString& text, Cells* cells)
{
    if (text.isEmpty() || text == RangeText::everything()) {
        for (int d : doors) cells->unite(layout.doorCells(d));
        return true;
    }
    bool allRead = true;
    for (const QString& raw : text.split(kFloorsApart, Qt::SkipEmptyParts)) {
        int low = 0, high = 0;
        if (!readFloors(raw.trimmed(), &low, &high)) {
            allRead = false;
            continue;
        }
        // Floors the building lacks are reported; those it has still count.
        if (!layout.hasFloor(low) || !layout.hasFloor(high)) allRead = false;
        for (int f : layout.floors())
            if (f >= low && f <= high)
                for (int d : doors) cells->insert({d, f});
    }
    return allRead;
}

} // namespace

QString RangeText::print(const FloorLayout& layout, const Cells& cells)
{
    const Cells inside = insideOf(layout, cells);
    if (inside.isEmpty()) return QString();
    if (inside == layout.allCells()) return everything();
    QStringList parts;
    for (int d = 0; d < layout.doors.size(); ++d) {
        const QString label = layout.doorLabel(d);
        if (inside.contains(layout.doorCells(d))) {
            // A gate is named alone; a door is "2单元全部".
            parts << (layout.doors[d].name.isEmpty() ? label + everything() : label);
            continue;
        }
        QStringList floors;
        for (const QPair<int, int>& run : layout.runs(inside, d))
            floors << FloorLayout::floorsLabel(run.first, run.second);
        if (!floors.isEmpty()) parts << label + floors.join(kFloorsApart);
    }
    return parts.join(kDoorsApart);
}

Cells RangeText::parse(const FloorLayout& layout, const QString& text, QStringList* unread)
{
    Cells cells;
    const QString trimmed = text.trimmed();
    if (trimmed == everything()) return layout.allCells();
    static const QRegularExpression apart(QStringLiteral("[，,]"));
    for (const QString& raw : trimmed.split(apart, Qt::SkipEmptyParts)) {
        const QString part = raw.trimmed();
        if (part.isEmpty()) continue;
        int door = -1;
        qsizetype length = 0;
        QList<int> doors;
        if (!layout.hasBlockOnly()
            && (readGate(layout, part, &door, &length) || readNumberedDoor(layout, part, &door, &length))) {
            doors << door;
        } else {
            // No door named: every door (a building without doors, or a range
            // written before its compound's gates were entered).
            length = 0;
            for (int d = 0; d < layout.doors.size(); ++d) doors << d;
        }
        const QString floors = part.mid(length).trimmed();
        // A part without a door and without floors says nothing.
        const bool saysSomething = length > 0 || !floors.isEmpty();
        if (!saysSomething || !readDoorFloors(layout, doors, floors, &cells)) {
            if (unread) unread->append(part);
        }
    }
    return cells;
}

QString RangeText::describe(const FloorLayout& layout, const RangeElement& e)
{
    if (e.building != layout.buildingNo) return QStringLiteral("其他楼院的范围%1").arg(RangeCode::elementText(e));
    QString label;
    if (e.door && !e.door->name.isEmpty()) label = e.door->name;
    else if (e.door && e.door->number > 0)
        label = QString::number(e.door->number)
                + (layout.doorWord.isEmpty() ? FloorLayout::defaultDoorWord() : layout.doorWord);
    if (e.floors) return label + FloorLayout::floorsLabel(e.floors->first, e.floors->second);
    if (e.door && !e.door->name.isEmpty()) return label;
    return label + everything();
}

} // namespace cr::persons_in_charge
