#pragma once

#include <QDate>
#include <QSet>
#include <QString>

namespace cr::demo {

class DemoCodes;
class DemoRandom;

// A made-up resident: the values of one tc_ge_personinfo row that do not
// depend on the household.
struct DemoPerson {
    QString personno;
    QString name;
    QString idcard;
    QDate birth;
    int age = 0;
    bool male = true;
    bool deceased = false;
    QString sex, folk, polity, edulevel, jobstatus;
    QString phone;              // empty for children and some elderly
};

// Makes persons with Chinese names and identity card numbers that are valid
// and unique within one run (a clash moves to the next free sequence).
class PersonFactory {
public:
    PersonFactory(DemoRandom& random, const DemoCodes& codes, QDate today);

    QString surname();
    QString givenName(bool male);
    QString phone();
    DemoPerson make(bool male, int age, const QString& surname, const QString& areaCode);

    QDate today() const { return m_today; }

private:
    QString uniqueIdCard(const QString& areaCode, const QDate& birth, bool male);

    DemoRandom& m_random;
    const DemoCodes& m_codes;
    QDate m_today;
    QSet<qint64> m_idPrefixes;      // first 17 digits of the numbers in use
    qint64 m_count = 0;
};

} // namespace cr::demo
