#include "platform/freedesktop/desktopfile.h"

#include "platform/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vt::sendto {
namespace {

// Escapes of a desktop-entry string value.
QString escapeString(const QString &s)
{
    QString out;
    for (QChar c : s) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

// One Exec argument: % doubled so that it is not taken for a field code, and
// quoted only when it holds a character the desktop entry rules reserve
// (inside the quotes ", `, $ and \ get a backslash). Openers that split the
// line at blanks (xdg-open without a desktop) take a plain path as it is.
QString quoteExecArg(const QString &arg)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = arg.isEmpty();
    QString out;
    for (QChar c : arg) {
        quote = quote || reserved.contains(c);
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            out += QLatin1Char('%');
        out += c;
    }
    return quote ? QLatin1Char('"') + out + QLatin1Char('"') : QString(arg).replace(QLatin1Char('%'), QStringLiteral("%%"));
}

QString typesValue(const QStringList &types)
{
    QString out;
    for (const QString &t : types)
        out += t + QLatin1Char(';');
    return out;
}

QStringList entryLines()
{
    QByteArray data;
    if (!fs::readRegularFile(entryPath(), &data))
        return {};
    QStringList lines = QString::fromUtf8(data).split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

QString folder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/applications/");
}

QString entryPath() { return folder() + QStringLiteral("vestrada.desktop"); }

bool exists() { return mimeTypes().contains(QString::fromUtf16(kFolderType)); }

QString entryText(const QString &executable, const QString &workDir, const QStringList &types)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Vestrada\n"
                          "Comment=Поиск файлов по дате изменения\n"
                          "Icon=vestrada\n"
                          "Exec=")
           + escapeString(quoteExecArg(executable)) + QStringLiteral(" %F\n")
           + QStringLiteral("Path=") + escapeString(workDir) + QStringLiteral("\n")
           + QStringLiteral("Terminal=false\n"
                            "MimeType=")
           + typesValue(types) + QStringLiteral("\nCategories=Utility;FileTools;\n");
}

QStringList mimeTypes()
{
    for (const QString &line : entryLines())
        if (line.startsWith(QLatin1String("MimeType=")))
            return line.mid(9).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return {};
}

bool writeEntry(const QString &executable, const QString &workDir, const QStringList &types)
{
    if (types.isEmpty())
        return !QFileInfo::exists(entryPath()) || QFile::remove(entryPath());
    // The rules allow no "=" in the program's path: no entry could start it.
    if (executable.contains(QLatin1Char('=')) || !QDir().mkpath(folder()))
        return false;
    return fs::writeFileReplacing(entryPath(), entryText(executable, workDir, types).toUtf8());
}

bool addFolderType(const QString &executable, const QString &workDir)
{
    QStringList types = mimeTypes();
    if (!types.contains(QString::fromUtf16(kFolderType)))
        types.prepend(QString::fromUtf16(kFolderType));
    return writeEntry(executable, workDir, types);
}

bool remove()
{
    if (!exists())
        return false;
    QStringList types = mimeTypes();
    types.removeAll(QString::fromUtf16(kFolderType));
    if (types.isEmpty())
        return QFile::remove(entryPath());
    // The associations still need the entry: only its type list changes.
    QStringList lines = entryLines();
    for (QString &line : lines)
        if (line.startsWith(QLatin1String("MimeType=")))
            line = QStringLiteral("MimeType=") + typesValue(types);
    return fs::writeFileReplacing(entryPath(), lines.join(QLatin1Char('\n')).toUtf8() + "\n");
}

} // namespace vt::sendto
