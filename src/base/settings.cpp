#include "base/settings.h"

#include "base/appdirs.h"
#include "base/services.h"
#include "base/storefile.h"
#include "base/textutil.h"

#include <QFile>
#include <QList>
#include <utility>

namespace vt {
namespace {

const QString kMain = QStringLiteral("MAIN");

Settings g_settings;

// One line of the file without its '\n'; a trailing '\r' stays part of it.
QString lineText(const QByteArray &line)
{
    return fromCp1251(line).trimmed();
}

bool isSectionLine(const QString &t, QString *name)
{
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (name)
        *name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
    return true;
}

bool isKeyLine(const QString &t, const QString &key, QString *value)
{
    if (t.startsWith(QLatin1Char(';')))
        return false;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0 || t.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
        return false;
    if (value)
        *value = t.mid(eq + 1).trimmed();
    return true;
}

struct Lines {
    QList<QByteArray> lines;
    bool endsWithNewline = false;

    explicit Lines(const QByteArray &file)
    {
        if (file.isEmpty())
            return;
        lines = file.split('\n');
        endsWithNewline = file.endsWith('\n');
        if (endsWithNewline)
            lines.removeLast();
    }
    QByteArray join() const
    {
        QByteArray out;
        for (const QByteArray &l : lines) {
            out += l;
            out += '\n';
        }
        if (!endsWithNewline && !out.isEmpty())
            out.chop(1);
        return out;
    }
    // [first, end) of the section's body; first < 0 when the section is absent.
    std::pair<int, int> section(const QString &name) const
    {
        int first = -1;
        for (int i = 0; i < lines.size(); ++i) {
            QString s;
            if (!isSectionLine(lineText(lines[i]), &s))
                continue;
            if (first >= 0)
                return {first, i};
            if (s.compare(name, Qt::CaseInsensitive) == 0)
                first = i + 1;
        }
        return {first, int(lines.size())};
    }
    // Appending after a last line that has no line break gives it one first.
    void closeLastLine()
    {
        if (!lines.isEmpty() && !endsWithNewline && !lines.last().endsWith('\r'))
            lines.last() += '\r';
        endsWithNewline = true;
    }
};

bool boolValue(const QString &v, bool def)
{
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n != 0 : def;
}

int intValue(const QString &v, int def)
{
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n : def;
}

// A value that would break the line structure or lose characters in cp1251
// is not written at all.
bool writable(const QString &v)
{
    return !v.contains(QLatin1Char('\r')) && !v.contains(QLatin1Char('\n')) && fitsCp1251(v);
}

bool writeKeys(const QList<std::pair<QString, QString>> &keys)
{
    const QString path = iniPath();
    if (path.isEmpty() || storeTooBig(path))
        return false;
    const QByteArray before = ini::load(path);
    QByteArray after = before;
    for (const auto &[key, val] : keys) {
        if (!writable(val))
            return false;
        after = ini::setValue(after, kMain, key, val);
    }
    if (after == before && QFile::exists(path))
        return true;
    return writeFileAtomic(path, after);
}

} // namespace

Settings &settings() { return g_settings; }

QString iniPath()
{
    // Made again if it went away during the run, so the close still saves.
    if (!GetOptPath())
        return QString();
    return optPath() + QStringLiteral("vtl.ini");
}

namespace ini {

QByteArray load(const QString &path)
{
    QByteArray file;
    readStore(path, &file);
    return file;
}

QString value(const QByteArray &file, const QString &section, const QString &key, bool *found)
{
    if (found)
        *found = false;
    const Lines l(file);
    const auto [first, end] = l.section(section);
    for (int i = first; first >= 0 && i < end; ++i) {
        QString v;
        if (!isKeyLine(lineText(l.lines[i]), key, &v))
            continue;
        if (found)
            *found = true;
        if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\''))
            && v.back() == v.front())
            v = v.mid(1, v.size() - 2);
        return v;
    }
    return QString();
}

QByteArray setValue(const QByteArray &file, const QString &section, const QString &key,
                    const QString &value)
{
    Lines l(file);
    const QByteArray line = toCp1251(key + QLatin1Char('=') + value) + '\r';
    const auto [first, end] = l.section(section);
    if (first < 0) {
        l.closeLastLine();
        l.lines << toCp1251(QLatin1Char('[') + section + QLatin1Char(']')) + '\r' << line;
        return l.join();
    }
    int lastFilled = first - 1;
    for (int i = first; i < end; ++i) {
        const QString t = lineText(l.lines[i]);
        if (isKeyLine(t, key, nullptr)) {
            l.lines[i] = line;
            return l.join();
        }
        if (!t.isEmpty())
            lastFilled = i;
    }
    if (lastFilled == l.lines.size() - 1)
        l.closeLastLine();
    l.lines.insert(lastFilled + 1, line);
    return l.join();
}

} // namespace ini

QString GetStartDir(StartDir mode, const QString &folder)
{
    Settings &s = g_settings;
    switch (mode) {
    case StartDir::LoadAll:
    case StartDir::Folder: {
        const QString path = iniPath();
        if (path.isEmpty())
            return mode == StartDir::LoadAll ? s.dirStart : QString();
        const QByteArray file = ini::load(path);
        const QString dir = ini::value(file, kMain, QStringLiteral("DIRSTART"));
        if (mode == StartDir::Folder)
            return dir;
        s.dirStart = dir;
        s.lcm = ini::value(file, kMain, QStringLiteral("LCM"));
        s.clv = boolValue(ini::value(file, kMain, QStringLiteral("CLV")), false);
        s.ophs = intValue(ini::value(file, kMain, QStringLiteral("OPHS")), 0);
        return dir;
    }
    case StartDir::OfferFolder:
        if (!ui().vopr(QStringLiteral("Открывать папку:\n") + folder
                       + QStringLiteral("\nпри старте программы?")))
            return QString();
        if (!writeKeys({{QStringLiteral("DIRSTART"), folder}})) {
            ui().beep(Beep::Error);
            return QString();
        }
        s.dirStart = folder;
        zv(2);
        return QStringLiteral("1");
    case StartDir::SaveOrdPage:
        if (writeKeys({{QStringLiteral("OPHS"), QString::number(s.ophs)}}))
            ui().inf(QStringLiteral("Настройки для Ord/Page сохранены"));
        else
            ui().beep(Beep::Error);
        return QString();
    }
    return QString();
}

void Savini()
{
    const QString path = iniPath();
    if (path.isEmpty())
        return;
    const QByteArray file = ini::load(path);
    const QString fileLcm = ini::value(file, kMain, QStringLiteral("LCM"));
    const bool fileClv = boolValue(ini::value(file, kMain, QStringLiteral("CLV")), false);
    const Settings &s = g_settings;
    if (s.lcm == fileLcm && s.clv == fileClv)
        return;
    QList<std::pair<QString, QString>> keys;
    if (writable(s.lcm))
        keys.append({QStringLiteral("LCM"), s.lcm});
    keys.append({QStringLiteral("CLV"), s.clv ? QStringLiteral("1") : QStringLiteral("0")});
    writeKeys(keys);
}

} // namespace vt
