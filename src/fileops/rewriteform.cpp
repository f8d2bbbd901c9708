#include "fileops/rewriteform.h"

#include "base/services.h"
#include "fileops/clicklabel.h"
#include "fileops/showrewrinf.h"
#include "shell/core/shellrun.h"
#include "widgets/keystate.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vt {

namespace {

enum Column { CCaption, CId, CSource, CDt, CDate, CSz, CSize, CCount };


} // namespace

TReWriteFrm::TReWriteFrm(const RewriteScan &scan, const QString &startFolder, QWidget *parent)
    : QDialog(parent), m_scan(scan), m_start(startFolder), m_runningTotal(scan.total)
{
    const int n = int(scan.collisions.size());
    const int rest = scan.total - n;
    labRewrInf = new QLabel(
        QStringLiteral("Поставьте метки для файлов, которые будут перезаписаны.\rПри нажатии \"Отмена\" - файлы "
                       "не будут копироваться.\rПри нажатии \"Применить\" будут скопированы:\r - все файлы с "
                       "несовпадающими именами (")
            + QString::number(rest)
            + QStringLiteral(" шт.)\r - плюс помеченные в данной таблице.\rДля непомеченных - снимается выделение "
                             "в основной таблице."),
        this);
    labRewrInf->setText(labRewrInf->text().replace(QLatin1Char('\r'), QLatin1Char('\n')));
    labRewrExp = new ClickLabel(QStringLiteral("Папка-получатель:"), this);
    eRewrDir = new QLineEdit(scan.target, this);
    eRewrDir->setReadOnly(true);
    labRewrDirSrc = new ClickLabel(QStringLiteral("Резервное копирование, папка-источник:"), this);
    eRewrDirSrc = new QLineEdit(startFolder, this);
    eRewrDirSrc->setReadOnly(true);
    labRewrDirNew = new ClickLabel(QStringLiteral("Будет создано папок: ") + QString::number(scan.newDirs.size()), this);
    labRewrFIlesOther = new ClickLabel(QStringLiteral("Остальные файлы: ") + QString::number(rest), this);
    labRewrFIlesOther->setEnabled(rest > 0);
    const bool backup = scan.mode == CopyMode::Backup;
    labRewrDirSrc->setVisible(backup);
    eRewrDirSrc->setVisible(backup);
    labRewrDirNew->setVisible(backup);
    labRewrDirNew->setEnabled(!scan.newDirs.isEmpty());

    rbRewrNewMain = new QRadioButton(QStringLiteral("Новее (%1)").arg(scan.newer), this);
    rbRewrNewBigg = new QRadioButton(QStringLiteral("Новее и больше (%1)").arg(scan.newerBigger), this);
    rbRewrBig = new QRadioButton(QStringLiteral("Больше (%1)").arg(scan.bigger), this);
    rbRewrAll = new QRadioButton(QStringLiteral("Пометить все (%1)").arg(n), this);
    rbRewrNothing = new QRadioButton(QStringLiteral("Снять все метки"), this);
    rbRewrUser = new QRadioButton(QStringLiteral("Своя установка"), this);
    labRewrEQ = new ClickLabel(QStringLiteral("Удалить \"равно/равно\" (%1)").arg(scan.equalEqual), this);
    labRewrEQ->setVisible(scan.equalEqual > 0);
    labRewrEQ->setEnabled(false);

    lvRewr = new QTreeWidget(this);
    lvRewr->setColumnCount(CCount);
    lvRewr->setHeaderLabels({QStringLiteral("Перезапишется: имя [дата; размер]"), QStringLiteral("ID"),
                             QStringLiteral("Источник: файл"), QStringLiteral("dt"), QStringLiteral("Дата"),
                             QStringLiteral("sz"), QStringLiteral("Размер")});
    lvRewr->setRootIsDecorated(false);
    lvRewr->setUniformRowHeights(true);
    lvRewr->setAllColumnsShowFocus(true);
    lvRewr->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvRewr->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvRewr->setStyleSheet(QStringLiteral("QTreeWidget::item { border-right: 1px solid #d0d0d0; border-bottom: 1px solid #d0d0d0; }"));
    lvRewr->header()->setSectionsClickable(true);
    lvRewr->header()->setStretchLastSection(false);
    lvRewr->header()->setMinimumSectionSize(1);
    lvRewr->setContextMenuPolicy(Qt::CustomContextMenu);
    lvRewr->setTextElideMode(Qt::ElideMiddle);
    lvRewr->viewport()->installEventFilter(this);

    sbRewrApply = new QPushButton(QStringLiteral("Применить"), this);
    sbRewrCancel = new QPushButton(QStringLiteral("Отмена"), this);

    popRewr = new QMenu(this);
    QMenu *sortMenu = popRewr->addMenu(QStringLiteral("Сортировать"));
    const QList<QPair<QString, SortKey>> sorts = {
        {QStringLiteral("по файлам-получателям"), SortKey::Dest},
        {QStringLiteral("по файлам-источникам"), SortKey::Source},
        {QStringLiteral("по дате файлов-источников"), SortKey::Date},
        {QStringLiteral("по размеру файлов-источников"), SortKey::Size},
        {QStringLiteral("по меткам"), SortKey::Ticks},
        {QStringLiteral("восстановить сортировку"), SortKey::Restore}};
    for (const auto &s : sorts)
        connect(sortMenu->addAction(s.first), &QAction::triggered, this, [this, k = s.second] { sortPopup(k); });
    QMenu *view = popRewr->addMenu(QStringLiteral("Просмотр"));
    const QStringList views = {QStringLiteral("Для всех строк таблицы"), QStringLiteral("Только помеченные"),
                               QStringLiteral("Только непомеченные")};
    for (int i = 0; i < views.size(); ++i)
        connect(view->addAction(views[i]), &QAction::triggered, this, [this, i] { prosmotr(i); });
    popRewr->addSeparator();
    connect(popRewr->addAction(QStringLiteral("Растянуть по ширине")), &QAction::triggered, this, [this] {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        setGeometry(area.left(), y(), area.width(), height());
    });
    connect(popRewr->addAction(QStringLiteral("Минимальный размер окна")), &QAction::triggered, this, [this] {
        resize(m_minWidth, height());
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        move(area.center() - rect().center());
    });

    auto *grid = new QGridLayout;
    grid->addWidget(labRewrExp, 0, 0);
    grid->addWidget(eRewrDir, 0, 1);
    grid->addWidget(labRewrDirSrc, 1, 0);
    grid->addWidget(eRewrDirSrc, 1, 1);
    auto *links = new QHBoxLayout;
    links->addWidget(labRewrDirNew);
    links->addWidget(labRewrFIlesOther);
    links->addStretch();
    auto *radios = new QGridLayout;
    radios->addWidget(rbRewrNewMain, 0, 0);
    radios->addWidget(rbRewrNewBigg, 0, 1);
    radios->addWidget(rbRewrBig, 0, 2);
    radios->addWidget(rbRewrAll, 1, 0);
    radios->addWidget(rbRewrNothing, 1, 1);
    radios->addWidget(rbRewrUser, 1, 2);
    radios->addWidget(labRewrEQ, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sbRewrApply);
    buttons->addWidget(sbRewrCancel);
    auto *v = new QVBoxLayout(this);
    v->addWidget(labRewrInf);
    v->addLayout(grid);
    v->addLayout(links);
    v->addLayout(radios);
    v->addWidget(lvRewr, 1);
    v->addLayout(buttons);

    fill();
    rbRewrNewMain->setChecked(true);
    setTableEnabled(false);
    updateCaption(false);
    setMinimumWidth(m_minWidth);
    resize(m_minWidth, 520);
    setFixedHeight(520);

    for (QRadioButton *rb : {rbRewrNewMain, rbRewrNewBigg, rbRewrBig, rbRewrAll, rbRewrNothing, rbRewrUser})
        connect(rb, &QRadioButton::clicked, this, [this, rb] { chooseRadio(rb); });
    connect(labRewrEQ, &ClickLabel::clicked, this, &TReWriteFrm::labRewrEQClick);
    connect(labRewrExp, &ClickLabel::clicked, this, [this] { pusk(false, m_scan.target); });
    connect(labRewrDirSrc, &ClickLabel::clicked, this, [this] { pusk(false, m_start); });
    connect(labRewrDirNew, &ClickLabel::clicked, this,
            [this] { ShowInf(InfKind::NewDirs, m_scan.target, m_scan.newDirs, this); });
    connect(labRewrFIlesOther, &ClickLabel::clicked, this,
            [this] { ShowInf(InfKind::OtherFiles, QString(), m_scan.others, this); });
    connect(lvRewr->header(), &QHeaderView::sectionClicked, this, [this](int c) { sortBy(c, shiftHeld()); });
    connect(lvRewr, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { popRewr->popup(lvRewr->viewport()->mapToGlobal(p)); });
    connect(sbRewrApply, &QPushButton::clicked, this, &QDialog::accept);
    connect(sbRewrCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TReWriteFrm::fill()
{
    const ReviewDecision start = initialDecision(m_scan);
    for (int i = 0; i < m_scan.collisions.size(); ++i) {
        const Collision &c = m_scan.collisions[i];
        auto *it = new QTreeWidgetItem(lvRewr);
        it->setText(CCaption, c.caption());
        it->setToolTip(CCaption, c.caption());
        it->setText(CId, QString::number(c.row));
        it->setText(CSource, c.source);
        it->setToolTip(CSource, c.source);
        it->setText(CDt, QString::number(c.srcStamp));
        it->setText(CDate, c.dateCell());
        it->setText(CSz, QString::number(c.srcSize));
        it->setText(CSize, c.sizeCell());
        it->setData(CCaption, Qt::UserRole, i);
        it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
        it->setCheckState(CCaption, start.ticks[i] ? Qt::Checked : Qt::Unchecked);
    }
    for (int c : {int(CId), int(CDt), int(CSz)})
        lvRewr->setColumnWidth(c, 1);
    measureColumns();
}

void TReWriteFrm::measureColumns()
{
    for (int c : {int(CCaption), int(CSource), int(CDate), int(CSize)}) {
        lvRewr->resizeColumnToContents(c);
        m_need[c] = lvRewr->columnWidth(c);
    }
    fitColumns();
}

void TReWriteFrm::fitColumns()
{
    // "Размер" takes the rest of the row and never leaves the view; when the
    // row is short of room the two path columns share what is left (their
    // cells show the whole text as a hint).
    const int date = m_need[CDate], size = m_need[CSize];
    const int room = lvRewr->viewport()->width() - date - size - 3;
    int caption = m_need[CCaption], source = m_need[CSource];
    if (caption + source > room) {
        const int captionMin = lvRewr->header()->sectionSizeHint(CCaption);
        const int sourceMin = lvRewr->header()->sectionSizeHint(CSource);
        const int half = room / 2;
        if (caption <= half) {
            source = qMax(room - caption, sourceMin);
        } else if (source <= half) {
            caption = qMax(room - source, captionMin);
        } else {
            caption = qMax(half, captionMin);
            source = qMax(room - caption, sourceMin);
        }
    }
    lvRewr->setColumnWidth(CCaption, caption);
    lvRewr->setColumnWidth(CSource, source);
    lvRewr->setColumnWidth(CDate, date);
    lvRewr->setColumnWidth(CSize, qMax(size, room + size - caption - source));
}

bool TReWriteFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lvRewr->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    return QDialog::eventFilter(watched, event);
}

int TReWriteFrm::indexOf(const QTreeWidgetItem *it) const { return it->data(CCaption, Qt::UserRole).toInt(); }

ReviewDecision TReWriteFrm::decision() const
{
    ReviewDecision d;
    d.applied = result() == QDialog::Accepted;
    d.removed = m_removed;
    d.ticks = QList<bool>(m_scan.collisions.size(), false);
    for (int r = 0; r < lvRewr->topLevelItemCount(); ++r) {
        const QTreeWidgetItem *it = lvRewr->topLevelItem(r);
        d.ticks[indexOf(it)] = it->checkState(CCaption) == Qt::Checked;
    }
    return d;
}

void TReWriteFrm::setTicks(const QList<bool> &ticks)
{
    for (int r = 0; r < lvRewr->topLevelItemCount(); ++r) {
        QTreeWidgetItem *it = lvRewr->topLevelItem(r);
        it->setCheckState(CCaption, ticks.value(indexOf(it)) ? Qt::Checked : Qt::Unchecked);
    }
}

void TReWriteFrm::setTableEnabled(bool on)
{
    // The rows stay readable; only the ticks are locked.
    for (int r = 0; r < lvRewr->topLevelItemCount(); ++r) {
        QTreeWidgetItem *it = lvRewr->topLevelItem(r);
        it->setFlags(on ? it->flags() | Qt::ItemIsUserCheckable : it->flags() & ~Qt::ItemIsUserCheckable);
    }
    QPalette p = lvRewr->palette();
    p.setColor(QPalette::Base, on ? palette().color(QPalette::Base) : QColor(0xf0, 0xf0, 0xf0));
    lvRewr->setPalette(p);
    lvRewr->setProperty("ticksEnabled", on);
}

void TReWriteFrm::chooseRadio(QRadioButton *rb)
{
    rb->setChecked(true);
    if (rb == rbRewrUser) {
        setTableEnabled(true);
        labRewrEQ->setEnabled(labRewrEQ->isVisibleTo(this));
        return;
    }
    setTableEnabled(false);
    labRewrEQ->setEnabled(false);
    ReviewDecision d;
    d.removed = m_removed;
    const ReviewChoice c = rb == rbRewrNewMain   ? ReviewChoice::Newer
                           : rb == rbRewrNewBigg ? ReviewChoice::NewerBigger
                           : rb == rbRewrBig     ? ReviewChoice::Bigger
                           : rb == rbRewrAll     ? ReviewChoice::All
                                                 : ReviewChoice::Nothing;
    setTicks(ticksFor(m_scan, d, c));
    zv(3);
}

void TReWriteFrm::labRewrEQClick()
{
    if (!labRewrEQ->isEnabled())
        return;
    const int rows = lvRewr->topLevelItemCount();
    int equal = 0;
    for (int r = 0; r < rows; ++r)
        equal += m_scan.collisions[indexOf(lvRewr->topLevelItem(r))].equalEqual();
    if (equal == rows) {
        if (ui().vopr(QStringLiteral("Все файлы в таблице (получатель, источник) равны по дате и размеру.\r"
                                     "Снять все метки?"))) {
            setTicks(QList<bool>(m_scan.collisions.size(), false));
            zv(3);
        }
        return;
    }
    if (!ui().vopr(QStringLiteral("Будут удалены из таблицы и снято выделение в основной таблице\rдля файлов "
                                  "(получатель, источник) равных по дате и размеру.\rПродолжить?")))
        return;
    QList<int> tableRows;
    for (int r = rows - 1; r >= 0; --r) {
        const int i = indexOf(lvRewr->topLevelItem(r));
        if (m_scan.collisions[i].equalEqual()) {
            m_removed << i;
            tableRows << m_scan.collisions[i].row;
            delete lvRewr->takeTopLevelItem(r);
        }
    }
    if (rowsRemoved)
        rowsRemoved(tableRows);
    zv(3);
    labRewrEQ->hide();
    m_runningTotal = m_scan.total - int(m_removed.size());
    rbRewrAll->setText(QStringLiteral("Пометить все (%1)").arg(lvRewr->topLevelItemCount()));
    updateCaption(true);
    measureColumns();
}

void TReWriteFrm::updateCaption(bool afterRemoval)
{
    setWindowTitle((afterRemoval ? QStringLiteral("Перезапись, файлов: ")
                                 : QStringLiteral("Перезапись, совпадающие имена: "))
                   + QString::number(lvRewr->topLevelItemCount()) + QStringLiteral(", всего копируется: ")
                   + QString::number(m_runningTotal));
}

void TReWriteFrm::reorder(const std::function<bool(const QTreeWidgetItem *, const QTreeWidgetItem *)> &less)
{
    QTreeWidgetItem *current = lvRewr->currentItem();
    QList<QTreeWidgetItem *> items;
    while (lvRewr->topLevelItemCount() > 0)
        items << lvRewr->takeTopLevelItem(0);
    std::stable_sort(items.begin(), items.end(), less);
    lvRewr->addTopLevelItems(items);
    if (lvRewr->property("ticksEnabled").toBool())
        lvRewr->setFocus();
    if (current) {
        lvRewr->setCurrentItem(current);
        lvRewr->scrollToItem(current);
    }
}

void TReWriteFrm::sortBy(int column, bool descending)
{
    if (lvRewr->topLevelItemCount() < 2) {
        ui().beep();
        return;
    }
    auto key = [this, column](const QTreeWidgetItem *it) -> std::pair<QString, qint64> {
        const Collision &c = m_scan.collisions[indexOf(it)];
        switch (column) {
        case CCaption: return {it->text(CCaption).toLower(), 0};
        case CSource: return {it->text(CSource).toLower(), 0};
        case CDt: case CDate: return {QString(), qint64(c.srcStamp)};
        case CSz: case CSize: return {QString(), c.srcSize};
        default: return {QString(), 0};
        }
    };
    reorder([&](const QTreeWidgetItem *a, const QTreeWidgetItem *b) {
        auto ka = key(a), kb = key(b);
        const int ra = m_scan.collisions[indexOf(a)].row, rb = m_scan.collisions[indexOf(b)].row;
        if (ka.first != kb.first)
            return descending ? kb.first.compare(ka.first, Qt::CaseInsensitive) < 0
                              : ka.first.compare(kb.first, Qt::CaseInsensitive) < 0;
        if (ka.second != kb.second)
            return descending ? kb.second < ka.second : ka.second < kb.second;
        return descending ? rb < ra : ra < rb;
    });
    zv(descending ? 2 : 3);
}

void TReWriteFrm::sortPopup(SortKey key)
{
    switch (key) {
    case SortKey::Dest: sortBy(CCaption, false); break;
    case SortKey::Source: sortBy(CSource, false); break;
    case SortKey::Date: sortBy(CDate, false); break;
    case SortKey::Size: sortBy(CSize, false); break;
    case SortKey::Restore: sortBy(CId, false); break;
    case SortKey::Ticks:
        if (lvRewr->topLevelItemCount() < 2) {
            ui().beep();
            return;
        }
        reorder([this](const QTreeWidgetItem *a, const QTreeWidgetItem *b) {
            const bool ta = a->checkState(CCaption) == Qt::Checked, tb = b->checkState(CCaption) == Qt::Checked;
            if (ta != tb)
                return ta;
            return m_scan.collisions[indexOf(a)].row < m_scan.collisions[indexOf(b)].row;
        });
        zv(3);
        break;
    }
}

QStringList TReWriteFrm::viewLines(int which, int *count) const
{
    QStringList out;
    int n = 0;
    for (int r = 0; r < lvRewr->topLevelItemCount(); ++r) {
        const QTreeWidgetItem *it = lvRewr->topLevelItem(r);
        const bool ticked = it->checkState(CCaption) == Qt::Checked;
        if ((which == 1 && !ticked) || (which == 2 && ticked))
            continue;
        ++n;
        out << QStringLiteral("--- %1 ---").arg(n) << QStringLiteral("Файл-получатель (перезапишется):")
            << m_scan.target + it->text(CCaption) << QStringLiteral("Файл-источник:") << it->text(CSource)
            << it->text(CDate) + QStringLiteral("; ") + it->text(CSize);
    }
    *count = n;
    return out;
}

void TReWriteFrm::prosmotr(int which)
{
    if (lvRewr->topLevelItemCount() == 0) {
        ui().beep();
        return;
    }
    int n = 0;
    const QStringList lines = viewLines(which, &n);
    if (n == 0) {
        ui().inf(QStringLiteral("Не найдены строчки для просмотра"));
        return;
    }
    static const char *const kinds[] = {"всех", "помеченных", "непомеченных"};
    ShowInf(InfKind::RowsView,
            QStringLiteral("Просмотр ") + QString::fromUtf8(kinds[which]) + QStringLiteral(" строк в таблице (")
                + QString::number(n) + QLatin1Char(')'),
            lines, this);
}

void TReWriteFrm::mouseDoubleClickEvent(QMouseEvent *)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    move(area.center() - rect().center());
}

} // namespace vt
