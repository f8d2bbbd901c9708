// Building the main window: panels, tool buttons with their glyphs, menus and
// the connections to the search panel and the table.
#include "app/mainform.h"

#include "base/appdirs.h"
#include "base/services.h"
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
                        const QString &glyphName, const QString &tip)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolTip(tip);
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

    panTop = new SearchPanel(this);
    ListView = new ResultTable(this);
    tableCommands = new TableCommands(
        ListView, [this] { return busy(); }, [this](bool on) { setBusy(on); }, this);
    buildBottomPanel();

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

    sbHelp = toolButton(panBot, QStringLiteral("sbHelp"), {}, QStringLiteral("help"),
                        QStringLiteral("Текущий лог, о программе: F1\nЛоги: Shift + F1"));
    sbZvv = toolButton(panBot, QStringLiteral("sbZvv"), {}, QStringLiteral("ZV1"),
                       QStringLiteral("Вкл/выкл. звук: F2"));
    sbFindTab = toolButton(panBot, QStringLiteral("sbFindTab"), {}, QStringLiteral("find"),
                           QStringLiteral("Поиск по таблице (выбрать): F3\n"
                                          "Поиск \"вперед\" по таблице: Shift + F3\n"
                                          "Поиск \"назад\" по таблице: Ctrl + F3"));
    sbFindText = toolButton(panBot, QStringLiteral("sbFindText"), QStringLiteral("Метки"), {},
                            QStringLiteral("Метки (выбрать): F4\nСортировать по меткам: Shift + F4\n"
                                           "Удалить из таблицы: Ctrl + F4"));
    sbClearSel = toolButton(panBot, QStringLiteral("sbClearSel"), {}, QStringLiteral("clearsel"),
                            QStringLiteral("Снять выделение\nShift - только с папок, Ctrl - только с файлов"));
    sbSelall = toolButton(panBot, QStringLiteral("sbSelall"), {}, QStringLiteral("selall"),
                          QStringLiteral("Выделить все\nShift - только папки, Ctrl - только файлы"));
    sbSave = toolButton(panBot, QStringLiteral("sbSave"), QStringLiteral("Действия"), {},
                        QStringLiteral("Действия (выбрать): F6"));
    stexNumb = new QLabel(QStringLiteral("-"), panBot);
    stexNumb->setObjectName(QStringLiteral("stexNumb"));
    stexNumb->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    stexNumb->setAlignment(Qt::AlignCenter);
    stexNumb->setMinimumWidth(48);
    stexNumb->setFixedHeight(23);
    stexNumb->setToolTip(QStringLiteral("Номер выделенной строчки\nПереместить на номер...: F7"));
    stexNumb->installEventFilter(this);
    sbPuskOpenWith = toolButton(panBot, QStringLiteral("sbPuskOpenWith"), {}, QStringLiteral("run"),
                                QStringLiteral("Выполнить / отправить: F8"));
    sbSvva = toolButton(panBot, QStringLiteral("sbSvva"), QStringLiteral("Свойства"), {},
                        QStringLiteral("Свойства (выбрать): F9"));
    sbExpl = toolButton(panBot, QStringLiteral("sbExpl"), {}, QStringLiteral("folder"),
                        QStringLiteral("Проводник (см. кол. \"Папка\")\n"
                                       "Shift - найти в проводнике (см. кол. \"Имя\")"));
    labOrd = new QLabel(QStringLiteral("Ord"), panBot);
    labPage = new QLabel(QStringLiteral("Page"), panBot);
    labOrd->hide();
    labPage->hide();
    sbRefrTab = toolButton(panBot, QStringLiteral("sbRefrTab"), {}, QStringLiteral("current"),
                           QStringLiteral("Найти в таблице: F5\nИнвертировать выделение: Shift + F5\n"
                                          "Перемешать: Ctrl + F5"));
    sbHome = toolButton(panBot, QStringLiteral("sbHome"), {}, QStringLiteral("home"),
                        QStringLiteral("В начало таблицы"));
    sbEnd = toolButton(panBot, QStringLiteral("sbEnd"), {}, QStringLiteral("end"),
                       QStringLiteral("В конец таблицы"));
    sbStop = toolButton(panBot, QStringLiteral("sbStop"), QStringLiteral("Стоп"), {},
                        QStringLiteral("Остановить поиск: Esc"));
    sbStop->setEnabled(false);
    sbSz = toolButton(panBot, QStringLiteral("sbSz"), {}, QStringLiteral("size"),
                      QStringLiteral("Свернуть\nShift - влево-вверх, Ctrl - влево-вниз, "
                                     "растянуть по ширине экрана"));

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
    using Dispatch = void (TFileForm::*)(bool, bool);
    // Tag 1 is the Shift variant, 2 the Ctrl variant, 3 both.
    auto key = [this](QMenu *m, const QString &text, int tag, Dispatch f) {
        QAction *a = m->addAction(text);
        a->setData(tag);
        connect(a, &QAction::triggered, this,
                [this, tag, f] { (this->*f)(tag == 1 || tag == 3, tag == 2 || tag == 3); });
        return a;
    };
    auto item = [this](QMenu *m, const QString &text, auto slot) {
        QAction *a = m->addAction(text);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    popExp = new QMenu(this);
    key(popExp, QStringLiteral("Текущий лог, о программе: F1"), 0, &TFileForm::SetF1);
    key(popExp, QStringLiteral("Логи: Shift + F1"), 1, &TFileForm::SetF1);
    key(popExp, QStringLiteral("Проверить таблицу: Ctrl + F1"), 2, &TFileForm::SetF1);
    popExp->addSeparator();
    key(popExp, QStringLiteral("Вкл/выкл. звук: F2"), 0, &TFileForm::SetF2);
    key(popExp, QStringLiteral("Выделить первую строчку: Shift + F2"), 1, &TFileForm::SetF2);
    key(popExp, QStringLiteral("Выделить последнюю строчку: Ctrl + F2"), 2, &TFileForm::SetF2);
    popExp->addSeparator();
    key(popExp, QStringLiteral("Поиск по таблице (выбрать): F3"), 0, &TFileForm::SetF3);
    key(popExp, QStringLiteral("Поиск \"вперед\" по таблице: Shift + F3"), 1, &TFileForm::SetF3);
    key(popExp, QStringLiteral("Поиск \"назад\" по таблице: Ctrl + F3"), 2, &TFileForm::SetF3);
    popExp->addSeparator();
    key(popExp, QStringLiteral("Метки (выбрать): F4"), 0, &TFileForm::SetF4);
    key(popExp, QStringLiteral("Сортировать по меткам: Shift + F4"), 1, &TFileForm::SetF4);
    key(popExp, QStringLiteral("Удалить из таблицы: Ctrl + F4"), 2, &TFileForm::SetF4);
    key(popExp, QStringLiteral("Объем выделенных / всех файлов: Ctrl + Shift + F4"), 3, &TFileForm::SetF4);
    popExp->addSeparator();
    key(popExp, QStringLiteral("Найти в таблице: F5"), 0, &TFileForm::SetF5);
    key(popExp, QStringLiteral("Инвертировать выделение: Shift + F5"), 1, &TFileForm::SetF5);
    key(popExp, QStringLiteral("Перемешать: Ctrl + F5"), 2, &TFileForm::SetF5);
    popExp->addSeparator();
    key(popExp, QStringLiteral("Действия (выбрать): F6"), 0, &TFileForm::SetF6);
    popExp->addSeparator();
    key(popExp, QStringLiteral("Переместить на номер...: F7"), 0, &TFileForm::SetF7);
    key(popExp, QStringLiteral("Выше на 1 строчку: Shift + F7"), 1, &TFileForm::SetF7);
    key(popExp, QStringLiteral("Ниже на 1 строчку: Ctrl + F7"), 2, &TFileForm::SetF7);
    key(popExp, QStringLiteral("В конец таблицы: Shift + Ctrl + F7"), 3, &TFileForm::SetF7);
    popExp->addSeparator();
    key(popExp, QStringLiteral("Выполнить / отправить: F8"), 0, &TFileForm::SetF8);
    key(popExp, QStringLiteral("Свойства (выбрать): F9"), 0, &TFileForm::SetF9);
    key(popExp, QStringLiteral("Быстрое переименование (файл): Shift + F9"), 1, &TFileForm::SetF9);
    key(popExp, QStringLiteral("Удалить в корзину (файл): Ctrl + F9"), 2, &TFileForm::SetF9);
    item(popExp, QStringLiteral("Проводник (см. кол. \"Папка\")"), [this] { notYet(); })->setData(0);
    item(popExp, QStringLiteral("Найти в проводнике (см. кол. \"Имя\")"), [this] { notYet(); })->setData(1);
    popExp->addSeparator();
    key(popExp, QStringLiteral("На весь экран/стандартный: F11"), 0, &TFileForm::SetF11);
    key(popExp, QStringLiteral("Миним. размер, центр экрана: Shift + F11"), 1, &TFileForm::SetF11);
    key(popExp, QStringLiteral("Влево-вниз, растянуть по ширине: Ctrl + F11"), 2, &TFileForm::SetF11);
    popExp->addSeparator();
    key(popExp, QStringLiteral("Поиск (шаблон, список): F12"), 0, &TFileForm::SetF12);
    popExp->addSeparator();
    popExp->addMenu(tableCommands->makeSortMenu(popExp));
    item(popExp, QStringLiteral("Показать колонку 8.3: Ctrl + K"), [this] {
        if (!busy())
            ListView->ShowHide83(false);
    });
    item(popExp, QStringLiteral("Спрятать колонку 8.3: Ctrl + Shift + K"), [this] {
        if (!busy())
            ListView->ShowHide83(true);
    });
    // The check mark follows the table: a refused switch leaves it as it was.
    QAction *drag = popExp->addAction(QStringLiteral("Разрешить перетаскивание строк"));
    drag->setCheckable(true);
    connect(drag, &QAction::triggered, this,
            [this, drag] { drag->setChecked(tableCommands->toggleRowDrag()); });
    connect(popExp, &QMenu::aboutToShow, this,
            [this, drag] { drag->setChecked(ListView->rowDragEnabled()); });
    // The recount marks itself busy and then idle: never in the middle of a search.
    item(popExp, QStringLiteral("Пересчитать"), [this] {
        if (!busy())
            tableCommands->Peressh(true);
    });
    item(popExp, QStringLiteral("Выделить все"), [this] { tableCommands->selectByKind(true, false, false); });
    item(popExp, QStringLiteral("Снять выделение"), [this] { tableCommands->selectByKind(false, false, false); });
    popExp->addSeparator();
    item(popExp, QStringLiteral("Поиск файлов с \"нечитаемыми\" именами"), [this] { miFndUnicClick(); });
    item(popExp, QStringLiteral("Установка параметров на максимальный поиск"), [this] { panTop->setAllMax(); });
    popExp->addSeparator();
    item(popExp, QStringLiteral("Новая копия Vestrada, свернуть"), [this] { Vestrada1Click(); });
    item(popExp, QStringLiteral("Открыть папку программы"), [this] { miExpOwnDirClick(); });
    popExp->addSeparator();
    item(popExp, QStringLiteral("Свернуть"), [this] { showMinimized(); });
    item(popExp, QStringLiteral("Закрыть: Alt + F4"), [this] { close(); });

    popStart = new QMenu(this);
    key(popStart, QStringLiteral("Текущий лог, о программе: F1"), 0, &TFileForm::SetF1);
    key(popStart, QStringLiteral("Логи: Shift + F1"), 1, &TFileForm::SetF1);
    popStart->addSeparator();
    item(popStart, QStringLiteral("Новая копия Vestrada, свернуть"), [this] { Vestrada1Click(); });
    item(popStart, QStringLiteral("Открыть папку программы"), [this] { miExpOwnDirClick(); });
    popStart->addSeparator();
    item(popStart, QStringLiteral("Свернуть"), [this] { showMinimized(); });
    item(popStart, QStringLiteral("Закрыть: Alt + F4"), [this] { close(); });

    popSbSz = new QMenu(this);
    item(popSbSz, QStringLiteral("Влево-вверх, растянуть/станд. шир."), [this] { sbSzClick(true, false); });
    item(popSbSz, QStringLiteral("Влево-вниз, растянуть/станд. шир."), [this] { sbSzClick(false, true); });
    item(popSbSz, QStringLiteral("Растянуть по ширине экрана"), [this] { sbSzClick(true, true); });

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
    connect(sbSelall, &QToolButton::clicked, this, [this] {
        const bool shift = GetSh();
        tableCommands->selectByKind(true, shift, GetCt() && !shift);
    });
    connect(sbClearSel, &QToolButton::clicked, this, [this] {
        const bool shift = GetSh();
        tableCommands->selectByKind(false, shift, GetCt() && !shift);
    });
    connect(sbHome, &QToolButton::clicked, tableCommands, &TableCommands::scrollHome);
    connect(sbEnd, &QToolButton::clicked, tableCommands, &TableCommands::scrollEnd);
    connect(sbExpl, &QToolButton::clicked, this, [this] { notYet(); });
    connect(sbSz, &QToolButton::clicked, this, [this] { sbSzClick(GetSh(), GetCt()); });

    panTop->setIsBusy([this] { return busy(); });
    TableModel *model = ListView->tableModel();
    // A null text means "not exactly one row"; an empty cell stays non-null.
    panTop->setSelectedRowProvider([model]() -> QString {
        if (model->selectedCount() != 1)
            return QString();
        const QString &cell = model->at(model->firstSelected()).cells[ColModified];
        return cell.isNull() ? QStringLiteral("") : cell;
    });
    panTop->setSelectedFileBytesProvider([model]() -> qint64 {
        if (model->selectedCount() != 1)
            return -1;
        const TableRow &r = model->at(model->firstSelected());
        return r.isDir() ? -1 : r.bytes();
    });
    connect(panTop, &SearchPanel::findClicked, this, [this] { SetF12(GetSh(), GetCt()); });
    connect(panTop, &SearchPanel::recentFolderChosen, this, &TFileForm::onRecentFolderChosen);
    connect(panTop, &SearchPanel::unreadableSearchRequested, this, &TFileForm::miFndUnicClick);
    connect(panTop, &SearchPanel::makeStartDirRequested, this, &TFileForm::miSetStartDirClick);
    connect(panTop, &SearchPanel::openInFileManagerRequested, this, &TFileForm::miOpenDirExpClick);
    connect(panTop, &SearchPanel::favouriteFolderRequested, this, [this](bool shift) {
        if (!shift) {
            notYet();
            return;
        }
        const QString folder = provList(0);
        if (!folder.isEmpty()) {
            panTop->setFolderText(folder);
            zv(3);
        }
    });
    connect(panTop, &SearchPanel::preobrClicked, this, [this] { notYet(); });
    connect(panTop, &SearchPanel::addListClicked, this, [this] { notYet(); });
    connect(panTop, &SearchPanel::prosmClicked, this, [this] { notYet(); });
    connect(panTop, &SearchPanel::restoreBoundsRequested, this, &TFileForm::restoreStandardBounds);
    connect(panTop, &SearchPanel::mainMenuRequested, this, &TFileForm::popupMainMenu);

    connect(ListView, &ResultTable::countersChanged, this, &TFileForm::showCounters);
    connect(ListView, &ResultTable::rowDoubleClicked, this, [this] { SetF8(false, false); });
    setSelectedRowsCounter([model] { return model->selectedCount(); });
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
