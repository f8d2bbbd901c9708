#include "rename/colviewform.h"

#include "base/currentlog.h"
#include "base/services.h"
#include "table/core/tablemodel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace vt {

void TriBox::nextCheckState()
{
    switch (checkState()) {
    case Qt::Unchecked: setCheckState(Qt::Checked); break;
    case Qt::Checked: setCheckState(Qt::PartiallyChecked); break;
    case Qt::PartiallyChecked: setCheckState(Qt::Unchecked); break;
    }
}

TColViewForm::TColViewForm(const TableModel &table, int focusedRow, QWidget *parent)
    : QDialog(parent), m_table(table), m_row(focusedRow)
{
    setObjectName(QStringLiteral("TColViewForm"));
    setWindowTitle(QStringLiteral("Выберите колонки для просмотра"));
    labInf = new QLabel(QStringLiteral("Результат (для одной строки), всего выделено: ")
                            + QString::number(table.selectedCount()),
                        this);
    eInf = new QLineEdit(this);
    eInf->setReadOnly(true);

    const char16_t *captions[BoxCount] = {
        u"Колонка \"Папка\"", u"Колонка \"Имя\"", u"Колонка \"Тип\"", u"Колонка \"Размер\"",
        u"Колонка \"Byte\", размер в байтах", u"Колонка \"8.3\"", u"Колонка \"Изменен\"",
        u"Колонка \"Ord\"", u"Колонка \"Page\"", u"Колонка \"Атрибуты\"", u"Колонка \"ID\""};
    for (int b = 0; b < BoxCount; ++b) {
        auto *c = new TriBox(QString::fromUtf16(captions[b]), this);
        c->setTristate(true);
        m_boxes[size_t(b)] = c;
        connect(c, &QCheckBox::clicked, this, [this, b] { boxClicked(ColBox(b)); });
    }
    cbDirPh = new QCheckBox(QStringLiteral("Папка начала поиска"), this);
    cbDirPh->setEnabled(false);
    connect(cbDirPh, &QCheckBox::clicked, this, [this] { cbDirPhClick(); });

    const auto tool = [this](const QString &text) {
        auto *b = new QToolButton(this);
        b->setText(text);
        return b;
    };
    sbcbros = tool(QStringLiteral("сброс"));
    sbOk = tool(QStringLiteral("Просмотр"));
    sbClose = tool(QStringLiteral("Закрыть"));

    auto *boxes = new QVBoxLayout;
    boxes->addWidget(box(BoxFolder));
    auto *indent = new QHBoxLayout;
    indent->addSpacing(20);
    indent->addWidget(cbDirPh);
    boxes->addLayout(indent);
    for (int b = BoxName; b < BoxCount; ++b)
        boxes->addWidget(m_boxes[size_t(b)]);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(sbcbros);
    buttons->addStretch();
    buttons->addWidget(sbOk);
    buttons->addWidget(sbClose);
    auto *v = new QVBoxLayout(this);
    v->addWidget(labInf);
    v->addWidget(eInf);
    v->addLayout(boxes);
    v->addStretch();
    v->addLayout(buttons);
    resize(520, sizeHint().height());

    connect(sbcbros, &QToolButton::clicked, this, [this] { sbcbrosClick(); });
    connect(sbOk, &QToolButton::clicked, this, [this] { sbOkClick(); });
    connect(sbClose, &QToolButton::clicked, this, &QDialog::reject);
}

void TColViewForm::showState()
{
    for (int b = 0; b < BoxCount; ++b)
        m_boxes[size_t(b)]->setCheckState(m_state.boxes[size_t(b)]);
    cbDirPh->setEnabled(m_state.startFolderEnabled);
    cbDirPh->setChecked(m_state.startFolder);
    eInf->setText(m_row >= 0 && m_row < m_table.size() ? colViewLine(m_state, m_table, m_row) : QString());
}

void TColViewForm::boxClicked(ColBox b)
{
    m_state.setBox(b, box(b)->checkState(), !m_table.startFolder().isEmpty());
    showState();
    zv(3);
}

void TColViewForm::cbDirPhClick()
{
    m_state.startFolder = cbDirPh->isChecked();
    showState();
    zv(3);
}

void TColViewForm::sbcbrosClick()
{
    m_state.reset();
    showState();
    eInf->clear();
    zv(3);
}

void TColViewForm::sbOkClick()
{
    if (!m_state.anySet()) {
        ui().beep();
        return;
    }
    CurrentLog &log = currentLog();
    log.beginOperation(LogKind::ColumnView);
    for (int row : m_table.selectedRows())
        log.opLog() << colViewLine(m_state, m_table, row);
    feedback().showLog();
}

void miProsmColsClick(const TableModel &table, int focusedRow, QWidget *parent)
{
    const int n = table.selectedCount();
    if (focusedRow < 0 || focusedRow >= table.size() || n < 1 || n > kColViewMaxRows) {
        ui().inf(QStringLiteral("Для просмотра колонок выделите от 1 до 5000 строк"));
        return;
    }
    TColViewForm f(table, focusedRow, parent);
    f.exec();
}

} // namespace vt
