#include "app/helpform.h"

#include "app/logform.h"
#include "app/qtservices.h"
#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/services.h"
#include "base/settings.h"
#include "platform/sendto.h"
#include "shell/core/shellrun.h"
#include "widgets/keystate.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vt {

QString memoText(const QString &crlfText)
{
    QString t = crlfText;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

void scrollMemo(QPlainTextEdit *memo, bool toEnd, bool withShift)
{
    if (withShift) {
        memo->moveCursor(toEnd ? QTextCursor::End : QTextCursor::Start);
        memo->ensureCursorVisible();
        memo->setFocus();
        zv(toEnd ? 1 : 2);
        return;
    }
    QScrollBar *bar = memo->verticalScrollBar();
    bar->setValue(toEnd ? bar->maximum() : bar->minimum());
    memo->horizontalScrollBar()->setValue(0);
    zv(3);
}

void openOrTell(const QString &path) { pusk(false, path); }

THelpForm::THelpForm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Информация, о программе"));
    resize(640, 420);

    memLog = new QPlainTextEdit(this);
    memLog->setReadOnly(true);
    memLog->setLineWrapMode(QPlainTextEdit::NoWrap);

    labLastAction = new QLabel(this);
    labLastAction->setTextFormat(Qt::RichText);
    labLastAction->setToolTip(QStringLiteral("Итог последнего поиска или чтения списка"));
    butLogs = new QPushButton(QStringLiteral("Открыть логи"), this);
    butLogs->setToolTip(QStringLiteral("Последнее действие и сохраненные логи: Shift + F1"));
    butHelp = new QPushButton(QStringLiteral("Справка"), this);
    butHelp->setToolTip(QStringLiteral("Открыть справку (Shift - путь к программе)"));
    butSendTo = new QPushButton(QStringLiteral("SendTo"), this);
    butSendTo->setToolTip(QStringLiteral("Ярлык Vestrada в меню файлового менеджера\n"
                                         "Shift - удалить, Shift + Ctrl - открыть папку"));
    sbTextTop = new QToolButton(this);
    sbTextTop->setArrowType(Qt::UpArrow);
    sbTextTop->setToolTip(QStringLiteral("Прокрутка на начало текста"));
    sbTextEnd = new QToolButton(this);
    sbTextEnd->setArrowType(Qt::DownArrow);
    sbTextEnd->setToolTip(QStringLiteral("Прокрутка на конец текста"));
    cbCLV = new QCheckBox(QStringLiteral("Вопрос при закрытии"), this);
    butOk = new QPushButton(QStringLiteral("ok"), this);
    butOk->setDefault(true);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(labLastAction);
    bottom->addSpacing(8);
    bottom->addWidget(butLogs);
    bottom->addWidget(butHelp);
    bottom->addWidget(butSendTo);
    bottom->addWidget(sbTextTop);
    bottom->addWidget(sbTextEnd);
    bottom->addStretch();
    bottom->addWidget(cbCLV);
    bottom->addWidget(butOk);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(memLog);
    layout->addLayout(bottom);

    CurrentLog &log = currentLog();
    memLog->setPlainText(memoText(log.text()));
    connect(&log, &CurrentLog::appended, this,
            [this](const QString &block) { memLog->appendPlainText(memoText(block)); });
    connect(&log, &CurrentLog::restarted, this,
            [this](const QString &text) { memLog->setPlainText(memoText(text)); });
    connect(&log, &CurrentLog::searchSummaryChanged, this, &THelpForm::setSummary);
    setSummary(log.searchSummary());

    connect(labLastAction, &QLabel::linkActivated, this, &THelpForm::lastActionClick);
    connect(butLogs, &QPushButton::clicked, this, &THelpForm::butLogsClick);
    connect(butHelp, &QPushButton::clicked, this, &THelpForm::butHelpClick);
    connect(butSendTo, &QPushButton::clicked, this, &THelpForm::butSendToClick);
    connect(sbTextTop, &QToolButton::clicked, this, [this] { scrollMemo(memLog, false, shiftHeld()); });
    connect(sbTextEnd, &QToolButton::clicked, this, [this] { scrollMemo(memLog, true, shiftHeld()); });
    connect(cbCLV, &QCheckBox::toggled, this, [](bool on) { settings().clv = on; });
    connect(butOk, &QPushButton::clicked, this, &QDialog::accept);
}

void THelpForm::setSummary(const QString &summary)
{
    // A link keeps its colour when the label is disabled, so a disabled one
    // is plain text in the disabled text colour.
    const bool on = !summary.isEmpty();
    const QString caption = QStringLiteral("Последнее действие, подробнее");
    labLastAction->setText(on ? QStringLiteral("<a href=\"#\">") + caption + QStringLiteral("</a>") : caption);
    labLastAction->setEnabled(on);
}

void THelpForm::lastActionClick()
{
    const QString summary = currentLog().searchSummary();
    if (!summary.isEmpty())
        ui().inf(summary);
}

void THelpForm::butLogsClick() { feedback().showLog(); }

void THelpForm::butHelpClick()
{
    if (shiftHeld()) {
        const QString exe = QCoreApplication::applicationFilePath();
        if (ui().vopr(QStringLiteral("Путь к программе:\n") + exe
                      + QStringLiteral("\nОткрыть в проводнике?")))
            openOrTell(QFileInfo(exe).absolutePath());
        return;
    }
    openOrTell(dataDir() + QStringLiteral("Help.htm"));
}

void THelpForm::butSendToClick()
{
    const bool shift = shiftHeld(), ctrl = ctrlHeld();
    if (shift && ctrl) {
        if (QFileInfo(sendto::folder()).isDir())
            openOrTell(sendto::folder());
        else
            ui().beep(Beep::Error);
        return;
    }
    if (shift) {
        if (!sendto::exists()) {
            ui().infTitled(QStringLiteral("SendTo"), QStringLiteral("Ярлык не найден"));
            return;
        }
        if (!ui().vopr(QStringLiteral("Удалить ярлык Vestrada из меню \"Отправить\" проводника?")))
            return;
        ui().beep(sendto::remove() ? Beep::Info : Beep::Error);
        return;
    }
    if (sendto::exists()) {
        ui().infTitled(QStringLiteral("SendTo"), QStringLiteral("Ярлык уже существует"));
        return;
    }
    if (!ui().vopr(QStringLiteral("Установить ярлык Vestrada в меню \"Отправить\" проводника?")))
        return;
    const QString problem = sendto::install(QCoreApplication::applicationFilePath(), programDir());
    if (problem.isEmpty())
        ui().beep(Beep::Info);
    else
        ui().infTitled(QStringLiteral("SendTo"), problem);
}

} // namespace vt
