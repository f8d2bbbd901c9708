#include "base/oledate.h"
#include "search/core/datepresets.h"
#include "testmain.h"

#include <QTest>

using namespace vt;

namespace {

double at(int y, int m, int d, int h, int mi, int s = 0)
{
    return toDays(QDateTime(QDate(y, m, d), QTime(h, mi, s)));
}

// What the pickers would show for a preset.
QString shown(const DateTimePair &p)
{
    return dateOfDays(p.date).toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(' ')
           + timeOfFraction(p.time).toString(QStringLiteral("H:mm:ss"));
}

} // namespace

class TestDatePresets : public QObject {
    Q_OBJECT
private slots:
    void minimumPresets_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("expected");
        // now: 08.12.2026 12:00:00; the offsets are a little off whole minutes
        QTest::newRow("now") << 6 << "08.12.2026 12:00:00";
        QTest::newRow("1 min") << 7 << "08.12.2026 11:58:59";
        QTest::newRow("2 min") << 8 << "08.12.2026 11:57:59";
        QTest::newRow("3 min") << 9 << "08.12.2026 11:56:59";
        QTest::newRow("5 min") << 1 << "08.12.2026 11:54:59";
        QTest::newRow("10 min") << 2 << "08.12.2026 11:50:00";
        QTest::newRow("20 min") << 3 << "08.12.2026 11:39:59";
        QTest::newRow("1 hour") << 4 << "08.12.2026 10:59:59";
        QTest::newRow("a day") << 5 << "07.12.2026 12:00:00";
    }
    void minimumPresets()
    {
        QFETCH(int, tag);
        QFETCH(QString, expected);
        QCOMPARE(shown(minDatePreset(tag, at(2026, 12, 8, 12, 0))), expected);
    }

    void minimumCrossesMidnight()
    {
        QCOMPARE(shown(minDatePreset(2, at(2026, 12, 8, 0, 5))), QStringLiteral("07.12.2026 23:55:00"));
        QCOMPARE(shown(minDatePreset(4, at(2026, 1, 1, 0, 30))), QStringLiteral("31.12.2025 23:29:59"));
        QCOMPARE(shown(minDatePreset(5, at(2026, 3, 1, 0, 5))), QStringLiteral("28.02.2026 0:05:00"));
    }

    void maximumPresets_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("expected");
        QTest::newRow("now") << 0 << "08.12.2026 23:55:00";
        QTest::newRow("1 min") << 1 << "08.12.2026 23:56:00";
        QTest::newRow("3 min") << 2 << "08.12.2026 23:58:00";
        QTest::newRow("5 min") << 3 << "09.12.2026 0:00:00";
        QTest::newRow("10 min") << 4 << "09.12.2026 0:04:59";
        QTest::newRow("20 min") << 5 << "09.12.2026 0:15:00";
        QTest::newRow("a day") << 6 << "09.12.2026 23:55:00";
        QTest::newRow("latest") << 7 << "31.12.9999 0:00:00";
    }
    void maximumPresets()
    {
        QFETCH(int, tag);
        QFETCH(QString, expected);
        const DateTimePair p = maxDatePreset(tag, at(2026, 12, 8, 23, 55));
        QCOMPARE(shown(p), expected);
        QVERIFY(p.time >= 0 && p.time < 1);
    }

    void labelToggles()
    {
        const double now = at(2026, 12, 8, 0, 5);
        // minimum: to the earliest date, then back to 10 minutes ago
        Toggle t = toggleMinDate(at(2026, 12, 8, 0, 0), now);
        QCOMPARE(t.sound, 1);
        QCOMPARE(shown(t.bound), QStringLiteral("31.12.1899 0:00:00"));
        t = toggleMinDate(t.bound.date, now);
        QCOMPARE(t.sound, 2);
        QCOMPARE(shown(t.bound), QStringLiteral("07.12.2026 23:55:00"));
        // only the date part decides: 31.12.1899 10:00 is still the earliest date
        QCOMPARE(toggleMinDate(kEarliestDate + 0.4, now).sound, 2);

        // maximum: to 31.12.9999 00:00, then back to now
        t = toggleMaxDate(at(2026, 12, 8, 0, 5), now);
        QCOMPARE(t.sound, 1);
        QCOMPARE(shown(t.bound), QStringLiteral("31.12.9999 0:00:00"));
        t = toggleMaxDate(t.bound.date, now);
        QCOMPARE(t.sound, 2);
        QCOMPARE(shown(t.bound), QStringLiteral("08.12.2026 0:05:00"));
    }

    void pickerValues()
    {
        QCOMPARE(daysOfDate(QDate(1899, 12, 31)), kEarliestDate);
        QCOMPARE(daysOfDate(QDate(9999, 12, 31)), kLatestDate);
        QCOMPARE(dateOfDays(kLatestDate + 0.7), QDate(9999, 12, 31));
        QCOMPARE(timeOfFraction(kEndOfDayFraction).toString(QStringLiteral("H:mm:ss")),
                 QStringLiteral("23:59:59"));
        // a fraction a hair below 1 stays on this day
        QCOMPARE(timeOfFraction(0.99999999999), QTime(23, 59, 59, 999));
        QCOMPARE(fractionOfTime(QTime(12, 0)), 0.5);
        // the time pickers sit on 31.12.1899: only the fraction counts
        QCOMPARE(timeOfFraction(1.25), QTime(6, 0));
    }
};

VT_TEST_GUILESS_MAIN(TestDatePresets)
#include "tst_core_datepresets.moc"
