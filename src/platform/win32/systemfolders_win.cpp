#include "platform/systemfolders.h"

#include "platform/paths.h"

#include "platform/dirreader.h"
#include "platform/win32/winpath.h"

#include <QDir>
#include <QRandomGenerator>

#include <knownfolders.h>
#include <shlobj.h>

namespace vt::fs {

QString win::knownFolder(const GUID &id)
{
    PWSTR p = nullptr;
    QString out;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &p)))
        out = win::textFromApi(p);
    ::CoTaskMemFree(p);
    return out;
}

QString userDataHome() { return win::knownFolder(FOLDERID_LocalAppData); }

QString tempSetting()
{
    const QString temp = qEnvironmentVariable("TEMP");
    if (!temp.isEmpty())
        return QDir::fromNativeSeparators(temp);
    wchar_t buf[MAX_PATH + 2];
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, buf);
    if (n == 0 || n > MAX_PATH)
        return QString();
    QString t = win::textFromApi(buf);
    if (t.size() > 3 && t.endsWith(QLatin1Char('/')))
        t.chop(1);
    return t;
}

const QStringList &systemFolders()
{
    // The Windows folder, the program folders and the top folder of the
    // user profiles (the local data folder "D:/A/B/C" gives "D:/A").
    static const QStringList folders = [] {
        QStringList out{win::knownFolder(FOLDERID_Windows), win::knownFolder(FOLDERID_ProgramFiles),
                        win::knownFolder(FOLDERID_ProgramFilesX86)};
        const QString local = win::knownFolder(FOLDERID_LocalAppData);
        const qsizetype cut = local.indexOf(QLatin1Char('/'), 3);
        const QString profiles = cut > 3 ? local.left(cut) : QString();
        if (!profiles.isEmpty() && isDir(profiles))
            out << profiles;
        out.removeAll(QString());
        out.removeDuplicates();
        return out;
    }();
    return folders;
}

Qt::CaseSensitivity pathCase() { return Qt::CaseInsensitive; }

QString pathRoot(const QString &path)
{
    const QString p = QDir::fromNativeSeparators(path);
    if (p.size() >= 3 && p[0].isLetter() && p[0].unicode() < 128 && p[1] == QLatin1Char(':') && p[2] == QLatin1Char('/'))
        return p.left(3);
    if (p.startsWith(QLatin1String("//"))) {
        // "//server/share/": both names needed.
        const qsizetype server = p.indexOf(QLatin1Char('/'), 2);
        if (server > 2 && server + 1 < p.size()) {
            const qsizetype share = p.indexOf(QLatin1Char('/'), server + 1);
            const QString root = share < 0 ? p : p.left(share);
            if (root.size() > server + 1)
                return root + QLatin1Char('/');
        }
    }
    return QString();
}

bool canCreateIn(const QString &folder)
{
    // Permissions on Windows are only known by trying.
    if (folder.isEmpty() || !isDir(folder))
        return false;
    const QByteArray probe = nativePath(folder) + "/.vt-probe-"
                             + QByteArray::number(QRandomGenerator::global()->generate(), 16);
    win::Handle h(::CreateFileW(win::apiPath(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return h.ok();
}

} // namespace vt::fs
