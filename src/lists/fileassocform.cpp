#include "lists/fileassocform.h"

#include "base/appdirs.h"
#include "platform/associations.h"
#include "base/services.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

namespace vt {

TFileAssocForm::TFileAssocForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFileAssocForm"));
    setWindowTitle(QStringLiteral("Ассоциации..."));
    auto box = [this](const char *name, const QString &text) {
        auto *c = new QCheckBox(text, this);
        c->setObjectName(QLatin1String(name));
        return c;
    };
    cbAssVTL = box("cbAssVTL", QStringLiteral("VTL"));
    cbAssVTS = box("cbAssVTS", QStringLiteral("VTS"));
    cbAssVTX = box("cbAssVTX", QStringLiteral("VTX"));
    sbOk = new QPushButton(QStringLiteral("OK"), this);
    sbOk->setObjectName(QStringLiteral("sbOk"));
    sbOk->setToolTip(QStringLiteral("Enter"));
    sbOk->setDefault(true);

    const QList<bool> now = assoc::ticks(QCoreApplication::applicationFilePath());
    const QList<QCheckBox *> boxes{cbAssVTL, cbAssVTS, cbAssVTX};
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(i < now.size() && now[i]);

    auto *col = new QVBoxLayout(this);
    for (QCheckBox *c : boxes)
        col->addWidget(c);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(sbOk);
    row->addStretch(1);
    col->addLayout(row);
    setFixedSize(200, 150);
    connect(sbOk, &QPushButton::clicked, this, &TFileAssocForm::sbOkClick);
}

void TFileAssocForm::sbOkClick()
{
    const QString problems = assoc::apply({cbAssVTL->isChecked(), cbAssVTS->isChecked(), cbAssVTX->isChecked()},
                                          QCoreApplication::applicationFilePath(), programDir());
    if (!problems.isEmpty()) {
        ui().inf(QStringLiteral("Ассоциации не установлены:\r") + problems);
        reject();
        return;
    }
    accept();
}

void TFileAssocForm::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QDialog::mousePressEvent(e);
}

} // namespace vt
