#include "table/colfindform.h"

#include "table/core/selection.h"
#include "table/tablecommands.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace vt {

TColFindForm::TColFindForm(TableCommands *commands, QWidget *parent)
    : QDialog(parent), m_commands(commands)
{
    setWindowTitle(QStringLiteral("Поиск в найденном"));
    setObjectName(QStringLiteral("TColFindForm"));

    m_group = new QGroupBox(QStringLiteral("Колонка для поиска"), this);
    auto *grid = new QGridLayout(m_group);
    const QStringList captions = searchColumnCaptions();
    const int shared = searchPositionOf(findState().column);
    for (int i = 0; i < SearchColumnCount; ++i) {
        m_radio[i] = new QRadioButton(captions.at(i), m_group);
        // Two columns, filled top to bottom.
        grid->addWidget(m_radio[i], i % 3, i / 3);
        if (i == shared)
            m_radio[i]->setChecked(true);
        connect(m_radio[i], &QRadioButton::toggled, this, [i](bool on) {
            if (on)
                findState().column = searchColumnAt(i);
        });
    }

    m_cmbFind = new QComboBox(this);
    m_cmbFind->setObjectName(QStringLiteral("cmbFind"));
    m_cmbFind->setEditable(true);
    m_cmbFind->setInsertPolicy(QComboBox::NoInsert);
    m_cmbFind->lineEdit()->setMaxLength(FindTextMax);
    m_cmbFind->setToolTip(QStringLiteral("Строка для поиска (от 1 до 40 симв.)"));
    m_cmbFind->addItems(findState().history);
    if (m_cmbFind->count() > 0)
        m_cmbFind->setCurrentIndex(0);
    m_cmbFind->setMinimumWidth(260);

    m_back = new QPushButton(QStringLiteral("Назад <<"), this);
    m_forward = new QPushButton(QStringLiteral(">> Вперед"), this);
    for (QPushButton *b : {m_back, m_forward}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(m_back, &QPushButton::clicked, this, &TColFindForm::findBackward);
    connect(m_forward, &QPushButton::clicked, this, &TColFindForm::findForward);
    auto *f8 = new QShortcut(QKeySequence(Qt::Key_F8), this);
    auto *f9 = new QShortcut(QKeySequence(Qt::Key_F9), this);
    connect(f8, &QShortcut::activated, this, &TColFindForm::findBackward);
    connect(f9, &QShortcut::activated, this, &TColFindForm::findForward);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(m_group);
    lay->addWidget(m_cmbFind);
    lay->addLayout(buttons);
    setLayout(lay);

    if (shared >= 0)
        m_radio[shared]->setFocus(Qt::OtherFocusReason);
}

QRadioButton *TColFindForm::columnButton(int pos) const
{
    return pos >= 0 && pos < SearchColumnCount ? m_radio[pos] : nullptr;
}

QString TColFindForm::takeString()
{
    QStringList items;
    for (int i = 0; i < m_cmbFind->count(); ++i)
        items << m_cmbFind->itemText(i);
    const QString text = m_cmbFind->currentText();
    const QString result = getStrFind(items, text);
    if (result.isEmpty())
        return result;
    m_cmbFind->clear();
    m_cmbFind->addItems(items);
    m_cmbFind->setCurrentIndex(0);
    return result;
}

void TColFindForm::find(bool backward)
{
    const QString s = takeString();
    if (s.isEmpty())
        return;
    m_commands->findNextFrom(backward, s);
}

void TColFindForm::done(int result)
{
    if (!m_cmbFind->currentText().isEmpty())
        takeString();
    QDialog::done(result);
}

} // namespace vt
