#pragma once

#include <QString>

// Fields of the team and leader forms that the registers' rules name more than once.
namespace cr::resident_teams::team_field {
inline const QString area = QStringLiteral("regionalno");
inline const QString areaName = QStringLiteral("regionalname");
inline const QString name = QStringLiteral("orgname");
inline const QString team = QStringLiteral("teamno");
inline const QString scopeName = QStringLiteral("scopename");   // the readable scope, one element a line
inline const QString scopeCode = QStringLiteral("scopecode");
inline const QString households = QStringLiteral("rprnum");
inline const QString persons = QStringLiteral("personnum");
inline const QString person = QStringLiteral("personno");
inline const QString personName = QStringLiteral("personname");
inline const QString age = QStringLiteral("age");
} // namespace cr::resident_teams::team_field
