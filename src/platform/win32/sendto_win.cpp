#include "platform/sendto.h"

#include "platform/dirreader.h"
#include "platform/win32/winpath.h"

#include <QDir>

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace vt::sendto {
namespace {

QString linkPath() { return folder() + QStringLiteral("/Vestrada.lnk"); }

template <class T> struct ComPtr {
    T *p = nullptr;
    ~ComPtr()
    {
        if (p)
            p->Release();
    }
};

// COM for this thread, apartment-threaded as the shell objects want it.
bool comReady()
{
    const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    return SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
}

} // namespace

QString folder() { return fs::win::knownFolder(FOLDERID_SendTo); }

bool exists() { return !folder().isEmpty() && fs::exists(linkPath()); }

QString install(const QString &executable, const QString &workDir)
{
    if (!fs::isDir(folder()))
        return QStringLiteral("Нет папки \"Отправить\"");
    const QString problem = QStringLiteral("Не удалось записать ") + QDir::toNativeSeparators(linkPath());
    if (!comReady())
        return problem;
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    const std::wstring exe = fs::win::shellPath(executable), dir = fs::win::shellPath(workDir);
    const std::wstring lnk = fs::win::shellPath(linkPath());
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void **>(&link.p)))
        || FAILED(link.p->SetPath(exe.c_str())) || FAILED(link.p->SetWorkingDirectory(dir.c_str()))
        || FAILED(link.p->SetIconLocation(exe.c_str(), 0))
        || FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file.p)))
        || FAILED(file.p->Save(lnk.c_str(), TRUE)))
        return problem;
    return QString();
}

bool remove() { return exists() && ::DeleteFileW(fs::win::apiPath(fs::nativePath(linkPath())).c_str()); }

} // namespace vt::sendto
