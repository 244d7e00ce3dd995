#pragma once

#include "frame/dataview_def.h"

#include <QList>
#include <QString>
#include <QStringList>

// Columns both registers of persons in charge (building deans, area
// managers) build their views from.
namespace cr::persons_in_charge {

DropDownDef codeLookup(const char* name);   // shows tname, stores tcode

// The typed name: the person selection looks it up and fills the person's
// columns. Required-looking, but checked by the window ("请录入姓名！").
ColumnDef personNameColumn(int tabOrder, const QString& group);

// A person's column read from tc_ge_personinfo: shown for context and filled
// by the person selection, never typed into, never written.
ColumnDef personColumn(const char* column, const char* heading, const char* label, const QString& group,
                       const char* lookup = nullptr);
ColumnDef ageColumn(const QString& group);                   // f_getpersonage(today(), birthdate)
ColumnDef lineNumberColumn();                                // 序号
ColumnDef noteColumn(const QString& table, int tabOrder, const QString& group);

// The list's columns: the named ones first, in that order; the others kept
// (the windows read them) but not listed.
QList<ColumnDef> listed(const QList<ColumnDef>& columns, const QStringList& names);

// Living persons only: a person whose death is not recorded (isdeath empty or
// not "1"), or no person on record at all.
QString livingPersonCondition();

} // namespace cr::persons_in_charge
