#include "rename/renspisfrm.h"

#include "base/operation.h"
#include "base/services.h"
#include "rename/renameform.h"
#include "widgets/memo.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace vt {

namespace {

QString infoHint() { return QStringLiteral("Информация о числе строк, длине текста"); }

} // namespace

TRenSpisFrm::TRenSpisFrm(TableModel &table, OperationContext &ops, ListController *lists, bool dirs,
                         QWidget *parent)
    : QDialog(parent), m_table(table), m_ops(ops), m_lists(lists)
{
    setObjectName(QStringLiteral("TRenSpisFrm"));
    setWindowTitle(QStringLiteral("Переименование Список  <->  Список"));
    m_state.dirs = dirs;
    build();
}

bool TRenSpisFrm::busy() const { return m_ops.busy(); }

void TRenSpisFrm::build()
{
    memOldName = makeMemo(this, true);
    QPalette pal = memOldName->palette();
    pal.setColor(QPalette::Base, QColor(0xE4, 0xE4, 0xE4));
    memOldName->setPalette(pal);
    memNewName = makeMemo(this, false);
    memNewName->setProperty("Tag", 1);

    labOldName = new QLabel(this);
    labOldName->setProperty("Tag", 1);
    labNewName = new QLabel(QStringLiteral("Список новых имен (без расширений):"), this);
    for (QLabel *l : {labOldName, labNewName}) {
        l->setToolTip(infoHint());
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
    }
    labResSpis = new QLabel(this);
    labResSpis->setToolTip(QStringLiteral("Результат теста/переименования.\r\nПри клике: восстановить список имен (слева)"));
    labResSpis->setCursor(Qt::PointingHandCursor);
    labResSpis->setStyleSheet(QStringLiteral("QLabel { color: #0000a0; font-weight: bold; }"));
    labResSpis->installEventFilter(this);
    labResSpis->hide();

    rbNameOnly = new QRadioButton(QStringLiteral("Только имя"), this);
    rbPlusDir = new QRadioButton(QStringLiteral("Полный путь"), this);
    rbNameOnly->setChecked(true);
    auto *views = new QButtonGroup(this);
    views->addButton(rbNameOnly);
    views->addButton(rbPlusDir);
    cbExtsS = new QCheckBox(QStringLiteral("Расширения"), this);
    if (m_state.dirs)
        cbExtsS->hide();

    sbFormat = new QPushButton(QStringLiteral("Формат"), this);
    sbFormat->setToolTip(QStringLiteral("Убрать из списка новых имен\r\nзапрещенные символы"));
    sbTest = new QPushButton(QStringLiteral("Тест"), this);
    sbRename = new QPushButton(QStringLiteral("Переименовать"), this);
    sbClose = new QPushButton(QStringLiteral("Закрыть"), this);
    sbFormat->setProperty("Tag", 0);
    sbTest->setProperty("Tag", 1);
    sbRename->setProperty("Tag", 2);

    auto tool = [this](const QString &text, const QString &hint) {
        auto *b = new QToolButton(this);
        b->setText(text);
        b->setToolTip(hint);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    sbSynhProcLef = tool(QStringLiteral("Синх. >>"), QStringLiteral("Установить прокрутку СПРАВА, как слева: F8"));
    sbSynhInfLef = tool(QStringLiteral("Инфо >>"),
                        QStringLiteral("Найти курсор слева, синхронизировать прокрутку, сообщение,\r\n"
                                       "какое имя из списка справа соотв.-ет курсору слева: Shift + F8"));
    sbSynhProcRig = tool(QStringLiteral("<< Синх."), QStringLiteral("Установить прокрутку СЛЕВА, как справа: F9"));
    sbSynhInfRig = tool(QStringLiteral("<< Инфо"),
                        QStringLiteral("Найти курсор справа, синхронизировать прокрутку, сообщение,\r\n"
                                       "какое имя из списка слева соотв.-ет курсору справа: Shift + F9"));
    sbSynhInfLef->setProperty("Tag", 1);
    sbSynhInfRig->setProperty("Tag", 1);
    cbSynh = new QCheckBox(QStringLiteral("Синх."), this);
    cbSynh->setToolTip(QStringLiteral("Если установлен - при клике мышкой в поле слева ИЛИ справа\r\n"
                                      "производится соответствующая синхронизация прокрутки.\r\n"
                                      "Для корректной синхронизации число строк должно совпадать."));
    memOldName->viewport()->installEventFilter(this);
    memNewName->viewport()->installEventFilter(this);

    // two equal halves, whatever the bars below the memos need
    auto half = [this](QLabel *caption, QPlainTextEdit *m, QHBoxLayout *bar) {
        auto *w = new QWidget(this);
        w->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        auto *v = new QVBoxLayout(w);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(caption);
        v->addWidget(m, 1);
        v->addLayout(bar);
        return w;
    };
    auto *leftBar = new QHBoxLayout;
    leftBar->addStretch(1);
    leftBar->addWidget(sbSynhInfLef);
    leftBar->addWidget(sbSynhProcLef);
    auto *rightBar = new QHBoxLayout;
    rightBar->addWidget(sbSynhProcRig);
    rightBar->addWidget(sbSynhInfRig);
    rightBar->addWidget(cbSynh);
    rightBar->addStretch(1);
    auto *halves = new QHBoxLayout;
    halves->addWidget(half(labOldName, memOldName, leftBar), 1);
    halves->addWidget(half(labNewName, memNewName, rightBar), 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(rbNameOnly);
    bottom->addWidget(rbPlusDir);
    bottom->addWidget(cbExtsS);
    bottom->addSpacing(16);
    bottom->addWidget(labResSpis);
    bottom->addStretch(1);
    bottom->addWidget(sbFormat);
    bottom->addWidget(sbTest);
    bottom->addWidget(sbRename);
    bottom->addWidget(sbClose);
    auto *v = new QVBoxLayout(this);
    v->addLayout(halves, 1);
    v->addLayout(bottom);
    if (!m_state.dirs) {
        // the box comes back after a result is dismissed: keep its place meanwhile
        QSizePolicy keep = cbExtsS->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        cbExtsS->setSizePolicy(keep);
    }
    setMinimumSize(820, 260);
    resize(980, 480);

    for (QPushButton *b : {sbFormat, sbTest, sbRename})
        connect(b, &QPushButton::clicked, this, [this, b] { sbFormatClick(b->property("Tag").toInt()); });
    connect(sbClose, &QPushButton::clicked, this, &TRenSpisFrm::reject);
    connect(rbNameOnly, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            viewChanged();
    });
    connect(rbPlusDir, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            viewChanged();
    });
    connect(cbExtsS, &QCheckBox::toggled, this, [this] { viewChanged(); });
    connect(sbSynhProcLef, &QToolButton::clicked, this, [this] { synh(true, false); });
    connect(sbSynhInfLef, &QToolButton::clicked, this, [this] { synh(true, true); });
    connect(sbSynhProcRig, &QToolButton::clicked, this, [this] { synh(false, false); });
    connect(sbSynhInfRig, &QToolButton::clicked, this, [this] { synh(false, true); });
    const struct {
        QKeySequence key;
        bool left, info;
    } keys[] = {{QKeySequence(Qt::Key_F8), true, false},
                {QKeySequence(Qt::SHIFT | Qt::Key_F8), true, true},
                {QKeySequence(Qt::Key_F9), false, false},
                {QKeySequence(Qt::SHIFT | Qt::Key_F9), false, true}};
    for (const auto &k : keys) {
        auto *s = new QShortcut(k.key, this);
        const bool left = k.left, info = k.info;
        connect(s, &QShortcut::activated, this, [this, left, info] { synh(left, info); });
    }
}

void TRenSpisFrm::open(const QList<RenRow> &selected)
{
    renSpisOpen(m_state, selected);
    labOldName->setText(QStringLiteral("Список выделенных имен (") + QString::number(m_state.parts.names.size())
                        + QStringLiteral(" шт.):"));
    if (memNewName->toPlainText() != m_state.editor)
        memNewName->setPlainText(m_state.editor);
    putView();
    SetMemOld(false);
}

void TRenSpisFrm::putView()
{
    m_putting = true;
    rbNameOnly->setChecked(!m_state.fullPath);
    rbPlusDir->setChecked(m_state.fullPath);
    cbExtsS->setChecked(m_state.withExt);
    cbExtsS->setVisible(!m_state.dirs && !m_state.summaryShown);
    labResSpis->setText(m_state.summary);
    labResSpis->setVisible(m_state.summaryShown);
    m_putting = false;
}

void TRenSpisFrm::viewChanged()
{
    if (m_putting)
        return;
    if (busy()) {
        putView();
        return;
    }
    m_state.fullPath = rbPlusDir->isChecked();
    m_state.withExt = cbExtsS->isChecked();
    SetMemOld(true);
}

void TRenSpisFrm::SetMemOld(bool sound)
{
    QStringList lines;
    if (!renSpisLeftLines(m_state, &lines)) {
        ui().inf(QStringLiteral("Ошибка вывода результата"));
        return;
    }
    memOldName->setPlainText(lines.join(QLatin1Char('\n')));
    if (sound)
        zv(3);
}

void TRenSpisFrm::sbFormatClick(int tag)
{
    if (busy())
        return;
    m_state.editor = memNewName->toPlainText();
    RenSpisEnv env;
    env.table = &m_table;
    env.lists = m_lists;
    env.ops = &m_ops;
    const RenSpisOutcome o = runRenSpis(m_state, RenSpisAction(tag), env);
    switch (o) {
    case RenSpisOutcome::Refused:
        return;
    case RenSpisOutcome::FocusEditor:
        memNewName->setFocus();
        return;
    case RenSpisOutcome::Formatted:
    case RenSpisOutcome::Mismatch:
        break;
    case RenSpisOutcome::Ran:
        putView();
        SetMemOld(true);
        if (rowsChanged)
            rowsChanged(m_state.rows);
        break;
    }
    memNewName->setPlainText(m_state.editor);
}

void TRenSpisFrm::labResSpisClick()
{
    if (busy() || !ui().vopr(QStringLiteral("Обновить список имен?")))
        return;
    zv(3);
    m_state.summaryShown = false;
    m_state.fullPath = false;
    m_state.withExt = false;
    m_state.display = RenSpisOldNames;
    putView();
    SetMemOld(false);
}

void TRenSpisFrm::labInfoClick(bool left)
{
    if (busy())
        return;
    const QPlainTextEdit *m = left ? memOldName : memNewName;
    const QString text = m->toPlainText();
    ui().inf(renSpisLineInfo(memoLines(text).size(), m->textCursor().selectedText().size(), text.size()));
}

void TRenSpisFrm::synh(bool fromLeft, bool info)
{
    if (busy())
        return;
    QPlainTextEdit *src = fromLeft ? memOldName : memNewName;
    QPlainTextEdit *dst = fromLeft ? memNewName : memOldName;
    if (info) {
        src->ensureCursorVisible();
        src->setFocus();
    }
    // without wrapping the scroll value is the first visible line
    dst->verticalScrollBar()->setValue(src->verticalScrollBar()->value());
    if (!info) {
        zv(3);
        return;
    }
    m_state.editor = memNewName->toPlainText();
    ui().inf(renSpisSyncInfo(m_state, fromLeft, src->textCursor().blockNumber(),
                             memoLines(src->toPlainText()).size(), memoLines(dst->toPlainText()).size()));
}

void TRenSpisFrm::reject()
{
    if (busy())
        return;
    m_state.editor = memNewName->toPlainText();
    QDialog::reject();
}

void TRenSpisFrm::closeEvent(QCloseEvent *event)
{
    if (busy()) {
        event->ignore();
        return;
    }
    m_state.editor = memNewName->toPlainText();
    QDialog::closeEvent(event);
}

bool TRenSpisFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == labOldName || watched == labNewName)
            labInfoClick(watched == labOldName);
        else if (watched == labResSpis)
            labResSpisClick();
        else if (cbSynh->isChecked() && (watched == memOldName->viewport() || watched == memNewName->viewport()))
            synh(watched == memOldName->viewport(), false);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vt
