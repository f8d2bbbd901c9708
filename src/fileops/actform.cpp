#include "fileops/actform.h"

#include "base/services.h"
#include "base/settings.h"
#include "fileops/clicklabel.h"
#include "fileops/core/recenttargets.h"
#include "fileops/rewriteform.h"
#include "fileops/showrewrinf.h"
#include "platform/fileentry.h"
#include "shell/core/shellrun.h"
#include "table/core/tablemodel.h"
#include "widgets/keystate.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vt {

namespace {

constexpr int kMaxFiles = 1000;
constexpr int kMaxSend = 20;


// The last folder name of the start folder with its separator.
QString aliasOf(const QString &start)
{
    if (start.size() <= 3)
        return start;
    const QString trimmed = start.endsWith(QLatin1Char('/')) ? start.chopped(1) : start;
    const QString last = trimmed.mid(trimmed.lastIndexOf(QLatin1Char('/')) + 1) + QLatin1Char('/');
    return last.size() < 2 ? start : last;
}

} // namespace

QString TActfrm::copyHelpText()
{
    return QStringLiteral(
        "Кнопка \"Копировать\" или п. \"Копировать с добавлением префиксов:\rвыделенные файлы копируются в "
        "выбранную папку, при совпадении имен добавляется префикс от 001- до 999-\r\rп. Копировать с "
        "перезаписью:\rвыделенные файлы также копируются в одну выбранную папку, но при совпадении имен нужно "
        "выбрать какие файлы будут перезаписаны.\rНе рекомендуется для резервного копирования, т.к. если "
        "файлы-источники из разных папок - они будут в одной папке, и могут перезаписать друг друга.\r\rп. "
        "Резервное копирование:\rРазрешено ТОЛЬКО если был поиск по шаблону, и колонка \"Папка\" содержит "
        "ОТНОСИТЕЛЬНЫЕ пути папок.\rПри нахождении совпадающих имен - нужно будет выбрать, какие файлы будут "
        "перезаписаны.\rПри копировании, при необходимости, создаются вложенные папки.\r\rп. Проверить / создать "
        "вложенные папки для резервного копирования:\rПроверяется число папок, которые будут созданы, выводятся "
        "имена, при желании можно создать эти папки (пустые).");
}

TActfrm::TActfrm(TableModel &table, OperationContext &ops, CopyMoveHooks copyHooks, ActHooks hooks,
                 QWidget *parent)
    : QDialog(parent), m_table(table), m_ops(ops), m_hooks(std::move(hooks)),
      m_mover(table, ops, settings().lcm, [&] {
          copyHooks.hideWindow = [this] { hide(); };
          copyHooks.review = [this](const RewriteScan &scan) -> std::optional<ReviewDecision> {
              TReWriteFrm f(scan, m_table.startFolder(), this);
              f.rowsRemoved = [this](const QList<int> &rows) {
                  for (int row : rows)
                      m_table.setSelected(row, false);
              };
              f.exec();
              return f.decision();
          };
          copyHooks.showNewDirs = [this](const QString &target, const QStringList &dirs) {
              ShowInf(InfKind::NewDirs, target, dirs, this);
          };
          return copyHooks;
      }())
{
    setWindowTitle(QStringLiteral("Действия с файлами/папками"));
    const TableCounters &c = table.counters();
    const QString start = table.startFolder();

    labInf = new QLabel(QStringLiteral("Выделено файлов: %1 из %2, папок: %3 из %4\nВсего выделено: %5 из %6")
                            .arg(c.selFiles).arg(c.files).arg(c.selFolders).arg(c.folders)
                            .arg(c.selFiles + c.selFolders).arg(c.files + c.folders),
                        this);

    auto *gbSpis = new QGroupBox(QStringLiteral("Файлы и папки"), this);
    sbSaveSpis = new QPushButton(QStringLiteral("Сохранить как VTL"), gbSpis);
    sbAddSpis = new QPushButton(QStringLiteral("Добавить к VTL"), gbSpis);
    sbSaveAsTxt = new QPushButton(QStringLiteral("Сохранить как текст >>"), gbSpis);
    rbSaveTXT = new QRadioButton(QStringLiteral("TXT"), gbSpis);
    rbSaveVTX = new QRadioButton(QStringLiteral("VTX"), gbSpis);
    rbSaveM3U = new QRadioButton(QStringLiteral("M3U"), gbSpis);
    rbSaveCSV = new QRadioButton(QStringLiteral("CSV"), gbSpis);
    // The row of formats is wide: the button keeps its whole caption.
    sbSaveAsTxt->setMinimumWidth(sbSaveAsTxt->sizeHint().width());
    rbSaveTXT->setChecked(true);
    cbKav = new QCheckBox(QStringLiteral("Кавычки"), gbSpis);
    cbAls = new QCheckBox(QStringLiteral("Строка - замена"), gbSpis);
    eAls = new QLineEdit(gbSpis);
    sbGenAls = new QPushButton(QStringLiteral("<"), gbSpis);
    sbGenAls->setFixedWidth(28);
    cbTempFile = new QCheckBox(QStringLiteral("TempFile"), gbSpis);
    sbSaveVTS = new QPushButton(QStringLiteral("Сохранить как VTS"), gbSpis);
    sbOpenWith = new QPushButton(QStringLiteral("Отправить..."), gbSpis);
    sbOpenWith->setEnabled(c.selFiles + c.selFolders <= kMaxSend);
    cbAls->setEnabled(!start.isEmpty());
    eAls->setEnabled(false);
    sbGenAls->setEnabled(false);
    if (!start.isEmpty()) {
        eAls->setText(aliasOf(start));
        eAls->setToolTip(eAls->text());
    }
    auto *gs = new QGridLayout(gbSpis);
    gs->addWidget(sbSaveSpis, 0, 0);
    gs->addWidget(sbAddSpis, 0, 1);
    gs->addWidget(sbSaveVTS, 0, 2);
    gs->addWidget(sbOpenWith, 0, 3);
    gs->addWidget(sbSaveAsTxt, 1, 0);
    auto *fmt = new QHBoxLayout;
    fmt->addWidget(rbSaveTXT);
    fmt->addWidget(rbSaveVTX);
    fmt->addWidget(rbSaveM3U);
    fmt->addWidget(rbSaveCSV);
    fmt->addWidget(cbKav);
    fmt->addWidget(cbTempFile);
    fmt->addStretch();
    gs->addLayout(fmt, 1, 1, 1, 3);
    auto *als = new QHBoxLayout;
    als->addWidget(cbAls);
    als->addWidget(eAls, 1);
    als->addWidget(sbGenAls);
    gs->addLayout(als, 2, 0, 1, 4);

    m_filesEnabled = c.selFiles >= 1 && c.selFiles <= kMaxFiles;
    gbFil = new QGroupBox(QStringLiteral("Только файлы (не более 1000)"), this);
    eDirCopyMove = new QLineEdit(gbFil);
    eDirCopyMove->setReadOnly(true);
    eDirCopyMove->setContextMenuPolicy(Qt::CustomContextMenu);
    sbIzbDir = new QPushButton(QStringLiteral("..."), gbFil);
    sbIzbDir->setFixedWidth(36);
    sbIzbDir->setToolTip(QStringLiteral("Выбрать папку из избранных\nShift + клик: открыть папку в проводнике"));
    sbIzbDir->setContextMenuPolicy(Qt::CustomContextMenu);
    sbCopyFil = new QPushButton(QStringLiteral("Копировать"), gbFil);
    sbCopyFil->setToolTip(QStringLiteral("Shift + клик: справка по копированию\nКонт. меню: режимы копирования"));
    sbCopyFil->setContextMenuPolicy(Qt::CustomContextMenu);
    sbMoveFil = new QPushButton(QStringLiteral("Переместить"), gbFil);
    sbFndTxtFil = new QPushButton(QStringLiteral("Поиск по текстам"), gbFil);
    sbRenFil = new QPushButton(QStringLiteral("Переименовать"), gbFil);
    sbRenFil->setToolTip(QStringLiteral("Множественное переименование файлов\nпо заданному правилу или по списку.\n"
                                        "Только для файлов, имеющих расширение."));
    labDopRen = new ClickLabel(QStringLiteral("Дополн. переименование"), gbFil);
    sbDelFiles = new QPushButton(QStringLiteral("Удалить"), gbFil);
    auto *gf = new QGridLayout(gbFil);
    auto *target = new QHBoxLayout;
    target->addWidget(eDirCopyMove, 1);
    target->addWidget(sbIzbDir);
    gf->addLayout(target, 0, 0, 1, 4);
    gf->addWidget(sbCopyFil, 1, 0);
    gf->addWidget(sbMoveFil, 1, 1);
    gf->addWidget(sbFndTxtFil, 1, 2);
    gf->addWidget(sbDelFiles, 1, 3);
    gf->addWidget(sbRenFil, 2, 0);
    gf->addWidget(labDopRen, 2, 1);
    for (QWidget *w : std::initializer_list<QWidget *>{sbIzbDir, sbCopyFil, sbMoveFil, sbFndTxtFil, sbDelFiles,
                                                       sbRenFil, labDopRen, eDirCopyMove})
        w->setEnabled(m_filesEnabled);
    if (!m_filesEnabled) {
        QPalette p = gbFil->palette();
        p.setColor(QPalette::WindowText, Qt::gray);
        gbFil->setPalette(p);
    } else {
        eDirCopyMove->setText(settings().lcm);
    }

    sbMet = new QPushButton(QStringLiteral("Метки"), this);
    sbClose = new QPushButton(QStringLiteral("Закрыть"), this);

    popOldCM = new QMenu(this);
    for (int i = 0; i < RecentTargets::kMax; ++i) {
        QAction *a = popOldCM->addAction(i == 0 ? QStringLiteral("<нет папок>") : QString());
        a->setVisible(i == 0);
        a->setEnabled(false);
        connect(a, &QAction::triggered, this, [this, i] { miOldCMClick(i); });
        miOldCM << a;
    }
    miProvOldCMLine = popOldCM->addSeparator();
    miProvOldCM = popOldCM->addAction(QStringLiteral("Проверить пути папок"));
    miProvOldCMLine->setVisible(false);
    miProvOldCM->setVisible(false);
    connect(miProvOldCM, &QAction::triggered, this, &TActfrm::miProvOldCMClick);

    popCopy = new QMenu(this);
    const QStringList modes = {QStringLiteral("Копировать (добавить префиксы при совпадении имен)"),
                               QStringLiteral("Копировать (перезаписать при совпадении имен)"),
                               QStringLiteral("Резервное копирование (перезапись + вложенные папки)"),
                               QStringLiteral("Только проверить / создать вложенные папки")};
    for (int m = 0; m < modes.size(); ++m) {
        QAction *a = popCopy->addAction(modes[m]);
        connect(a, &QAction::triggered, this, [this, m] { CopyMove(Transfer::Copy, CopyMode(m)); });
        miCopyModes << a;
    }
    popCopy->addSeparator();
    connect(popCopy->addAction(QStringLiteral("Справка по копированию")), &QAction::triggered, this,
            &TActfrm::miCopyHelpClick);
    popCopy->addSeparator();
    connect(popCopy->addAction(QStringLiteral("Выбрать папку из избранных")), &QAction::triggered, this,
            [this] { sbIzbDirClick(false); });
    connect(popCopy->addAction(QStringLiteral("Открыть папку в проводнике")), &QAction::triggered, this,
            [this] { sbIzbDirClick(true); });
    connect(popCopy, &QMenu::aboutToShow, this, &TActfrm::popCopyPopup);
    connect(popOldCM, &QMenu::aboutToShow, this, &TActfrm::LoadOldCM);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(labInf, 1);
    bottom->addWidget(sbMet);
    bottom->addWidget(sbClose);
    auto *v = new QVBoxLayout(this);
    v->addWidget(gbSpis);
    v->addWidget(gbFil);
    v->addLayout(bottom);
    // An explicit minimum keeps the layout from raising it: take the larger.
    setMinimumWidth(qMax(560, v->minimumSize().width()));

    connect(sbSaveSpis, &QPushButton::clicked, this, [this] {
        if (!m_hooks.saveVtl)
            return ui().beep();
        m_hooks.saveVtl();
        accept();
    });
    connect(sbAddSpis, &QPushButton::clicked, this, [this] {
        if (!m_hooks.appendVtl)
            return ui().beep();
        m_hooks.appendVtl();
        accept();
    });
    connect(sbSaveAsTxt, &QPushButton::clicked, this, [this] {
        if (!m_hooks.saveText)
            return ui().beep();
        const bool txt = rbSaveTXT->isChecked();
        const bool aliasUsed = txt && cbAls->isChecked() && !m_table.startFolder().isEmpty();
        const int format = txt ? 0 : rbSaveVTX->isChecked() ? 1 : rbSaveM3U->isChecked() ? 2 : 3;
        if (m_hooks.saveText(txt && cbKav->isChecked() ? QStringLiteral("\"") : QString(),
                             aliasUsed ? eAls->text() : QString(), aliasUsed, cbTempFile->isChecked(), format))
            accept();
    });
    for (QRadioButton *rb : {rbSaveTXT, rbSaveVTX, rbSaveM3U, rbSaveCSV})
        connect(rb, &QRadioButton::toggled, this, &TActfrm::textFormatChanged);
    connect(cbAls, &QCheckBox::toggled, this, [this](bool on) {
        eAls->setEnabled(on);
        sbGenAls->setEnabled(on);
    });
    connect(sbGenAls, &QPushButton::clicked, this, [this] {
        eAls->setText(eAls->toolTip());
        zv(3);
    });
    connect(sbSaveVTS, &QPushButton::clicked, this, [this] {
        if (!m_hooks.saveVts)
            return ui().beep();
        hide();
        if (m_hooks.saveVts())
            accept();
        else
            show();
    });
    connect(sbOpenWith, &QPushButton::clicked, this, [this] { run(m_hooks.openWith); });
    connect(sbCopyFil, &QPushButton::clicked, this, [this] { sbCopyFilClick(shiftHeld()); });
    connect(sbMoveFil, &QPushButton::clicked, this, [this] { CopyMove(Transfer::Move, CopyMode::Prefix); });
    connect(sbIzbDir, &QPushButton::clicked, this, [this] { sbIzbDirClick(shiftHeld()); });
    connect(sbFndTxtFil, &QPushButton::clicked, this, [this] {
        if (!m_hooks.textSearch)
            return ui().beep();
        if (m_hooks.textSearch(QStringLiteral("Поиск по тексту файлов (%1 шт.)").arg(m_table.counters().selFiles)))
            accept();
    });
    connect(sbRenFil, &QPushButton::clicked, this, [this] { run(m_hooks.rename); });
    connect(sbDelFiles, &QPushButton::clicked, this, [this] {
        if (!m_hooks.deleteFiles)
            return ui().beep();
        if (m_hooks.deleteFiles(shiftHeld()))
            accept();
        else if (!isVisible())
            m_reopen = true;
    });
    connect(labDopRen, &ClickLabel::clicked, this, [this] {
        if (!m_hooks.dopRen)
            return ui().beep();
        if (m_hooks.dopRen()) {
            m_result = ActResult::DopRen;
            accept();
        }
    });
    connect(sbMet, &QPushButton::clicked, this, [this] {
        m_result = ActResult::Marks;
        accept();
    });
    connect(sbClose, &QPushButton::clicked, this, &QDialog::reject);
    auto popupAt = [this](QWidget *w, QMenu *m) {
        connect(w, &QWidget::customContextMenuRequested, this, [w, m](const QPoint &p) { m->popup(w->mapToGlobal(p)); });
    };
    if (m_filesEnabled) {
        popupAt(eDirCopyMove, popOldCM);
        popupAt(sbIzbDir, popOldCM);
    }
    popupAt(sbCopyFil, popCopy);
}

void TActfrm::run(const std::function<void()> &hook)
{
    if (!hook)
        return ui().beep();
    hook();
}

void TActfrm::textFormatChanged()
{
    const bool txt = rbSaveTXT->isChecked();
    if (!txt) {
        cbKav->setChecked(false);
        cbAls->setChecked(false);
    }
    cbKav->setEnabled(txt);
    cbAls->setEnabled(txt && !m_table.startFolder().isEmpty());
}

void TActfrm::setTarget(const QString &folder)
{
    settings().lcm = folder;
    eDirCopyMove->setText(folder);
}

void TActfrm::CopyMove(Transfer transfer, CopyMode mode)
{
    const CopyMoveResult r = m_mover.CopyMove(transfer, mode);
    eDirCopyMove->setText(settings().lcm);
    if (r.closeWindow)
        accept();
}

void TActfrm::sbCopyFilClick(bool shift)
{
    if (shift)
        miCopyHelpClick();
    else
        CopyMove(Transfer::Copy, CopyMode::Prefix);
}

void TActfrm::miCopyHelpClick() { ui().inf(copyHelpText()); }

void TActfrm::sbIzbDirClick(bool shift)
{
    const QString current = settings().lcm;
    if (shift) {
        if (current.isEmpty())
            return ui().beep();
        pusk(false, current);
        return;
    }
    QString tableFolder;
    if (m_focusedRow >= 0 && m_focusedRow < m_table.size())
        tableFolder = m_table.startFolder() + m_table.at(m_focusedRow).cells[ColFolder];
    QString chosen;
    if (m_hooks.openIzb) {
        chosen = m_hooks.openIzb(current, tableFolder);
    } else {
        // Until the favourites window is there, the folder browser picks the target.
        chosen = ui().chooseFolder(QStringLiteral("Выбрать папку"), current.isEmpty() ? tableFolder : current);
        if (!chosen.isEmpty() && !chosen.endsWith(QLatin1Char('/')))
            chosen += QLatin1Char('/');
        if (chosen == current)
            chosen.clear();
    }
    if (!chosen.isEmpty()) {
        setTarget(chosen);
        zv(3);
    }
}

void TActfrm::fillOldCM(const QStringList &folders)
{
    if (folders.isEmpty()) {
        miOldCM[0]->setText(QStringLiteral("<нет папок>"));
        miOldCM[0]->setEnabled(false);
        miOldCM[0]->setVisible(true);
        for (int i = 1; i < miOldCM.size(); ++i)
            miOldCM[i]->setVisible(false);
        miProvOldCMLine->setVisible(false);
        miProvOldCM->setVisible(false);
        return;
    }
    for (int i = 0; i < miOldCM.size(); ++i) {
        const bool on = i < folders.size();
        miOldCM[i]->setVisible(on);
        miOldCM[i]->setEnabled(on);
        if (on)
            miOldCM[i]->setText(folders[i]);
    }
    miProvOldCMLine->setVisible(true);
    miProvOldCM->setVisible(true);
}

void TActfrm::LoadOldCM()
{
    if (m_oldLoaded || !m_filesEnabled)
        return;
    m_oldLoaded = true;
    const QStringList folders = RecentTargets::LoadOldCM();
    if (!folders.isEmpty())
        fillOldCM(folders);
}

void TActfrm::miOldCMClick(int n)
{
    const QString folder = miOldCM[n]->text();
    if (fs::isDir(folder)) {
        setTarget(folder);
        zv(3);
    } else {
        ui().inf(QStringLiteral("Не найдена папка:\r") + folder);
    }
}

void TActfrm::miProvOldCMClick()
{
    QStringList entries;
    for (QAction *a : miOldCM) {
        if (!a->isVisible() || !a->isEnabled())
            break;
        entries << a->text();
    }
    const RecentTargets::Check c = RecentTargets::checkFolders(entries);
    if (c.missing.isEmpty()) {
        ui().inf(QStringLiteral("Не найдены несуществующие папки"));
        return;
    }
    if (!ui().vopr(QStringLiteral("Удалить несуществующие папки (%1 шт.)?\r\n").arg(c.missing.size()) + c.text()))
        return;
    if (!RecentTargets::saveKept(c.kept))
        return;
    zv(3);
    fillOldCM(c.kept);
}

void TActfrm::popCopyPopup()
{
    const bool start = !m_table.startFolder().isEmpty();
    miCopyModes[2]->setEnabled(start);
    miCopyModes[3]->setEnabled(start);
}

} // namespace vt
