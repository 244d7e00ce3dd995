#pragma once

#include <QString>
#include <QStringList>

namespace cr::demo {

// A county or district whose area code begins an identity card number, with
// the place name written into registered addresses.
struct BirthPlace {
    QString areaCode;
    QString name;
};

// Word lists the demo community is made of: names, roads, estates and
// birthplaces. Plain data; the generator picks from them.
class DemoWords {
public:
    static const QStringList& commonSurnames();   // the most frequent ones
    static const QStringList& otherSurnames();
    static const QStringList& maleGivenCharacters();
    static const QStringList& femaleGivenCharacters();
    static const QStringList& roads();            // "xx路" / "xx街"
    static const QStringList& estatePrefixes();   // "和平" ...
    static const QStringList& estateSuffixes();   // "小区", "家园" ...
    static const QStringList& publicOwners();     // owning bodies of public houses
    static const BirthPlace& localPlace();        // where the community lies
    static const QList<BirthPlace>& otherPlaces();

    // 1 -> "一", 10 -> "十", 21 -> "二十一", 100 -> "一百"; up to 999.
    static QString chineseNumber(int n);
};

} // namespace cr::demo
