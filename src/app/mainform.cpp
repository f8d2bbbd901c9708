#include "app/mainform.h"

#include "base/appdirs.h"
#include "base/services.h"
#include "base/settings.h"
#include "app/helpform.h"
#include "app/logform.h"
#include "app/protectform.h"
#include "app/qtservices.h"
#include "platform/dirreader.h"
#include "search/searchpanel.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "table/statuspanels.h"
#include "table/tablecommands.h"
#include "widgets/keystate.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace vt {

TFileForm::TFileForm(QWidget *parent)
    : QMainWindow(parent), m_ctx(std::make_shared<TableModel>()), m_ops(m_ctx.ops()), m_commands(m_ctx.commands())
{
    m_ctx.setWindow(this);
    m_prevFeedback = setFeedback(this);
    m_progress = new ProgressWindow(m_ops, this);
    FormCreate();
}

TFileForm::~TFileForm()
{
    if (&feedback() == this)
        setFeedback(m_prevFeedback);
    // The child widgets still show the context's table model while they go:
    // the last child keeps it until then.
    auto *keeper = new QObject(this);
    connect(keeper, &QObject::destroyed, [model = m_ctx.sharedTable()] { Q_UNUSED(model); });
}

void TFileForm::caption(const QString &text) { setWindowTitle(text); }

void TFileForm::panel(int index, const QString &text)
{
    if (sbar)
        sbar->setPanel(index, text);
}

void TFileForm::countersChanged()
{
    showCounters();
    ListView->viewport()->update();
}

void TFileForm::showRow(int row)
{
    if (row >= 0)
        ListView->scrollToRow(row);
}

YesOk TFileForm::showLog(const LogOffer &offer) { return ShowLog(offer); }

void TFileForm::showListSource(const QString &listPath) { ShowListSource(listPath); }

bool TFileForm::GetSh() const { return shiftHeld(); }
bool TFileForm::GetCt() const { return ctrlHeld(); }

bool TFileForm::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate && !m_activated)
        FormActivate();
    // A window manager may show the window without activating it; the start-up
    // work must not wait for the first click.
    if (e->type() == QEvent::Show && !m_activated)
        QTimer::singleShot(0, this, &TFileForm::FormActivate);
    // The frame may come after the first activation: the standard bounds are
    // taken again with it, unless the window was resized in between.
    if (m_activated && !m_stdFramed && (e->type() == QEvent::Move || e->type() == QEvent::Resize)
        && frameGeometry() != geometry()) {
        m_stdFramed = true;
        if (size() == m_stdBounds.size())
            m_stdBounds = frameGeometry();
    }
    return QMainWindow::event(e);
}

void TFileForm::FormActivate()
{
    if (m_activated)
        return;
    m_activated = true;
    setMinimumSize(width(), 220);
    // Both date bounds: maximum now, minimum 10 minutes ago.
    panTop->initAtStart();
    m_stdBounds = frameGeometry();
    m_stdFramed = m_stdBounds != geometry();
    panTop->setFolderText(GetStartDir(StartDir::LoadAll));
    if (m_help)
        m_help->cbCLV->setChecked(settings().clv);
    m_recent.InitOldFDir();
    showRecentFolders();
    panBot->setFocus();
    zv(4);
    afterFirstActivation();
}

void TFileForm::afterFirstActivation()
{
    // Another program may rewrite the open list while this one is in the background.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState st) {
        if (st == Qt::ApplicationActive)
            lists().ProvFileCheck();
    });
    startWithParameters();
    applyOrdPageAtStart();
}

bool TFileForm::listCloseCheck(bool *asked)
{
    const bool wasChanged = lists().changed() && lists().isOpen();
    const ChanAnswer a = lists().provChan(false);
    *asked = wasChanged && a != ChanAnswer::Nothing;
    return a != ChanAnswer::Cancelled;
}

void TFileForm::closeEvent(QCloseEvent *e)
{
    if (busy()) {
        e->ignore();
        sbStopClick();
        return;
    }
    bool asked = false;
    if (!listCloseCheck(&asked)) {
        e->ignore();
        return;
    }
    if (!asked && settings().clv && !ui().vopr(QStringLiteral("Закрыть программу?"))) {
        e->ignore();
        return;
    }
    // The table is going away: its selection changes no longer reach the status bar.
    disconnect(ListView, nullptr, this, nullptr);
    Savini();
    e->accept();
}

TFileForm::RowPath TFileForm::provList(ProvMode mode)
{
    m_ops.processEvents();
    if (busy())
        return {};
    const Selection sel = ListView->tableModel()->selection();
    if (sel.size() != 1) {
        ui().inf(QStringLiteral("Не выделена строчка в таблице"));
        return {};
    }
    const RowEntry &e = sel.first().entry;
    ListView->scrollToRow(sel.first().row);
    RowPath folder{e.folderBytes(), QString()};
    folder.text = fs::displayName(std::string_view(folder.native.constData(), size_t(folder.native.size())));
    if (folder.isEmpty() || !fs::isDirNative(folder.native)) {
        ui().beep();
        return {};
    }
    if (mode == ProvMode::Folder)
        return folder;
    RowPath path{e.path, e.displayPath()};
    if (!fs::lookupNative(path.native, nullptr)) {
        ui().inf(QStringLiteral("Не найден ")
                 + (mode == ProvMode::File ? QStringLiteral("файл") : QStringLiteral("файл/папка"))
                 + QStringLiteral(": \n") + path.text);
        return {};
    }
    return path;
}

void TFileForm::miSetStartDirClick()
{
    if (busy())
        return;
    GetStartDir(StartDir::OfferFolder, panTop->folderText());
}

void TFileForm::miOpenDirExpClick()
{
    const QString folder = panTop->folderText();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        ui().beep();
        return;
    }
    openOrTell(folder);
    panBot->setFocus();
}

void TFileForm::miExpOwnDirClick() { openOrTell(programDir()); }

void TFileForm::Vestrada1Click()
{
    if (!shell().run(QCoreApplication::applicationFilePath(), {})) {
        ui().inf(QStringLiteral("Ошибка открытия"));
        return;
    }
    zv(3);
    showMinimized();
}

// ---- window placement ----

QRect TFileForm::workArea() const
{
    QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s->availableGeometry();
}

void TFileForm::placeFrame(const QRect &r)
{
    if (isMaximized() || isMinimized() || isFullScreen())
        showNormal();
    const QRect frame = frameGeometry(), inner = geometry();
    const QMargins m(inner.left() - frame.left(), inner.top() - frame.top(),
                     frame.right() - inner.right(), frame.bottom() - inner.bottom());
    setGeometry(r.marginsRemoved(m));
}

void TFileForm::restoreStandardBounds()
{
    if (m_stdBounds.isValid())
        placeFrame(m_stdBounds);
}

void TFileForm::placeByF11(bool shift, bool ctrl)
{
    const QRect area = workArea();
    if (ctrl) {
        const int h = frameGeometry().height();
        placeFrame(QRect(area.left(), area.bottom() + 1 - h, area.width(), h));
    } else if (shift) {
        const int extra = frameGeometry().height() - geometry().height();
        placeFrame(QRect(m_stdBounds.left(), m_stdBounds.top(), m_stdBounds.width(),
                         minimumHeight() + extra));
    } else if (isMaximized() || frameGeometry().contains(area)) {
        restoreStandardBounds();
    } else {
        placeFrame(area);
    }
    zv(3);
}

void TFileForm::sbSzClick(bool shift, bool ctrl)
{
    if (!shift && !ctrl) {
        showMinimized();
        return;
    }
    if (busy())
        return;
    const QRect area = workArea();
    const QRect f = frameGeometry();
    const int top = shift && ctrl ? f.top() : shift ? area.top() : area.bottom() + 1 - f.height();
    QRect target(area.left(), top, area.width(), f.height());
    // A second press on the same place goes back to the standard width.
    if (shift != ctrl && f == target && m_stdBounds.isValid())
        target.setWidth(m_stdBounds.width());
    placeFrame(target);
    zv(3);
}

// ---- key preview ----

namespace {
// Sees every key of the application before its widget does; a separate
// object, because the window itself also filters some of its children.
class KeyPreview final : public QObject {
public:
    explicit KeyPreview(TFileForm *form) : QObject(form), m_form(form) {}
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        // Each key once, at its first receiver; the widget still gets it
        // unless it is one of the window's Ctrl commands.
        auto *w = qobject_cast<QWidget *>(watched);
        if (!w || w->window() != m_form)
            return false;
        QWidget *first = QWidget::keyboardGrabber();
        if (!first)
            first = m_form->focusWidget() ? m_form->focusWidget() : m_form;
        if (w != first)
            return false;
        auto *key = static_cast<QKeyEvent *>(e);
        m_form->FormKeyDown(key);
        return m_form->ownsKey(key);
    }

private:
    TFileForm *m_form;
};

} // namespace

void TFileForm::installKeyPreview() { qApp->installEventFilter(new KeyPreview(this)); }

// ---- dragging and the main menu from bare surfaces ----

bool TFileForm::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == stexNumb && e->type() == QEvent::MouseButtonPress) {
        auto *m = static_cast<QMouseEvent *>(e);
        if (m->button() == Qt::LeftButton)
            SetF7(GetSh(), GetCt());
        else if (m->button() == Qt::RightButton)
            popupMainMenu(m->globalPosition().toPoint());
        return true;
    }
    const QEvent::Type t = e->type();
    const bool mouse = t == QEvent::MouseButtonPress || t == QEvent::MouseMove || t == QEvent::MouseButtonRelease
                    || t == QEvent::MouseButtonDblClick;
    if ((watched != panBot && watched != sbar) || !mouse)
        return QMainWindow::eventFilter(watched, e);
    auto *m = static_cast<QMouseEvent *>(e);
    switch (t) {
    case QEvent::MouseButtonPress:
        if (m->button() == Qt::LeftButton) {
            m_pressed = true;
            m_pressPos = m->globalPosition().toPoint();
        } else if (!onControlWithMenu(static_cast<QWidget *>(watched), m)) {
            popupMainMenu(m->globalPosition().toPoint());
        }
        return true;
    case QEvent::MouseMove:
        // The move starts with the mouse, so that a double click still arrives.
        if (m_pressed && (m->buttons() & Qt::LeftButton)
            && (m->globalPosition().toPoint() - m_pressPos).manhattanLength()
                   >= QApplication::startDragDistance()) {
            m_pressed = false;
            if (windowHandle())
                windowHandle()->startSystemMove();
        }
        return true;
    case QEvent::MouseButtonRelease:
        m_pressed = false;
        return false;
    case QEvent::MouseButtonDblClick:
        m_pressed = false;
        if (m->button() == Qt::LeftButton)
            restoreStandardBounds();
        return true;
    default:
        return QMainWindow::eventFilter(watched, e);
    }
}

void TFileForm::popupMainMenu(const QPoint &globalPos)
{
    if (!busy())
        popExp->popup(globalPos);
}

} // namespace vt
