#pragma once

#include <QString>

// Fields of the house form that the register's rules name more than once.
namespace cr::houses::field {
inline const QString building = QStringLiteral("buildingno");
inline const QString door = QStringLiteral("unitname1");      // the door as shown: "2单元"
inline const QString floor = QStringLiteral("floorno");
inline const QString number = QStringLiteral("housenumber");
inline const QString owner = QStringLiteral("personname");
inline const QString ownerNo = QStringLiteral("personno");
inline const QString phone = QStringLiteral("contactphone");
} // namespace cr::houses::field
