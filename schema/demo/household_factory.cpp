#include "schema/demo/household_factory.h"

#include "schema/demo/demo_random.h"
#include "schema/demo/demo_words.h"

namespace cr::demo {

HouseholdFactory::HouseholdFactory(DemoRandom& random, PersonFactory& persons)
    : m_random(random), m_persons(persons)
{
}

QString HouseholdFactory::birthArea()
{
    if (m_random.percent(80)) return DemoWords::localPlace().areaCode;
    return m_random.pick(DemoWords::otherPlaces()).areaCode;
}

QList<DemoPerson> HouseholdFactory::make(int size)
{
    QList<DemoPerson> members;
    const bool headMale = m_random.percent(65);
    const int headAge = size == 1 ? m_random.between(20, 92) : m_random.between(28, 80);
    const QString headSurname = m_persons.surname();
    const QString area = birthArea();
    members << m_persons.make(headMale, headAge, headSurname, area);
    members.first().deceased = false;   // the head of a registered household is alive

    QString childSurname = headSurname;
    int left = size - 1;
    if (left > 0 && m_random.percent(85)) {
        const int spouseAge = qMax(20, headAge + m_random.between(-5, 5));
        const QString spouseSurname = m_persons.surname();
        if (!headMale) childSurname = spouseSurname;
        members << m_persons.make(!headMale, spouseAge, spouseSurname, m_random.percent(70) ? area : birthArea());
        --left;
    }
    if (left > 1 && headAge < 60 && m_random.percent(30)) {
        const int parentAge = qMin(98, headAge + m_random.between(22, 32));
        members << m_persons.make(m_random.percent(40), parentAge, headSurname, area);
        --left;
    }
    const int youngest = qMax(0, headAge - 42);
    const int oldest = qMax(youngest, headAge - 22);
    for (; left > 0; --left) {
        // Children of the family were born where the family lives.
        members << m_persons.make(m_random.percent(51), m_random.between(youngest, oldest), childSurname,
                                  DemoWords::localPlace().areaCode);
    }
    return members;
}

} // namespace cr::demo
