#include "lists/filstrform.h"

#include "base/appdirs.h"
#include "base/services.h"
#include "search/core/searchvalidate.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vt {

TFilStrForm::TFilStrForm(FavouriteKind kind, const QString &file, const QString &text, const QString &caption,
                         QWidget *parent)
    : QDialog(parent), m_kind(kind)
{
    setObjectName(QStringLiteral("TFilStrForm"));
    setWindowTitle(caption);
    m_store.load(file);

    lbFilStr = new QListWidget(this);
    lbFilStr->setObjectName(QStringLiteral("lbFilStr"));
    lbFilStr->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lbFilStr->setToolTip(QStringLiteral("Выбрать: двойной клик, F9"));
    labFilStr = new QLabel(QStringLiteral("Результат:"), this);
    labFilStr->setObjectName(QStringLiteral("labFilStr"));
    eFilStr = new QLineEdit(this);
    eFilStr->setObjectName(QStringLiteral("eFilStr"));
    if (kind == FavouriteKind::Template)
        eFilStr->setMaxLength(FavouriteStrings::kTemplateMax);
    eFilStr->setText(text);

    sbAdd = new QPushButton(this);
    sbAdd->setObjectName(QStringLiteral("sbAdd"));
    sbAdd->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    sbAdd->setToolTip(QStringLiteral("Запомнить в избранных\n(не зависит от нажатия OK)"));
    sbDelFilStr = new QPushButton(QStringLiteral("Удалить"), this);
    sbDelFilStr->setObjectName(QStringLiteral("sbDelFilStr"));
    sbDelFilStr->setToolTip(QStringLiteral("Удалить выделенные строчки\nиз избранных (не зависит от нажатия OK)"));
    butOk = new QPushButton(QStringLiteral("OK"), this);
    butOk->setObjectName(QStringLiteral("butOk"));
    butOk->setToolTip(QStringLiteral("Выбрать результат: Ctrl + S"));
    for (QPushButton *b : {sbAdd, sbDelFilStr, butOk})
        b->setAutoDefault(false);

    auto *res = new QHBoxLayout;
    res->addWidget(labFilStr);
    res->addWidget(eFilStr, 1);
    res->addWidget(sbAdd);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(sbDelFilStr);
    buttons->addStretch(1);
    buttons->addWidget(butOk);
    auto *col = new QVBoxLayout(this);
    col->addWidget(lbFilStr, 1);
    col->addLayout(res);
    col->addLayout(buttons);
    setFixedSize(400, 280);

    connect(sbAdd, &QPushButton::clicked, this, &TFilStrForm::sbAddClick);
    connect(sbDelFilStr, &QPushButton::clicked, this, &TFilStrForm::sbDelFilStrClick);
    connect(butOk, &QPushButton::clicked, this, &TFilStrForm::butOkClick);
    connect(lbFilStr, &QListWidget::itemDoubleClicked, this, &TFilStrForm::choose);
    lbFilStr->installEventFilter(this);
    eFilStr->installEventFilter(this);
    fill();
    lbFilStr->setFocus();
}

QString TFilStrForm::result() const { return eFilStr->text(); }

void TFilStrForm::fill()
{
    lbFilStr->clear();
    lbFilStr->addItems(m_store.list());
}

bool TFilStrForm::passes(const QString &text) const
{
    // An empty result beeps; a template must also be a valid mask.
    if (text.isEmpty()) {
        ui().beep();
        return false;
    }
    return m_kind != FavouriteKind::Template || provShab(text);
}

void TFilStrForm::choose()
{
    const QList<QListWidgetItem *> sel = lbFilStr->selectedItems();
    if (sel.size() != 1 || sel.first()->text().isEmpty()) {
        ui().beep();
        return;
    }
    eFilStr->setText(FavouriteStrings::asResult(sel.first()->text(), m_kind));
    zv(3);
}

void TFilStrForm::sbAddClick()
{
    const QString text = result();
    if (!passes(text))
        return;
    if (m_store.find(text) >= 0) {
        ui().inf(QStringLiteral("Строка:\r") + text + QStringLiteral("\rесть в избранных"));
        return;
    }
    m_store.add(text);
    fill();
    zv(3);
}

void TFilStrForm::sbDelFilStrClick()
{
    QList<int> rows;
    for (int i = 0; i < lbFilStr->count(); ++i)
        if (lbFilStr->item(i)->isSelected())
            rows << i;
    if (rows.isEmpty()) {
        ui().beep();
        return;
    }
    if (!ui().vopr(QStringLiteral("Удалить выделенные (") + QString::number(rows.size())
                   + QStringLiteral(" шт.) из избранных?")))
        return;
    m_store.removeAt(rows);
    fill();
    zv(3);
}

void TFilStrForm::butOkClick()
{
    if (!passes(result()))
        return;
    accept();
}

bool TFilStrForm::handleKey(QKeyEvent *e)
{
    if (e->key() == Qt::Key_F9 && e->modifiers() == Qt::NoModifier) {
        choose();
        return true;
    }
    // 0x042B: the S key in a Russian layout.
    if ((e->key() == Qt::Key_S || e->key() == 0x042B) && (e->modifiers() & Qt::ControlModifier)) {
        butOkClick();
        return true;
    }
    return false;
}

void TFilStrForm::keyPressEvent(QKeyEvent *e)
{
    if (!handleKey(e))
        QDialog::keyPressEvent(e);
}

bool TFilStrForm::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::KeyPress && (watched == lbFilStr || watched == eFilStr)
        && handleKey(static_cast<QKeyEvent *>(e)))
        return true;
    return QDialog::eventFilter(watched, e);
}

void TFilStrForm::done(int r)
{
    if (!m_saved) {
        m_saved = true;
        if (m_store.changed())
            m_store.save(); // written whatever the answer; a failure is not worth a message
    }
    QDialog::done(r);
}

bool OpenFilStr(FavouriteKind kind, const QString &file, QLineEdit *edit, const QString &caption,
                QWidget *parent)
{
    if (!GetOptPath() || !edit) {
        ui().beep();
        return false;
    }
    TFilStrForm form(kind, file, edit->text(), caption, parent);
    if (form.exec() != QDialog::Accepted || form.result() == edit->text())
        return false;
    edit->setText(form.result());
    zv(3);
    return true;
}

} // namespace vt
