#pragma once
// The program folder of a test: a temporary folder as VESTRADA_HOME, the
// kept paths forgotten and what the program keeps for its whole run put back
// to the state of a fresh start. A member of the test class serves all its
// cases; std::optional<TestHome> with emplace()/reset() gives each case its own.
#include "base/appdirs.h"
#include "base/runstate.h"
#include "base/settings.h"

#include <QDir>
#include <QTemporaryDir>
#include <optional>

namespace vt::test {

// What a run keeps between its windows and batches, as at start-up.
inline void resetRunState()
{
    settings() = Settings();
    resetAppContext();
}

class TestHome {
public:
    TestHome()
    {
        qputenv("VESTRADA_HOME", m_dir.path().toUtf8());
        resetAppDirs();
        resetRunState();
    }
    ~TestHome()
    {
        m_dir.remove();
        resetAppDirs();
    }
    TestHome(const TestHome &) = delete;
    TestHome &operator=(const TestHome &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // The path of its Options/ folder, with a trailing separator.
    QString options() const { return path() + QStringLiteral("/Options/"); }

private:
    QTemporaryDir m_dir;
};

} // namespace vt::test
