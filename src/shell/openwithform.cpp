#include "shell/openwithform.h"

#include "base/appdirs.h"
#include "base/services.h"
#include "platform/programicon.h"
#include "shell/core/shellrun.h"

#include <QCheckBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QSaveFile>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vt {
namespace {

QLabel *link(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setCursor(Qt::PointingHandCursor);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    return l;
}

// The picture of a program icon at one size on a white ground (bitmaps keep no alpha).
QImage iconImage(const QIcon &icon, int side)
{
    const QPixmap pm = icon.pixmap(side, side);
    if (pm.isNull() || pm.width() == 0)
        return {};
    QImage img(pm.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.drawPixmap(0, 0, pm);
    return img;
}

// Never over an earlier picture: a name taken moves on by a second.
QString freeBmpPath(const QString &folder, QDateTime t)
{
    QString path = bmpFileName(folder, t);
    while (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        t = t.addSecs(1);
        path = bmpFileName(folder, t);
    }
    return path;
}

} // namespace

QIcon programIcon(const QString &program)
{
    const QString name = fs::programIconName(program);
    QIcon icon;
    if (QDir::isAbsolutePath(name))
        icon = QIcon(name);
    else if (!name.isEmpty())
        icon = QIcon::fromTheme(name);
    if (icon.isNull())
        icon = QIcon::fromTheme(QFileInfo(program).fileName());
    if (icon.isNull())
        icon = QFileIconProvider().icon(QFileInfo(program));
    if (icon.isNull())
        icon = QIcon::fromTheme(QStringLiteral("application-x-executable"));
    return icon;
}

TOpenWithForm::TOpenWithForm(bool single, const QStringList &paths, const QString &page, QWidget *parent)
    : QDialog(parent), m_paths(paths), m_page(page), m_single(single)
{
    setWindowTitle(QStringLiteral("Открыть с помощью..."));
    setObjectName(QStringLiteral("TOpenWithForm"));

    labFile = link(QStringLiteral("Файл (папка):"), this);
    labFile->setToolTip(QStringLiteral("Сохранить значок выделенной программы в файл BMP"));
    eFile = new QLineEdit(quotedPaths(paths), this);
    eFile->setReadOnly(true);
    eFile->setCursorPosition(0);

    labPrograms = new QLabel(QStringLiteral("Программы:"), this);
    lvExec = new QTreeWidget(this);
    lvExec->setHeaderLabels({QStringLiteral("Имя программы"), QStringLiteral("Полный путь к программе")});
    lvExec->setRootIsDecorated(false);
    lvExec->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvExec->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvExec->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvExec->setIconSize(QSize(16, 16));
    lvExec->setContextMenuPolicy(Qt::CustomContextMenu);
    lvExec->header()->resizeSection(0, 170);

    cbAddParam = new QCheckBox(QStringLiteral("Добавить параметр"), this);
    eAddParam = new QLineEdit(this);
    sbParamMenu = new QToolButton(this);
    sbParamMenu->setText(QStringLiteral("..."));
    sbParamMenu->setToolTip(QStringLiteral("Недавние и избранные параметры"));
    labAddPage = link(QStringLiteral("Page"), this);
    labAddPage->setToolTip(QStringLiteral("Вставить значение Page в параметр"));

    butAdd = new QPushButton(QStringLiteral("Добавить"), this);
    butDel = new QPushButton(QStringLiteral("Удалить"), this);
    butApply = new QPushButton(QStringLiteral("Применить"), this);
    butDefExec = new QPushButton(QStringLiteral("Выполнить файл"), this);
    butClose = new QPushButton(QStringLiteral("Закрыть"), this);
    butAdd->setToolTip(QStringLiteral("Добавить программу в список"));
    butDel->setToolTip(QStringLiteral("Удалить выделенные программы из списка"));
    butApply->setToolTip(QStringLiteral("Отправить файл/папку выделенной программе\r\nДвойной клик по программе - то же"));
    butDefExec->setToolTip(QStringLiteral("Выполнить/открыть файл (папку) программой по умолчанию"));
    butApply->setDefault(true);

    auto *top = new QHBoxLayout;
    top->addWidget(labFile);
    top->addWidget(eFile, 1);
    auto *param = new QHBoxLayout;
    param->addWidget(cbAddParam);
    param->addWidget(eAddParam, 1);
    param->addWidget(sbParamMenu);
    param->addWidget(labAddPage);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {butAdd, butDel})
        buttons->addWidget(b);
    buttons->addStretch(1);
    for (QPushButton *b : {butDefExec, butApply, butClose})
        buttons->addWidget(b);
    auto *v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(labPrograms);
    v->addWidget(lvExec, 1);
    v->addLayout(param);
    v->addLayout(buttons);
    resize(620, 380);

    popExec = new QMenu(this);
    miRun = popExec->addAction(QStringLiteral("Запуск программы"));
    miRunParam = popExec->addAction(QStringLiteral("Запуск с параметром (см. флажок)"));
    popExec->addSeparator();
    miFolder = popExec->addAction(QStringLiteral("Проводник в папку программы"));
    connect(popExec, &QMenu::aboutToShow, this, &TOpenWithForm::popExecPopup);
    connect(miRun, &QAction::triggered, this, [this] { runMode(RunMode::Run); });
    connect(miRunParam, &QAction::triggered, this, [this] { runMode(RunMode::RunParam); });
    connect(miFolder, &QAction::triggered, this, [this] { runMode(RunMode::Folder); });
    connect(lvExec, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { popExec->popup(lvExec->viewport()->mapToGlobal(pos)); });

    popParam = new QMenu(this);
    popRecent = new QMenu(QStringLiteral("Недавние параметры"), popParam);
    for (int i = 0; i < RecentParams::kKept; ++i) {
        QAction *a = popRecent->addAction(QString());
        connect(a, &QAction::triggered, this, [this, i] { chooseRecent(i); });
        miRecent << a;
    }
    popRecent->addSeparator();
    miClear = popRecent->addAction(QStringLiteral("Очистить"));
    connect(miClear, &QAction::triggered, this, &TOpenWithForm::clearRecent);
    miRecentMenu = popParam->addMenu(popRecent);
    miFavourites = popParam->addAction(QStringLiteral("Избранные параметры"));
    connect(miFavourites, &QAction::triggered, this, &TOpenWithForm::favouriteParams);
    connect(popParam, &QMenu::aboutToShow, this, [this] {
        miRecentMenu->setEnabled(cbAddParam->isChecked());
        miFavourites->setEnabled(cbAddParam->isChecked());
    });
    connect(sbParamMenu, &QToolButton::clicked, this,
            [this] { popParam->popup(sbParamMenu->mapToGlobal(QPoint(0, sbParamMenu->height()))); });
    for (QWidget *w : std::initializer_list<QWidget *>{cbAddParam, labAddPage}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint &pos) { popParam->popup(w->mapToGlobal(pos)); });
    }

    connect(butAdd, &QPushButton::clicked, this, &TOpenWithForm::butAddClick);
    connect(butDel, &QPushButton::clicked, this, &TOpenWithForm::butDelClick);
    connect(butApply, &QPushButton::clicked, this, [this] { runMode(RunMode::Send); });
    connect(lvExec, &QTreeWidget::itemDoubleClicked, this, [this] { runMode(RunMode::Send); });
    connect(butDefExec, &QPushButton::clicked, this, &TOpenWithForm::butDefExecClick);
    connect(butClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(cbAddParam, &QCheckBox::toggled, this, &TOpenWithForm::paramChanged);
    connect(eAddParam, &QLineEdit::textChanged, this, &TOpenWithForm::paramChanged);
    labFile->installEventFilter(this);
    labAddPage->installEventFilter(this);

    // Set-up: the newest recent parameter, the programs, the single-path extras.
    fillRecentMenu();
    if (!recentParams().list().isEmpty())
        eAddParam->setText(recentParams().list().first());
    m_list.load();
    for (const QString &p : m_list.paths())
        addRow(p);
    const bool hasPage = single && !m_page.isEmpty() && m_page != QStringLiteral("-");
    if (hasPage)
        eFile->setToolTip(m_page);
    labAddPage->setVisible(hasPage);
    butDefExec->setVisible(single);
    paramChanged();
}

void TOpenWithForm::addRow(const QString &path)
{
    auto *item = new QTreeWidgetItem(lvExec, {QFileInfo(path).fileName(), path});
    item->setIcon(0, programIcon(path));
    item->setToolTip(1, path);
}

void TOpenWithForm::selectProgram(int index)
{
    lvExec->clearSelection();
    if (QTreeWidgetItem *it = lvExec->topLevelItem(index)) {
        it->setSelected(true);
        lvExec->setCurrentItem(it);
    }
}

int TOpenWithForm::selectedIndex() const
{
    const QList<QTreeWidgetItem *> sel = lvExec->selectedItems();
    return sel.size() == 1 ? lvExec->indexOfTopLevelItem(sel.first()) : -1;
}

void TOpenWithForm::paramChanged()
{
    const bool on = cbAddParam->isChecked();
    eAddParam->setEnabled(on);
    sbParamMenu->setVisible(on);
    labAddPage->setEnabled(on);
    // White when filled, light pink while it still needs a value, the button face when unused.
    QPalette pal = eAddParam->palette();
    const QColor base = !on ? palette().color(QPalette::Button)
                      : eAddParam->text().isEmpty() ? QColor(255, 220, 225)
                                                    : QColor(Qt::white);
    pal.setColor(QPalette::Base, base);
    eAddParam->setPalette(pal);
}

void TOpenWithForm::butAddClick()
{
    const QString file = ui().chooseExistingFile(QStringLiteral("Выберите программу"),
                                                 QStringLiteral("Программы (*)|*"), QString());
    if (file.isEmpty())
        return;
    if (m_list.add(file)) {
        addRow(file);
        m_list.save();
    } else if (m_list.contains(file)) {
        ui().inf(QStringLiteral("Программа уже есть в списке:\r") + file);
    } else {
        ui().inf(QStringLiteral("Файл не является программой:\r") + file);
    }
}

void TOpenWithForm::butDelClick()
{
    const QList<QTreeWidgetItem *> sel = lvExec->selectedItems();
    if (sel.isEmpty())
        return ui().beep();
    if (!ui().vopr(QStringLiteral("Удалить выделенные строчки (") + QString::number(sel.size())
                   + QStringLiteral(" шт.) из таблицы?")))
        return;
    QList<int> rows;
    for (QTreeWidgetItem *it : sel)
        rows << lvExec->indexOfTopLevelItem(it);
    m_list.remove(rows);
    qDeleteAll(sel);
    m_list.save();
}

void TOpenWithForm::butDefExecClick()
{
    if (m_paths.size() != 1)
        return ui().beep();
    pusk(true, m_paths.first(), {}, [self = QPointer<TOpenWithForm>(this)](bool ok) {
        if (ok && self)
            self->accept();
    });
}

void TOpenWithForm::runMode(RunMode mode)
{
    const int i = selectedIndex();
    if (i < 0)
        return ui().beep();
    RunRequest r;
    r.mode = mode;
    r.program = m_list.paths().value(i);
    r.files = m_paths;
    r.paramOn = cbAddParam->isChecked();
    r.param = eAddParam->text();
    const RunResult res = runProgram(r);
    if (mode == RunMode::RunParam && res != RunResult::Refused)
        fillRecentMenu();
    if (closesDone(r, res))
        accept();
}

void TOpenWithForm::popExecPopup()
{
    const bool one = selectedIndex() >= 0;
    miRun->setEnabled(one);
    miFolder->setEnabled(one);
    miRunParam->setEnabled(one && cbAddParam->isChecked() && !eAddParam->text().isEmpty());
}

void TOpenWithForm::fillRecentMenu()
{
    const QStringList &l = recentParams().list();
    for (int i = 0; i < miRecent.size(); ++i) {
        miRecent[i]->setText(i < l.size() ? l[i] : QStringLiteral("<нет>"));
        miRecent[i]->setEnabled(i < l.size());
    }
}

void TOpenWithForm::chooseRecent(int n)
{
    const QStringList &l = recentParams().list();
    if (!cbAddParam->isChecked() || n < 0 || n >= l.size() || eAddParam->text() == l[n])
        return;
    eAddParam->setText(l[n]);
    zv(3);
}

void TOpenWithForm::clearRecent()
{
    if (!cbAddParam->isChecked() || !ui().vopr(QStringLiteral("Очистить недавние параметры?")))
        return;
    recentParams().clear();
    fillRecentMenu();
    zv(1);
}

void TOpenWithForm::favouriteParams()
{
    if (cbAddParam->isChecked() && favourites)
        favourites(eAddParam);
}

void TOpenWithForm::labAddPageClick()
{
    if (labAddPage->isHidden() || !cbAddParam->isChecked())
        return;
    eAddParam->insert(m_page);
    zv(3);
}

void TOpenWithForm::labFileClick()
{
    const int i = selectedIndex();
    if (i < 0)
        return ui().beep();
    const QString program = m_list.paths().value(i);
    // This program's own folder: never the folder of the program shown (as root that is /usr/bin).
    const QString folder = programDir();
    if (!GetCntFilesExt(folder, QStringLiteral(".BMP")))
        return;
    const YesOk size = ui().vprYesOKNoBeep(
        QStringLiteral("Сохранить рисунок BMP. Выберите размер:\r[YES]: 32 x 32\r[OK] : 16 x 16"));
    if (size == YesOk::Cancel)
        return;
    const QImage img = size == YesOk::Ok ? iconImage(lvExec->topLevelItem(i)->icon(0), 16)
                                         : iconImage(programIcon(program), 32);
    if (img.isNull() || img.width() == 0)
        return ui().beep();
    const QString file = freeBmpPath(folder, now());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || !img.save(&out, "BMP") || !out.commit())
        return ui().beep(Beep::Error);
    if (ui().vopr(QStringLiteral("Рисунок BMP ") + QString::number(img.width()) + QStringLiteral(" x ")
                  + QString::number(img.height()) + QStringLiteral(" сохранен в файле:\r") + file
                  + QStringLiteral("\rОткрыть проводник в папку программы?")))
        pusk(true, folder);
}

bool TOpenWithForm::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
        if (watched == labFile)
            labFileClick();
        else if (watched == labAddPage)
            labAddPageClick();
    }
    return QDialog::eventFilter(watched, e);
}

bool OpenWith(bool single, const QStringList &paths, const QString &page, QWidget *parent,
              std::function<void(QLineEdit *)> favourites)
{
    TOpenWithForm f(single, paths, page, parent);
    f.favourites = std::move(favourites);
    return f.exec() == QDialog::Accepted;
}

} // namespace vt
