#include "lists/vtsform.h"

#include "base/services.h"
#include "base/textutil.h"
#include "lists/vtsmarks.h"
#include "widgets/keystate.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

namespace vt {
namespace {


void paintBackground(QWidget *w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, vtsColour());
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QString dayText(qint32 day) { return dateTimeText(QDateTime(vtsDate(day), QTime(0, 0))); }

} // namespace

QColor vtsColour() { return QColor(255, 250, 240); }

TVtsChanForm::TVtsChanForm(int mark, const QString &description, bool edit, QWidget *parent)
    : QDialog(parent), m_oldMark(mark), m_oldDescription(description), m_edit(edit)
{
    setObjectName(QStringLiteral("TVtsChanForm"));
    setWindowTitle(QStringLiteral("Выбрать метку и описание списка VTS"));
    paintBackground(this);
    auto *labMet = new QLabel(QStringLiteral("Метка, тип списка:"), this);
    auto *labDesc = new QLabel(QStringLiteral("Описание (от 1 до 70 симв.)"), this);
    cmbVtsMet = new QComboBox(this);
    cmbVtsMet->setObjectName(QStringLiteral("cmbVtsMet"));
    cmbVtsMet->addItems(vtsMarkNames());
    cmbVtsMet->setCurrentIndex(mark >= 0 && mark < kVtsMarkCount ? mark : -1);
    imVts = new QLabel(this);
    imVts->setObjectName(QStringLiteral("imVts"));
    imVts->setFixedSize(kVtsMarkPictureSize, kVtsMarkPictureSize);
    imVts->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    eVtsMet = new QLineEdit(description, this);
    eVtsMet->setObjectName(QStringLiteral("eVtsMet"));
    eVtsMet->setMaxLength(kVtsDescMax);
    butOK = button(QStringLiteral("butOK"), QStringLiteral("OK"), this);
    butCanc = button(QStringLiteral("butCanc"), QStringLiteral("Отмена"), this);
    butOK->setDefault(true);

    auto *grid = new QGridLayout(this);
    grid->addWidget(labMet, 0, 0);
    grid->addWidget(cmbVtsMet, 1, 0);
    grid->addWidget(imVts, 0, 1, 2, 1, Qt::AlignRight);
    grid->addWidget(labDesc, 2, 0, 1, 2);
    grid->addWidget(eVtsMet, 3, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(butOK);
    buttons->addWidget(butCanc);
    grid->addLayout(buttons, 4, 0, 1, 2);
    setFixedSize(440, 190);

    connect(butOK, &QPushButton::clicked, this, &TVtsChanForm::butOKClick);
    connect(butCanc, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmbVtsMet, &QComboBox::currentIndexChanged, this, &TVtsChanForm::cmbVtsMetChange);
    cmbVtsMetChange();
}

int TVtsChanForm::mark() const { return cmbVtsMet->currentIndex(); }

QString TVtsChanForm::description() const { return eVtsMet->text(); }

void TVtsChanForm::cmbVtsMetChange() { imVts->setPixmap(vtsMarkPicture(mark())); }

void TVtsChanForm::butOKClick()
{
    if (mark() < 0) {
        ui().inf(QStringLiteral("Выберите метку"));
        cmbVtsMet->setFocus();
        return;
    }
    eVtsMet->setText(eVtsMet->text().trimmed());
    if (eVtsMet->text().isEmpty()) {
        ui().inf(QStringLiteral("Введите описание"));
        eVtsMet->setFocus();
        return;
    }
    if (m_edit && mark() == m_oldMark && description() == m_oldDescription) {
        ui().inf(QStringLiteral("Метка и описание не изменены"));
        return;
    }
    accept();
}

TVtsForm::TVtsForm(const QString &folder, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TVtsForm"));
    setWindowTitle(QStringLiteral("Открыть список VTS (снимок таблицы)"));
    paintBackground(this);
    lvVts = new QTreeWidget(this);
    lvVts->setObjectName(QStringLiteral("lvVts"));
    lvVts->setRootIsDecorated(false);
    lvVts->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvVts->setSelectionMode(QAbstractItemView::SingleSelection);
    lvVts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvVts->setIconSize(QSize(kVtsMarkPictureSize, kVtsMarkPictureSize));
    lvVts->setHeaderLabels({QStringLiteral("Тип"), QStringLiteral("Описание"), QStringLiteral("Записей"),
                            QStringLiteral("Создан"), QStringLiteral("Изменен"), QStringLiteral("Имя списка"),
                            QStringLiteral("Папка начала поиска")});
    lvVts->header()->setSectionsClickable(true);
    lvVts->header()->setSortIndicatorShown(false);
    const int widths[VtsColCount] = {190, 240, 60, 80, 130, 150, 200};
    for (int c = 0; c < VtsColCount; ++c)
        lvVts->setColumnWidth(c, widths[c]);

    sbChanVTS = button(QStringLiteral("sbChanVTS"), QStringLiteral("Изменить тип/описание"), this);
    sbOK = button(QStringLiteral("sbOK"), QStringLiteral("OK"), this);
    sbCanc = button(QStringLiteral("sbCanc"), QStringLiteral("Отмена"), this);
    sbHome = button(QStringLiteral("sbHome"), QStringLiteral("<<"), this);
    sbEndS = button(QStringLiteral("sbEndS"), QStringLiteral(">>"), this);
    sbHome->setToolTip(QStringLiteral("Прокрутка на начало текста\nShift + клик: установить фокус на начало текста"));
    sbEndS->setToolTip(QStringLiteral("Прокрутка на конец текста\nShift + клик: установить фокус на конец текста"));
    sbOK->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(sbHome);
    buttons->addWidget(sbEndS);
    buttons->addWidget(sbChanVTS);
    buttons->addStretch(1);
    buttons->addWidget(sbOK);
    buttons->addWidget(sbCanc);
    auto *col = new QVBoxLayout(this);
    col->addWidget(lvVts, 1);
    col->addLayout(buttons);
    setFixedSize(900, 420);

    connect(sbOK, &QPushButton::clicked, this, &TVtsForm::sbOKClick);
    connect(sbCanc, &QPushButton::clicked, this, &QDialog::reject);
    connect(sbChanVTS, &QPushButton::clicked, this, &TVtsForm::sbChanVTSClick);
    connect(sbHome, &QPushButton::clicked, this, [this] { scrollEnd(false, shiftHeld()); });
    connect(sbEndS, &QPushButton::clicked, this, [this] { scrollEnd(true, shiftHeld()); });
    connect(lvVts, &QTreeWidget::itemDoubleClicked, this, &TVtsForm::sbOKClick);
    connect(lvVts->header(), &QHeaderView::sectionClicked, this, &TVtsForm::lvVtsColumnClick);
    ReadFindVTS(folder);
}

void TVtsForm::ReadFindVTS(const QString &folder)
{
    m_folder = folder;
    m_entries = vtsEntries(folder);
    fill(QString());
    // Dates, counts and the date-made names are short: shown whole. The
    // description and the start folder take what is left.
    for (int c : {VtsColType, VtsColRecords, VtsColCreated, VtsColModified, VtsColName})
        lvVts->resizeColumnToContents(c);
}

void TVtsForm::fill(const QString &keepFile)
{
    lvVts->clear();
    QTreeWidgetItem *keep = nullptr;
    for (const VtsEntry &e : m_entries) {
        auto *it = new QTreeWidgetItem(lvVts);
        it->setIcon(VtsColType, QIcon(vtsMarkPicture(e.mark)));
        it->setText(VtsColType, vtsMarkName(e.mark));
        it->setText(VtsColDesc, e.description);
        it->setText(VtsColRecords, QString::number(e.records));
        it->setText(VtsColCreated, dayText(e.created));
        it->setText(VtsColModified, dateTimeText(e.modified));
        it->setText(VtsColName, e.fileName);
        it->setText(VtsColFolder, e.startFolder);
        it->setToolTip(VtsColDesc, e.description);
        it->setToolTip(VtsColFolder, e.startFolder);
        if (e.fileName == keepFile)
            keep = it;
    }
    if (keep) {
        lvVts->setCurrentItem(keep);
        lvVts->scrollToItem(keep);
    }
}

int TVtsForm::selectedIndex() const
{
    const QList<QTreeWidgetItem *> sel = lvVts->selectedItems();
    return sel.isEmpty() ? -1 : lvVts->indexOfTopLevelItem(sel.first());
}

void TVtsForm::sortVTS(bool sound, int column, bool descending)
{
    if (m_entries.size() < 2)
        return;
    const int at = selectedIndex();
    const QString keep = at >= 0 ? m_entries[at].fileName : QString();
    sortVtsEntries(m_entries, column, descending);
    fill(keep);
    if (sound) {
        zv(descending ? 2 : 3);
        lvVts->setFocus();
    }
}

void TVtsForm::lvVtsColumnClick(int column) { sortVTS(true, column, shiftHeld()); }

void TVtsForm::sbOKClick()
{
    const int at = selectedIndex();
    if (at < 0) {
        ui().beep();
        return;
    }
    m_chosen = m_entries[at].fileName;
    accept();
}

void TVtsForm::sbChanVTSClick()
{
    const int at = selectedIndex();
    if (at < 0) {
        ui().beep();
        return;
    }
    VtsEntry &e = m_entries[at];
    TVtsChanForm editor(e.mark, e.description, true, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    const QString path = m_folder + e.fileName;
    if (rewriteVtsHeader(path, editor.mark(), editor.description()) != HeaderRewrite::Done) {
        ui().inf(QStringLiteral("Ошибка ввода/вывода:\r") + path);
        return;
    }
    e.mark = editor.mark();
    e.description = editor.description().left(kVtsDescMax);
    const QFileInfo written(path);
    e.modified = written.lastModified();
    QTreeWidgetItem *it = lvVts->topLevelItem(at);
    it->setIcon(VtsColType, QIcon(vtsMarkPicture(e.mark)));
    it->setText(VtsColType, vtsMarkName(e.mark));
    it->setText(VtsColDesc, e.description);
    it->setText(VtsColModified, dateTimeText(e.modified));
    zv(2);
}

void TVtsForm::scrollEnd(bool last, bool focus)
{
    const int n = lvVts->topLevelItemCount();
    if (n == 0)
        return;
    QTreeWidgetItem *it = lvVts->topLevelItem(last ? n - 1 : 0);
    lvVts->scrollToItem(it);
    if (focus) {
        lvVts->setCurrentItem(it);
        lvVts->setFocus();
    }
}

void TVtsForm::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QDialog::mousePressEvent(e);
}

} // namespace vt
