#pragma once
// A desktop of the test's own for what the program registers with the
// desktop (file associations, "send to"), so that no test touches the
// user's: on Linux the private XDG desktop (xdgdesktop.h), on Windows the
// current user's registry redirected to a scratch key, with the Send-to
// folder in a temporary folder.
#include <QTemporaryDir>

#ifdef _WIN32
#include <QDir>
#include <QRandomGenerator>
#include <string>
#include <windows.h>

namespace vt::test {

class PrivateDesktop {
public:
    QTemporaryDir dir;
    const QString sendTo = dir.path() + QStringLiteral("/SendTo");

    PrivateDesktop()
    {
        m_path = L"Software\\VestradaTest-" + std::to_wstring(QRandomGenerator::global()->generate());
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                              nullptr) != ERROR_SUCCESS
            || ::RegOverridePredefKey(HKEY_CURRENT_USER, m_key) != ERROR_SUCCESS) {
            m_key = nullptr;
            return;
        }
        QDir().mkpath(sendTo);
        HKEY folders = nullptr;
        const std::wstring value = QDir::toNativeSeparators(sendTo).toStdWString();
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                          0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &folders, nullptr);
        ::RegSetValueExW(folders, L"SendTo", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                         DWORD((value.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(folders);
    }
    ~PrivateDesktop()
    {
        if (!m_key)
            return;
        ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        ::RegCloseKey(m_key);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    }
    bool ready() const { return m_key != nullptr; }
    static const char *missing() { return "the registry could not be redirected"; }

private:
    std::wstring m_path;
    HKEY m_key = nullptr;
};

} // namespace vt::test
#else
#include "xdgdesktop.h"

namespace vt::test {

class PrivateDesktop : public XdgDesktop {
public:
    bool ready() const { return toolsThere(); }
    static const char *missing() { return "xdg-utils and shared-mime-info are needed (scripts/install-deps.sh)"; }
};

} // namespace vt::test
#endif
