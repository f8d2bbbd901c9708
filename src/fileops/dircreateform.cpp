#include "fileops/dircreateform.h"

#include "base/appcontext.h"
#include "base/services.h"
#include "fileops/clicklabel.h"
#include "platform/dirreader.h"
#include "shell/core/shellrun.h"
#include "table/core/tablemodel.h"
#include "widgets/keystate.h"
#include "widgets/memo.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vt {

TDirCreateFrm::TDirCreateFrm(AppContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("Создать папки по списку"));
    setObjectName(QStringLiteral("TDirCreateFrm"));
    memDirList = makeMemo(this, false);
    memDirRes = makeMemo(this, true);
    eDirForDirs = new QLineEdit(this);
    eDirForDirs->setReadOnly(true);
    labDirRes = new QLabel(m_state.labDirRes, this);
    labFormatInf = new QLabel(this);
    labFormatInf->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    sbFormat = new QPushButton(QStringLiteral("Формат"), this);
    sbProv = new QPushButton(QStringLiteral("Проверка"), this);
    sbCreateDir = new QPushButton(QStringLiteral("Создать"), this);
    sbDirInf = new QPushButton(QStringLiteral("Инфо папки"), this);
    sbDirInf->setToolTip(QStringLiteral("Имена папок и файлов в выбранной папке"));
    sbIzbDir = new QPushButton(QStringLiteral("Избранные"), this);
    sbIzbDir->setToolTip(QStringLiteral("Избранные папки\nShift + клик: последняя папка, в которой созданы папки"
                                        "\nCtrl + клик: открыть папку в проводнике"));
    sbSelectDir = new QPushButton(QStringLiteral("..."), this);
    sbSelectDir->setFixedWidth(36);
    sbHelp = new QPushButton(QStringLiteral("Справка"), this);
    sbClose = new QPushButton(QStringLiteral("Закрыть"), this);
    labLog = new ClickLabel(QStringLiteral("Открыть логи"), this);
    labDirForDirs = new ClickLabel(QStringLiteral("Папка, в которой будут созданы папки:"), this);
    labDirForDirs->setToolTip(QStringLiteral("Открыть папку в проводнике"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Введите список папок (от 1 до 100, 1 строчка = 1 папка):"), this), 0, 0);
    grid->addWidget(labDirRes, 0, 2);
    grid->addWidget(memDirList, 1, 0);
    auto *mid = new QVBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{sbFormat, sbProv, sbCreateDir, labFormatInf})
        mid->addWidget(w);
    mid->addStretch(1);
    for (QWidget *w : std::initializer_list<QWidget *>{sbDirInf, sbHelp, labLog, sbClose})
        mid->addWidget(w);
    grid->addLayout(mid, 1, 1);
    grid->addWidget(memDirRes, 1, 2);
    grid->addWidget(labDirForDirs, 2, 0, 1, 3);
    auto *row = new QHBoxLayout;
    row->addWidget(eDirForDirs, 1);
    row->addWidget(sbSelectDir);
    row->addWidget(sbIzbDir);
    grid->addLayout(row, 3, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    resize(760, 460);

    sbFormat->setProperty("Tag", 0);
    sbProv->setProperty("Tag", 1);
    sbCreateDir->setProperty("Tag", 2);
    for (QPushButton *b : {sbFormat, sbProv, sbCreateDir})
        connect(b, &QPushButton::clicked, this, [this, b] { sbFormatClick(b->property("Tag").toInt()); });
    connect(sbDirInf, &QPushButton::clicked, this, [this] { sbDirInfClick(); });
    connect(sbIzbDir, &QPushButton::clicked, this, [this] {
        sbIzbDirClick(shiftHeld(), ctrlHeld());
    });
    connect(sbSelectDir, &QPushButton::clicked, this, [this] { sbSelectDirClick(shiftHeld()); });
    connect(sbHelp, &QPushButton::clicked, this,
            [] { ui().infTitled(QStringLiteral("Справка по созданию папок"), dirCreateHelpText()); });
    connect(sbClose, &QPushButton::clicked, this, &QDialog::close);
    connect(labLog, &ClickLabel::clicked, this, [] { feedback().showLog(); });
    connect(labDirForDirs, &ClickLabel::clicked, this, [this] { labDirForDirsClick(); });
    put();
}

void TDirCreateFrm::showWindow()
{
    put();
    show();
    raise();
    activateWindow();
}

void TDirCreateFrm::take() { m_state.editor = memDirList->toPlainText(); }

void TDirCreateFrm::put()
{
    if (memDirList->toPlainText() != m_state.editor)
        memDirList->setPlainText(m_state.editor);
    eDirForDirs->setText(m_state.folder);
    memDirRes->setPlainText(m_state.result.join(QLatin1Char('\n')).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    labDirRes->setText(m_state.labDirRes);
    labFormatInf->setText(QString(m_state.labFormatInf).replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

void TDirCreateFrm::setFolder(const QString &folder)
{
    m_state.folder = folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    eDirForDirs->setText(m_state.folder);
}

void TDirCreateFrm::sbFormatClick(int mode)
{
    take();
    const DirListOutcome o = runDirList(m_state, DirListAction(mode));
    put();
    if (o == DirListOutcome::FocusEditor)
        memDirList->setFocus();
}

void TDirCreateFrm::sbDirInfClick()
{
    reportFolderContents(m_state);
    put();
}

void TDirCreateFrm::sbIzbDirClick(bool shift, bool ctrl)
{
    if (shift) {
        if (m_state.lastCreated.isEmpty())
            return ui().beep();
        setFolder(m_state.lastCreated);
        zv(3);
        return;
    }
    if (ctrl)
        return labDirForDirsClick();
    const QString chosen = m_ctx.window().chooseFavouriteFolder(m_state.folder, tableFolder(), this);
    if (!chosen.isEmpty())
        setFolder(chosen);
}

QString TDirCreateFrm::tableFolder() const
{
    const int row = m_ctx.window().currentRow();
    const TableModel &m = m_ctx.table();
    if (row < 0 || row >= m.size())
        return QString();
    const QByteArray f = m.at(row).entry.folderBytes();
    return fs::displayName(std::string_view(f.constData(), size_t(f.size())));
}

void TDirCreateFrm::sbSelectDirClick(bool shift)
{
    QString folder = m_state.folder;
    if (m_ctx.window().chooseFolder(shift ? FolderPick::AnyFile : FolderPick::Chooser, folder) && !folder.isEmpty())
        setFolder(folder);
}

void TDirCreateFrm::labDirForDirsClick()
{
    if (m_state.folder.isEmpty())
        return ui().beep();
    pusk(false, m_state.folder);
}

} // namespace vt
