#include "search/searchpanel.h"

#include "base/oledate.h"
#include "base/services.h"
#include "base/textutil.h"
#include "base/limits.h"
#include "search/core/datepresets.h"
#include "table/core/tablemodel.h"
#include "search/core/extstore.h"
#include "search/core/maskrules.h"
#include "search/core/searchvalidate.h"
#include "search/extform.h"
#include "search/kbform.h"
#include "widgets/keystate.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTimeEdit>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>
#include <QWindow>

namespace vt {
namespace {

constexpr int kRowHeight = 22;

// Refuses pasted text with characters no name mask can hold; typing them beeps
// in the key filter before it gets here.
class MaskValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return hasRefusedMaskChar(input) ? Invalid : Acceptable;
    }
};

// Menu texts show "&" literally.
QString menuText(const QString &s)
{
    QString t = s;
    return t.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QToolButton *toolButton(const QString &text, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setText(text);
    b->setFixedHeight(kRowHeight);
    b->setAutoRaise(false);
    return b;
}

template <class W> W *fixedRow(W *w)
{
    w->setFixedHeight(kRowHeight);
    return w;
}

} // namespace

bool onControlWithMenu(const QWidget *surface, const QMouseEvent *e)
{
    for (QWidget *w = surface->childAt(surface->mapFromGlobal(e->globalPosition().toPoint()));
         w && w != surface; w = w->parentWidget())
        if (w->isEnabled() && w->contextMenuPolicy() == Qt::CustomContextMenu)
            return true;
    return false;
}

SearchPanel::SearchPanel(const TableModel *table, QWidget *parent)
    : QWidget(parent), m_table(table)
{
    setObjectName(QStringLiteral("panTop"));
    setFixedHeight(80);
    buildControls();
    buildMenus();

    const double now = toDays(vt::now());
    const DateTimePair mx = maxDatePreset(0, now);
    const DateTimePair mn = minDatePreset(2, now);
    setMaxBound(mx.date, mx.time);
    setMinBound(mn.date, mn.time);

    rebuildRecentMasks();
    setRecentFolders({});
    refreshFilesCaption();
    refreshCues();
    rgTypeClick();
}

SearchPanel::~SearchPanel() = default;

void SearchPanel::buildControls()
{
    // Row 1: folder, mode, exclusions, depth.
    eDirPath = fixedRow(new QLineEdit(this));
    eDirPath->setReadOnly(true);
    eDirPath->setToolTip(QStringLiteral("Поиск не производился"));
    gbAllSpis = new QGroupBox(this);
    gbAllSpis->setObjectName(QStringLiteral("gbAllSpis"));
    gbAllSpis->setFlat(true);
    gbAllSpis->setFixedHeight(kRowHeight + 4);
    gbAllSpis->hide();
    labAllSpis = new QLabel(this);
    labAllSpis->setObjectName(QStringLiteral("labAllSpis"));
    labAllSpis->hide();
    wAllSpisTools = new QWidget(this);
    wAllSpisTools->hide();
    sbSelectDir = toolButton(QStringLiteral("..."), this);
    sbIzbDir = toolButton(QString(), this);
    sbIzbDir->setIcon(style()->standardIcon(QStyle::SP_DirLinkIcon));
    sbIzbDir->setToolTip(QStringLiteral(
        "Выбрать папку из избранных\nShift + клик: выбрать папку начала поиска (с выделенной в "
        "таблице)\nКонт. меню: выбрать папку, сделать стартовой, проводник"));
    sbPreobr = toolButton(QString(), this);
    sbPreobr->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    sbPreobr->setToolTip(
        QStringLiteral("Преобразовать пути колонки \"Папка\"\nиз относительных в полные"));
    sbPreobr->setEnabled(false);
    rbShab = new QRadioButton(QStringLiteral("Шаблон"), this);
    rbShab->setToolTip(QStringLiteral("Поиск по шаблону, дате, размеру и т.д."));
    rbShab->setChecked(true);
    rbSpis = new QRadioButton(QStringLiteral("Список"), this);
    rbSpis->setToolTip(QStringLiteral(
        "Прочитать список файлов/папок в таблицу.\nКнопки \"Добавить\" и \"Просмотр\""));
    cbHideH = new QCheckBox(QStringLiteral("H"), this);
    cbHideS = new QCheckBox(QStringLiteral("S"), this);
    cbHideR = new QCheckBox(QStringLiteral("R"), this);
    labSubDir = new QLabel(QStringLiteral("Подкаталоги:"), this);
    seMaxSubDir = fixedRow(new QSpinBox(this));
    seMaxSubDir->setRange(0, kMaxDepth);
    seMaxSubDir->setValue(kMaxDepth);

    // Row 2: date range and mask.
    auto dateEdit = [this] {
        auto *d = fixedRow(new QDateEdit(this));
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        d->setDateRange(QDate(1899, 12, 31), QDate(9999, 12, 31));
        return d;
    };
    auto timeEdit = [this] {
        auto *t = fixedRow(new QTimeEdit(this));
        t->setDisplayFormat(QStringLiteral("H:mm:ss"));
        return t;
    };
    labMinDate = new QLabel(QStringLiteral("Мин.:"), this);
    dtMinDat = dateEdit();
    dtMinTime = timeEdit();
    labMaxDate = new QLabel(QStringLiteral("Макс.:"), this);
    dtMaxDate = dateEdit();
    dtMaxTime = timeEdit();
    labShab = new QLabel(QStringLiteral("Шаблон:"), this);
    eShablon = fixedRow(new QLineEdit(QStringLiteral("*"), this));
    eShablon->setMaxLength(kMaskMaxLength);
    eShablon->setValidator(new MaskValidator(eShablon));

    // Row 3: kind, sizes, extensions, limit.
    cbFiles = new QCheckBox(this);
    cbFiles->setTristate(true);
    cbFiles->setCheckState(Qt::PartiallyChecked);
    labRazmerOT = new QLabel(QStringLiteral("Размер от (кб):"), this);
    seRazmerOT = fixedRow(new QSpinBox(this));
    seRazmerOT->setRange(0, int(kMaxSizeKb));
    seRazmerOT->setFixedWidth(98);
    labRazmerDO = new QLabel(QStringLiteral("до (кб):"), this);
    seRazmerDO = fixedRow(new QSpinBox(this));
    seRazmerDO->setRange(0, int(kMaxSizeKb));
    seRazmerDO->setValue(int(kMaxSizeKb));
    seRazmerDO->setFixedWidth(98);
    cbExts = new QCheckBox(QStringLiteral("Расширения"), this);
    eExt = fixedRow(new QLineEdit(this));
    eExt->setReadOnly(true);
    sbExt = toolButton(QStringLiteral("Выбрать"), this);
    labLimil = new QLabel(QStringLiteral("Лимит:"), this);
    seLimit = fixedRow(new QSpinBox(this));
    seLimit->setRange(1, kMaxLimit);
    seLimit->setValue(kMaxLimit);
    seLimit->setFixedWidth(54);

    // List mode.
    gbModeSpis = new QGroupBox(QStringLiteral("Тип списка"), this);
    rbMdVTL = new QRadioButton(QStringLiteral("VTL"), gbModeSpis);
    rbMdVTL->setToolTip(QStringLiteral("VTL - формат программы для работы со списками.\n"
                                       "Поддерживает добавление к списку (Действия -> Добавить к VTL)"));
    rbMdVTL->setChecked(true);
    rbMdVTX = new QRadioButton(QStringLiteral("VTX"), gbModeSpis);
    rbMdVTS = new QRadioButton(QStringLiteral("VTS"), gbModeSpis);
    rbMdVTS->setToolTip(QStringLiteral(
        "VTS - \"снимок таблицы\".\nВосстанавливает таблицу, которая была на момент сохранения в "
        "VTS.\nДля VTS запрещено добавление из проводника."));
    auto *modeRow = new QHBoxLayout(gbModeSpis);
    modeRow->setContentsMargins(6, 0, 6, 2);
    modeRow->addWidget(rbMdVTL);
    modeRow->addWidget(rbMdVTX);
    modeRow->addWidget(rbMdVTS);
    sbAddList = toolButton(QStringLiteral("Добавить"), this);
    sbProsm = toolButton(QStringLiteral("Просмотр"), this);
    gbModeSpis->hide();
    sbAddList->hide();
    sbProsm->hide();

    // Search and the two range presets, in a column at the right.
    sbFind = new QToolButton(this);
    sbFind->setText(QStringLiteral("Поиск"));
    sbFind->setFixedSize(58, 44);
    sbSetDTmin = toolButton(QString(), this);
    sbSetDTmin->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    sbSetDTmin->setFixedWidth(28);
    sbSetDTmax = toolButton(QString(), this);
    sbSetDTmax->setIcon(style()->standardIcon(QStyle::SP_MediaSeekForward));
    sbSetDTmax->setFixedWidth(28);

    auto *row1 = new QHBoxLayout;
    row1->setSpacing(3);
    row1->addWidget(eDirPath, 1);
    row1->addWidget(gbAllSpis, 1);
    row1->addWidget(sbSelectDir);
    row1->addWidget(sbIzbDir);
    row1->addWidget(sbPreobr);
    row1->addSpacing(4);
    row1->addWidget(rbShab);
    row1->addWidget(rbSpis);
    row1->addSpacing(4);
    row1->addWidget(cbHideH);
    row1->addWidget(cbHideS);
    row1->addWidget(cbHideR);
    row1->addSpacing(4);
    row1->addWidget(labSubDir);
    row1->addWidget(seMaxSubDir);
    // Takes the room of the folder field in list mode, so that the controls
    // left in the row keep together.
    row1->addStretch(0);

    auto *row2 = new QHBoxLayout;
    row2->setSpacing(3);
    row2->addWidget(labMinDate);
    row2->addWidget(dtMinDat);
    row2->addWidget(dtMinTime);
    row2->addSpacing(6);
    row2->addWidget(labMaxDate);
    row2->addWidget(dtMaxDate);
    row2->addWidget(dtMaxTime);
    row2->addSpacing(6);
    row2->addWidget(labShab);
    row2->addWidget(eShablon, 1);

    auto *row3 = new QHBoxLayout;
    row3->setSpacing(3);
    row3->addWidget(cbFiles);
    row3->addWidget(labRazmerOT);
    row3->addWidget(seRazmerOT);
    row3->addWidget(labRazmerDO);
    row3->addWidget(seRazmerDO);
    row3->addSpacing(4);
    row3->addWidget(cbExts);
    row3->addWidget(eExt, 1);
    row3->addWidget(sbExt);
    row3->addStretch(0);
    row3->addWidget(labLimil);
    row3->addWidget(seLimit);

    // The caption has a line of its own beside "Тип списка": a snapshot's
    // date-made name is long.
    auto *listButtons = new QHBoxLayout;
    listButtons->setSpacing(6);
    listButtons->addWidget(sbAddList);
    listButtons->addWidget(sbProsm);
    listButtons->addWidget(wAllSpisTools);
    listButtons->addStretch(1);
    auto *listLines = new QVBoxLayout;
    listLines->setSpacing(2);
    listLines->addWidget(labAllSpis);
    listLines->addLayout(listButtons);
    auto *listRow = new QHBoxLayout;
    listRow->setSpacing(6);
    listRow->addWidget(gbModeSpis);
    listRow->addLayout(listLines, 1);

    auto *rows = new QVBoxLayout;
    rows->setSpacing(2);
    rows->addLayout(row1);
    rows->addLayout(row2);
    rows->addLayout(row3);
    rows->addLayout(listRow);
    rows->addStretch(1);

    auto *presets = new QHBoxLayout;
    presets->setSpacing(2);
    presets->addWidget(sbSetDTmin);
    presets->addWidget(sbSetDTmax);
    auto *right = new QVBoxLayout;
    right->setSpacing(2);
    right->addWidget(sbFind);
    right->addLayout(presets);
    right->addStretch(1);

    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(4, 3, 4, 3);
    outer->setSpacing(6);
    outer->addLayout(rows, 1);
    outer->addLayout(right);

    for (QLabel *l : {labMinDate, labMaxDate, labLimil, labSubDir, labRazmerOT, labRazmerDO, labShab})
        l->installEventFilter(this);
    eShablon->installEventFilter(this);
    gbModeSpis->installEventFilter(this);
    gbAllSpis->installEventFilter(this);

    connect(rbShab, &QRadioButton::toggled, this, &SearchPanel::rgTypeClick);
    connect(cbExts, &QCheckBox::toggled, this, &SearchPanel::rgTypeClick);
    connect(cbFiles, &QCheckBox::stateChanged, this, [this] {
        refreshFilesCaption();
        rgTypeClick();
    });
    connect(eShablon, &QLineEdit::textChanged, this, &SearchPanel::refreshCues);
    for (QSpinBox *s : {seRazmerOT, seRazmerDO, seMaxSubDir})
        connect(s, &QSpinBox::valueChanged, this, &SearchPanel::refreshCues);

    connect(sbSelectDir, &QToolButton::clicked, this, [this] { sbSelectDirClick(shiftHeld()); });
    connect(sbIzbDir, &QToolButton::clicked, this, [this] { sbIzbDirClick(shiftHeld()); });
    connect(sbExt, &QToolButton::clicked, this, &SearchPanel::chooseExtensions);
    connect(sbFind, &QToolButton::clicked, this, &SearchPanel::findClicked);
    connect(sbSetDTmin, &QToolButton::clicked, this, &SearchPanel::presetLast10Minutes);
    connect(sbSetDTmax, &QToolButton::clicked, this, &SearchPanel::presetMaximum);
    connect(sbPreobr, &QToolButton::clicked, this, &SearchPanel::preobrClicked);
    connect(sbAddList, &QToolButton::clicked, this, &SearchPanel::addListClicked);
    connect(sbProsm, &QToolButton::clicked, this, &SearchPanel::prosmClicked);
}

void SearchPanel::buildMenus()
{
    auto attach = [](QWidget *w, QMenu *m) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(w, &QWidget::customContextMenuRequested, m,
                         [w, m](const QPoint &pos) { m->popup(w->mapToGlobal(pos)); });
    };

    popMinDate = new QMenu(this);
    const std::pair<const char16_t *, int> minItems[] = {
        {u"Текущее время", 6}, {u"1 минута назад", 7}, {u"2 минуты назад", 8},
        {u"3 минуты назад", 9}, {u"5 минут назад", 1}, {u"10 минут назад", 2},
        {u"20 минут назад", 3}, {u"1 час назад", 4}, {u"Сутки назад", 5}};
    for (const auto &[text, tag] : minItems) {
        QAction *a = popMinDate->addAction(QString::fromUtf16(text));
        a->setData(tag);
        connect(a, &QAction::triggered, this, [this, tag] { setMinPreset(tag); });
    }
    popMinDate->addSeparator();
    connect(popMinDate->addAction(QStringLiteral("Время: 0 ч. 0 мин.")), &QAction::triggered, this,
            [this] {
                dtMinTime->setTime(QTime(0, 0));
                zv(3);
            });
    connect(popMinDate->addAction(QStringLiteral("Миним. дата")), &QAction::triggered, this, [this] {
        const DateTimePair b = earliestBound();
        setMinBound(b.date, b.time);
        zv(1);
    });
    QAction *minTable = popMinDate->addAction(QStringLiteral("Дата выдел. в таблице"));
    minTable->setData(0);
    connect(minTable, &QAction::triggered, this, [this] { dateFromTable(0); });

    popMaxDate = new QMenu(this);
    const std::pair<const char16_t *, int> maxItems[] = {
        {u"Текущее время", 0}, {u"1 минута вперед", 1}, {u"3 минуты вперед", 2},
        {u"5 минут вперед", 3}, {u"10 минут вперед", 4}, {u"20 минут вперед", 5},
        {u"Сутки вперед", 6}, {u"Макс. дата", 7}};
    for (const auto &[text, tag] : maxItems) {
        QAction *a = popMaxDate->addAction(QString::fromUtf16(text));
        a->setData(tag);
        connect(a, &QAction::triggered, this, [this, tag] { setMaxPreset(tag); });
    }
    popMaxDate->addSeparator();
    connect(popMaxDate->addAction(QStringLiteral("Время: 23 ч. 59 мин.")), &QAction::triggered, this,
            [this] {
                dtMaxTime->setTime(timeOfFraction(kEndOfDayFraction));
                zv(3);
            });
    QAction *maxTable = popMaxDate->addAction(QStringLiteral("Дата выдел. в таблице"));
    maxTable->setData(1);
    connect(maxTable, &QAction::triggered, this, [this] { dateFromTable(1); });

    for (QWidget *w : {static_cast<QWidget *>(labMinDate), static_cast<QWidget *>(dtMinDat),
                       static_cast<QWidget *>(dtMinTime)})
        attach(w, popMinDate);
    for (QWidget *w : {static_cast<QWidget *>(labMaxDate), static_cast<QWidget *>(dtMaxDate),
                       static_cast<QWidget *>(dtMaxTime)})
        attach(w, popMaxDate);

    popShablon = new QMenu(this);
    QMenu *old = popShablon->addMenu(QStringLiteral("Недавние"));
    for (int k = 0; k < 5; ++k) {
        miShabOld[k] = old->addAction(QString());
        miShabOld[k]->setData(k);
        connect(miShabOld[k], &QAction::triggered, this, [this, k] {
            if (busy() || k >= m_recentMasks.size())
                return;
            if (m_recentMasks.at(k) != eShablon->text()) {
                eShablon->setText(m_recentMasks.at(k));
                zv(3);
            }
        });
    }
    old->addSeparator();
    miShabOldClr = old->addAction(QStringLiteral("Очистить"));
    connect(miShabOldClr, &QAction::triggered, this, [this] {
        if (busy())
            return;
        if (ui().vopr(QStringLiteral("Очистить недавние шаблоны?"))) {
            m_recentMasks.clear();
            rebuildRecentMasks();
            zv(1);
        }
    });
    connect(popShablon->addAction(QStringLiteral("Установить знак * по краям")), &QAction::triggered,
            this, [this] { setMaskAtEnter(false); });
    connect(popShablon->addAction(QStringLiteral("Стандартный шаблон (*)")), &QAction::triggered, this,
            [this] { setMaskAtEnter(true); });
    popShablon->addSeparator();
    // The chooser belongs to the lists; the main window opens it.
    miShabFilStr = popShablon->addAction(QStringLiteral("Избранные шаблоны / запомнить"));
    connect(miShabFilStr, &QAction::triggered, this, [this] {
        if (!busy())
            emit favouriteTemplatesRequested();
    });
    attach(eShablon, popShablon);
    attach(labShab, popShablon);

    PopDir = new QMenu(this);
    auto way = [this](FolderPick w, bool empty) {
        QString folder;
        if (GetDirOnly(w, folder, empty))
            eDirPath->setText(folder);
    };
    connect(PopDir->addAction(QStringLiteral("1 способ (обзор папок)")), &QAction::triggered, this,
            [way] { way(FolderPick::Chooser, false); });
    connect(PopDir->addAction(QStringLiteral("2 способ (папки/файлы)")), &QAction::triggered, this,
            [way] { way(FolderPick::AnyFile, false); });
    connect(PopDir->addAction(QStringLiteral("Обзор папок (без выделения)")), &QAction::triggered,
            this, [way] { way(FolderPick::Chooser, true); });
    PopDir->addSeparator();
    connect(PopDir->addAction(QStringLiteral("из избранных")), &QAction::triggered, this,
            [this] { sbIzbDirClick(false); });
    connect(PopDir->addAction(QStringLiteral("из выделенной в таблице")), &QAction::triggered, this,
            [this] { sbIzbDirClick(true); });
    PopDir->addSeparator();
    connect(PopDir->addAction(QStringLiteral("Сделать стартовой")), &QAction::triggered, this,
            [this] {
                if (!busy())
                    emit makeStartDirRequested();
            });
    connect(PopDir->addAction(QStringLiteral("Открыть в проводнике")), &QAction::triggered, this,
            [this] {
                if (existingFolder(eDirPath->text()).isEmpty())
                    ui().beep();
                else
                    emit openInFileManagerRequested();
            });
    PopDir->addSeparator();
    QMenu *recent = PopDir->addMenu(QStringLiteral("Последние папки начала поиска"));
    for (int k = 0; k < 20; ++k) {
        miOldFdir[k] = recent->addAction(QString());
        miOldFdir[k]->setData(k);
        connect(miOldFdir[k], &QAction::triggered, this, [this, k] {
            if (!busy())
                emit recentFolderChosen(k);
        });
    }
    attach(sbSelectDir, PopDir);
    attach(sbIzbDir, PopDir);
}

// ---- state in and out ----

SearchParams SearchPanel::params() const
{
    SearchParams p;
    p.folder = eDirPath->text();
    p.mask = eShablon->text();
    p.minDate = daysOfDate(dtMinDat->date());
    p.minTime = fractionOfTime(dtMinTime->time());
    p.maxDate = daysOfDate(dtMaxDate->date());
    p.maxTime = fractionOfTime(dtMaxTime->time());
    p.minKb = seRazmerOT->value();
    p.maxKb = seRazmerDO->value();
    p.limit = seLimit->value();
    p.depth = seMaxSubDir->value();
    p.hideH = cbHideH->isChecked();
    p.hideS = cbHideS->isChecked();
    p.hideR = cbHideR->isChecked();
    p.filesState = int(cbFiles->checkState());
    p.extMode = cbExts->isChecked();
    p.exts = m_exts;
    return p;
}

void SearchPanel::setParams(const SearchParams &given)
{
    SearchParams p = given;
    fitFieldRanges(p);
    eDirPath->setText(p.folder);
    eShablon->setText(p.mask.left(kMaskMaxLength));
    setMinBound(p.minDate, p.minTime);
    setMaxBound(p.maxDate, p.maxTime);
    seRazmerOT->setValue(int(p.minKb));
    seRazmerDO->setValue(int(p.maxKb));
    seLimit->setValue(p.limit);
    seMaxSubDir->setValue(p.depth);
    cbHideH->setChecked(p.hideH);
    cbHideS->setChecked(p.hideS);
    cbHideR->setChecked(p.hideR);
    cbFiles->setCheckState(Qt::CheckState(qBound(0, p.filesState, 2)));
    setExtensions(p.exts);
    cbExts->setChecked(p.extMode);
}

bool SearchPanel::validate(ValidSearch &out)
{
    for (QAbstractSpinBox *s : std::initializer_list<QAbstractSpinBox *>{
             seRazmerOT, seRazmerDO, seLimit, seMaxSubDir, dtMinDat, dtMinTime, dtMaxDate, dtMaxTime})
        s->interpretText();
    SearchParams p = params();
    const bool ok = validateSearch(p, out);
    if (daysOfDate(dtMinDat->date()) != wholeDays(p.minDate))
        dtMinDat->setDate(dateOfDays(p.minDate));
    if (eShablon->text() != p.mask)
        eShablon->setText(p.mask);
    if (eDirPath->text() != p.folder)
        eDirPath->setText(p.folder);
    return ok;
}

QString SearchPanel::folderText() const { return eDirPath->text(); }
void SearchPanel::setFolderText(const QString &folder) { eDirPath->setText(folder); }
bool SearchPanel::listMode() const { return rbSpis->isChecked(); }

void SearchPanel::setListMode(bool list)
{
    if (list)
        rbSpis->setChecked(true);
    else
        rbShab->setChecked(true);
    rgTypeClick();
}

void SearchPanel::setListOpen(bool open)
{
    m_listOpen = open;
    rgTypeClick();
}

void SearchPanel::setBusy(bool b)
{
    m_busyFlag = b;
    setEnabled(!b);
}

void SearchPanel::setIsBusy(std::function<bool()> isBusy) { m_isBusy = std::move(isBusy); }

bool SearchPanel::busy() const { return m_isBusy ? m_isBusy() : m_busyFlag; }

void SearchPanel::SetDirPath(const QString &startFolder)
{
    eDirPath->setToolTip(startFolder.isEmpty() ? QString()
                                               : QStringLiteral("Поиск с папки:\n") + startFolder);
    sbPreobr->setEnabled(!startFolder.isEmpty());
}

void SearchPanel::initAtStart()
{
    const double now = toDays(vt::now());
    const DateTimePair mx = maxDatePreset(0, now);
    const DateTimePair mn = minDatePreset(2, now);
    setMaxBound(mx.date, mx.time);
    setMinBound(mn.date, mn.time);
}

void SearchPanel::presetLast10Minutes()
{
    if (busy())
        return;
    setListMode(false);
    const double now = toDays(vt::now());
    const DateTimePair mn = minDatePreset(2, now);
    const DateTimePair mx = maxDatePreset(0, now);
    setMinBound(mn.date, mn.time);
    setMaxBound(mx.date, mx.time);
    zv(3);
}

void SearchPanel::presetMaximum()
{
    if (busy())
        return;
    setListMode(false);
    const DateTimePair mn = earliestBound();
    const DateTimePair mx = latestBound();
    setMinBound(mn.date, mn.time);
    setMaxBound(mx.date, mx.time);
    zv(1);
}

void SearchPanel::setAllMax()
{
    if (busy())
        return;
    presetMaximum();
    cbHideH->setChecked(false);
    cbHideS->setChecked(false);
    cbHideR->setChecked(false);
    seLimit->setValue(kMaxLimit);
    seMaxSubDir->setValue(kMaxDepth);
    cbExts->setChecked(false);
    seRazmerOT->setValue(0);
    seRazmerDO->setValue(int(kMaxSizeKb));
    eShablon->setText(QStringLiteral("*"));
    cbFiles->setCheckState(Qt::PartiallyChecked);
}

void SearchPanel::addRecentMask(const QString &mask)
{
    if (addOld(mask, m_recentMasks))
        rebuildRecentMasks();
}

void SearchPanel::rebuildRecentMasks()
{
    for (int k = 0; k < 5; ++k) {
        const bool has = k < m_recentMasks.size();
        miShabOld[k]->setText(has ? menuText(m_recentMasks.at(k)) : QStringLiteral("<нет>"));
        miShabOld[k]->setEnabled(has);
    }
    miShabOldClr->setEnabled(!m_recentMasks.isEmpty());
}

void SearchPanel::setRecentFolders(const QStringList &folders)
{
    for (int k = 0; k < 20; ++k) {
        const bool has = k < folders.size();
        miOldFdir[k]->setText(has ? menuText(folders.at(k)) : QString());
        miOldFdir[k]->setEnabled(has);
        miOldFdir[k]->setVisible(has);
    }
    if (folders.isEmpty()) {
        miOldFdir[0]->setText(QStringLiteral("<нет папок>"));
        miOldFdir[0]->setVisible(true);
    }
}

void SearchPanel::setExtensions(const QStringList &exts)
{
    m_exts = exts;
    eExt->setText(ext::joinExts(exts));
}

void SearchPanel::chooseExtensions()
{
    if (busy())
        return;
    TExtForm form(m_exts, this);
    form.exec();
    setExtensions(form.extensions());
}

// ---- folder ----

bool SearchPanel::GetDirOnly(FolderPick way, QString &folder, bool startEmpty)
{
    if (busy() || listMode())
        return false;
    QString chosen;
    if (way == FolderPick::AnyFile) {
        QString cur = eDirPath->text();
        if (!cur.isEmpty() && !cur.endsWith(QLatin1Char('/')))
            cur += QLatin1Char('/');
        const QString file = ui().chooseAnyFile(
            QStringLiteral("Выберите любой файл/введите любое имя внутри папки начала поиска"),
            QStringLiteral("Все файлы (*)"), cur + QStringLiteral("AnyFiles"));
        const int slash = file.lastIndexOf(QLatin1Char('/'));
        if (slash < 0)
            return false;
        chosen = file.left(slash + 1);
    } else {
        chosen = ui().chooseFolder(QStringLiteral("Выберите папку"),
                                   startEmpty ? QString() : eDirPath->text());
    }
    const QString f = existingFolder(chosen);
    if (f.isEmpty())
        return false;
    folder = f;
    return true;
}

void SearchPanel::sbSelectDirClick(bool shift)
{
    QString folder;
    if (GetDirOnly(shift ? FolderPick::AnyFile : FolderPick::Chooser, folder))
        eDirPath->setText(folder);
}

void SearchPanel::sbIzbDirClick(bool shift)
{
    if (busy() || listMode())
        return;
    emit favouriteFolderRequested(shift);
}

// ---- mask ----

void SearchPanel::setMaskAtEnter(bool shift)
{
    if (busy())
        return;
    eShablon->setText(shift ? QStringLiteral("*") : maskWithStars(eShablon->text()));
    zv(1);
}

// ---- dates ----

void SearchPanel::setMinBound(double date, double time)
{
    dtMinDat->setDate(dateOfDays(date));
    dtMinTime->setTime(timeOfFraction(time));
}

void SearchPanel::setMaxBound(double date, double time)
{
    dtMaxDate->setDate(dateOfDays(date));
    dtMaxTime->setTime(timeOfFraction(time));
}

void SearchPanel::labMinDateClick()
{
    const Toggle t = toggleMinDate(daysOfDate(dtMinDat->date()), toDays(vt::now()));
    setMinBound(t.bound.date, t.bound.time);
    zv(t.sound);
}

void SearchPanel::labMaxDateClick()
{
    const Toggle t = toggleMaxDate(daysOfDate(dtMaxDate->date()), toDays(vt::now()));
    setMaxBound(t.bound.date, t.bound.time);
    zv(t.sound);
}

void SearchPanel::setMinPreset(int tag)
{
    const DateTimePair b = minDatePreset(tag, toDays(vt::now()));
    setMinBound(b.date, b.time);
    zv(2);
}

void SearchPanel::setMaxPreset(int tag)
{
    const DateTimePair b = maxDatePreset(tag, toDays(vt::now()));
    setMaxBound(b.date, b.time);
    zv(tag == 7 ? 1 : 2);
}

void SearchPanel::dateFromTable(int tag)
{
    const Selection sel = m_table ? m_table->selection() : Selection();
    if (sel.size() != 1) {
        ui().inf(QStringLiteral("Для установки даты выделите строчку в таблице"));
        return;
    }
    const QDateTime dt = sel.first().entry.modified();
    if (!dt.isValid() || toDays(dt) <= kEarliestDate)
        return;
    const double d = toDays(dt);
    if (tag == 0)
        setMinBound(d, dayFraction(d));
    else
        setMaxBound(d, dayFraction(d));
    zv(3);
}

// ---- limit, depth, sizes ----

void SearchPanel::labLimilClick()
{
    const bool atMax = seLimit->value() == kMaxLimit;
    seLimit->setValue(atMax ? 1000 : kMaxLimit);
    zv(atMax ? 2 : 1);
}

void SearchPanel::labSubDirClick()
{
    const bool atMax = seMaxSubDir->value() == kMaxDepth;
    seMaxSubDir->setValue(atMax ? 0 : kMaxDepth);
    zv(atMax ? 2 : 1);
}

void SearchPanel::sizeReset(bool maxField)
{
    if (maxField)
        seRazmerDO->setValue(int(kMaxSizeKb));
    else
        seRazmerOT->setValue(0);
    zv(1);
}

void SearchPanel::openSizePicker(bool maxField)
{
    if (busy())
        return;
    QSpinBox *field = maxField ? seRazmerDO : seRazmerOT;
    field->interpretText();
    const Selection sel = m_table ? m_table->selection() : Selection();
    const qint64 tableBytes = sel.size() == 1 && !sel.first().entry.isDir() ? sel.first().entry.size : -1;
    TKbForm form(maxField, field->value(), tableBytes, this);
    if (form.exec() == QDialog::Accepted) {
        field->setValue(int(form.sizeKb()));
        zv(2);
    }
}

// ---- modes and cues ----

void SearchPanel::rgTypeClick()
{
    const bool list = rbSpis->isChecked();
    const bool exts = cbExts->isChecked();
    const bool sizes = !list && (exts || cbFiles->checkState() != Qt::Unchecked);

    for (QWidget *w : std::initializer_list<QWidget *>{
             eDirPath, sbSelectDir, sbIzbDir, cbHideH, cbHideS, cbHideR, labShab, eShablon,
             labMinDate, dtMinDat, dtMinTime, labMaxDate, dtMaxDate, dtMaxTime, labSubDir,
             seMaxSubDir, labLimil, seLimit, cbExts})
        w->setVisible(!list);
    eExt->setVisible(!list && exts);
    sbExt->setVisible(!list && exts);
    cbFiles->setVisible(!list && !exts);
    for (QWidget *w : {static_cast<QWidget *>(labRazmerOT), static_cast<QWidget *>(seRazmerOT),
                       static_cast<QWidget *>(labRazmerDO), static_cast<QWidget *>(seRazmerDO)})
        w->setVisible(sizes);

    gbModeSpis->setVisible(list);
    sbAddList->setVisible(list);
    sbProsm->setVisible(list);
    gbAllSpis->setVisible(list && m_listOpen);
    labAllSpis->setVisible(list && m_listOpen);
    wAllSpisTools->setVisible(list && m_listOpen);

    if (list != m_lastListMode) {
        m_lastListMode = list;
        emit modeChanged(list);
    }
}

void SearchPanel::refreshFilesCaption()
{
    switch (cbFiles->checkState()) {
    case Qt::Checked: cbFiles->setText(QStringLiteral("Файлы")); break;
    case Qt::PartiallyChecked: cbFiles->setText(QStringLiteral("Файлы/папки")); break;
    default: cbFiles->setText(QStringLiteral("Папки/пустые")); break;
    }
}

void SearchPanel::refreshCues()
{
    auto paint = [this](QWidget *w, FieldTone tone) {
        QPalette pal = w->palette();
        const QColor c = tone == FieldTone::White    ? QColor(Qt::white)
                         : tone == FieldTone::Button ? palette().color(QPalette::Button)
                                                     : palette().color(QPalette::Window);
        pal.setColor(QPalette::Base, c);
        w->setPalette(pal);
    };
    const QString mask = eShablon->text();
    paint(eShablon, maskTone(mask));
    paint(seRazmerOT, minSizeTone(seRazmerOT->value()));
    paint(seRazmerDO, maxSizeTone(seRazmerDO->value()));
    paint(seMaxSubDir, depthTone(seMaxSubDir->value()));
    QPalette lp = labShab->palette();
    lp.setColor(QPalette::WindowText, maskLabelBlue(mask) ? QColor(Qt::blue) : QColor(Qt::black));
    labShab->setPalette(lp);
}

// ---- mouse and keys ----

bool SearchPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == eShablon && event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            setMaskAtEnter(k->modifiers() & Qt::ShiftModifier);
            return true;
        }
        if (hasRefusedMaskChar(k->text())) {
            ui().beep();
            return true;
        }
        return false;
    }
    if (watched == gbModeSpis || watched == gbAllSpis) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            surfacePress(static_cast<QMouseEvent *>(event), watched == gbAllSpis);
            return true;
        case QEvent::MouseMove:
            mouseMoveEvent(static_cast<QMouseEvent *>(event));
            return true;
        case QEvent::MouseButtonDblClick:
            emit restoreBoundsRequested();
            return true;
        default:
            return false;
        }
    }
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    auto *m = static_cast<QMouseEvent *>(event);
    const bool left = m->button() == Qt::LeftButton;
    const bool right = m->button() == Qt::RightButton;
    if (watched == labRazmerOT || watched == labRazmerDO) {
        const bool maxField = watched == labRazmerDO;
        if (left)
            sizeReset(maxField);
        else if (right)
            openSizePicker(maxField);
        return left || right;
    }
    if (!left)
        return false;
    if (watched == labMinDate)
        labMinDateClick();
    else if (watched == labMaxDate)
        labMaxDateClick();
    else if (watched == labLimil)
        labLimilClick();
    else if (watched == labSubDir)
        labSubDirClick();
    else if (watched == labShab)
        setMaskAtEnter(m->modifiers() & Qt::ShiftModifier);
    else
        return false;
    return true;
}

void SearchPanel::surfacePress(QMouseEvent *event, bool menuToo)
{
    if (event->button() == Qt::LeftButton) {
        m_pressPos = event->globalPosition().toPoint();
        m_pressed = true;
    } else if (menuToo && !busy() && !onControlWithMenu(this, event)) {
        emit mainMenuRequested(event->globalPosition().toPoint());
    }
}

void SearchPanel::mousePressEvent(QMouseEvent *event) { surfacePress(event, true); }

void SearchPanel::mouseMoveEvent(QMouseEvent *event)
{
    // The drag starts on movement, so that a double click still reaches us.
    if (!m_pressed || !(event->buttons() & Qt::LeftButton))
        return;
    if ((event->globalPosition().toPoint() - m_pressPos).manhattanLength()
        < QApplication::startDragDistance())
        return;
    m_pressed = false;
    if (QWindow *w = window()->windowHandle())
        w->startSystemMove();
}

void SearchPanel::mouseReleaseEvent(QMouseEvent *) { m_pressed = false; }

void SearchPanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_pressed = false;
    if (event->button() == Qt::LeftButton)
        emit restoreBoundsRequested();
}

} // namespace vt
