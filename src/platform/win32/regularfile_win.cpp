#include "platform/regularfile.h"

#include "platform/dirreader.h"
#include "platform/win32/winpath.h"

#include <QRandomGenerator>

#include <limits>

namespace vt::fs {
namespace {

bool writeAll(HANDLE h, const QByteArray &data)
{
    for (qsizetype done = 0; done < data.size();) {
        DWORD n = 0;
        const DWORD want = DWORD(qMin<qsizetype>(data.size() - done, 1 << 20));
        if (!::WriteFile(h, data.constData() + done, want, &n, nullptr) || n == 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

bool writeFileReplacing(const QString &path, const QByteArray &data)
{
    QByteArray target = nativePath(path);
    if (target.isEmpty())
        return false;
    // A link is followed to its file, which is the one replaced.
    const QByteArray real = canonicalNative(target);
    if (!real.isEmpty())
        target = real;
    return win::replaceFile(target, data);
}

bool win::replaceFile(const QByteArray &target, const QByteArray &data)
{
    const std::wstring to = win::apiPath(target);
    const DWORD old = ::GetFileAttributesW(to.c_str());
    const bool had = old != INVALID_FILE_ATTRIBUTES;
    if (had && (old & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray dir = target.left(slash + 1), name = target.mid(slash + 1);
    QByteArray tmp;
    win::Handle h;
    for (int attempt = 0; attempt < 16 && !h.ok(); ++attempt) {
        tmp = dir + '.' + name + ".vt~" + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        h.reset(::CreateFileW(win::apiPath(tmp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
        if (!h.ok() && ::GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    if (!h.ok())
        return false;
    bool ok = writeAll(h.get(), data) && ::FlushFileBuffers(h.get());
    h.reset();
    const std::wstring from = win::apiPath(tmp);
    // ReplaceFile keeps the old file's attributes (a read-only one stays
    // unchanged); a link of that name is replaced by the move, not followed.
    const bool plain = had && !(old & FILE_ATTRIBUTE_REPARSE_POINT);
    ok = ok
      && (plain ? ::ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                : ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    if (!ok)
        ::DeleteFileW(from.c_str());
    return ok;
}

bool readRegularFile(const QString &path, QByteArray *out)
{
    return readRegularNative(nativePath(path), out) == ReadStatus::Ok;
}

namespace {

// A regular file opened for reading, with its size; Missing or Failed otherwise.
ReadStatus openRegular(const QByteArray &native, win::Handle &h, qint64 *size)
{
    const std::wstring p = win::apiPath(native);
    const DWORD a = ::GetFileAttributesW(p.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) {
        const DWORD e = ::GetLastError();
        return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? ReadStatus::Missing : ReadStatus::Failed;
    }
    if (a & FILE_ATTRIBUTE_DIRECTORY)
        return ReadStatus::Failed;
    h.reset(::CreateFileW(p.c_str(), GENERIC_READ, win::kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                          nullptr));
    if (!h.ok())
        return ::GetLastError() == ERROR_FILE_NOT_FOUND ? ReadStatus::Missing : ReadStatus::Failed;
    LARGE_INTEGER s;
    if (::GetFileType(h.get()) != FILE_TYPE_DISK || !::GetFileSizeEx(h.get(), &s)) {
        h.reset();
        return ReadStatus::Failed;
    }
    *size = s.QuadPart;
    return ReadStatus::Ok;
}

} // namespace

ReadStatus readRegularNative(const QByteArray &native, QByteArray *out)
{
    bool tooBig = false;
    return readRegularLimited(native, std::numeric_limits<qsizetype>::max() - 1, out, &tooBig);
}

ReadStatus readRegularLimited(const QByteArray &native, qint64 maxBytes, QByteArray *out, bool *tooBig)
{
    out->resize(0);
    *tooBig = false;
    win::Handle h;
    qint64 size = 0;
    const ReadStatus st = openRegular(native, h, &size);
    if (st != ReadStatus::Ok)
        return st;
    if (size > maxBytes) {
        *tooBig = true;
        return ReadStatus::Failed;
    }
    // Straight into the caller's buffer; a file that grows while it is read
    // is read on, up to the limit.
    QByteArray &data = *out;
    qsizetype used = 0;
    data.resize(qsizetype(size) + 1);
    for (;;) {
        if (used == data.size())
            data.resize(qsizetype(qMin<qint64>(qint64(data.size()) * 2 + 65536, maxBytes + 1)));
        const DWORD want = DWORD(qMin<qsizetype>(data.size() - used, 1 << 30));
        DWORD n = 0;
        if (!::ReadFile(h.get(), data.data() + used, want, &n, nullptr)) {
            data.resize(0);
            return ReadStatus::Failed;
        }
        if (n == 0)
            break;
        used += n;
        if (used > maxBytes) {
            data.resize(0);
            *tooBig = true;
            return ReadStatus::Failed;
        }
    }
    data.resize(used);
    return ReadStatus::Ok;
}

RegularFileReader::~RegularFileReader()
{
    if (m_handle != -1)
        ::CloseHandle(HANDLE(m_handle));
}

bool RegularFileReader::open(const QByteArray &native, ReadStatus *status)
{
    win::Handle h;
    const ReadStatus got = openRegular(native, h, &m_size);
    if (status)
        *status = got;
    if (got != ReadStatus::Ok)
        return false;
    if (m_handle != -1)
        ::CloseHandle(HANDLE(m_handle));
    m_handle = qintptr(h.get());
    h.release();
    m_pos = 0;
    m_atEnd = false;
    return true;
}

qint64 RegularFileReader::read(char *buf, qint64 n)
{
    if (m_handle == -1)
        return -1;
    if (m_atEnd || n <= 0)
        return 0;
    const DWORD want = DWORD(qMin<qint64>(n, 1 << 30));
    DWORD got = 0;
    if (!::ReadFile(HANDLE(m_handle), buf, want, &got, nullptr))
        return -1;
    m_pos += got;
    // Short of what was asked at the size it had when opened: the end.
    m_atEnd = got == 0 || (got < want && m_pos >= m_size);
    return got;
}

bool RegularFileReader::rewind()
{
    LARGE_INTEGER zero{};
    if (m_handle == -1 || !::SetFilePointerEx(HANDLE(m_handle), zero, nullptr, FILE_BEGIN))
        return false;
    m_pos = 0;
    m_atEnd = false;
    return true;
}

// Windows file systems hold no FIFOs.
bool makeFifo(const QString &) { return false; }

} // namespace vt::fs
