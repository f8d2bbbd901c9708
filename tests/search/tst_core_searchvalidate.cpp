#include "base/oledate.h"
#include "fakeservices.h"
#include "platform/fileentry.h"
#include "search/core/searchvalidate.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

namespace {

double days(int y, int m, int d, int h = 0, int mi = 0, int s = 0)
{
    return toDays(QDateTime(QDate(y, m, d), QTime(h, mi, s)));
}

// Parameters that pass every check: the whole date range, an existing folder.
SearchParams goodParams(const QString &folder)
{
    SearchParams p;
    p.folder = folder;
    p.minDate = 1;
    p.maxDate = kLatestDate;
    return p;
}

void setRange(SearchParams &p, double from, double to)
{
    p.minDate = wholeDays(from);
    p.minTime = 1 + dayFraction(from); // the time picker sits on 31.12.1899
    p.maxDate = wholeDays(to);
    p.maxTime = 1 + dayFraction(to);
}

const QString kDateOrder = QStringLiteral("Минимальная дата должна быть меньше максимальной");
const QString kStampError = QStringLiteral("Ошибка определения минимальной/максимальной даты");
const QString kSizeOrder =
    QStringLiteral("Минимальный размер файла должен быть меньше максимального");

} // namespace

class TestSearchValidate : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString folder() const { return m_dir.path() + QLatin1Char('/'); }

private slots:
    void dateOrderIsCheckedFirst()
    {
        test::FakeServices fx;
        const double t = days(2026, 12, 8, 10, 0, 0);
        for (double max : {t, t - 0.5}) { // equal, then earlier
            SearchParams p = goodParams(QStringLiteral("/no/such/folder"));
            p.mask = QStringLiteral("a:b");
            setRange(p, t, max);
            ValidSearch out;
            fx.ui.clear();
            QVERIFY(!validateSearch(p, out));
            // the first failure ends the start: no folder browser, no mask message
            QCOMPARE(fx.ui.texts(), QStringList{kDateOrder});
            QCOMPARE(fx.ui.calls.first().kind, QStringLiteral("inf"));
        }
    }

    void correctsEarlyDatesAndLongMasks()
    {
        test::FakeServices fx;
        SearchParams p = goodParams(folder());
        p.minDate = -5;
        p.mask = QString(45, QLatin1Char('*'));
        ValidSearch out;
        QVERIFY(validateSearch(p, out));
        QCOMPARE(p.minDate, 1.0);
        QCOMPARE(p.mask.size(), 40);
        QCOMPARE(out.mask, p.mask);
        QCOMPARE(out.minBound, 1.0);
        QVERIFY(fx.ui.calls.isEmpty());
    }

    void stampsOfTheRange()
    {
        test::FakeServices fx;
        struct Case {
            double from, to;
            bool ok;
        };
        const Case cases[] = {
            // before the stamp range: both convert to 0
            {days(1970, 1, 1), days(1975, 6, 1), false},
            // the full range takes every stamp
            {1, kLatestDate, true},
            // a maximum past 2107 but a minimum inside
            {days(2000, 1, 1), days(2200, 1, 1), true},
            // a minimum past 2107 cannot be expressed as a stamp
            {days(2200, 1, 1), kLatestDate, false},
            // inside the range, two seconds apart
            {days(2026, 1, 1, 10, 0, 0), days(2026, 1, 1, 10, 0, 2), true},
            // one second apart, within one stamp step
            {days(2026, 1, 1, 10, 0, 0), days(2026, 1, 1, 10, 0, 1), false},
        };
        for (const Case &c : cases) {
            SearchParams p = goodParams(folder());
            setRange(p, c.from, c.to);
            ValidSearch out;
            fx.ui.clear();
            QCOMPARE(validateSearch(p, out), c.ok);
            if (!c.ok)
                QCOMPARE(fx.ui.texts(), QStringList{kStampError});
            else
                QVERIFY(out.minStamp < out.maxStamp);
        }
    }

    void stampsCompareUnsigned()
    {
        // Files of 2044-2107 have stamps above 0x7FFFFFFF; a maximum beyond the
        // range must still lie above them.
        test::FakeServices fx;
        SearchParams p = goodParams(folder());
        ValidSearch out;
        QVERIFY(validateSearch(p, out));
        QCOMPARE(out.minStamp, 0u);
        QCOMPARE(out.maxStamp, 0xFFFFFFFFu);
        for (int year : {2044, 2060, 2107}) {
            const quint32 s = fs::fatStamp(QDateTime(QDate(year, 6, 1), QTime(12, 0)));
            QVERIFY(s > 0x7FFFFFFFu);
            QVERIFY(out.minStamp <= s && s <= out.maxStamp);
        }

        // a range entirely in the upper half
        setRange(p, days(2050, 1, 1), days(2060, 1, 1));
        QVERIFY(validateSearch(p, out));
        const quint32 inside = fs::fatStamp(QDateTime(QDate(2055, 1, 1), QTime(0, 0)));
        const quint32 before = fs::fatStamp(QDateTime(QDate(2030, 1, 1), QTime(0, 0)));
        QVERIFY(out.minStamp <= inside && inside <= out.maxStamp);
        QVERIFY(before < out.minStamp);
    }

    void folderIsChosenWhenMissing()
    {
        test::FakeServices fx;
        QDir(m_dir.path()).mkpath(QStringLiteral("sub"));
        const QString sub = m_dir.path() + QStringLiteral("/sub");

        // an existing folder needs no browser; the walk gets a trailing separator
        SearchParams p = goodParams(sub);
        ValidSearch out;
        QVERIFY(validateSearch(p, out));
        QCOMPARE(out.folder, sub + QLatin1Char('/'));
        QVERIFY(fx.ui.calls.isEmpty());

        // cancel ends silently
        p.folder = QStringLiteral("/no/such/folder");
        fx.ui.folders.enqueue(QString());
        QVERIFY(!validateSearch(p, out));
        QCOMPARE(fx.ui.calls.size(), 1);
        QCOMPARE(fx.ui.calls[0].kind, QStringLiteral("folder"));
        QCOMPARE(fx.ui.calls[0].title, QStringLiteral("Выберите папку"));
        QCOMPARE(fx.ui.calls[0].text, QStringLiteral("/no/such/folder"));
        QCOMPARE(p.folder, QStringLiteral("/no/such/folder"));

        // a chosen folder goes back into the parameters
        fx.ui.clear();
        fx.ui.folders.enqueue(sub);
        QVERIFY(validateSearch(p, out));
        QCOMPARE(p.folder, sub + QLatin1Char('/'));
        QCOMPARE(out.folder, sub + QLatin1Char('/'));

        // a relative path is not taken for a folder
        fx.ui.clear();
        p.folder = QStringLiteral("sub");
        fx.ui.folders.enqueue(QString());
        QVERIFY(!validateSearch(p, out));
        QCOMPARE(fx.ui.calls.size(), 1);
    }

    void sizesExceptInFolderSearch()
    {
        test::FakeServices fx;
        struct Case {
            int filesState;
            bool ext;
            qint64 minKb, maxKb;
            bool ok;
        };
        const Case cases[] = {
            {1, false, 10, 5, false}, {2, false, 10, 5, false},
            {0, false, 10, 5, true},  // folders: sizes are not examined
            {0, true, 10, 5, false},  // extension mode finds files
            {1, false, 7, 7, true},   // equal sizes are accepted
        };
        for (const Case &c : cases) {
            SearchParams p = goodParams(folder());
            p.filesState = c.filesState;
            p.extMode = c.ext;
            p.exts = {QStringLiteral("TXT")};
            p.minKb = c.minKb;
            p.maxKb = c.maxKb;
            ValidSearch out;
            fx.ui.clear();
            QCOMPARE(validateSearch(p, out), c.ok);
            QCOMPARE(fx.ui.texts(), c.ok ? QStringList() : QStringList{kSizeOrder});
        }
    }

    void maskMessages()
    {
        test::FakeServices fx;
        const QString bad = QStringLiteral("Недопустимые символы в шаблоне  \\ / : \" < > |");
        QCOMPARE(bad.count(QLatin1Char('"')), 1);
        QVERIFY(bad.contains(QStringLiteral("шаблоне  \\")));

        const std::pair<QString, QString> refused[] = {
            {QString(), QStringLiteral("Не установлен шаблон.\nСтандартный: * (звездочка, все файлы)")},
            {QStringLiteral("*a:b*"), bad},
            {QStringLiteral("*a\"b*"), bad},
            {QStringLiteral("a/b*"), bad},
            {QStringLiteral("*|"), bad},
        };
        for (const auto &[mask, msg] : refused) {
            SearchParams p = goodParams(folder());
            p.mask = mask;
            ValidSearch out;
            fx.ui.clear();
            QVERIFY(!validateSearch(p, out));
            QCOMPARE(fx.ui.texts(), QStringList{msg});
        }
        QCOMPARE(provShabMessage(QString(41, QLatin1Char('*'))),
                 QStringLiteral("Длина шаблона не должна быть больше 40 симв."));
        QVERIFY(provShabMessage(QString(40, QLatin1Char('*'))).isEmpty());
    }

    void maskWithoutWildcardsAsks()
    {
        test::FakeServices fx;
        const QString question = QStringLiteral(
            "В шаблоне должен быть символ * (звездочка) и/или ? (вопрос).\nВсе равно продолжить?");
        SearchParams p = goodParams(folder());
        p.mask = QStringLiteral("abc");
        ValidSearch out;
        fx.ui.yesNo.enqueue(false);
        QVERIFY(!validateSearch(p, out));
        QCOMPARE(fx.ui.calls.size(), 1);
        QCOMPARE(fx.ui.calls[0].kind, QStringLiteral("vopr"));
        QCOMPARE(fx.ui.calls[0].text, question);

        fx.ui.clear();
        fx.ui.yesNo.enqueue(true);
        QVERIFY(validateSearch(p, out));
        QCOMPARE(out.mask, QStringLiteral("abc"));

        // one wildcard is enough
        fx.ui.clear();
        for (const char *m : {"a?c", "*c", "?"}) {
            p.mask = QString::fromLatin1(m);
            QVERIFY(validateSearch(p, out));
        }
        QVERIFY(fx.ui.calls.isEmpty());
    }

    void kindFromThePanel()
    {
        SearchParams p;
        p.filesState = 2;
        QCOMPARE(findKind(p), FindKind::Files);
        p.filesState = 1;
        QCOMPARE(findKind(p), FindKind::FilesAndFolders);
        p.filesState = 0;
        QCOMPARE(findKind(p), FindKind::Folders);
        p.extMode = true;
        QCOMPARE(findKind(p), FindKind::Files);

        test::FakeServices fx;
        p = goodParams(folder());
        p.filesState = 0;
        ValidSearch out;
        QVERIFY(validateSearch(p, out));
        QCOMPARE(out.kind, FindKind::Folders);
    }
};

VT_TEST_GUILESS_MAIN(TestSearchValidate)
#include "tst_core_searchvalidate.moc"
