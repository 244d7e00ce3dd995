#include "schema/demo/person_factory.h"

#include "schema/demo/demo_codes.h"
#include "schema/demo/demo_random.h"
#include "schema/demo/demo_words.h"
#include "schema/id_card_number.h"

namespace cr::demo {

using schema::IdCardNumber;

namespace {

int deathChance(int age)
{
    if (age >= 85) return 25;
    if (age >= 75) return 8;
    if (age >= 60) return 2;
    return 0;
}

} // namespace

PersonFactory::PersonFactory(DemoRandom& random, const DemoCodes& codes, QDate today)
    : m_random(random), m_codes(codes), m_today(today)
{
}

QString PersonFactory::surname()
{
    return m_random.percent(70) ? m_random.pick(DemoWords::commonSurnames())
                                : m_random.pick(DemoWords::otherSurnames());
}

QString PersonFactory::givenName(bool male)
{
    const QStringList& chars = male ? DemoWords::maleGivenCharacters() : DemoWords::femaleGivenCharacters();
    QString name = m_random.pick(chars);
    if (m_random.percent(70)) name += m_random.pick(chars);
    return name;
}

QString PersonFactory::phone()
{
    static const char second[] = "3456789";
    QString p = QStringLiteral("1") + QLatin1Char(second[m_random.below(7)]);
    for (int i = 0; i < 9; ++i) p += QLatin1Char(char('0' + m_random.below(10)));
    return p;
}

QString PersonFactory::uniqueIdCard(const QString& areaCode, const QDate& birth, bool male)
{
    // Sequence numbers with the right parity, starting at a random one.
    int sequence = int(m_random.below(500)) * 2 + (male ? 1 : 0);
    for (int tries = 0; tries < 500; ++tries) {
        const QString id = IdCardNumber::make(areaCode, birth, sequence);
        const qint64 prefix = id.first(17).toLongLong();
        if (!m_idPrefixes.contains(prefix)) {
            m_idPrefixes.insert(prefix);
            return id;
        }
        sequence = (sequence + 2) % 1000;
    }
    return {};   // 500 persons of one sex born on one day in one county: not in a demo
}

DemoPerson PersonFactory::make(bool male, int age, const QString& surname, const QString& areaCode)
{
    DemoPerson p;
    p.personno = QStringLiteral("P%1").arg(++m_count, 10, 10, QLatin1Char('0'));
    p.male = male;
    p.age = age;
    p.birth = m_today.addYears(-age).addDays(-qint64(m_random.below(365)));
    p.name = surname + givenName(male);
    p.idcard = uniqueIdCard(areaCode, p.birth, male);
    p.deceased = m_random.percent(deathChance(age));
    p.sex = m_codes.sex(male);
    p.folk = m_codes.folk(m_random);
    p.polity = m_codes.polity(age, m_random);
    p.edulevel = m_codes.edulevel(age, m_random);
    p.jobstatus = m_codes.jobstatus(age, m_random);
    if (age >= 16 && !p.deceased && m_random.percent(age > 80 ? 50 : 92)) p.phone = phone();
    return p;
}

} // namespace cr::demo
