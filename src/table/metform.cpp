#include "table/metform.h"

#include "base/services.h"
#include "table/core/selection.h"
#include "table/core/sorting.h"
#include "table/resulttable.h"
#include "table/tablecommands.h"
#include "widgets/keystate.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vt {
namespace {

std::function<void()> &sizeReport()
{
    static std::function<void()> f;
    return f;
}


} // namespace

void TMetForm::setSizeReport(std::function<void()> report) { sizeReport() = std::move(report); }

QPushButton *TMetForm::addButton(const QString &name, const QString &text)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    m_buttons << b;
    return b;
}

QPushButton *TMetForm::button(const QString &name) const
{
    for (QPushButton *b : m_buttons)
        if (b->objectName() == name)
            return b;
    return nullptr;
}

TMetForm::TMetForm(TableCommands *commands, QWidget *parent) : QDialog(parent), m_commands(commands)
{
    setWindowTitle(QStringLiteral("Установить выделение строк"));
    setObjectName(QStringLiteral("TMetForm"));

    m_info = new QLabel(this);
    QFont bold = m_info->font();
    bold.setBold(true);
    m_info->setFont(bold);
    m_info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_info->setFrameShape(QFrame::StyledPanel);
    m_info->setMargin(6);

    m_rbAdd = new QRadioButton(QStringLiteral("Добавить метки"), this);
    m_rbRemove = new QRadioButton(QStringLiteral("Снять метки"), this);
    m_rbAdd->setChecked(true);
    connect(m_rbAdd, &QRadioButton::toggled, this, [this] { updateHints(); });

    QPushButton *selAll = addButton(QStringLiteral("sbSelAll"), QStringLiteral("Выделить все"));
    QPushButton *clear = addButton(QStringLiteral("sbClear"), QStringLiteral("Снять выделение"));
    QPushButton *files = addButton(QStringLiteral("sbFiles"), QStringLiteral("Файлы"));
    QPushButton *dirs = addButton(QStringLiteral("sbDirs"), QStringLiteral("Папки"));
    QPushButton *rev = addButton(QStringLiteral("sbRev"), QStringLiteral("Реверс"));
    QPushButton *sortB = addButton(QStringLiteral("sbSort"), QStringLiteral("Сортировать"));
    QPushButton *mix = addButton(QStringLiteral("sbMix"), QStringLiteral("Перемешать"));
    QPushButton *del = addButton(QStringLiteral("sbDel"), QStringLiteral("Удалить из таблицы"));
    QPushButton *findB = addButton(QStringLiteral("sbFind"), QStringLiteral("Найти"));
    QPushButton *sizeB = addButton(QStringLiteral("sbSize"), QString());
    QPushButton *search = addButton(QStringLiteral("sbSearch"), QStringLiteral("Поиск..."));
    QPushButton *act = addButton(QStringLiteral("sbAct"), QStringLiteral("Действия"));
    QPushButton *close = addButton(QStringLiteral("sbClose"), QStringLiteral("Закрыть"));
    sizeB->setIcon(style()->standardIcon(QStyle::SP_DriveHDIcon));
    sizeB->setToolTip(QStringLiteral("Объем выделенных / всех файлов"));

    m_cmbCol = new QComboBox(this);
    m_cmbCol->setObjectName(QStringLiteral("cmbCol"));
    m_cmbCol->addItems(searchColumnCaptions());
    m_cmbCol->setCurrentIndex(searchPositionOf(findState().column));
    m_cmbFindAll = new QComboBox(this);
    m_cmbFindAll->setObjectName(QStringLiteral("cmbFindAll"));
    m_cmbFindAll->setEditable(true);
    m_cmbFindAll->setInsertPolicy(QComboBox::NoInsert);
    m_cmbFindAll->lineEdit()->setMaxLength(FindTextMax);
    m_cmbFindAll->addItems(findState().history);
    if (m_cmbFindAll->count() > 0)
        m_cmbFindAll->setCurrentIndex(0);
    m_cmbFindAll->setMinimumWidth(200);

    // Mode group: the controls whose action follows the mode.
    m_group = new QGroupBox(this);
    auto *g = new QGridLayout(m_group);
    g->addWidget(files, 0, 0);
    g->addWidget(dirs, 0, 1);
    g->addWidget(m_cmbCol, 1, 0);
    g->addWidget(search, 1, 1);
    g->addWidget(m_cmbFindAll, 2, 0, 1, 2);

    auto *modes = new QHBoxLayout;
    modes->addWidget(m_rbAdd);
    modes->addWidget(m_rbRemove);
    modes->addStretch();

    auto *left = new QVBoxLayout;
    left->addWidget(m_info, 1);
    left->addWidget(findB);

    auto *tools = new QGridLayout;
    tools->addWidget(selAll, 0, 0);
    tools->addWidget(clear, 0, 1);
    tools->addWidget(rev, 1, 0);
    tools->addWidget(del, 1, 1);
    tools->addWidget(sortB, 2, 0);
    tools->addWidget(mix, 2, 1);

    auto *right = new QVBoxLayout;
    right->addLayout(modes);
    right->addWidget(m_group);
    right->addLayout(tools);

    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(sizeB);
    bottom->addStretch();
    bottom->addWidget(act);
    bottom->addWidget(close);

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addLayout(bottom);

    connect(selAll, &QPushButton::clicked, this, &TMetForm::selectAll);
    connect(clear, &QPushButton::clicked, this, &TMetForm::clearAll);
    connect(files, &QPushButton::clicked, this, [this] { byKind(false); });
    connect(dirs, &QPushButton::clicked, this, [this] { byKind(true); });
    connect(rev, &QPushButton::clicked, this, &TMetForm::reverse);
    connect(sortB, &QPushButton::clicked, this, [this] { sortMarks(shiftHeld()); });
    connect(mix, &QPushButton::clicked, this, [this] { shuffle(shiftHeld()); });
    connect(del, &QPushButton::clicked, this, &TMetForm::removeFromTable);
    connect(findB, &QPushButton::clicked, this, &TMetForm::findSelected);
    connect(search, &QPushButton::clicked, this, &TMetForm::searchAll);
    connect(act, &QPushButton::clicked, this, &TMetForm::actions);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(sizeB, &QPushButton::clicked, this, [this] {
        if (sizeReport())
            sizeReport()();
        refresh();
    });

    updateHints();
    refresh();
}

bool TMetForm::addMode() const { return m_rbAdd->isChecked(); }

void TMetForm::setAddMode(bool add)
{
    if (add)
        m_rbAdd->setChecked(true);
    else
        m_rbRemove->setChecked(true);
}

void TMetForm::updateHints()
{
    const bool add = addMode();
    m_group->setTitle(add ? QStringLiteral("Добавить") : QStringLiteral("Снять"));
    button(QStringLiteral("sbSearch"))
        ->setToolTip(QStringLiteral("Выполнить поиск с")
                     + (add ? QStringLiteral(" добавлен") : QStringLiteral("о снят"))
                     + QStringLiteral("ием меток"));
    const QString verb = add ? QStringLiteral("Добавить") : QStringLiteral("Снять");
    button(QStringLiteral("sbFiles"))->setToolTip(verb + QStringLiteral(" выделение файлов"));
    button(QStringLiteral("sbDirs"))->setToolTip(verb + QStringLiteral(" выделение папок"));
}

QString TMetForm::infoText() const
{
    const TableCounters &c = m_commands->model()->counters();
    return QStringLiteral("Выделено файлов:\n") + QString::number(c.selFiles) + QStringLiteral(" из ")
        + QString::number(c.files) + QStringLiteral("\nВыделено папок:\n")
        + QString::number(c.selFolders) + QStringLiteral(" из ") + QString::number(c.folders)
        + QStringLiteral("\n-\nВсего выделено:\n") + QString::number(c.selFiles + c.selFolders)
        + QStringLiteral(" из ") + QString::number(c.files + c.folders);
}

void TMetForm::refresh()
{
    m_info->setText(infoText());
    const TableModel *m = m_commands->model();
    const TableCounters &c = m->counters();
    const bool any = m->selectedCount() > 0;
    button(QStringLiteral("sbAct"))->setEnabled(any);
    button(QStringLiteral("sbFind"))->setEnabled(any);
    button(QStringLiteral("sbDel"))->setEnabled(any);
    button(QStringLiteral("sbFiles"))->setEnabled(c.files > 0);
    button(QStringLiteral("sbSize"))->setEnabled(c.files > 0 && bool(sizeReport()));
    button(QStringLiteral("sbDirs"))->setEnabled(c.folders > 0);
    button(QStringLiteral("sbSort"))->setEnabled(m->size() >= 2);
    button(QStringLiteral("sbMix"))->setEnabled(m->size() >= 2);
}

void TMetForm::selectAll()
{
    m_commands->SelTab(SelectAll::Select);
    refresh();
}

void TMetForm::clearAll()
{
    m_commands->SelTab(SelectAll::Clear);
    refresh();
}

void TMetForm::byKind(bool folders)
{
    m_commands->selectByKind(addMode(), folders, !folders);
    refresh();
}

void TMetForm::reverse()
{
    m_commands->invert();
    refresh();
}

void TMetForm::sortMarks(bool shift)
{
    m_commands->sort(SortMarks, shift ? 1 : -1);
    refresh();
}

void TMetForm::shuffle(bool shift)
{
    m_commands->sort(SortRandom, shift ? 1 : -1);
    refresh();
}

void TMetForm::removeFromTable()
{
    m_commands->removeSelectedAsk();
    if (m_commands->model()->size() == 0) {
        reject();
        return;
    }
    refresh();
}

void TMetForm::findSelected()
{
    const int row = m_commands->model()->firstSelected();
    if (row >= 0) {
        m_commands->table()->scrollToRow(row);
        zv(3);
    }
    refresh();
}

void TMetForm::searchAll()
{
    TableModel *m = m_commands->model();
    const bool add = addMode();
    const QString refusal = markAllRefusal(*m, add);
    if (!refusal.isEmpty()) {
        ui().inf(refusal);
        refresh();
        return;
    }
    const int column = searchColumnAt(m_cmbCol->currentIndex());
    findState().column = column;
    QStringList items;
    for (int i = 0; i < m_cmbFindAll->count(); ++i)
        items << m_cmbFindAll->itemText(i);
    const QString needle = getStrFind(items, m_cmbFindAll->currentText());
    if (needle.isEmpty()) {
        refresh();
        return;
    }
    m_cmbFindAll->clear();
    m_cmbFindAll->addItems(items);
    m_cmbFindAll->setCurrentIndex(0);
    const MarkAllResult res = markAll(*m, add, column, needle, m_commands->busy());
    m_commands->table()->notifyCounters();
    ui().inf(res.text);
    refresh();
}

void TMetForm::actions()
{
    if (m_commands->model()->selectedCount() == 0) {
        ui().beep();
        return;
    }
    accept();
}

} // namespace vt
