#include "support/test_db.h"

namespace cr::test {

void DbTest::SetUp()
{
    QString reason;
    bool notConfigured = false;
    m_db = openFreshDatabase(GetParam(), wantsSchema(), &reason, &notConfigured);
    if (m_db) return;
    if (notConfigured) GTEST_SKIP() << reason.toStdString();
    FAIL() << reason.toStdString();
}

void DbTest::TearDown()
{
    m_db.reset();
}

} // namespace cr::test
