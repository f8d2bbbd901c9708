#include "app/qtservices.h"

#include "base/appdirs.h"
#include "platform/desktop/shell.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>

namespace vt {
namespace {

QWidget *owner() { return QApplication::activeWindow(); }


// Texts may carry Windows-style line breaks; a box shows plain lines. A long
// run without spaces (a preset's description, a name) gets invisible break
// points, or it would run past the box.
QString plain(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    constexpr int kLongRun = 32;
    QString out;
    out.reserve(text.size() + text.size() / kLongRun);
    int run = 0;
    for (const QChar c : std::as_const(text)) {
        out += c;
        run = c.isSpace() ? 0 : run + 1;
        if (run >= kLongRun && !c.isHighSurrogate()) {
            out += QChar(0x200B); // zero-width space
            run = 0;
        }
    }
    return out;
}

int showBox(QMessageBox::Icon icon, const QString &title, const QString &text,
            QMessageBox::StandardButtons buttons)
{
    // Plain text: a path with "<" in it must not turn the box into markup.
    QMessageBox box(icon, title, plain(text), buttons, owner());
    box.setTextFormat(Qt::PlainText);
    if (buttons & QMessageBox::Yes) {
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    }
    return box.exec();
}

// Qt's own chooser opens small: its side panel cuts "Компьютер" and its
// columns crowd. A chooser of the desktop has none of these parts.
int openChooser(QFileDialog &dlg)
{
    dlg.resize(dlg.size().expandedTo(QSize(760, 480)));
    auto *split = dlg.findChild<QSplitter *>(QStringLiteral("splitter"));
    auto *side = dlg.findChild<QAbstractItemView *>(QStringLiteral("sidebar"));
    if (split && side && split->count() == 2) {
        const int sideWidth = side->sizeHintForColumn(0) + 2 * side->frameWidth() + 12;
        split->setSizes({sideWidth, qMax(dlg.width() - sideWidth, 1)});
    }
    return dlg.exec();
}

} // namespace

void QtUi::inf(const QString &text)
{
    showBox(QMessageBox::Information, QStringLiteral("Vestrada"), text, QMessageBox::Ok);
}

bool QtUi::vopr(const QString &text)
{
    return showBox(QMessageBox::Question, QStringLiteral("Vestrada"), text,
                   QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

YesOk QtUi::vprYesOK(const QString &text)
{
    QApplication::beep();
    return vprYesOKNoBeep(text);
}

YesOk QtUi::vprYesOKNoBeep(const QString &text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), plain(text),
                    QMessageBox::NoButton, owner());
    box.setTextFormat(Qt::PlainText);
    QPushButton *yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return YesOk::Yes;
    if (box.clickedButton() == ok)
        return YesOk::Ok;
    return YesOk::Cancel;
}

void QtUi::infTitled(const QString &title, const QString &text)
{
    showBox(QMessageBox::Information, title, text, QMessageBox::Ok);
}

void QtUi::errorTitled(const QString &title, const QString &text)
{
    showBox(QMessageBox::Critical, title, text, QMessageBox::Ok);
}

bool QtUi::stopYesNo(const QString &title, const QString &text)
{
    return showBox(QMessageBox::Critical, title, text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

bool QtUi::askTitled(const QString &title, const QString &text, BoxIcon icon, bool defaultNo)
{
    QMessageBox box(icon == BoxIcon::Warning ? QMessageBox::Warning : QMessageBox::Question, title,
                    plain(text), QMessageBox::Yes | QMessageBox::No, owner());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

YesNoCancel QtUi::yesNoCancel(const QString &title, const QString &text, BoxIcon icon)
{
    QMessageBox box(icon == BoxIcon::Warning ? QMessageBox::Warning : QMessageBox::Question, title,
                    plain(text), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner());
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(QMessageBox::Cancel);
    const int r = box.exec();
    return r == QMessageBox::Yes ? YesNoCancel::Yes : r == QMessageBox::No ? YesNoCancel::No : YesNoCancel::Cancel;
}

std::optional<QString> QtUi::input(const QString &title, const QString &prompt,
                                   const QString &value)
{
    QInputDialog dlg(owner());
    dlg.setWindowTitle(title);
    dlg.setLabelText(plain(prompt));
    dlg.setTextValue(value);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.textValue();
}

QString QtUi::chooseFolder(const QString &title, const QString &start)
{
    QFileDialog dlg(owner(), title, start);
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly);
    if (openChooser(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().first();
}

QStringList nameFilters(const QString &filter)
{
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString &name = parts[i];
        out << (name.contains(QLatin1Char('(') + patterns + QLatin1Char(')'))
                    ? name
                    : name + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return out;
}

QString QtUi::chooseAnyFile(const QString &title, const QString &filter, const QString &preset)
{
    // Non-native, so that a name which does not exist yet is accepted as typed.
    QFileDialog dlg(owner(), title);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setNameFilters(nameFilters(filter));
    const QFileInfo fi(preset);
    if (!preset.isEmpty()) {
        dlg.setDirectory(fi.absolutePath());
        dlg.selectFile(fi.fileName());
    }
    if (openChooser(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().first();
}

QStringList QtUi::chooseFiles(const QString &title, const QString &filter, const QString &start)
{
    QFileDialog dlg(owner(), title, start);
    dlg.setFileMode(QFileDialog::ExistingFiles);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setNameFilters(nameFilters(filter));
    if (openChooser(dlg) != QDialog::Accepted)
        return {};
    return dlg.selectedFiles();
}

QString QtUi::chooseExistingFile(const QString &title, const QString &filter, const QString &preset)
{
    QFileDialog dlg(owner(), title);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setNameFilters(nameFilters(filter));
    const QFileInfo fi(preset);
    if (fi.isDir()) {
        dlg.setDirectory(fi.absoluteFilePath());
    } else if (!preset.isEmpty()) {
        dlg.setDirectory(fi.absolutePath());
        dlg.selectFile(fi.fileName());
    }
    if (openChooser(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().first();
}

void QtUi::beep(Beep) { QApplication::beep(); }

QtSoundPlayer::~QtSoundPlayer() { desktop::releaseSounds(); }

void QtSoundPlayer::play(int n)
{
    if (!desktop::playSound(dataDir() + QStringLiteral("snd%1.wav").arg(n)))
        QApplication::beep();
}

void QtShell::open(const QString &path, Done done) { desktop::openPath(path, m_verdictMs, std::move(done)); }

void QtShell::showItem(const QString &path, Done done) { desktop::showItem(path, m_verdictMs, std::move(done)); }

bool QtShell::run(const QString &program, const QStringList &args) { return desktop::startProgram(program, args); }

bool QtShell::properties(const QString &path) { return desktop::showProperties(path); }

void installQtServices()
{
    static QtUi ui;
    static QtShell shell;
    setUi(&ui);
    setShell(&shell);
    // The sound effects must go while the application still exists.
    auto *sound = new QtSoundPlayer;
    setSoundPlayer(sound);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [sound] {
        setSoundPlayer(nullptr);
        delete sound;
    });
}

} // namespace vt
