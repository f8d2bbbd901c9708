#include "lists/ordform.h"

#include "base/services.h"
#include "lists/core/ordstore.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

namespace vt {
namespace {

QPushButton *button(const QString &name, const QString &text, const QString &hint, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setToolTip(hint);
    return b;
}

} // namespace

TOrdEditForm::TOrdEditForm(int number, const QString &name, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TOrdEditForm"));
    setWindowTitle(QStringLiteral("Редактор описания ординала: ") + QString::number(number));
    labInf = new QLabel(QStringLiteral("Введите новое описание\nординала (от 0 до 100 символов)"), this);
    edEd = new QLineEdit(name, this);
    edEd->setObjectName(QStringLiteral("edEd"));
    edEd->setMaxLength(kOrdNameMax);
    butOKEd = button(QStringLiteral("butOKEd"), QStringLiteral("OK"), QString(), this);
    butCancEd = button(QStringLiteral("butCancEd"), QStringLiteral("Отмена"), QString(), this);
    butOKEd->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(butOKEd);
    buttons->addWidget(butCancEd);
    auto *col = new QVBoxLayout(this);
    col->addWidget(labInf);
    col->addWidget(edEd);
    col->addLayout(buttons);
    setFixedSize(420, 130);
    connect(butOKEd, &QPushButton::clicked, this, &QDialog::accept);
    connect(butCancEd, &QPushButton::clicked, this, &QDialog::reject);
}

QString TOrdEditForm::text() const { return edEd->text().trimmed(); }

TOrdForm::TOrdForm(const QStringList &names, int current, int selectedRows, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TOrdForm"));
    setWindowTitle(selectedRows > 1 ? QStringLiteral("Установить ординал. Выделено строк: ")
                                          + QString::number(selectedRows)
                                    : QStringLiteral("Выбрать ординал"));
    lbOrd = new QListWidget(this);
    lbOrd->setObjectName(QStringLiteral("lbOrd"));
    QFont mono = lbOrd->font();
    mono.setFamily(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    lbOrd->setFont(mono);
    for (int i = 0; i < kOrdCount; ++i)
        lbOrd->addItem(ordEntryText(i + 1, names.value(i)));
    sbOrdEdit = button(QStringLiteral("sbOrdEdit"), QStringLiteral("Редактировать"),
                       QStringLiteral("Редактор описания выделенной строчки: F2"), this);
    sbOrdOk = button(QStringLiteral("sbOrdOk"), QStringLiteral("OK"),
                     QStringLiteral("Применить номер ординала: Ctrl + S"), this);
    sbOrdCanc = button(QStringLiteral("sbOrdCanc"), QStringLiteral("Отмена"),
                       QStringLiteral("Не применять ординал: Escape\nОтмена не влияет на редактирование описаний"),
                       this);
    sbOrdDel = button(QStringLiteral("sbOrdDel"), QStringLiteral("Удалить"),
                      QStringLiteral("Записать \"-\" в колонку Ord в таблице\nдля выделенных строк"), this);
    cbOrdQVyb = new QCheckBox(QStringLiteral("Быстрый выбор"), this);
    cbOrdQVyb->setObjectName(QStringLiteral("cbOrdQVyb"));
    cbOrdQVyb->setChecked(true);
    cbOrdQVyb->setToolTip(QStringLiteral(
        "Установлен - выбрать ординал двойным кликом в списке\nСнят - редактор описания ординала"));
    if (current >= 1 && current <= kOrdCount) {
        lbOrd->setCurrentRow(current - 1);
        lbOrd->scrollToItem(lbOrd->currentItem(), QAbstractItemView::PositionAtCenter);
    } else if (selectedRows <= 1) {
        sbOrdDel->setEnabled(false);
    }

    auto *side = new QVBoxLayout;
    side->addWidget(sbOrdOk);
    side->addWidget(sbOrdCanc);
    side->addSpacing(12);
    side->addWidget(sbOrdEdit);
    side->addWidget(sbOrdDel);
    side->addStretch(1);
    side->addWidget(cbOrdQVyb);
    auto *row = new QHBoxLayout(this);
    row->addWidget(lbOrd, 1);
    row->addLayout(side);
    setFixedSize(480, 360);

    connect(sbOrdOk, &QPushButton::clicked, this, &TOrdForm::sbOrdOkClick);
    connect(sbOrdCanc, &QPushButton::clicked, this, &QDialog::reject);
    connect(sbOrdEdit, &QPushButton::clicked, this, &TOrdForm::sbOrdEditClick);
    connect(sbOrdDel, &QPushButton::clicked, this, &TOrdForm::sbOrdDelClick);
    connect(lbOrd, &QListWidget::itemDoubleClicked, this, [this] {
        if (cbOrdQVyb->isChecked())
            sbOrdOkClick();
        else
            sbOrdEditClick();
    });
}

QStringList TOrdForm::names() const
{
    QStringList out;
    for (int i = 0; i < lbOrd->count(); ++i)
        out << ordEntryName(lbOrd->item(i)->text());
    return out;
}

void TOrdForm::sbOrdOkClick()
{
    const int row = lbOrd->currentRow();
    if (row < 0 || !lbOrd->currentItem()->isSelected()) {
        ui().beep();
        return;
    }
    m_choice = row + 1;
    accept();
}

void TOrdForm::sbOrdDelClick()
{
    m_choice = 0;
    accept();
}

void TOrdForm::sbOrdEditClick()
{
    QListWidgetItem *it = lbOrd->currentItem();
    if (!it || !it->isSelected()) {
        ui().beep();
        return;
    }
    const int number = lbOrd->row(it) + 1;
    TOrdEditForm editor(number, ordEntryName(it->text()), this);
    if (editor.exec() != QDialog::Accepted)
        return;
    const QString text = editor.text();
    if (text == ordEntryName(it->text()))
        return;
    it->setText(ordEntryText(number, text));
    m_namesChanged = true;
    zv(3);
}

void TOrdForm::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_S && e->modifiers() & Qt::ControlModifier) {
        sbOrdOkClick();
        return;
    }
    if (e->key() == Qt::Key_F2) {
        sbOrdEditClick();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TOrdForm::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QDialog::mousePressEvent(e);
}

OrdLink::OrdLink(QLabel *label, const QString &caption, const QString &hint, QColor hover)
    : QObject(label), m_label(label), m_hover(hover)
{
    label->setText(caption);
    label->setToolTip(hint);
    label->setCursor(Qt::PointingHandCursor);
    QFont f = label->font();
    f.setUnderline(true);
    label->setFont(f);
    paint(Qt::gray);
    label->installEventFilter(this);
}

void OrdLink::paint(QColor c)
{
    QPalette pal = m_label->palette();
    pal.setColor(QPalette::WindowText, c);
    m_label->setPalette(pal);
}

bool OrdLink::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_label) {
        if (e->type() == QEvent::Enter)
            paint(m_hover);
        else if (e->type() == QEvent::Leave)
            paint(Qt::gray);
        else if (e->type() == QEvent::MouseButtonPress
                 && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
            emit clicked();
            return true;
        }
    }
    return QObject::eventFilter(watched, e);
}

} // namespace vt
