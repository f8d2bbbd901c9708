#include "platform/desktop/shell.h"

#include "platform/dirreader.h"
#include "platform/win32/winpath.h"

#include <QFileInfo>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

namespace vt::desktop {
namespace {

// COM for this thread, apartment-threaded as the shell wants it.
void comReady() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE); }

std::wstring shellPath(const QString &path) { return fs::win::shellPath(fs::nativePath(path)); }

bool shellExecute(const wchar_t *verb, const std::wstring &file, const std::wstring &params, ULONG mask)
{
    comReady();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = mask | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = verb;
    info.lpFile = file.c_str();
    info.lpParameters = params.empty() ? nullptr : params.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExW(&info);
}

// One argument as the program's start-up code splits the command line:
// quoted when it holds a blank or a quote, backslashes before a quote doubled.
std::wstring quoted(const std::wstring &arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return arg;
    std::wstring out = L"\"";
    size_t slashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        out.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
        slashes = 0;
        out += c;
    }
    out.append(slashes * 2, L'\\');
    return out + L'"';
}

// A batch file hands its arguments to cmd.exe, which would act on these.
bool safeForBatch(const QString &program, const QStringList &args)
{
    const QString suffix = QFileInfo(program).suffix().toLower();
    if (suffix != QLatin1String("bat") && suffix != QLatin1String("cmd"))
        return true;
    for (const QString &a : args)
        for (QChar c : a)
            if (QStringLiteral("&|<>^%!\"()\n\r").contains(c))
                return false;
    return true;
}

} // namespace

void openPath(const QString &path, int, Done done) { done(shellExecute(nullptr, shellPath(path), {}, 0)); }

void showItem(const QString &path, int verdictMs, Done done)
{
    comReady();
    PIDLIST_ABSOLUTE item = nullptr;
    const bool shown = SUCCEEDED(::SHParseDisplayName(shellPath(path).c_str(), nullptr, &item, 0, nullptr))
                    && SUCCEEDED(::SHOpenFolderAndSelectItems(item, 0, nullptr, 0));
    ::CoTaskMemFree(item);
    if (shown)
        return done(true);
    openPath(QFileInfo(path).absolutePath(), verdictMs, std::move(done));
}

bool showProperties(const QString &path)
{
    return shellExecute(L"properties", shellPath(path), {}, SEE_MASK_INVOKEIDLIST);
}

bool startProgram(const QString &program, const QStringList &args)
{
    if (!safeForBatch(program, args))
        return false;
    std::wstring params;
    for (const QString &a : args) {
        if (!params.empty())
            params += L' ';
        params += quoted(a.toStdWString());
    }
    return shellExecute(nullptr, shellPath(program), params, 0);
}

} // namespace vt::desktop
