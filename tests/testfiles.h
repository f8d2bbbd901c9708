#pragma once
// Files that tests put in place: a whole file at once, with its folder.
#include "base/appdirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

// A case about what only Linux has (the reason says what) is skipped on
// Windows: FIFOs, names that are not UTF-8, case twins, the freedesktop
// trash, the install layout.
#ifdef _WIN32
#define VT_LINUX_ONLY(reason) QSKIP("Linux only: " reason)
#else
#define VT_LINUX_ONLY(reason) static_cast<void>(0)
#endif

namespace vt::test {

#ifdef _WIN32
inline constexpr bool kWindows = true;
#else
inline constexpr bool kWindows = false;
#endif

// An absolute path of the system from a "/"-rooted one: on a drive on Windows.
inline QByteArray rootedPath(const QByteArray &path) { return kWindows ? "C:" + path : path; }

inline void writeTestFile(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// A file's bytes, "<missing>" when it cannot be read.
inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Every name in a folder, hidden ones included, by name.
inline QStringList folderNames(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// A fresh folder for the next case under base: base/c1/, base/c2/, ...
inline QString nextCaseFolder(const QString &base, int &caseNo)
{
    const QString dir = base + QStringLiteral("/c%1/").arg(++caseNo);
    [&] { QVERIFY(QDir().mkpath(dir)); }();
    return dir;
}

// The settings file of a program folder.
inline QString iniPath(const QString &home) { return home + QStringLiteral("/Options/vtl.ini"); }
inline void putIni(const QString &home, const QByteArray &bytes) { writeTestFile(iniPath(home), bytes); }

} // namespace vt::test
