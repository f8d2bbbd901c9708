#include "rename/prosmform.h"

#include "base/services.h"
#include "rename/core/namesplit.h"
#include "rename/nameform.h"
#include "rename/viewwidgets.h"
#include "table/core/tablemodel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vt {

namespace {

const QString &parDirCaption()
{
    static const QString s = QStringLiteral("Список родит. папок");
    return s;
}

const QString &parDirHint()
{
    static const QString s = QStringLiteral("Создать список родительских папок\r\nиз путей файлов / папок");
    return s;
}

void setLines(QPlainTextEdit *m, const QStringList &lines) { m->setPlainText(lines.join(QLatin1Char('\n'))); }

void openSplitter(const QStringList &lines, QWidget *parent)
{
    TNameForm f(parent);
    f.setEditorLines(lines);
    f.exec();
}

} // namespace

TProsmForm::TProsmForm(ViewLists lists, const QString &titleTail, QWidget *parent)
    : QDialog(parent), m_lists(std::move(lists))
{
    setObjectName(QStringLiteral("TProsmForm"));
    setWindowTitle(viewCaption(titleTail, m_lists.total()));
    memPrFiles = viewMemo(this, true);
    memPrDirs = viewMemo(this, true);
    labFiles = new QLabel(QStringLiteral("Файлов: ") + QString::number(m_lists.fileCount()), this);
    labDirs = new QLabel(QStringLiteral("Папок: ") + QString::number(m_lists.dirCount()), this);
    // The hint keeps the label's own text for the way back from the parent list.
    labDirs->setToolTip(labDirs->text());
    labNameFrmSend = new QLabel(QStringLiteral("<u>Разделитель имен</u>"), this);
    labNameFrmSend->setToolTip(QStringLiteral("Отправить имена файлов/папок в разделитель имен"));
    labNameFrmSend->setCursor(Qt::PointingHandCursor);
    for (QLabel *l : {labFiles, labDirs, labNameFrmSend})
        l->installEventFilter(this);

    auto *group = new QGroupBox(QStringLiteral("Вид"), this);
    rgPrVid = group;
    rbFull = new QRadioButton(QStringLiteral("Полный путь"), group);
    rbName = new QRadioButton(QStringLiteral("Только имя"), group);
    rbFull->setChecked(true);
    auto *gl = new QHBoxLayout(group);
    gl->addWidget(rbFull);
    gl->addWidget(rbName);
    auto *vid = new QButtonGroup(this);
    vid->addButton(rbFull);
    vid->addButton(rbName);
    cbPrFileExts = new QCheckBox(QStringLiteral("Расширения (файлов)"), this);
    cbPrFileExts->setChecked(true);
    cbPrFileExts->setVisible(m_lists.fileCount() > 0);
    cbPrWWrap = new QCheckBox(QStringLiteral("Перенос строк"), this);
    sbParDir = new QToolButton(this);
    sbParDir->setText(parDirCaption());
    sbParDir->setToolTip(parDirHint());
    sbClose = new QToolButton(this);
    sbClose->setText(QStringLiteral("Закрыть"));

    auto *top = new QHBoxLayout;
    top->addWidget(rgPrVid);
    top->addWidget(cbPrFileExts);
    top->addWidget(cbPrWWrap);
    top->addStretch();
    top->addWidget(sbParDir);
    top->addWidget(labNameFrmSend);
    top->addWidget(sbClose);
    auto *memos = new QHBoxLayout;
    for (auto [label, memo] : {std::pair{labFiles, memPrFiles}, std::pair{labDirs, memPrDirs}}) {
        auto *v = new QVBoxLayout;
        v->addWidget(label);
        v->addWidget(memo, 1);
        memos->addLayout(v, 1);
    }
    auto *v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addLayout(memos, 1);
    resize(1000, 460);

    connect(rbFull, &QRadioButton::toggled, this, [this] {
        redraw();
        zv(3);
    });
    connect(cbPrFileExts, &QCheckBox::toggled, this, [this] {
        showFiles();
        zv(3);
    });
    connect(cbPrWWrap, &QCheckBox::toggled, this, [this] { wrapClick(); });
    connect(sbParDir, &QToolButton::clicked, this, [this] { sbParDirClick(); });
    connect(sbClose, &QToolButton::clicked, this, &QDialog::reject);
    redraw();
}

bool TProsmForm::fullPath() const { return rbFull->isChecked(); }

void TProsmForm::showFiles() { setLines(memPrFiles, SetFMem(m_lists.files, fullPath(), cbPrFileExts->isChecked())); }

void TProsmForm::showDirs() { setLines(memPrDirs, dirMemoLines(m_lists, fullPath())); }

void TProsmForm::redraw()
{
    showFiles();
    showDirs();
}

void TProsmForm::wrapClick()
{
    const bool wrap = cbPrWWrap->isChecked();
    for (QPlainTextEdit *m : {memPrFiles, memPrDirs}) {
        m->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        m->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    }
    zv(wrap ? 2 : 3);
}

void TProsmForm::showOptions(bool on)
{
    rgPrVid->setVisible(on);
    cbPrFileExts->setVisible(on && m_lists.fileCount() > 0);
    cbPrWWrap->setVisible(on);
}

void TProsmForm::sbParDirClick()
{
    if (m_parents) {
        m_parents = false;
        sbParDir->setText(parDirCaption());
        sbParDir->setToolTip(parDirHint());
        showOptions(true);
        labDirs->setText(labDirs->toolTip());
        redraw();
        zv(3);
        return;
    }
    const YesOk a = ui().vprYesOK(
        QStringLiteral("Из имеющихся для просмотра путей файлов / папок будет создан список родительских папок, "
                       "и показан в правом окне просмотра.\rДля возвращения к просмотру - нажмите кнопку "
                       "\"Вернуться к просмотру\".\rВыберите действие:\r[Yes]: полные пути к папкам\r"
                       "[OK]: только имена папок"));
    if (a == YesOk::Cancel)
        return;
    m_parents = true;
    sbParDir->setText(QStringLiteral("Вернуться к просмотру"));
    sbParDir->setToolTip(QString());
    showOptions(false);
    memPrFiles->clear();
    memPrDirs->clear();
    const QStringList list = parentFolders(m_lists, a == YesOk::Ok);
    setLines(memPrDirs, list);
    labDirs->setText(QStringLiteral("Список родительских папок: ") + QString::number(list.size()));
    zv(2);
}

void TProsmForm::labNameFrmSendClick()
{
    if (m_lists.total() > kSplitMaxLines) {
        ui().inf(QStringLiteral("Разделение имен возможно для не более ") + QString::number(kSplitMaxLines)
                 + QStringLiteral(" строк."));
        return;
    }
    zv(3);
    openSplitter(splitterLines(m_lists), this);
}

bool TProsmForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == labNameFrmSend)
            labNameFrmSendClick();
        else
            dragWindow(this);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TProsmForm::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        dragWindow(this);
    QDialog::mousePressEvent(e);
}

void Prosmotr(const TableModel &table, const QString &titleTail, QWidget *parent)
{
    TProsmForm f(viewOfTable(table), titleTail, parent);
    f.exec();
}

void Prosmotr(ViewMode mode, const QStringList &paths, const QString &titleTail, QWidget *parent)
{
    TProsmForm f(viewOfPaths(paths, mode), titleTail, parent);
    f.exec();
}

void ProsmAndNameFrm(bool splitter, const TableModel &table, QWidget *parent)
{
    const int n = table.selectedCount();
    if (splitter) {
        if (n > kSplitMaxLines) {
            ui().inf(QStringLiteral("Разделение имен возможно для не более ") + QString::number(kSplitMaxLines)
                     + QStringLiteral(" строк.\rВ таблице выделено: ") + QString::number(n));
            return;
        }
        openSplitter(splitterLinesOfTable(table), parent);
        return;
    }
    if (n == 0) {
        ui().inf(QStringLiteral("Не выделены строчки в таблице"));
        return;
    }
    Prosmotr(table, QStringLiteral("таблице"), parent);
}

} // namespace vt
