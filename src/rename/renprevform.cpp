#include "rename/renprevform.h"

#include "base/operation.h"
#include "base/services.h"
#include "lists/core/listcontroller.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "rename/core/renamerun.h"
#include "rename/core/renrule.h"
#include "rename/prosmform.h"
#include "rename/renameform.h"
#include "rename/renspisfrm.h"
#include "table/core/tablemodel.h"
#include "widgets/keystate.h"

#include <QButtonGroup>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace vt {

namespace {

enum Col { CNum, CFolder, CName, CExt, CLen, CNewName, CNewExt, CNewLen, CResult, CCount };

// The name length: the number before the first space of a length text;
// a cell without one sorts before every filled cell.
int lengthKey(const QString &s)
{
    bool ok = false;
    const int n = s.section(QLatin1Char(' '), 0, 0).toInt(&ok);
    return ok ? n : -1;
}

} // namespace

void RenPrevList::dropEvent(QDropEvent *event)
{
    if (event->source() != this || !moveRow) {
        event->ignore();
        return;
    }
    const QList<QTreeWidgetItem *> sel = selectedItems();
    if (!sel.isEmpty()) {
        QTreeWidgetItem *first = sel.first();
        for (QTreeWidgetItem *it : sel)
            if (indexOfTopLevelItem(it) < indexOfTopLevelItem(first))
                first = it;
        QTreeWidgetItem *target = itemAt(event->position().toPoint());
        moveRow(indexOfTopLevelItem(first), target ? indexOfTopLevelItem(target) : topLevelItemCount());
    }
    // The move is done here: the view must not remove the dragged row.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

TRenPrevForm::TRenPrevForm(TableModel &table, OperationContext &ops, ListController *lists, bool dirs,
                           QWidget *parent)
    : QDialog(parent), m_table(table), m_ops(ops), m_lists(lists), m_dirs(dirs)
{
    setObjectName(QStringLiteral("TRenPrevForm"));
    setWindowTitle(QStringLiteral("Renamer"));
    setFolderRename(dirs);
    m_edit = new TRenameForm(this);
    m_edit->setOperations(&m_ops);
    build();
}

TRenPrevForm::~TRenPrevForm() = default;

void TRenPrevForm::build()
{
    lvRen = new RenPrevList(this);
    lvRen->setColumnCount(CCount);
    lvRen->setHeaderLabels({QStringLiteral("№"), QStringLiteral("Папка"), QStringLiteral("Имя"),
                            QStringLiteral("Расш."), QStringLiteral("Длина имени/расш•всего"),
                            QStringLiteral("Имя (новое)"), QStringLiteral("Расш (новое)"),
                            QStringLiteral("Длина имени/расш•всего(новая)"), QStringLiteral("Результат")});
    lvRen->setRootIsDecorated(false);
    lvRen->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvRen->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvRen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One line a row: a changed cell then costs no layout of its row's texts.
    lvRen->setUniformRowHeights(true);
    lvRen->setDragEnabled(true);
    lvRen->setAcceptDrops(true);
    lvRen->setDragDropMode(QAbstractItemView::DragDrop);
    lvRen->setDefaultDropAction(Qt::CopyAction);
    lvRen->header()->setSectionsClickable(true);
    lvRen->header()->setSortIndicatorShown(false);
    lvRen->header()->setSectionResizeMode(CResult, QHeaderView::ResizeToContents);
    const int widths[] = {40, 240, 140, 50, 150, 140, 70, 170};
    for (int c = 0; c < CResult; ++c)
        lvRen->setColumnWidth(c, qMax(widths[c], lvRen->header()->sectionSizeHint(c)));
    lvRen->moveRow = [this](int from, int to) { moveRow(from, to); };
    connect(lvRen->header(), &QHeaderView::sectionClicked, this, [this](int col) {
        sortRen(col, shiftHeld());
    });
    connect(lvRen, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *it) { openRow(it); });

    rbRenRules = new QRadioButton(QStringLiteral("Правило"), this);
    rbRenSpis = new QRadioButton(QStringLiteral("Список"), this);
    rbRenRules->setChecked(true);
    auto *modes = new QButtonGroup(this);
    modes->addButton(rbRenRules);
    modes->addButton(rbRenSpis);
    sbRules = new QPushButton(QStringLiteral("Задать правило"), this);
    sbTest = new QPushButton(QStringLiteral("Тест"), this);
    sbRename = new QPushButton(QStringLiteral("Переименовать"), this);
    sbSpr = new QPushButton(QStringLiteral("Справка"), this);
    auto tool = [this](const QString &text, const QString &hint) {
        auto *b = new QToolButton(this);
        b->setText(text);
        b->setToolTip(hint);
        return b;
    };
    sbSelall = tool(QStringLiteral("++"), QStringLiteral("Выделить все"));
    sbClearSel = tool(QStringLiteral("--"), QStringLiteral("Снять выделение"));
    sbProsmRen = tool(QStringLiteral("Просмотр"), QStringLiteral("Просмотр выделенных\r\nShift + клик: открыть логи"));
    for (QWidget *b : {static_cast<QWidget *>(sbRules), static_cast<QWidget *>(sbTest),
                       static_cast<QWidget *>(sbRename), static_cast<QWidget *>(sbSpr)})
        b->setFocusPolicy(Qt::TabFocus);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(rbRenRules);
    bottom->addWidget(rbRenSpis);
    bottom->addWidget(sbRules);
    bottom->addWidget(sbTest);
    bottom->addWidget(sbRename);
    bottom->addStretch();
    bottom->addWidget(sbSelall);
    bottom->addWidget(sbClearSel);
    bottom->addWidget(sbProsmRen);
    bottom->addWidget(sbSpr);
    auto *v = new QVBoxLayout(this);
    v->addWidget(lvRen, 1);
    v->addLayout(bottom);
    modeChanged();
    const int right = rbRenRules->sizeHint().width() + rbRenSpis->sizeHint().width() + sbRules->sizeHint().width()
                    + sbTest->sizeHint().width() + sbRename->sizeHint().width() + 5 * bottom->spacing()
                    + v->contentsMargins().left();
    setMinimumSize(right + 16, 200);
    // Every column in view where the screen allows; 48 is the frame, the
    // margins and the scroll bar of a long list.
    int columns = qMax(lvRen->header()->sectionSizeHint(CResult), lvRen->header()->defaultSectionSize()) + 48;
    for (int c = 0; c < CResult; ++c)
        columns += lvRen->columnWidth(c);
    const int screen = QGuiApplication::primaryScreen()->availableGeometry().width();
    resize(qMax(right + 16, qMin(qMax(1100, columns), screen)), 420);

    connect(rbRenRules, &QRadioButton::toggled, this, [this] { modeChanged(); });
    connect(sbRules, &QPushButton::clicked, this, [this] { sbRulesClick(); });
    connect(sbTest, &QPushButton::clicked, this, [this] { Renamer(true); });
    connect(sbRename, &QPushButton::clicked, this, [this] { Renamer(false); });
    connect(sbSelall, &QToolButton::clicked, lvRen, &QTreeWidget::selectAll);
    connect(sbClearSel, &QToolButton::clicked, lvRen, &QTreeWidget::clearSelection);
    connect(sbSpr, &QPushButton::clicked, this, [this] { sbSprClick(); });
    connect(sbProsmRen, &QToolButton::clicked, this, [this] {
        sbProsmRenClick(shiftHeld());
    });
}

void TRenPrevForm::modeChanged()
{
    const bool rules = rbRenRules->isChecked();
    sbRules->setText(rules ? QStringLiteral("Задать правило") : QStringLiteral("Список/список"));
    sbRules->setToolTip(rules ? QStringLiteral("Задать правило переименования")
                              : QStringLiteral("Переименовать список на список"));
    sbTest->setVisible(rules);
    sbRename->setVisible(rules);
}

bool TRenPrevForm::busy() const { return m_ops.busy(); }

void TRenPrevForm::sbRulesClick()
{
    if (busy())
        return;
    if (rbRenRules->isChecked()) {
        m_edit->exec();
        return;
    }
    QList<QTreeWidgetItem *> sel;
    for (int i = 0; i < lvRen->topLevelItemCount(); ++i)
        if (lvRen->topLevelItem(i)->isSelected())
            sel << lvRen->topLevelItem(i);
    if (sel.isEmpty())
        return ui().inf(QStringLiteral("Выделите строчки для переименования"));
    if (!m_spis)
        m_spis = new TRenSpisFrm(m_table, m_ops, m_lists, m_dirs, this);
    QList<RenRow> rows;
    for (QTreeWidgetItem *it : sel)
        rows << rowOf(it);
    // the rows cannot be re-ordered while the window is up, so the items stay valid
    m_spis->rowsChanged = [this, sel](const QList<RenRow> &changed) {
        for (qsizetype i = 0; i < sel.size() && i < changed.size(); ++i) {
            rowOf(sel[i]) = changed[i];
            showRow(sel[i], changed[i]);
        }
    };
    m_spis->open(rows);
    m_spis->exec();
    m_spis->rowsChanged = nullptr;
}

RenRow &TRenPrevForm::rowOf(QTreeWidgetItem *it) { return m_rows[it->data(CNum, Qt::UserRole).toInt()]; }
const RenRow &TRenPrevForm::rowOf(QTreeWidgetItem *it) const
{
    return m_rows[it->data(CNum, Qt::UserRole).toInt()];
}

void TRenPrevForm::showRow(QTreeWidgetItem *it, const RenRow &r)
{
    it->setText(CNum, QString::number(r.pos));
    it->setText(CFolder, r.folder);
    it->setText(CName, r.name);
    it->setText(CExt, r.ext);
    it->setText(CLen, r.lenText);
    it->setText(CNewName, r.newName);
    it->setText(CNewExt, r.newExt);
    it->setText(CNewLen, r.newLen);
    it->setText(CResult, r.result);
}

int TRenPrevForm::fill(const QList<int> &tableRows)
{
    const QList<RenRow> rows = renRowsFromTable(m_table, tableRows, m_dirs);
    for (const RenRow &r : rows) {
        auto *it = new QTreeWidgetItem(lvRen);
        it->setData(CNum, Qt::UserRole, int(m_rows.size()));
        m_rows.append(r);
        showRow(it, r);
    }
    if (!rows.isEmpty())
        setWindowTitle((m_dirs ? QStringLiteral("Переименование папок, в таблице: ")
                               : QStringLiteral("Переименование файлов, в таблице: "))
                       + QString::number(lvRen->topLevelItemCount()));
    return int(rows.size());
}

void TRenPrevForm::Renamer(bool test)
{
    if (busy())
        return;
    if (!m_edit->provApply()) {
        m_edit->exec();
        return;
    }
    QList<QTreeWidgetItem *> sel;
    for (int i = 0; i < lvRen->topLevelItemCount(); ++i)
        if (lvRen->topLevelItem(i)->isSelected())
            sel << lvRen->topLevelItem(i);
    const int n = int(sel.size());
    if (n == 0)
        return ui().inf(QStringLiteral("Выделите строчки для переименования"));
    TRenRule &rule = currentRule();
    QString ext1Upper, newExt;
    if (!renPrepareExt(rule, m_dirs, &ext1Upper, &newExt)) {
        ui().inf(QStringLiteral("Не определены расширения для замены"));
        m_edit->exec();
        return;
    }
    const QString op = test ? QStringLiteral("Тест") : QStringLiteral("Переименование");
    if (!ui().askTitled(op, renConfirmText(rule, m_dirs, n, test), test ? BoxIcon::Question : BoxIcon::Warning,
                        false))
        return;

    QList<RenRow> rows;
    for (QTreeWidgetItem *it : sel)
        rows << rowOf(it);
    RenameRun run;
    run.test = test;
    run.header = renLogHeader(m_dirs, n);
    run.ops = &m_ops;
    run.table = &m_table;
    run.lists = m_lists;
    run.summary = [n](int ok) { return QStringLiteral("Результат: %1 из %2").arg(ok).arg(n); };
    run.report = [this, &sel, &rows](const QString &summary) {
        for (qsizetype i = 0; i < sel.size(); ++i) {
            rowOf(sel[i]) = rows[i];
            showRow(sel[i], rows[i]);
        }
        ui().inf(summary);
    };
    run.run(rows, [&](QStringList *log) { return renBatch(rule, m_dirs, test, ext1Upper, newExt, rows, log); });
}

void TRenPrevForm::sortRen(int col, bool descending)
{
    if (busy() || col < 0 || col >= CCount)
        return;
    QList<QTreeWidgetItem *> items;
    const QList<QTreeWidgetItem *> wasSelected = lvRen->selectedItems();
    while (lvRen->topLevelItemCount() > 0)
        items << lvRen->takeTopLevelItem(0);
    const auto num = [](const QTreeWidgetItem *it) { return it->text(CNum).toInt(); };
    // -1, 0, 1 by the column, equal cells by column 0
    const auto cmp = [&](const QTreeWidgetItem *a, const QTreeWidgetItem *b) {
        int c = 0;
        if (col == CLen || col == CNewLen) {
            const int x = lengthKey(a->text(col)), y = lengthKey(b->text(col));
            c = x < y ? -1 : x > y ? 1 : 0;
        } else if (col == CResult) {
            c = a->text(col).compare(b->text(col));
        } else if (col != CNum) {
            c = a->text(col).toUpper().localeAwareCompare(b->text(col).toUpper());
        }
        if (c == 0)
            c = num(a) < num(b) ? -1 : num(a) > num(b) ? 1 : 0;
        return c;
    };
    std::stable_sort(items.begin(), items.end(), [&](const QTreeWidgetItem *a, const QTreeWidgetItem *b) {
        return descending ? cmp(a, b) > 0 : cmp(a, b) < 0;
    });
    lvRen->addTopLevelItems(items);
    for (QTreeWidgetItem *it : wasSelected)
        it->setSelected(true);
    zv(descending ? 2 : 3);
    lvRen->setFocus();
    for (int i = 0; i < lvRen->topLevelItemCount(); ++i)
        if (lvRen->topLevelItem(i)->isSelected()) {
            lvRen->scrollToItem(lvRen->topLevelItem(i));
            break;
        }
}

void TRenPrevForm::moveRow(int from, int to)
{
    const int count = lvRen->topLevelItemCount();
    if (count < 2 || from < 0 || from >= count || to < 0 || to > count || to == from)
        return;
    const QList<QTreeWidgetItem *> wasSelected = lvRen->selectedItems();
    QTreeWidgetItem *it = lvRen->takeTopLevelItem(from);
    lvRen->insertTopLevelItem(to > from ? to - 1 : to, it);
    lvRen->setCurrentItem(it);
    for (QTreeWidgetItem *w : wasSelected)
        w->setSelected(true);
    it->setSelected(true);
    zv(3);
}

QString TRenPrevForm::ruleHelpText()
{
    return QStringLiteral(
        "1) Для переименования создайте правило, выделите строчки в таблице и нажмите \"Тест\" (для проверки "
        "правила) или \"Переименовать\".\r\n\r\n"
        "2) Колонки в таблице сортируются, возможно перетаскивание строк мышкой.\r\n"
        "Правило переименования применяется начиная с верхних выделенных строк к нижним.\r\n"
        "Двойной клик по строчке таблицы: свойства\r\n\r\n"
        "3) Результат теста \"Тест OK\" не учитывает существование файлов/папок с таким именем, атрибуты и др.\r\n"
        "Т.е. для пройденного теста может быть ошибка переименования.\r\n\r\n"
        "4) Для файлов: заданное правило применяется отдельно к имени файла и его расширению.\r\n\r\n"
        "5) После применения правила (даже если правило не выполняет никаких действий):\r\n"
        " -производится удаление пробелов и точек по краям имени файла (без учета расширения)/папки\r\n"
        " -производится удаление \"двойных\" пробелов, например, имя файла/папки  \"А  Б\"  станет \"А Б\"\r\n\r\n"
        "6) Новая длина имени (без учета расширения) должна быть от 1 до 80 символов.\r\n"
        "Длина полного пути (папка + имя + расширение) не должна превышать 255 символов.\r\n\r\n"
        "7) Файлы без расширения не переименовываются, можно использовать:\r\n"
        "- \"Быстрое переименование\" (Shift + F9)\r\n"
        "- Конт. меню \"Выдел. строчки - Дополнит. переименование (файлы) - Добавить расширение\"");
}

QString TRenPrevForm::listHelpText()
{
    return QStringLiteral(
        "1) Для переименования выделите строчки в таблице и нажмите \"Список / Список\".\r\n\r\n"
        "2) В открывшемся окне: слева - имена выделенных строк без расширений,\r"
        "справа - новые имена без расширений. Для теста и переименования:\r"
        "число строк новых имен (справа) должно совпадать с числом строк имен (слева).\r\n\r\n"
        "3) Для удаления запрещенных символов из списка новых имен - нажмите \"Формат\".\r\n\r\n"
        "4) После нажатия \"Тест\" или \"Переименовать\":\r"
        "- производится удаление запрещенных символов, то же, что кнопка \"Формат\"\r"
        "- если справа пустая строка: соотв. файл/папка слева - пропускается\r"
        "- результат пишется в поле имен (слева), надпись \"Результат\" и таблицу переименования.\r\n\r\n"
        "5) Если видна надпись \"Результат\": переключатели \"Полный путь\"\r"
        "и \"Только имя\" - показывают в поле имен результат теста/переименования");
}

void TRenPrevForm::sbSprClick()
{
    const YesOk a = ui().vprYesOK(
        QStringLiteral("Выберите справку по переименованию:\r[Yes]: по заданному правилу\r[OK] : список на список"));
    if (a == YesOk::Yes)
        ui().infTitled(QStringLiteral("Справка по переименованию"), ruleHelpText());
    else if (a == YesOk::Ok)
        ui().infTitled(QStringLiteral("Справка по переименованию"), listHelpText());
}

QStringList TRenPrevForm::viewLines(bool newNames) const
{
    QStringList out;
    for (int i = 0; i < lvRen->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *it = lvRen->topLevelItem(i);
        if (!it->isSelected())
            continue;
        const QString name = it->text(newNames ? CNewName : CName);
        const QString ext = it->text(newNames ? CNewExt : CExt);
        if (name.isEmpty() || (!m_dirs && ext.isEmpty()))
            continue;
        out << it->text(CFolder) + name + (m_dirs ? QString() : QLatin1Char('.') + ext);
    }
    return out;
}

void TRenPrevForm::sbProsmRenClick(bool shift)
{
    if (shift) {
        feedback().showLog();
        return;
    }
    if (busy())
        return;
    const QList<QTreeWidgetItem *> sel = lvRen->selectedItems();
    if (sel.isEmpty())
        return ui().inf(QStringLiteral("Выделите строчки для просмотра"));
    int m = 0;
    for (const QTreeWidgetItem *it : sel)
        if (!it->text(CNewName).isEmpty())
            ++m;
    const YesOk a = ui().vprYesOK(QStringLiteral("Выберите колонку для просмотра:\r[YES]: Имя (выделено: ")
                                  + QString::number(sel.size()) + QStringLiteral(")\r[OK]:  Новое имя (выделено: ")
                                  + QString::number(m) + QLatin1Char(')'));
    if (a == YesOk::Cancel)
        return;
    if (a == YesOk::Ok && m == 0)
        return ui().inf(QStringLiteral("Не найдено записей в выделенных строчках, колонка \"Имя (новое)\""));
    const bool newNames = a == YesOk::Ok;
    Prosmotr(m_dirs ? ViewMode::Folders : ViewMode::Files, viewLines(newNames),
             QStringLiteral("таблице, колонка \"") + (newNames ? QStringLiteral("Новое имя\"") : QStringLiteral("Имя\"")),
             this);
}

void TRenPrevForm::openRow(QTreeWidgetItem *item)
{
    if (!item || lvRen->selectedItems().size() != 1)
        return;
    const QString path = item->text(CFolder) + item->text(CName)
                       + (m_dirs ? QString() : QLatin1Char('.') + item->text(CExt));
    fs::Entry e;
    if (!fs::lookupNative(fs::nativePath(path), &e))
        return ui().inf(QStringLiteral("Не найден файл/папка:\r") + path);
    if (openProperties)
        openProperties(path, m_dirs);
}

void TRenPrevForm::mousePressEvent(QMouseEvent *event)
{
    m_dragFrom = event->globalPosition().toPoint() - frameGeometry().topLeft();
    QDialog::mousePressEvent(event);
}

void TRenPrevForm::mouseMoveEvent(QMouseEvent *event)
{
    // the panel below the list moves the window
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - m_dragFrom);
    QDialog::mouseMoveEvent(event);
}

} // namespace vt
