#include "platform/associations.h"

#include "platform/win32/winpath.h"

#include <QFileInfo>
#include <QStringList>

#include <shlobj.h>

namespace vt::assoc {
namespace {

const wchar_t *const kProgId = L"Vestrada";
const wchar_t *const kClasses = L"Software\\Classes\\";
const wchar_t *const kFileExts = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
const wchar_t *const kExts[] = {L".vtl", L".vts", L".vtx"};

class Key {
public:
    // Opens (create: makes) a key of the current user.
    Key(const std::wstring &path, bool create)
    {
        const LONG r = create ? ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                                  KEY_READ | KEY_WRITE, nullptr, &m_key, nullptr)
                              : ::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ | KEY_WRITE, &m_key);
        if (r != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~Key()
    {
        if (m_key)
            ::RegCloseKey(m_key);
    }
    Key(const Key &) = delete;
    Key &operator=(const Key &) = delete;
    bool ok() const { return m_key != nullptr; }

    // A string value; name null for the default one. Null when there is none.
    QString get(const wchar_t *name) const
    {
        DWORD type = 0, size = 0;
        if (!m_key || ::RegQueryValueExW(m_key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS
            || (type != REG_SZ && type != REG_EXPAND_SZ))
            return QString();
        std::wstring buf(size / sizeof(wchar_t) + 1, L'\0');
        if (::RegQueryValueExW(m_key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(buf.data()), &size)
            != ERROR_SUCCESS)
            return QString();
        return QString::fromStdWString(buf.c_str());
    }
    bool set(const wchar_t *name, const QString &value)
    {
        const std::wstring v = value.toStdWString();
        return m_key && ::RegSetValueExW(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(v.c_str()),
                                         DWORD((v.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    bool remove(const wchar_t *name) { return m_key && ::RegDeleteValueW(m_key, name) == ERROR_SUCCESS; }

private:
    HKEY m_key = nullptr;
};

// Compared trimmed and ignoring case; a stored value in quotes is compared with the name in quotes.
bool sameName(const QString &stored, const QString &name)
{
    const QString s = stored.trimmed();
    const QString n = s.startsWith(QLatin1Char('"')) ? QLatin1Char('"') + name + QLatin1Char('"') : name;
    return s.compare(n, Qt::CaseInsensitive) == 0;
}

QString exeName(const QString &executable) { return QFileInfo(executable).fileName(); }

// The program in quotes (a path with blanks stays one word), then the file.
QString openCommand(const QString &executable)
{
    return QLatin1Char('"') + QString::fromStdWString(vt::fs::win::shellPath(executable)) + QStringLiteral("\" \"%1\"");
}

QString keyText(const std::wstring &path) { return QStringLiteral("HKEY_CURRENT_USER\\") + QString::fromStdWString(path); }

} // namespace

QList<bool> ticks(const QString &executable)
{
    // Ticked when the user's file-type entry names this program.
    const QString exe = exeName(executable);
    QList<bool> out;
    for (const wchar_t *ext : kExts) {
        const Key k(std::wstring(kFileExts) + ext, false);
        out << (k.ok() && sameName(k.get(L"ProgID"), QString::fromWCharArray(kProgId))
                && sameName(k.get(L"Application"), exe));
    }
    return out;
}

QString apply(const QList<bool> &ticked, const QString &executable, const QString &)
{
    QStringList problems;
    const QString exe = exeName(executable), command = openCommand(executable);
    auto write = [&](const std::wstring &path, const wchar_t *name, const QString &value) {
        Key k(path, true);
        if (!k.set(name, value))
            problems << QStringLiteral("Не удалось записать ") + keyText(path);
    };
    write(std::wstring(kClasses) + L"Applications\\" + exe.toStdWString() + L"\\shell\\open\\command", nullptr, command);
    for (int i = 0; i < 3; ++i) {
        const bool on = i < ticked.size() && ticked[i];
        const std::wstring fileExt = std::wstring(kFileExts) + kExts[i];
        if (on) {
            write(fileExt, L"Application", exe);
            write(fileExt, L"ProgID", QString::fromWCharArray(kProgId));
        } else {
            Key k(fileExt, false);
            if (sameName(k.get(L"Application"), exe))
                k.remove(L"Application");
            if (sameName(k.get(L"ProgID"), QString::fromWCharArray(kProgId)))
                k.remove(L"ProgID");
        }
        // The extension's class: this program's when ticked, given back when it was.
        const std::wstring ext = std::wstring(kClasses) + kExts[i];
        Key k(ext, true);
        if (!k.ok())
            problems << QStringLiteral("Не удалось записать ") + keyText(ext);
        else if (on)
            write(ext, nullptr, QString::fromWCharArray(kProgId));
        else if (sameName(k.get(nullptr), QString::fromWCharArray(kProgId)))
            write(ext, nullptr, QString());
    }
    const std::wstring prog = std::wstring(kClasses) + kProgId;
    write(prog + L"\\DefaultIcon", nullptr, QString::fromStdWString(vt::fs::win::shellPath(executable)) + QStringLiteral(",0"));
    write(prog + L"\\shell\\open\\command", nullptr, command);
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return problems.join(QLatin1Char('\n'));
}

} // namespace vt::assoc
