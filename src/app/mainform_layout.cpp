// Building the main window: panels, tool buttons with their glyphs, menus and
// the connections to the search panel and the table.
#include "app/mainform.h"

#include "base/appdirs.h"
#include "base/services.h"
#include "app/commandmenus.h"
#include "app/logform.h"
#include "app/qtservices.h"
#include "search/searchpanel.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "table/statuspanels.h"
#include "table/tablecommands.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace vt {
namespace {

constexpr int kGlyph = 18;

// Bitmaps of the command bar, drawn here so that the program carries no image
// files; "ZV1"/"ZV0" are sound on/off.
QPixmap glyph(const QString &name)
{
    QPixmap pm(kGlyph, kGlyph);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 40, 40), blue(30, 90, 170), green(20, 120, 40), red(190, 30, 30);
    if (name == QLatin1String("ZV1") || name == QLatin1String("ZV0")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(70, 70, 70));
        p.drawPolygon(QPolygonF({{2, 6.5}, {5.5, 6.5}, {9.5, 2.5}, {9.5, 15.5}, {5.5, 11.5}, {2, 11.5}}));
        p.setBrush(Qt::NoBrush);
        if (name == QLatin1String("ZV1")) {
            p.setPen(QPen(green, 1.5));
            p.drawArc(QRectF(7, 5.5, 6, 7), -55 * 16, 110 * 16);
            p.drawArc(QRectF(7, 2.5, 10, 13), -55 * 16, 110 * 16);
        } else {
            p.setPen(QPen(red, 2));
            p.drawLine(QPointF(11.5, 6), QPointF(16.5, 12));
            p.drawLine(QPointF(16.5, 6), QPointF(11.5, 12));
        }
    } else if (name == QLatin1String("help")) {
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
        p.setPen(Qt::white);
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(12);
        p.setFont(f);
        p.drawText(QRectF(1.5, 1.5, 15, 15), Qt::AlignCenter, QStringLiteral("?"));
    } else if (name == QLatin1String("find")) {
        p.setPen(QPen(ink, 2));
        p.setBrush(QColor(200, 225, 255));
        p.drawEllipse(QRectF(2.5, 2.5, 9, 9));
        p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11, 11), QPointF(15.5, 15.5));
    } else if (name == QLatin1String("selall") || name == QLatin1String("clearsel")) {
        const bool sel = name == QLatin1String("selall");
        for (int i = 0; i < 3; ++i) {
            const QRectF row(2.5, 2.5 + i * 5, 13, 3.5);
            p.setPen(QPen(sel ? blue : QColor(120, 120, 120), 1));
            p.setBrush(sel ? QBrush(QColor(90, 150, 230)) : Qt::NoBrush);
            p.drawRect(row);
        }
    } else if (name == QLatin1String("run")) {
        p.setPen(QPen(green.darker(120), 1));
        p.setBrush(QColor(60, 170, 80));
        p.drawPolygon(QPolygonF({{4, 2.5}, {15, 9}, {4, 15.5}}));
    } else if (name == QLatin1String("folder")) {
        p.setPen(QPen(QColor(150, 110, 20), 1));
        p.setBrush(QColor(240, 200, 90));
        QPainterPath path;
        path.moveTo(1.5, 4.5);
        path.lineTo(6.5, 4.5);
        path.lineTo(8, 6);
        path.lineTo(16.5, 6);
        path.lineTo(16.5, 14.5);
        path.lineTo(1.5, 14.5);
        path.closeSubpath();
        p.drawPath(path);
    } else if (name == QLatin1String("current")) {
        p.setPen(QPen(QColor(120, 120, 120), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(2.5, 2.5, 13, 13));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 150, 230));
        p.drawRect(QRectF(4, 7.5, 10, 3.5));
    } else if (name == QLatin1String("home") || name == QLatin1String("end")) {
        const bool home = name == QLatin1String("home");
        p.setPen(QPen(ink, 2));
        p.drawLine(QPointF(3, home ? 3 : 15), QPointF(15, home ? 3 : 15));
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPolygon(home ? QPolygonF({{9, 5}, {15, 12}, {3, 12}}) : QPolygonF({{9, 13}, {15, 6}, {3, 6}}));
    } else if (name == QLatin1String("size")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(2.5, 4.5, 13, 9));
        p.setBrush(ink);
        p.drawRect(QRectF(2.5, 4.5, 13, 2));
    }
    return pm;
}

QToolButton *toolButton(QWidget *parent, const QString &objectName, const QString &caption,
                        const QString &glyphName)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedHeight(25);
    b->setIconSize(QSize(kGlyph, kGlyph));
    if (!glyphName.isEmpty())
        b->setIcon(glyph(glyphName));
    if (!caption.isEmpty()) {
        b->setText(caption);
        b->setToolButtonStyle(glyphName.isEmpty() ? Qt::ToolButtonTextOnly
                                                  : Qt::ToolButtonTextBesideIcon);
    } else {
        b->setFixedWidth(27);
    }
    return b;
}

} // namespace

void TFileForm::FormCreate()
{
    setWindowTitle(QStringLiteral("Файловый поисковик"));
    setSoundOn(true);

    ListView = new ResultTable(this, &m_ctx.table());
    panTop = new SearchPanel(ListView->tableModel(), this);
    tableCommands = new TableCommands(ListView, m_ops, this);
    buildBottomPanel();
    buildLists();
    buildIntake();
    buildTextSearch();
    registerCommands();

    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(panTop);
    column->addWidget(ListView, 1);
    column->addWidget(panBot);
    setCentralWidget(central);
    sbar = new StatusPanels(this);
    setStatusBar(sbar);
    sbar->installEventFilter(this);

    buildMenus();
    connectParts();
    showSoundGlyph();
    showCounters();
    installKeyPreview();
    // Hints stay up for 7 seconds, also those whose text comes later.
    for (QWidget *w : findChildren<QWidget *>())
        w->setToolTipDuration(7000);

    int w = startWidth();
    int h = (w - 41) / 3 * 2;
    // The command bar alone may be narrower than the search panel needs (fonts
    // differ between systems); then the designed size is used.
    const QSize least = minimumSizeHint();
    if (w < least.width() || h < least.height() || w > 1100) {
        w = qMax(754, least.width());
        h = qMax(460, least.height());
    }
    resize(w, h);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    move(area.center() - QPoint(w / 2, h / 2));
    GetOptPath();
}

int TFileForm::startWidth()
{
    // Sizes are known only once the style has polished every button.
    for (QWidget *w : panBot->findChildren<QWidget *>())
        w->ensurePolished();
    panBot->adjustSize();
    panBot->layout()->activate();
    return sbStop->geometry().right() + 1 + 26;
}

void TFileForm::buildBottomPanel()
{
    panBot = new QFrame(this);
    panBot->setObjectName(QStringLiteral("panBot"));
    panBot->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panBot->setFixedHeight(31);
    panBot->setFocusPolicy(Qt::StrongFocus);
    panBot->installEventFilter(this);

    sbHelp = toolButton(panBot, QStringLiteral("sbHelp"), {}, QStringLiteral("help"));
    sbZvv = toolButton(panBot, QStringLiteral("sbZvv"), {}, QStringLiteral("ZV1"));
    sbFindTab = toolButton(panBot, QStringLiteral("sbFindTab"), {}, QStringLiteral("find"));
    sbFindText = toolButton(panBot, QStringLiteral("sbFindText"), QStringLiteral("Метки"), {});
    sbClearSel = toolButton(panBot, QStringLiteral("sbClearSel"), {}, QStringLiteral("clearsel"));
    sbSelall = toolButton(panBot, QStringLiteral("sbSelall"), {}, QStringLiteral("selall"));
    sbSave = toolButton(panBot, QStringLiteral("sbSave"), QStringLiteral("Действия"), {});
    stexNumb = new QLabel(QStringLiteral("-"), panBot);
    stexNumb->setObjectName(QStringLiteral("stexNumb"));
    stexNumb->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    stexNumb->setAlignment(Qt::AlignCenter);
    stexNumb->setMinimumWidth(48);
    stexNumb->setFixedHeight(23);
    stexNumb->installEventFilter(this);
    sbPuskOpenWith = toolButton(panBot, QStringLiteral("sbPuskOpenWith"), {}, QStringLiteral("run"));
    sbSvva = toolButton(panBot, QStringLiteral("sbSvva"), QStringLiteral("Свойства"), {});
    sbExpl = toolButton(panBot, QStringLiteral("sbExpl"), {}, QStringLiteral("folder"));
    labOrd = new QLabel(QStringLiteral("Ord"), panBot);
    labPage = new QLabel(QStringLiteral("Page"), panBot);
    labOrd->hide();
    labPage->hide();
    sbRefrTab = toolButton(panBot, QStringLiteral("sbRefrTab"), {}, QStringLiteral("current"));
    sbHome = toolButton(panBot, QStringLiteral("sbHome"), {}, QStringLiteral("home"));
    sbEnd = toolButton(panBot, QStringLiteral("sbEnd"), {}, QStringLiteral("end"));
    sbStop = toolButton(panBot, QStringLiteral("sbStop"), QStringLiteral("Стоп"), {});
    sbStop->setEnabled(false);
    sbSz = toolButton(panBot, QStringLiteral("sbSz"), {}, QStringLiteral("size"));

    auto *row = new QHBoxLayout(panBot);
    row->setContentsMargins(3, 2, 3, 2);
    row->setSpacing(2);
    for (QWidget *w : std::initializer_list<QWidget *>{sbHelp, sbZvv, sbFindTab, sbFindText, sbClearSel,
                                                       sbSelall, sbSave, stexNumb, sbPuskOpenWith, sbSvva,
                                                       sbExpl, labOrd, labPage})
        row->addWidget(w);
    row->addStretch(1);
    for (QWidget *w : {sbRefrTab, sbHome, sbEnd, sbStop, sbSz})
        row->addWidget(w);
}

void TFileForm::buildMenus()
{
    // Hints of the command bar: where a button stands for commands, their menu texts.
    const CommandTable &t = m_commands;
    sbHelp->setToolTip(t.hint({"app.about", "app.logs"}));
    sbZvv->setToolTip(t.hint({"app.sound"}));
    sbFindTab->setToolTip(t.hint({"table.find", "table.findForward", "table.findBackward"}));
    sbFindText->setToolTip(t.hint({"table.marks", "table.sortByMarks", "table.removeRows"}));
    sbClearSel->setToolTip(QStringLiteral("Снять выделение\nShift - только с папок, Ctrl - только с файлов"));
    sbSelall->setToolTip(QStringLiteral("Выделить все\nShift - только папки, Ctrl - только файлы"));
    sbSave->setToolTip(t.hint({"fileops.actions"}));
    stexNumb->setToolTip(QStringLiteral("Номер выделенной строчки\n") + t.hint({"table.moveTo"}));
    sbPuskOpenWith->setToolTip(t.hint({"shell.runAsk"}));
    sbSvva->setToolTip(t.hint({"shell.properties"}));
    panTop->sbProsm->setToolTip(t.hint({"rename.view", "rename.splitter"}));
    sbExpl->setToolTip(QStringLiteral("Проводник (см. кол. \"Папка\")\n"
                                      "Shift - найти в проводнике (см. кол. \"Имя\")"));
    sbRefrTab->setToolTip(t.hint({"table.focus", "table.invert", "table.shuffle"}));
    sbHome->setToolTip(t.find(QStringLiteral("table.home"))->caption);
    sbEnd->setToolTip(t.find(QStringLiteral("table.end"))->caption);
    sbStop->setToolTip(QStringLiteral("Остановить поиск: Esc"));
    sbSz->setToolTip(QStringLiteral("Свернуть\nShift - влево-вверх, Ctrl - влево-вниз, "
                                    "растянуть по ширине экрана"));

    popExp = new QMenu(this);
    fillMenu(popExp, t, mainMenuLayout());
    popStart = new QMenu(this);
    fillMenu(popStart, t, programMenuLayout());
    popSbSz = new QMenu(this);
    fillMenu(popSbSz, t, {"window.szTop", "window.szBottom", "window.szWide"});

    // The right button on the command bar: the main menu, the program menu on
    // the help button and the placement menu on the size button.
    for (QToolButton *b : panBot->findChildren<QToolButton *>()) {
        QMenu *menu = b == sbHelp ? popStart : b == sbSz ? popSbSz : nullptr;
        b->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(b, &QWidget::customContextMenuRequested, this, [this, b, menu](const QPoint &pos) {
            if (menu && !busy())
                menu->popup(b->mapToGlobal(pos));
            else
                popupMainMenu(b->mapToGlobal(pos));
        });
    }
}

void TFileForm::connectParts()
{
    connect(sbHelp, &QToolButton::clicked, this, [this] { SetF1(GetSh(), GetCt()); });
    connect(sbZvv, &QToolButton::clicked, this, [this] { SetF2(GetSh(), GetCt()); });
    connect(sbFindTab, &QToolButton::clicked, this, [this] { SetF3(GetSh(), GetCt()); });
    connect(sbFindText, &QToolButton::clicked, this, [this] { SetF4(GetSh(), GetCt()); });
    connect(sbRefrTab, &QToolButton::clicked, this, [this] { SetF5(GetSh(), GetCt()); });
    connect(sbSave, &QToolButton::clicked, this, [this] { SetF6(GetSh(), GetCt()); });
    connect(sbPuskOpenWith, &QToolButton::clicked, this, [this] { SetF8(GetSh(), GetCt()); });
    connect(sbSvva, &QToolButton::clicked, this, [this] { SetF9(GetSh(), GetCt()); });
    connect(sbStop, &QToolButton::clicked, this, &TFileForm::sbStopClick);
    // "Стоп" shows the busy state; once pressed it waits for the operation to end.
    connect(&m_ops, &OperationContext::busyChanged, this, [this](bool on) {
        sbStop->setEnabled(on && !m_ops.stopRequested());
        panTop->setBusy(on);
        if (on)
            stexNumb->setText(QStringLiteral("-"));
    });
    connect(&m_ops, &OperationContext::stopRequestedChanged, this,
            [this] { sbStop->setEnabled(m_ops.busy() && !m_ops.stopRequested()); });
    // Shift: only folders, Ctrl: only files.
    connect(sbSelall, &QToolButton::clicked, this, [this] {
        m_commands.run(GetSh()   ? QStringLiteral("table.selectFolders")
                       : GetCt() ? QStringLiteral("table.selectFiles")
                                 : QStringLiteral("table.selectAll"));
    });
    connect(sbClearSel, &QToolButton::clicked, this, [this] {
        m_commands.run(GetSh()   ? QStringLiteral("table.clearFolders")
                       : GetCt() ? QStringLiteral("table.clearFiles")
                                 : QStringLiteral("table.clearAll"));
    });
    connect(sbHome, &QToolButton::clicked, this, [this] { m_commands.run(QStringLiteral("table.home")); });
    connect(sbEnd, &QToolButton::clicked, this, [this] { m_commands.run(QStringLiteral("table.end")); });
    connect(sbExpl, &QToolButton::clicked, this, [this] {
        m_commands.run(GetCt()   ? QStringLiteral("lists.renumberIds")
                       : GetSh() ? QStringLiteral("shell.findInExplorer")
                                 : QStringLiteral("shell.explorer"));
    });
    connect(sbSz, &QToolButton::clicked, this, [this] {
        const bool shift = GetSh(), ctrl = GetCt();
        m_commands.run(shift && ctrl ? QStringLiteral("window.szWide")
                       : shift       ? QStringLiteral("window.szTop")
                       : ctrl        ? QStringLiteral("window.szBottom")
                                     : QStringLiteral("app.minimise"));
    });

    panTop->setIsBusy([this] { return busy(); });
    connect(panTop, &SearchPanel::findClicked, this, [this] { SetF12(GetSh(), GetCt()); });
    connect(panTop, &SearchPanel::recentFolderChosen, this, &TFileForm::onRecentFolderChosen);
    connect(panTop, &SearchPanel::unreadableSearchRequested, this, &TFileForm::miFndUnicClick);
    connect(panTop, &SearchPanel::makeStartDirRequested, this, &TFileForm::miSetStartDirClick);
    connect(panTop, &SearchPanel::openInFileManagerRequested, this, &TFileForm::miOpenDirExpClick);
    connect(panTop, &SearchPanel::favouriteFolderRequested, this, [this](bool shift) {
        if (!shift) {
            m_commands.run(QStringLiteral("lists.favouriteFolder"));
            return;
        }
        const RowPath folder = provList(ProvMode::Folder);
        if (!folder.isEmpty()) {
            panTop->setFolderText(folder.text);
            zv(3);
        }
    });
    connect(panTop, &SearchPanel::preobrClicked, this, [this] { m_commands.run(QStringLiteral("lists.preobr")); });
    connect(panTop, &SearchPanel::addListClicked, this, [this] { m_commands.run(QStringLiteral("lists.add")); });
    connect(panTop, &SearchPanel::prosmClicked, this, [this] {
        m_commands.run(GetSh() ? QStringLiteral("rename.splitter") : QStringLiteral("rename.view"));
    });
    connect(panTop, &SearchPanel::restoreBoundsRequested, this, &TFileForm::restoreStandardBounds);
    connect(panTop, &SearchPanel::mainMenuRequested, this, &TFileForm::popupMainMenu);

    connect(ListView, &ResultTable::countersChanged, this, &TFileForm::showCounters);
    connect(ListView, &ResultTable::rowDoubleClicked, this, [this] { SetF8(false, false); });
}

void TFileForm::showSoundGlyph()
{
    sbZvv->setIcon(glyph(soundOn() ? QStringLiteral("ZV1") : QStringLiteral("ZV0")));
    sbZvv->setProperty("glyph", soundOn() ? QStringLiteral("ZV1") : QStringLiteral("ZV0"));
}

void TFileForm::showCounters()
{
    sbar->showAll(ListView->tableModel()->counters());
    stexNumb->setText(ListView->currentRowText());
}

} // namespace vt
