#include "base/savelog.h"

#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/services.h"
#include "base/textlines.h"
#include "base/textutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vt {
namespace {

struct KindFiles {
    LogKind kind;
    char letter;
    const char *label;
};

// Also the order of the viewer's list.
const KindFiles kKinds[] = {
    {LogKind::Copy, 'c', "Копирование-"},         {LogKind::Move, 'm', "Перемещение-"},
    {LogKind::Rename, 'r', "Переименование-"},    {LogKind::DeleteFolders, 'd', "Удаление папок-"},
    {LogKind::DeleteFiles, 'e', "Удаление файлов-"}, {LogKind::CreateFolders, 'f', "Создание папок-"},
};

bool writeRecord(LogKind kind, const QStringList &lines)
{
    const QChar letter = savedLogLetter(kind);
    if (letter.isNull() || !GetOptPath())
        return false;
    const QString file1 = optPath() + letter + QLatin1Char('1');
    const QString file2 = optPath() + letter + QLatin1Char('2');
    // Appending to a FIFO in its place would wait for a reader for good.
    const QFileInfo current(file1);
    if (current.exists() && !current.isFile())
        return false;
    if (current.size() > kSavedLogMax) {
        QFile::remove(file2);
        QFile::rename(file1, file2);
    }
    QStringList recordLines = lines;
    recordLines << QStringLiteral("__________") << QString();
    // A record goes in the file's own encoding. One that cp1251 cannot hold
    // turns a cp1251 file into UTF-8, rewritten whole, so the log keeps every name.
    QByteArray old;
    if (QFileInfo::exists(file1)) {
        bool ok = false;
        old = readWholeFile(file1, &ok);
        if (!ok)
            return false;
    }
    QByteArray record;
    if (old.isEmpty()) {
        record = encodeTextLines(recordLines);
    } else if (readsAsUtf8(old)) {
        record = utf8TextLines(recordLines, false);
    } else {
        bool utf8 = false;
        record = encodeTextLines(recordLines, &utf8);
        if (utf8 || readsAsUtf8(old + record))
            return writeFileAtomic(file1, utf8TextLines(decodeTextLines(old) + recordLines, true));
    }
    QFile f(file1);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    return f.write(record) == record.size() && f.flush();
}

} // namespace

QChar savedLogLetter(LogKind kind)
{
    for (const KindFiles &k : kKinds)
        if (k.kind == kind)
            return QLatin1Char(k.letter);
    return QChar();
}

bool SaveLog(LogKind kind)
{
    const QStringList &lines = currentLog().opLog();
    if (lines.isEmpty())
        return false;
    return writeRecord(kind, lines);
}

bool SaveLog(LogKind kind, const QString &text) { return writeRecord(kind, {text}); }

QList<SavedLogFile> savedLogFiles()
{
    QList<SavedLogFile> out;
    const QString opt = optPath();
    if (opt.isEmpty())
        return out;
    for (const KindFiles &k : kKinds) {
        for (char digit : {'1', '2'}) {
            const QFileInfo fi(opt + QLatin1Char(k.letter) + QLatin1Char(digit));
            if (!fi.isFile())
                continue;
            out.append({QString::fromUtf8(k.label) + QLatin1Char(digit) + QStringLiteral(", KB: ")
                            + QString::number(fi.size() / 1024),
                        fi.filePath()});
        }
    }
    return out;
}

QString logCopyName(const QDateTime &t)
{
    return QStringLiteral("Log-") + t.toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss"))
           + QStringLiteral(".txt");
}

QString freeLogCopyPath(const QString &folder, QDateTime t)
{
    QString path = folder + logCopyName(t);
    while (QFileInfo::exists(path)) {
        t = t.addSecs(1);
        path = folder + logCopyName(t);
    }
    return path;
}

} // namespace vt
