// Writes the seed inputs of every fuzz target, made with the program's own
// writers so that the fuzzer starts from files the program really reads.
#include "journal/core/journal.h"
#include "lists/core/ordstore.h"
#include "lists/core/textlist.h"
#include "lists/core/vtlformat.h"
#include "lists/core/vtsformat.h"
#include "rename/core/renrule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

QString g_root;

void seed(const char *target, const char *name, const QByteArray &bytes)
{
    const QString dir = g_root + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(dir);
    QFile f(dir + QLatin1Char('/') + QLatin1String(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write seed %s/%s\n", target, name);
        std::exit(1);
    }
}

QByteArray crlf(const char *text) { return QByteArray(text).replace("\n", "\r\n"); }

void vtlSeeds()
{
    const QByteArray three = vt::vtlRecord(0, 0, QStringLiteral("/tmp"))
        + vt::vtlRecord(44, -7, QStringLiteral("/нет/такой/папки/Файл.txt"))
        + vt::vtlRecord(255, 2147483647, QStringLiteral("relative name"));
    seed("vtl", "three", three);
    seed("vtl", "tail", three + QByteArray(100, 'x'));
    seed("vtl", "empty", QByteArray());
}

void vtsSeeds()
{
    vt::VtsHeader h;
    h.mark = 4;
    h.startFolder = QStringLiteral("/tmp/");
    h.created = vt::vtsDay(QDate(2026, 12, 9));
    h.description = QStringLiteral("Снимок для проверки, описание длиннее пятидесяти знаков!");
    vt::VtsRow file;
    file.id = 1;
    file.path = QStringLiteral("Отчёт.txt");
    file.size = (qint64(3) << 32) + 5;
    file.page = -1;
    file.modified = QStringLiteral("09.12.2026 5:00:00");
    file.attrs = QStringLiteral("A");
    vt::VtsRow folder = file;
    folder.id = 2;
    folder.folder = true;
    folder.path = QStringLiteral("Папка");
    folder.size = 0;
    seed("vts", "two-rows", vt::vtsHeaderRecord(h) + vt::vtsRowRecord(file) + vt::vtsRowRecord(folder));
    h.startFolder.clear();
    file.path = QStringLiteral("/tmp/a b");
    seed("vts", "full-paths", vt::vtsHeaderRecord(h) + vt::vtsRowRecord(file));
}

void textSeeds()
{
    // The first byte picks the reader: '0' VTX, '1' M3U, '2' TXT.
    seed("textlist", "vtx", "0\r\n" + vt::encodeTextLines({QStringLiteral("/tmp"), QStringLiteral("\"quoted name.txt\""),
                                                            QStringLiteral("  ../relative  "), QString()}));
    seed("textlist", "m3u-utf8", "1\n#EXTM3U\n#EXTINF:12,Песня\n/tmp/песня.mp3\nпесня.mp3\n");
    seed("textlist", "txt", "2\r\n" + vt::encodeTextLines({QStringLiteral("[/tmp/] => [D:\\]"), QStringLiteral("D:\\a.txt"),
                                                           QStringLiteral("Файл: a.txt")}));
    seed("textlist", "bom", "\xEF\xBB\xBF/tmp/x\r\n");
}

void iniSeeds()
{
    seed("ini", "full", crlf("; settings\n[MAIN]\nDIRSTART=/tmp/\nLCM=\"/home/user\"\nCLV=1\nOPHS=3\n\n[OTHER]\nKEY=1\n"));
    seed("ini", "odd", crlf("[main]\n  lcm = x \n[MAIN\nCLV\n=\n[MAIN]\nLCM=second\n"));
}

void renSeeds()
{
    vt::TRenRule r;
    vt::InitRulesDef(r);
    r.Descr = QStringLiteral("Номер в начале");
    r.NumPos = 1;
    r.NumStart = 7;
    r.NumWidth = 3;
    r.NumStep = 1;
    r.Pref1 = QStringLiteral("Фото_");
    r.ObrFlags = 3;
    r.ObrIndBeg = 1;
    r.ObrCntBeg = 2;
    r.ObrIndEnd = 1;
    r.ObrCntEnd = 1;
    r.ZamMode = 3;
    r.ZamFnd = QStringLiteral(" ");
    r.ZamNew = QStringLiteral("_");
    r.ExtMode = 3;
    r.Ext1 = QStringLiteral("TXT");
    r.Ext2 = QStringLiteral("md");
    const QByteArray one = r.toBytes();
    seed("ren", "rule-and-name", one + "Мой файл 01");
    QByteArray nine;
    for (int i = 0; i < 9; ++i)
        nine += i == 4 ? one : vt::TRenRule().toBytes();
    seed("ren", "presets", nine);
}

void ordSeeds()
{
    QStringList names;
    for (int i = 0; i < vt::kOrdCount; ++i)
        names << (i % 50 == 0 ? QStringLiteral("Категория %1").arg(i) : QString());
    const QString tmp = QDir::tempPath() + QStringLiteral("/vt-ord-seed");
    if (!vt::saveOrdNames(tmp, names)) {
        std::fputs("cannot make the ord seed\n", stderr);
        std::exit(1);
    }
    QFile f(tmp);
    f.open(QIODevice::ReadOnly);
    seed("ord", "names", f.readAll());
    f.remove();
    seed("ord", "short", QByteArray(101, '\x05'));
}

void storeSeeds()
{
    // The first byte picks the store (its value modulo 7).
    seed("stores", "oldfd", "\x00" + crlf("/tmp\n/нет такой\n\n/\n"));
    seed("stores", "oldcm", "\x01" + crlf("/tmp/\nrelative\n"));
    seed("stores", "open", "\x02" + crlf("/tmp\n/tmp/\n   /  \n"));
    seed("stores", "strshab", "\x03" + crlf("*.txt\nОтчёт*\n\n"));
    seed("stores", "strparam", "\x04" + crlf("-p\n--new-window\n"));
    seed("stores", "strext", "\x05" + crlf("TXT\njpg\n.doc\nOCHENDLINNOE\n"));
    seed("stores", "strexts", "\x06" + crlf("JPG, PNG\n,,TXT ,\n"));
}

void logSeeds()
{
    seed("logs", "record", crlf("Удаление файлов\n/tmp/a.txt\n__________\n\n"));
    seed("logs", "empty", QByteArray());
}

void cmdSeeds()
{
    const char full[] = "/tmp\0--mask\0*.txt\0--min\0001.01.2020\0--max\0009.12.2026 5:00:00\0--size-min\0001\0"
                        "--kind\0files\0--ext\0jpg,.txt\0--depth\0300\0--limit\0005\0--exclude\0hs\0--save\0x.vtl";
    seed("cmdline", "full", QByteArray(full, sizeof full - 1));
    const char ren[] = "/tmp\0--unreadable\0--rename\0001,2:7\0--folders\0--test";
    seed("cmdline", "rename", QByteArray(ren, sizeof ren - 1));
    seed("cmdline", "usage", QByteArray("--mask", 6));
}

void journalSeeds()
{
    const QDateTime t(QDate(2026, 12, 9), QTime(20, 1, 30), Qt::UTC);
    vt::JournalBatch ren{vt::BatchKind::RenameRule, vt::BatchKind::RenameRule, t, 2,
                         {{vt::JournalItem::Moved, "/tmp/a b.txt", "/tmp/01_a b.txt", {}},
                          {vt::JournalItem::Moved, "/tmp/caf\xe9", "/tmp/\xd0\x9a\n%", {}}}};
    vt::JournalBatch trash{vt::BatchKind::Trash, vt::BatchKind::RenameRule, t, 1,
                           {{vt::JournalItem::Trashed, "/tmp/x", "/h/Trash/files/x", "/h/Trash/info/x.trashinfo"}}};
    vt::JournalBatch undo{vt::BatchKind::Undo, vt::BatchKind::Trash, t, 1,
                          {{vt::JournalItem::Restored, "/h/Trash/files/x", "/tmp/x", {}}}};
    vt::JournalBatch copy{vt::BatchKind::Copy, vt::BatchKind::RenameRule, t, 12, {}};
    seed("journal", "batches", vt::encodeJournal({ren, trash, undo, copy}));
    seed("journal", "empty", vt::encodeJournal({}));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: fuzz_seeds FOLDER\n", stderr);
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);
    vtlSeeds();
    vtsSeeds();
    textSeeds();
    iniSeeds();
    renSeeds();
    ordSeeds();
    storeSeeds();
    logSeeds();
    cmdSeeds();
    journalSeeds();
    return 0;
}
