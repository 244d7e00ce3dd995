#pragma once

#include "schema/demo/person_factory.h"

#include <QList>

namespace cr::demo {

class DemoRandom;

// The persons of one registered household: a head, usually a spouse,
// children of fitting ages and now and then a grandparent.
class HouseholdFactory {
public:
    HouseholdFactory(DemoRandom& random, PersonFactory& persons);

    // `size` persons, the head first.
    QList<DemoPerson> make(int size);

private:
    QString birthArea();    // mostly the local district, some from elsewhere

    DemoRandom& m_random;
    PersonFactory& m_persons;
};

} // namespace cr::demo
