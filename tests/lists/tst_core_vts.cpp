#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "lists/core/listcontroller.h"
#include "lists/core/ordstore.h"
#include "lists/core/vtsfile.h"
#include "shortform.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

using namespace vt;

namespace {

void putText(QByteArray &r, int at, const QByteArray &cp1251)
{
    r[at] = char(cp1251.size());
    r.replace(at + 1, cp1251.size(), cp1251);
}

// Records built from the layout alone, to hold the writer and the reader to it.
QByteArray layoutHeader(quint16 mark, const QByteArray &start, qint32 day, const QByteArray &desc1,
                        const QByteArray &desc2)
{
    QByteArray r(344, '\0');
    qToLittleEndian<quint16>(mark, r.data() + 2);
    putText(r, 4, start);
    qToLittleEndian<qint32>(day, r.data() + 260);
    putText(r, 272, desc2);
    putText(r, 293, desc1);
    return r;
}

QByteArray layoutRow(quint8 ord, quint8 high, quint16 id, const QByteArray &path, quint32 low, quint32 dir,
                     qint32 page, const QByteArray &modified, const QByteArray &attrs)
{
    QByteArray r(344, '\0');
    r[0] = char(ord);
    r[1] = char(high);
    qToLittleEndian<quint16>(id, r.data() + 2);
    putText(r, 4, path);
    qToLittleEndian<quint32>(low, r.data() + 260);
    qToLittleEndian<quint32>(dir, r.data() + 264);
    qToLittleEndian<qint32>(page, r.data() + 268);
    putText(r, 272, modified);
    putText(r, 293, attrs);
    return r;
}

QByteArray c(const QString &s) { return toCp1251(s); }

} // namespace

class VtsTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;

    // A snapshot of a search from /media/cd/: a 5 000 000 000-byte file and a folder, relative.
    QByteArray sample() const
    {
        return layoutHeader(3, "/media/cd/", 46000, c("Фото"), QByteArray())
             + layoutRow(7, 1, 12, c("фото/Отпуск.mkv"), 705032704, 0, -1, "08.12.2026 12:00:02",
                         "Archive ")
             + layoutRow(0, 0, 65535, c("фото/пусто"), 0, 1, 3, "01.01.2020", "Directory ");
    }

private slots:
    void initTestCase()
    {
        root = data.path() + "/";
    }

    void sizesUpTo40Bits()
    {
        QCOMPARE(sizeHighByte(5000000000LL), quint8(1));
        QCOMPARE(sizeHighByte((1LL << 40) - 1), quint8(255));
        QCOMPARE(sizeHighByte(1LL << 40), quint8(255)); // bits above 39
        QCOMPARE(sizeHighByte(1LL << 50), quint8(255));
        VtsRow v;
        v.path = "a";
        v.size = 5000000000LL;
        const QByteArray rec = vtsRowRecord(v);
        QCOMPARE(quint8(rec[1]), quint8(1));
        QCOMPARE(qFromLittleEndian<quint32>(rec.constData() + 260), 705032704u);
        QCOMPARE(vtsRow(rec.constData()).size, 5000000000LL);
        v.size = (1LL << 41) + 7;
        QCOMPARE(quint8(vtsRowRecord(v)[1]), quint8(255));
    }

    // Layout bytes -> table -> writer gives the same bytes back.
    void snapshotRestoresTheTableAndWritesTheLayoutBack()
    {
        const QString file = root + "s.vts";
        test::writeTestFile(file, sample() + QByteArray(100, 'x')); // a partial tail is ignored
        TableModel t;
        QStringList report;
        const ListRead r = readListRows(t, file, report, nullptr);
        QCOMPARE(r.kind, ListKind::Vts);
        QCOMPARE(r.errors, 0);
        QCOMPARE(t.startFolder(), QStringLiteral("/media/cd/"));
        QCOMPARE(t.size(), 2);
        const auto &a = t.at(0).cells;
        QCOMPARE(QStringList(a.begin(), a.end()),
                 (QStringList{"12", "фото/", "Отпуск.mkv", "MKV", "MB: 4768", "5000000000", "",
                              "08.12.2026 12:00:02", "7", "4294967295", "Archive "}));
        const auto &b = t.at(1).cells;
        QCOMPARE(QStringList(b.begin(), b.end()),
                 (QStringList{"65535", "фото/", "пусто", "<Dir>", "byte: 0", "0", "", "01.01.2020", "-", "3",
                              "Directory "}));
        QCOMPARE(t.at(0).entry.path, QByteArray("/media/cd/фото/Отпуск.mkv"));
        QVERIFY(t.at(1).isDir());
        QCOMPARE(t.counters().files, 1);
        QCOMPARE(t.counters().folders, 1);
        QCOMPARE(report.last(), QStringLiteral("<НЕТ ОШИБОК>"));

        VtsHeader h;
        h.mark = 3;
        h.created = 46000;
        h.description = "Фото";
        const ListWrite w = writeVts(root + "back.vts", t, h);
        QVERIFY(w.ok);
        QCOMPARE(w.written, 2);
        QCOMPARE(readWholeFile(root + "back.vts"), sample());
    }

    void descriptionSplit50And20AndListedWhole()
    {
        const QString folder = root + "lists/";
        QDir().mkpath(folder);
        const QString d70 = QString(50, QChar(u'д')) + QString(20, QLatin1Char('z'));
        VtsHeader h;
        h.mark = 5;
        h.description = d70;
        QByteArray head = vtsHeaderRecord(h);
        QCOMPARE(quint8(head[293]), quint8(50));
        QCOMPARE(quint8(head[272]), quint8(20));
        QCOMPARE(head.mid(273, 20), QByteArray(20, 'z'));
        QCOMPARE(vtsHeader(head.constData()).description, d70);
        h.description = d70.left(50);
        QCOMPARE(quint8(vtsHeaderRecord(h)[272]), quint8(0));

        const QByteArray row = layoutRow(0, 0, 1, "x", 0, 0, 0, "", "");
        h.description = d70;
        test::writeTestFile(folder + "a.vts", vtsHeaderRecord(h) + row + row);
        test::writeTestFile(folder + "only-header.vts", vtsHeaderRecord(h));
        test::writeTestFile(folder + "short.vts", QByteArray(500, '\1'));
        const QList<VtsEntry> e = vtsEntries(folder);
        QCOMPARE(e.size(), 1);
        QCOMPARE(e[0].fileName, QStringLiteral("a.vts"));
        QCOMPARE(e[0].description, d70);
        QCOMPARE(e[0].records, 2);
    }

    void garbageAndTruncatedFilesNeverBreakTheReader()
    {
        QRandomGenerator gen(14);
        for (int round = 0; round < 40; ++round) {
            QByteArray junk(int(gen.bounded(344 * 6)), '\0');
            for (char &ch : junk)
                ch = char(gen.bounded(256));
            if (round % 2)
                for (int i = 0; i + 344 <= junk.size(); i += 344)
                    for (int at : {4, 272, 293})
                        junk[i + at] = char(0xFF); // every length byte past its field
            const QString file = root + "junk.vts";
            test::writeTestFile(file, junk);
            TableModel t;
            QStringList report;
            const ListRead r = readListRows(t, file, report, nullptr);
            QCOMPARE(r.kind == ListKind::Vts, junk.size() >= 688);
            QVERIFY(t.size() + r.errors == (r.kind == ListKind::Vts ? junk.size() / 344 - 1 : 0));
            for (const TableRow &row : t.rows()) {
                QVERIFY(row.cells[ColModified].size() <= 20);
                QVERIFY(row.cells[ColAttrs].size() <= 50);
            }
        }
        // A record without a name is reported, not shown.
        test::writeTestFile(root + "noname.vts", sample() + layoutRow(0, 0, 3, "dir/", 0, 0, 0, "", ""));
        TableModel t;
        QStringList report;
        QCOMPARE(readListRows(t, root + "noname.vts", report, nullptr).errors, 1);
        QCOMPARE(report.last(), QStringLiteral("dir/"));
        QCOMPARE(t.size(), 2);
    }

    void readStopsAtTheLimitAndOnStopEvery100Records()
    {
        QByteArray big = layoutHeader(0, "", 0, "d", "");
        const QByteArray row = layoutRow(0, 0, 1, "/x/f", 1, 0, 0, "", "");
        for (int i = 0; i < 10050; ++i)
            big += row;
        test::writeTestFile(root + "big.vts", big);
        TableModel t;
        QStringList report;
        VtsRead r = readVtsRows(t, root + "big.vts", report, nullptr);
        QCOMPARE(t.size(), 9999);
        QCOMPARE(r.stop, StopLimit);

        OperationContext ops;
        int pumps = 0;
        ops.setEventPump([&] {
            if (++pumps == 2)
                ops.requestStop();
        });
        TableModel s;
        r = readVtsRows(s, root + "big.vts", report, &ops);
        QCOMPARE(r.stop, StopUser);
        QCOMPARE(s.size(), 200);
    }

    void savingNewAndChangesThroughTheController()
    {
        test::FakeServices fx;
        const QString file = root + "open.vts";
        test::writeTestFile(file, sample());
        TableModel t;
        OperationContext ops;
        CurrentLog log;
        ListController lc(t, ops, log, {});
        QVERIFY(lc.openList(file));
        QCOMPARE(lc.kind(), ListKind::Vts);
        QCOMPARE(fx.sound.played, QList<int>{2});
        QVERIFY(log.text().contains("Чтение списка VTS: " + file + "\r\nПапка начала поиска: /media/cd/\r\n-"));

        // Read errors go to the log and the report: caption and sound, no box.
        const QString noname = root + "noname-open.vts";
        test::writeTestFile(noname, sample() + layoutRow(0, 0, 3, "dir/", 0, 0, 0, "", ""));
        QVERIFY(lc.openList(noname));
        QVERIFY(fx.ui.calls.isEmpty());
        QCOMPARE(fx.sound.played, (QList<int>{2, 2}));
        QVERIFY(log.text().contains("Чтение списка VTS: " + noname + "\r\nПапка начала поиска: /media/cd/"
                                    "\r\nОшибок чтения: 1\r\n-"));
        QVERIFY(lc.openList(file));

        // Changes keep the mark, the description and the creation day.
        t.setOrdPage(1, 9, 0);
        lc.SetlabChanSpis(ChangedState::Changed);
        QVERIFY(lc.SaveChanSpis(false));
        QVERIFY(!lc.changed());
        const QByteArray saved = readWholeFile(file);
        QCOMPARE(saved.left(344), sample().left(344));
        QCOMPARE(quint8(saved[2 * 344]), quint8(9));
        QCOMPARE(qFromLittleEndian<qint32>(saved.constData() + 2 * 344 + 268), 0);
        QVERIFY(log.text().contains("Сохранены изменения в списке VTS:\r\n" + file));

        // A new snapshot gets the time of saving as its name and today as its day.
        QVERIFY(lc.SaveVTS(false, true, "Новый", 2));
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Информация из таблицы сохранена в список VTS"));
        VtsHeader h;
        int records = 0;
        QVERIFY(readVtsHeader(home.path() + "/VtlVts/2026-12-08_12-00-00.vts", &h, &records));
        QCOMPARE(h.mark, quint16(2));
        QCOMPARE(h.description, QStringLiteral("Новый"));
        QCOMPARE(vtsDate(h.created), QDate(2026, 12, 8));
        QCOMPARE(h.startFolder, QStringLiteral("/media/cd/"));
        QCOMPARE(records, 3);

        // Only the header changes when the mark is rewritten.
        QCOMPARE(rewriteVtsHeader(file, 0, "Другое"), HeaderRewrite::Done);
        const QByteArray rewritten = readWholeFile(file);
        QCOMPARE(rewritten.mid(344), saved.mid(344));
        QVERIFY(readVtsHeader(file, &h));
        QCOMPARE(h.description, QStringLiteral("Другое"));
        QCOMPARE(h.created, 46000);

        // Not a usable snapshot: the read fails with the list reader's message.
        test::writeTestFile(root + "half.vts", sample().left(500));
        QVERIFY(!lc.openList(root + "half.vts"));
        QCOMPARE(lc.kind(), ListKind::Failed);
        QVERIFY(log.text().contains("Ошибка чтения списка в таблицу. Имя файла:\r\n" + root + "half.vts"));
    }

    void shortFormsAreLookedUpBeforeAddingToAVtlList()
    {
        test::writeTestFile(root + "real/here.txt", "x");
        const QByteArray rows = layoutHeader(0, toCp1251(root), 0, "d", "")
                              + layoutRow(0, 0, 1, "real/here.txt", 1, 0, 0, "01.02.2003 4:05:06", "")
                              + layoutRow(0, 0, 2, "real/gone.txt", 1, 0, 0, "", "");
        test::writeTestFile(root + "sf.vts", rows);
        TableModel t;
        QStringList report;
        readVtsRows(t, root + "sf.vts", report, nullptr);
        t.setAllSelected(true);
        QCOMPARE(fillSelectedShortForms(t), 1);
        QCOMPARE(t.at(0).cells[Col83], test::shortForm(root + "real/here.txt"));
        QCOMPARE(t.at(0).cells[ColModified], QStringLiteral("01.02.2003 4:05:06")); // the snapshot's text stays
        QCOMPARE(t.at(0).cells[ColFolder], QStringLiteral("real/"));
        QCOMPARE(t.at(1).cells[Col83], QString());
    }

    void ordNamesStoreAndPageAnswers()
    {
        test::FakeServices fx;
        const QString store = ordStorePath();
        QStringList names;
        QCOMPARE(loadOrdNames(store, &names), OrdLoad::Ok);
        QCOMPARE(readWholeFile(store), QByteArray(255 * 101, '\0'));
        names[6] = QString(120, QChar(u'ж'));
        QVERIFY(saveOrdNames(store, names));
        const QByteArray bytes = readWholeFile(store);
        QCOMPARE(quint8(bytes[6 * 101]), quint8(100));
        QCOMPARE(bytes.mid(6 * 101 + 1, 100), toCp1251(QString(100, QChar(u'ж'))));
        QCOMPARE(loadOrdNames(store, &names), OrdLoad::Ok);
        QCOMPARE(names[6].size(), 100);
        test::writeTestFile(store, QByteArray(255 * 101 + 1, '\0'));
        QCOMPARE(loadOrdNames(store, &names), OrdLoad::WrongSize);
        QVERIFY(!QFile::exists(store));

        QCOMPARE(ordEntryText(7, "Книги"), QStringLiteral("  7) Книги"));
        QCOMPARE(ordEntryName(ordEntryText(255, "x")), QStringLiteral("x"));
        QCOMPARE(pageAnswer(" 0 "), 0);
        QCOMPARE(pageAnswer("2147483647"), 2147483647);
        QCOMPARE(pageAnswer("2147483648"), -1);
        QCOMPARE(pageAnswer("-5"), -5);
        QCOMPARE(pageAnswer("пять"), -1);
    }
};

VT_TEST_GUILESS_MAIN(VtsTest)
#include "tst_core_vts.moc"
