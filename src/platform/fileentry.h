#pragma once
// What the file system tells about one directory entry, in the program's terms.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

namespace vt::fs {

enum Attr : quint32 {
    AttrReadOnly = 1,
    AttrHidden = 2,
    AttrSystem = 4,
    AttrVolumeId = 8,
    AttrDirectory = 16,
    AttrArchive = 32,
    AttrAll = 63,
};

struct Entry {
    QString name;         // as shown; invalid UTF-8 bytes become replacement characters
    bool validName = true; // the name bytes are valid UTF-8
    quint32 attrs = 0;
    quint32 stamp = 0;    // packed FAT date/time of the local modification time, 0 outside 1980-2107
    qint64 size = 0;      // bytes; 0 for folders
    qint64 mtime = 0;     // modification time, seconds since the epoch
    bool link = false;    // the name is a symbolic link (the data above are its target's when it has one)

    bool isDir() const { return attrs & AttrDirectory; }
};

// Whether a look-up works out the stamp (the local time): a walk that rules
// most entries out by their raw time leaves it 0 and fills it for the rest.
enum class Stamp : bool { Skip, Fill };

// Packed FAT stamp (date in the high half, time in the low half, two-second
// steps) of a local date-time; 0 outside 1980-2107.
quint32 fatStamp(const QDateTime &local);
quint32 fatStampFromEpoch(qint64 secs);
// The "Изменен" time of an entry: the stamp's two-second time inside the FAT
// range, the real time outside it.
QDateTime modifiedTime(const Entry &e);

// Looks up one path (file or folder, no trailing separator needed).
bool lookup(const QString &path, Entry *out);
// The same for a native path (the exact bytes, so any name is reachable).
bool lookupNative(const QByteArray &path, Entry *out);
bool isDir(const QString &path);
bool isDirNative(const QByteArray &path);
bool exists(const QString &path);
// Anything at a native path, a dangling link included.
bool existsNative(const QByteArray &path);
// The path with every link resolved; empty when it does not exist.
QByteArray canonicalNative(const QByteArray &path);
// Sets the modification time (seconds since the epoch) of a file or folder.
bool setModifiedTime(const QString &path, qint64 secs);
// Creates an empty file from raw name bytes (names that are not valid UTF-8).
bool createFileNative(const QByteArray &nativePath);
bool removeFileNative(const QByteArray &nativePath);
// One folder level; false when it exists already or cannot be made.
bool makeDirNative(const QByteArray &nativePath);
// Removes a folder only when it is empty.
bool removeDirNative(const QByteArray &nativePath);

} // namespace vt::fs
