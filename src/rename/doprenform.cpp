#include "rename/doprenform.h"

#include "base/services.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vt {

TDopRenForm::TDopRenForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TDopRenForm"));
    setWindowTitle(QStringLiteral("Дополнительное переименование"));
    auto *box = new QGroupBox(QStringLiteral("Выберите действие"), this);
    auto *items = new QVBoxLayout(box);
    m_group = new QButtonGroup(this);
    const char16_t *const texts[4] = {u"Заменить пробелы на подчеркивание", u"Перевести имена в транслит",
                                      u"Добавить расширение", u"Удалить расширения"};
    for (int i = 0; i < 4; ++i) {
        rbItems[i] = new QRadioButton(QString::fromUtf16(texts[i]), box);
        m_group->addButton(rbItems[i], i);
        items->addWidget(rbItems[i]);
    }
    sbOK = new QPushButton(QStringLiteral("OK"), this);
    sbOK->setObjectName(QStringLiteral("sbOK"));
    sbOK->setEnabled(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sbOK);
    auto *v = new QVBoxLayout(this);
    v->addWidget(box);
    v->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));

    connect(m_group, &QButtonGroup::idClicked, this, [this] { sbOK->setEnabled(true); });
    connect(sbOK, &QPushButton::clicked, this, [this] { sbOKClick(); });
}

void TDopRenForm::sbOKClick()
{
    const int i = m_group->checkedId();
    if (i < 0)
        return ui().beep();
    m_index = i;
    m_text = rbItems[i]->text();
    done(kApply);
}

} // namespace vt
