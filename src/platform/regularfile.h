#pragma once
// Reading a whole store or list. Only a regular file is read: a FIFO, device
// or folder in its place counts as missing, and opening it never waits, so
// nothing put in place of a store can hang the user-interface thread.
#include <QByteArray>
#include <QString>

namespace vt::fs {

// The whole content of a regular file (a link to one counts); false when
// there is none, the path names something else, or the read failed.
bool readRegularFile(const QString &path, QByteArray *out);

enum class ReadStatus { Ok, Missing, Failed };
// The same by native path, telling a missing file (or one that vanished)
// from one that exists but cannot be read as a regular file. The buffer's
// capacity is kept, so a caller reading many files may hand the same one in.
ReadStatus readRegularNative(const QByteArray &nativePath, QByteArray *out);
// The same for a file of at most maxBytes: a bigger one (or one that grows
// past it while it is read) is Failed with tooBig set, and nothing is kept.
ReadStatus readRegularLimited(const QByteArray &nativePath, qint64 maxBytes, QByteArray *out, bool *tooBig);

// A regular file read piece by piece, for files that may be too big to hold:
// opened as readRegularNative opens one, never waiting on a FIFO or device.
class RegularFileReader {
public:
    RegularFileReader() = default;
    ~RegularFileReader();
    RegularFileReader(const RegularFileReader &) = delete;
    RegularFileReader &operator=(const RegularFileReader &) = delete;

    // status (may be null) tells a missing file from one that cannot be read.
    bool open(const QByteArray &nativePath, ReadStatus *status = nullptr);
    bool isOpen() const { return m_handle >= 0; }
    // The size when it was opened.
    qint64 size() const { return m_size; }
    // Up to n bytes; 0 at the end, -1 after an error.
    qint64 read(char *buf, qint64 n);
    // Back to the first byte.
    bool rewind();

private:
    qintptr m_handle = -1;
    qint64 m_size = 0;
    qint64 m_pos = 0;     // bytes read since the start
    bool m_atEnd = false; // a short read reached the size it had when opened
};

// Replaces the file with data in one step: written to a new temporary file
// beside it, flushed to the disk, then renamed over it (a link is followed
// to its file, whose permission bits are kept). On any failure, a full disk
// included, the old file is untouched, nothing is left behind and the
// result is false.
bool writeFileReplacing(const QString &path, const QByteArray &data);

// Makes a FIFO at the path (for tests of the above).
bool makeFifo(const QString &path);

} // namespace vt::fs
