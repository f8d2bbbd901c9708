#include "search/kbform.h"

#include "base/services.h"
#include "search/core/maskrules.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <climits>

namespace vt {

qint64 TKbForm::unitKb(Unit u)
{
    return u == Gb ? 1048576 : u == Mb ? 1024 : 1;
}

qint64 TKbForm::unitMax(Unit u)
{
    return kMaxSizeKb / unitKb(u);
}

TKbForm::TKbForm(bool maxField, qint64 currentKb, qint64 tableBytes, QWidget *parent)
    : QDialog(parent)
    , m_tableBytes(tableBytes)
{
    setWindowTitle(maxField ? QStringLiteral("Максимальный размер файла")
                            : QStringLiteral("Минимальный размер файла"));

    auto *unitLabel = new QLabel(QStringLiteral("Ед. измерения:"), this);
    rbKb = new QRadioButton(QStringLiteral("КБ"), this);
    rbMb = new QRadioButton(QStringLiteral("МБ"), this);
    rbGb = new QRadioButton(QStringLiteral("ГБ"), this);
    rbKb->setChecked(true);
    auto *units = new QButtonGroup(this);
    units->addButton(rbKb, Kb);
    units->addButton(rbMb, Mb);
    units->addButton(rbGb, Gb);

    labRange = new QLabel(this);
    seVvod = new QSpinBox(this);
    // Wider than any unit allows, so that an entry beyond it beeps and is clamped.
    seVvod->setRange(0, INT_MAX);
    seVvod->setMinimumWidth(130);
    labOst = new QLabel(QStringLiteral("Остаток (КБ):"), this);
    labOst->setCursor(Qt::PointingHandCursor);
    labOst->installEventFilter(this);
    labOstVal = new QLabel(this);
    auto *resLabel = new QLabel(QStringLiteral("Результат (КБ):"), this);
    labRes = new QLabel(this);

    sbMin = new QPushButton(QStringLiteral("<< min"), this);
    sbMax = new QPushButton(QStringLiteral("max >>"), this);
    sbTable = new QPushButton(QStringLiteral("Размер в таблице"), this);
    sbTable->setVisible(tableBytes >= 0);
    butOk = new QPushButton(QStringLiteral("OK"), this);
    butOk->setDefault(true);
    butCancel = new QPushButton(QStringLiteral("Отмена"), this);

    auto *unitRow = new QHBoxLayout;
    unitRow->addWidget(unitLabel);
    unitRow->addWidget(rbKb);
    unitRow->addWidget(rbMb);
    unitRow->addWidget(rbGb);
    unitRow->addStretch(1);

    auto *grid = new QGridLayout;
    grid->addWidget(labRange, 0, 0, 1, 2);
    grid->addWidget(seVvod, 1, 0, 1, 2);
    grid->addWidget(labOst, 2, 0);
    grid->addWidget(labOstVal, 2, 1);
    grid->addWidget(resLabel, 3, 0);
    grid->addWidget(labRes, 3, 1);
    grid->setColumnStretch(1, 1);

    auto *quick = new QHBoxLayout;
    quick->addWidget(sbMin);
    quick->addWidget(sbMax);
    quick->addWidget(sbTable);
    quick->addStretch(1);

    auto *ok = new QHBoxLayout;
    ok->addStretch(1);
    ok->addWidget(butOk);
    ok->addWidget(butCancel);

    auto *all = new QVBoxLayout(this);
    all->addLayout(unitRow);
    all->addLayout(grid);
    all->addLayout(quick);
    all->addLayout(ok);

    connect(units, &QButtonGroup::idClicked, this, [this](int id) { setUnit(Unit(id)); });
    connect(seVvod, &QSpinBox::valueChanged, this, &TKbForm::inputChanged);
    connect(sbMin, &QPushButton::clicked, this, &TKbForm::setToMin);
    connect(sbMax, &QPushButton::clicked, this, &TKbForm::setToMax);
    connect(sbTable, &QPushButton::clicked, this, &TKbForm::setFromTable);
    connect(butOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(butCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated, this,
            &QDialog::accept);

    {
        const QSignalBlocker block(seVvod);
        seVvod->setValue(int(qBound<qint64>(0, currentKb, kMaxSizeKb)));
    }
    refresh();
}

qint64 TKbForm::sizeKb() const
{
    return qMin<qint64>(qint64(seVvod->value()) * unitKb(m_unit) + m_rem, kMaxSizeKb);
}

void TKbForm::setUnit(Unit u)
{
    const qint64 r = sizeKb();
    m_unit = u;
    m_rem = r % unitKb(u);
    {
        const QSignalBlocker block(seVvod);
        seVvod->setValue(int(r / unitKb(u)));
    }
    (u == Kb ? rbKb : u == Mb ? rbMb : rbGb)->setChecked(true);
    refresh();
}

void TKbForm::setToMin()
{
    m_rem = 0;
    seVvod->setValue(0);
    refresh();
}

void TKbForm::setToMax()
{
    seVvod->setValue(int(unitMax(m_unit)));
    refresh();
}

void TKbForm::setFromTable()
{
    if (m_tableBytes < 0)
        return;
    setUnit(Kb);
    m_rem = 0;
    seVvod->setValue(int(qMin<qint64>(m_tableBytes / 1024, INT_MAX)));
    refresh();
}

void TKbForm::clearRemainder()
{
    m_rem = 0;
    refresh();
}

void TKbForm::inputChanged(int v)
{
    if (v > unitMax(m_unit)) {
        ui().beep();
        const QSignalBlocker block(seVvod);
        seVvod->setValue(int(unitMax(m_unit)));
    }
    refresh();
}

void TKbForm::refresh()
{
    switch (m_unit) {
    case Kb: labRange->setText(QStringLiteral("КБ (от 0 до 1073741824)")); break;
    case Mb: labRange->setText(QStringLiteral("МБ (от 0 до 1048576)")); break;
    case Gb: labRange->setText(QStringLiteral("ГБ (от 0 до 1024)")); break;
    }
    const bool showRem = m_unit != Kb;
    labOst->setVisible(showRem);
    labOstVal->setVisible(showRem);
    labOstVal->setText(QString::number(m_rem));
    labRes->setText(QString::number(sizeKb()));
}

bool TKbForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == labOst && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        clearRemainder();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vt
