#include "base/services.h"

namespace vt {
namespace {

// Used until the program or a test installs its own: silent and answering "no".
class NullUi final : public Ui {
public:
    void inf(const QString &) override {}
    bool vopr(const QString &) override { return false; }
    YesOk vprYesOK(const QString &) override { return YesOk::Cancel; }
    void infTitled(const QString &, const QString &) override {}
    bool stopYesNo(const QString &, const QString &) override { return false; }
    bool askTitled(const QString &, const QString &, BoxIcon, bool) override { return false; }
    YesNoCancel yesNoCancel(const QString &, const QString &, BoxIcon) override { return YesNoCancel::Cancel; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    QString chooseFolder(const QString &, const QString &) override { return {}; }
    QString chooseAnyFile(const QString &, const QString &, const QString &) override { return {}; }
    QStringList chooseFiles(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseExistingFile(const QString &, const QString &, const QString &) override { return {}; }
    void beep(Beep) override {}
};

class NullSound final : public SoundPlayer {
public:
    void play(int) override {}
};

class NullShell final : public Shell {
public:
    void open(const QString &, Done done) override { done(false); }
    void showItem(const QString &, Done done) override { done(false); }
    bool run(const QString &, const QStringList &) override { return false; }
    bool properties(const QString &) override { return false; }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

NullUi g_nullUi;
Feedback g_nullFeedback;
NullSound g_nullSound;
NullShell g_nullShell;
SystemClock g_systemClock;

Ui *g_ui = &g_nullUi;
SoundPlayer *g_sound = &g_nullSound;
Shell *g_shell = &g_nullShell;
const Clock *g_clock = &g_systemClock;
Feedback *g_feedback = &g_nullFeedback;
bool g_soundOn = true;

} // namespace

Ui &ui() { return *g_ui; }
SoundPlayer &soundPlayer() { return *g_sound; }
Shell &shell() { return *g_shell; }
const Clock &clock() { return *g_clock; }
Feedback &feedback() { return *g_feedback; }
QDateTime now() { return g_clock->now(); }

void setUi(Ui *u) { g_ui = u ? u : &g_nullUi; }
void setSoundPlayer(SoundPlayer *s) { g_sound = s ? s : &g_nullSound; }
void setShell(Shell *s) { g_shell = s ? s : &g_nullShell; }
void setClock(const Clock *c) { g_clock = c ? c : &g_systemClock; }
Feedback *setFeedback(Feedback *f)
{
    Feedback *was = g_feedback == &g_nullFeedback ? nullptr : g_feedback;
    g_feedback = f ? f : &g_nullFeedback;
    return was;
}

bool soundOn() { return g_soundOn; }
void setSoundOn(bool on) { g_soundOn = on; }

void zv(int n)
{
    if (g_soundOn && n >= 1 && n <= 4)
        g_sound->play(n);
}

} // namespace vt
