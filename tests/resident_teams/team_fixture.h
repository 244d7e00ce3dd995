#pragma once

#include "catalog/module_catalog.h"
#include "frame/message_object.h"
#include "frame/sqlca.h"
#include "frame/view_catalog.h"
#include "frame/window_registry.h"
#include "support/scripted_ui.h"
#include "support/test_db.h"

#include <QHash>
#include <QRegularExpression>

namespace cr::resident_teams::test {

// A small community for the resident-team tests, the same on both engines:
//
//   第一责任区  1号楼 (kind 01)  door 1: h1 101室 [101 张一], h2 102室 [102 李二, a link without household]
//                               door 2: h3 201室 [101 张一 again], h6 202室 [nobody]
//                               door 0: h4 地下1 [103 王三, no persons]
//               平房院 (kind 02) h5 1 [104 赵四]
//   第二责任区  2号楼 (kind 01)  door 1: h7 101室 [105 孙六]
//   also the household 0042 钱五 (living in no house)
//
// Persons: 101 one living, one deceased, one with no mark; 102 two; 104 one;
// 0042 one living, one deceased; 105 one. Keys the database assigned are
// kept by name (a1, b1, h1 ...); expand() puts them into a text written
// with {b1}, {h1} ...
class TeamFixture : public cr::test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        keys["a1"] = key("INSERT INTO tc_ge_regionalmanage (commno, regionalname) VALUES ('0001', '第一责任区')",
                         "regionalno");
        keys["a2"] = key("INSERT INTO tc_ge_regionalmanage (commno, regionalname) VALUES ('0001', '第二责任区')",
                         "regionalno");
        keys["b1"] = building("a1", "1号楼", "01");
        keys["b2"] = building("a1", "平房院", "02");
        keys["b3"] = building("a2", "2号楼", "01");
        keys["h1"] = house("b1", 1, "单元", "101室");
        keys["h2"] = house("b1", 1, "单元", "102室");
        keys["h3"] = house("b1", 2, "单元", "201室");
        keys["h6"] = house("b1", 2, "单元", "202室");
        keys["h4"] = house("b1", 0, "", "地下1");
        keys["h5"] = house("b2", 0, QVariant(), "1");
        keys["h7"] = house("b3", 1, "单元", "101室");
        household("101", "张一");
        household("102", "李二");
        household("103", "王三");
        household("104", "赵四");
        household("105", "孙六");
        household("0042", "钱五");
        link("101", "h1");
        link("102", "h2");
        link(QVariant(QMetaType(QMetaType::QString)), "h2");
        link("101", "h3");
        link("103", "h4");
        link("104", "h5");
        link("105", "h7");
        person("P1", "101", "0");
        person("P2", "101", "1");
        person("P3", "101", QVariant(QMetaType(QMetaType::QString)));
        person("P4", "102", "0");
        person("P5", "102", "0");
        person("P6", "104", "0");
        person("P7", "0042", "0");
        person("P8", "0042", "1");
        person("P9", "105", "0");
        ASSERT_TRUE(db().commit());
    }

    QString expand(const QString& text) const
    {
        static const QRegularExpression name(QStringLiteral("\\{(\\w+)\\}"));
        QString out = text;
        for (auto m = name.globalMatch(text); m.hasNext();) {
            const auto match = m.next();
            out.replace(match.captured(0), keys.value(match.captured(1)).toString());
        }
        return out;
    }
    qlonglong keyOf(const char* name) const { return keys.value(QLatin1String(name)).toLongLong(); }

    QVariant key(const char* sql, const char* keyColumn, const SqlParams& params = {})
    {
        const QVariant k = db().insertReturningKey(QString::fromUtf8(sql), params, QString::fromLatin1(keyColumn));
        EXPECT_FALSE(k.isNull()) << sql << ": " << db().sqlErrText().toStdString();
        return k;
    }
    QVariant building(const char* area, const char* name, const char* kind)
    {
        return key("INSERT INTO tc_ge_building (commno, regionalno, buildingname, roomtype, prepare3) "
                   "VALUES ('0001', :a, :n, :k, '单元')",
                   "buildingno",
                   {{"a", keys.value(QLatin1String(area))}, {"n", QString::fromUtf8(name)}, {"k", QString::fromLatin1(kind)}});
    }
    QVariant house(const char* building, int door, const QVariant& word, const char* number)
    {
        return key("INSERT INTO tc_ge_houseinfo (commno, buildingno, unitno, unitname, floorno, housenumber, issave) "
                   "VALUES ('0001', :b, :u, :w, 1, :n, '1')",
                   "houseno",
                   {{"b", keys.value(QLatin1String(building))}, {"u", door}, {"w", word}, {"n", QString::fromUtf8(number)}});
    }
    void household(const char* rprno, const char* host)
    {
        EXPECT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_rpr (commno, rprno, hostname) VALUES ('0001', :r, :h)"),
                                 {{"r", QString::fromLatin1(rprno)}, {"h", QString::fromUtf8(host)}}))
            << db().sqlErrText().toStdString();
    }
    void link(const QVariant& rprno, const char* house)
    {
        EXPECT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_rprownhouse (commno, rprno, houseno, issave) "
                                                "VALUES ('0001', :r, :h, '1')"),
                                 {{"r", rprno}, {"h", keys.value(QLatin1String(house))}}))
            << db().sqlErrText().toStdString();
    }
    void person(const char* personno, const char* rprno, const QVariant& isdeath)
    {
        EXPECT_TRUE(db().execute(QStringLiteral("INSERT INTO tc_ge_personinfo (personno, personname, rprno, isdeath) "
                                                "VALUES (:p, '居民', :r, :d)"),
                                 {{"p", QString::fromLatin1(personno)}, {"r", QString::fromLatin1(rprno)}, {"d", isdeath}}))
            << db().sqlErrText().toStdString();
    }

    QHash<QString, QVariant> keys;
};

// The module's views and windows over that community, answered by a
// scripted user; the window under test is kept in `window`.
class TeamWindowFixture : public TeamFixture {
protected:
    void SetUp() override
    {
        TeamFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        catalog::registerViews(views);
        catalog::registerWindows(windows);
    }

    WindowContext context() { return WindowContext{db(), ui, views, message}; }
    // The message boxes shown, as "title|text".
    QStringList messages() const
    {
        QStringList out;
        for (const auto& m : ui.messages()) out << m.title + QLatin1Char('|') + m.text;
        return out;
    }

    ViewCatalog views;
    WindowRegistry windows;
    cr::test::ScriptedUi ui;
    MessageObject message;
    std::unique_ptr<Window> window;
};

} // namespace cr::resident_teams::test
