#include "base/sendto.h"

#include "base/textutil.h"

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

// One Exec argument in double quotes: ", `, $ and \ get a backslash, % is
// doubled so that it is not taken for a field code.
QString quoteExecArg(const QString &arg)
{
    QString out = QStringLiteral("\"");
    for (QChar c : arg) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            out += QLatin1Char('%');
        out += c;
    }
    return out + QLatin1Char('"');
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

bool exists() { return QFileInfo::exists(entryPath()); }

QString entryText(const QString &executable, const QString &workDir)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Vestrada\n"
                          "Comment=Поиск файлов по дате изменения\n"
                          "Exec=")
           + escapeString(quoteExecArg(executable)) + QStringLiteral(" %F\n")
           + QStringLiteral("Path=") + escapeString(workDir) + QStringLiteral("\n")
           + QStringLiteral("Terminal=false\n"
                            "MimeType=inode/directory;\n"
                            "Categories=Utility;FileTools;\n");
}

bool install(const QString &executable, const QString &workDir)
{
    if (!QDir().mkpath(folder()))
        return false;
    return writeFileAtomic(entryPath(), entryText(executable, workDir).toUtf8());
}

bool remove() { return QFile::remove(entryPath()); }

} // namespace vt::sendto
