#pragma once
// Files that tests put in place: a whole file at once, with its folder.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace vt::test {

inline void writeTestFile(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The settings file of a program folder.
inline QString iniPath(const QString &home) { return home + QStringLiteral("/Options/vtl.ini"); }
inline void putIni(const QString &home, const QByteArray &bytes) { writeTestFile(iniPath(home), bytes); }

} // namespace vt::test
