#include "lists/openvarform.h"

#include "base/runstate.h"
#include "base/appdirs.h"
#include "base/services.h"
#include "base/settings.h"
#include "platform/fileentry.h"
#include "shell/core/shellrun.h"
#include "widgets/keystate.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace vt {
namespace {


// An existing absolute folder with its final separator, else empty.
QString existing(const QString &folder)
{
    const QString f = withFinalSeparator(folder);
    return !f.isEmpty() && QDir::isAbsolutePath(f) && fs::isDir(f) ? f : QString();
}

// The keys follow their place, not the layout: a Russian layout delivers
// Х Ъ Щ Ы for [ ] O S.
int latinKey(int key)
{
    switch (key) {
    case 0x0425: return Qt::Key_BracketLeft;
    case 0x042A: return Qt::Key_BracketRight;
    case 0x0429: return Qt::Key_O;
    case 0x042B: return Qt::Key_S;
    default: return key;
    }
}

QString withFolder(const QString &hint, const QString &folder)
{
    return folder.isEmpty() ? hint : hint + QLatin1Char('\n') + folder;
}

} // namespace

OpenVarSession &openVarSession()
{
    return runState().get<OpenVarSession>();
}

TOpenVarForm::TOpenVarForm(const QString &current, const QString &tableFolder, bool hideStartDir,
                           QWidget *parent)
    : QDialog(parent), m_tableFolder(tableFolder)
{
    setObjectName(QStringLiteral("TOpenVarForm"));
    setWindowTitle(QStringLiteral("Выбрать папку. Избранные папки."));
    GetOptPath();
    m_store.load(FavouriteFolders::storePath());

    lbDir = new QListWidget(this);
    lbDir->setObjectName(QStringLiteral("lbDir"));
    lbDir->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lbDir->setToolTip(QStringLiteral("Двойной клик: выбор папки\nПереход по списку, с выбором папки: клавиши [ ] "));
    eDirOpenVar = new QLineEdit(current, this);
    eDirOpenVar->setObjectName(QStringLiteral("eDirOpenVar"));
    eDirOpenVar->setReadOnly(true);
    lab1 = new QLabel(QStringLiteral("Результат:"), this);
    lab1->setObjectName(QStringLiteral("lab1"));
    lab1->setCursor(Qt::PointingHandCursor);

    cbQVyb = new QCheckBox(QStringLiteral("Быстрый выбор"), this);
    cbQVyb->setObjectName(QStringLiteral("cbQVyb"));
    cbQVyb->setToolTip(QStringLiteral("Если установлен - после выбора двойным кликом\nпапки в списке избранных "
                                      "папок - будет нажата кнопка \"Применить\""));
    cbSortDir = new QCheckBox(QStringLiteral("Сортировать"), this);
    cbSortDir->setObjectName(QStringLiteral("cbSortDir"));
    cbSortDir->setToolTip(QStringLiteral("Установлен - папки в списке сортированы по имени\nСнят - в порядке добавления"));
    cbQVyb->setChecked(openVarSession().quickChoice);
    cbSortDir->setChecked(openVarSession().sorted);

    auto button = [this](const char *name, const QString &text, const QString &hint) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setAutoDefault(false);
        return b;
    };
    sbSelDir = button("sbSelDir", QStringLiteral("..."),
                      QStringLiteral("Выбрать папку: O\nShift + O, Shift + клик: выбрать папку\n(без выделения текущей папки)"));
    sbSelDir->setFixedWidth(28);
    sbAddIzbr = button("sbAddIzbr", QStringLiteral("Добавить"),
                       QStringLiteral("Добавить папку из поля \"Выбранная папка\" в список избранных: +"));
    sbDelIzbr = button("sbDelIzbr", QStringLiteral("Удалить"), QStringLiteral("Удалить выделенную папку из списка: -"));
    sbExpl = button("sbExpl", QStringLiteral("Проводник"),
                    QStringLiteral("Открыть выделенную избранную папку в проводнике: F12\nShift + клик, Shift + F12: "
                                   "открыть установленную в поле выбора папку в проводнике"));
    sbApplyDir = button("sbApplyDir", QStringLiteral("Применить"), QString());
    sbCancDir = button("sbCancDir", QStringLiteral("Закрыть"), QStringLiteral("Escape"));
    sbStartDir = button("sbStartDir", QStringLiteral("Сделать стартовой"),
                        QStringLiteral("При старте программы устанавливать\nв поле начала поиска выбранную папку\n"
                                       "Shift + клик: при старте - пустая папка начала поиска"));
    sbStartDir->setVisible(!hideStartDir);

    auto tool = [this](const char *name, QStyle::StandardPixmap icon, const QString &hint) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(hint);
        b->setAutoRaise(true);
        return b;
    };
    sbAddFromIzb = tool("sbAddFromIzb", QStyle::SP_ArrowDown,
                        QStringLiteral("Выделенную избранную папку (вверху)\n- в результат"));
    sbRefr = tool("sbRefr", QStyle::SP_FileDialogDetailedView, QString());
    sbOwnDir = tool("sbOwnDir", QStyle::SP_DirHomeIcon, QString());

    auto *side = new QVBoxLayout;
    for (QPushButton *b : {sbAddIzbr, sbDelIzbr, sbExpl, sbStartDir})
        side->addWidget(b);
    side->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addWidget(lbDir, 1);
    top->addLayout(side);
    auto *mid = new QHBoxLayout;
    mid->addWidget(sbAddFromIzb);
    mid->addStretch(1);
    mid->addWidget(sbRefr);
    mid->addWidget(sbOwnDir);
    auto *res = new QHBoxLayout;
    res->addWidget(lab1);
    res->addWidget(eDirOpenVar, 1);
    res->addWidget(sbSelDir);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(cbQVyb);
    bottom->addWidget(cbSortDir);
    bottom->addStretch(1);
    bottom->addWidget(sbApplyDir);
    bottom->addWidget(sbCancDir);
    auto *col = new QVBoxLayout(this);
    col->addLayout(top, 1);
    col->addLayout(mid);
    col->addLayout(res);
    col->addLayout(bottom);
    setFixedSize(520, 330);
    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());

    connect(sbAddIzbr, &QPushButton::clicked, this, &TOpenVarForm::sbAddIzbrClick);
    connect(sbDelIzbr, &QPushButton::clicked, this, &TOpenVarForm::sbDelIzbrClick);
    connect(sbSelDir, &QPushButton::clicked, this, [this] { sbSelDirClick(shiftHeld()); });
    connect(sbExpl, &QPushButton::clicked, this, [this] { sbExplClick(shiftHeld()); });
    connect(sbApplyDir, &QPushButton::clicked, this, &TOpenVarForm::sbApplyDirClick);
    connect(sbCancDir, &QPushButton::clicked, this, &QDialog::reject);
    connect(sbStartDir, &QPushButton::clicked, this, [this] { sbStartDirClick(shiftHeld()); });
    connect(sbAddFromIzb, &QToolButton::clicked, this, &TOpenVarForm::sbAddFromIzbClick);
    connect(sbRefr, &QToolButton::clicked, this, [this] { takeSource(m_tableFolder); });
    connect(sbOwnDir, &QToolButton::clicked, this, [this] { takeSource(GetStartDir(StartDir::Folder)); });
    connect(lbDir, &QListWidget::itemDoubleClicked, this, &TOpenVarForm::lbDirDblClick);
    connect(cbSortDir, &QCheckBox::toggled, this, [this] { fillBox(); });
    lbDir->installEventFilter(this);
    eDirOpenVar->installEventFilter(this);
    lab1->installEventFilter(this);

    setSourceHints();
    fillBox();
    lbDir->setFocus();
}

TOpenVarForm::~TOpenVarForm() = default;

QString TOpenVarForm::result() const { return eDirOpenVar->text(); }

void TOpenVarForm::setSourceHints()
{
    sbRefr->setToolTip(withFolder(QStringLiteral("Установить выделенную в таблице папку:"), m_tableFolder));
    sbOwnDir->setToolTip(withFolder(QStringLiteral("Установить стартовую папку:"), GetStartDir(StartDir::Folder)));
    const QString start = openVarSession().searchStart ? openVarSession().searchStart() : QString();
    lab1->setToolTip(withFolder(QStringLiteral("Установить последнюю папку начала поиска:"), start));
}

void TOpenVarForm::fillBox(const QString &select)
{
    QStringList keep = selectedFolders();
    if (!select.isEmpty())
        keep = {select};
    lbDir->clear();
    for (const QString &f : m_store.shown(cbSortDir->isChecked())) {
        auto *item = new QListWidgetItem(f, lbDir);
        if (keep.contains(f)) {
            lbDir->setCurrentItem(item, QItemSelectionModel::Current);
            item->setSelected(true);
        }
    }
}

QStringList TOpenVarForm::selectedFolders() const
{
    QStringList out;
    for (int i = 0; i < lbDir->count(); ++i)
        if (lbDir->item(i)->isSelected())
            out << lbDir->item(i)->text();
    return out;
}

void TOpenVarForm::sbAddIzbrClick()
{
    const QString folder = existing(result());
    if (folder.isEmpty()) {
        ui().beep();
        return;
    }
    const int at = m_store.shownIndex(folder, cbSortDir->isChecked());
    if (at >= 0) {
        ui().inf(QStringLiteral("Папка имеется в списке избранных под номером ") + QString::number(at + 1)
                 + QStringLiteral(". Имя папки:\r") + folder);
        lbDir->clearSelection();
        fillBox(folder);
        return;
    }
    if (!ui().vopr(QStringLiteral("Добавить папку в избранные? Имя папки:\r") + folder))
        return;
    m_store.add(folder);
    fillBox();
    zv(3);
}

void TOpenVarForm::sbDelIzbrClick()
{
    const QStringList sel = selectedFolders();
    if (sel.isEmpty()) {
        ui().beep();
        return;
    }
    if (!ui().vopr(QStringLiteral("Удалить из списка выделенные папки (") + QString::number(sel.size())
                   + QStringLiteral(" шт.)?")))
        return;
    for (const QString &f : sel)
        m_store.remove(f);
    fillBox();
    zv(2);
}

void TOpenVarForm::sbAddFromIzbClick()
{
    const QStringList sel = selectedFolders();
    if (sel.size() != 1) {
        ui().beep();
        return;
    }
    eDirOpenVar->setText(sel.first());
    zv(3);
}

void TOpenVarForm::lbDirDblClick()
{
    const QStringList sel = selectedFolders();
    if (sel.size() != 1) {
        ui().beep();
        return;
    }
    eDirOpenVar->setText(sel.first());
    if (cbQVyb->isChecked())
        sbApplyDirClick();
    else
        zv(3);
}

void TOpenVarForm::step(int delta)
{
    const int n = lbDir->count();
    if (n == 0) {
        ui().beep();
        return;
    }
    int row = lbDir->currentRow();
    if (row < 0 || !lbDir->item(row)->isSelected())
        row = delta > 0 ? 0 : n - 1;
    else
        row = (row + delta + n) % n;
    lbDir->clearSelection();
    lbDir->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    eDirOpenVar->setText(lbDir->item(row)->text());
    zv(1);
}

void TOpenVarForm::takeSource(const QString &folder)
{
    const QString f = existing(folder);
    if (f.isEmpty()) {
        ui().beep();
        return;
    }
    eDirOpenVar->setText(f);
    zv(3);
}

void TOpenVarForm::sbSelDirClick(bool shift)
{
    const QString chosen = ui().chooseFolder(QStringLiteral("Выбрать папку"), shift ? QString() : result());
    if (chosen.isEmpty())
        return;
    eDirOpenVar->setText(withFinalSeparator(chosen));
    zv(3);
}

void TOpenVarForm::sbExplClick(bool shift)
{
    QString folder;
    if (shift) {
        folder = existing(result());
    } else {
        const QStringList sel = selectedFolders();
        if (sel.size() == 1)
            folder = existing(sel.first());
    }
    if (folder.isEmpty()) {
        ui().beep();
        return;
    }
    pusk(false, folder);
}

void TOpenVarForm::sbStartDirClick(bool shift)
{
    if (!sbStartDir->isVisible())
        return;
    const QString folder = shift ? QString() : result();
    if (folder == GetStartDir(StartDir::Folder)) {
        ui().beep();
        return;
    }
    if (!GetStartDir(StartDir::OfferFolder, folder).isEmpty())
        setSourceHints();
}

void TOpenVarForm::sbApplyDirClick()
{
    const QString folder = existing(result());
    if (folder.isEmpty()) {
        ui().beep();
        return;
    }
    eDirOpenVar->setText(folder);
    accept();
}

bool TOpenVarForm::handleKey(QKeyEvent *e)
{
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    switch (latinKey(e->key())) {
    case Qt::Key_BracketLeft: step(-1); return true;
    case Qt::Key_BracketRight: step(1); return true;
    case Qt::Key_Plus: sbAddIzbrClick(); return true;
    case Qt::Key_Minus: sbDelIzbrClick(); return true;
    case Qt::Key_O:
        if (ctrl)
            return false;
        sbSelDirClick(shift);
        return true;
    case Qt::Key_F12: sbExplClick(shift); return true;
    case Qt::Key_S:
        if (!ctrl)
            return false;
        sbApplyDirClick();
        return true;
    default: return false;
    }
}

void TOpenVarForm::keyPressEvent(QKeyEvent *e)
{
    if (!handleKey(e))
        QDialog::keyPressEvent(e);
}

bool TOpenVarForm::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::KeyPress && (watched == lbDir || watched == eDirOpenVar))
        return handleKey(static_cast<QKeyEvent *>(e));
    if (watched == lab1 && e->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
        takeSource(openVarSession().searchStart ? openVarSession().searchStart() : QString());
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void TOpenVarForm::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QDialog::mousePressEvent(e);
}

void TOpenVarForm::done(int r)
{
    if (!m_saved) {
        m_saved = true;
        openVarSession().quickChoice = cbQVyb->isChecked();
        openVarSession().sorted = cbSortDir->isChecked();
        if (m_store.changed())
            m_store.save(); // a favourite list that cannot be written is not worth a message
    }
    QDialog::done(r);
}

bool OpenIzb(const QString &current, const QString &tableFolder, QString &chosen, bool hideStartDir,
             QWidget *parent)
{
    chosen.clear();
    TOpenVarForm form(current, tableFolder, hideStartDir, parent);
    if (form.exec() != QDialog::Accepted || form.result() == withFinalSeparator(current))
        return false;
    chosen = form.result();
    zv(3);
    return true;
}

} // namespace vt
