#include "lists/spisform.h"

#include "base/services.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace vt {

TSpisForm::TSpisForm(ChooserMode mode, int count, QWidget *parent) : QDialog(parent), m_mode(mode)
{
    setObjectName(QStringLiteral("TSpisForm"));
    const QString n = QString::number(count);
    switch (mode) {
    case ChooserMode::Open: setWindowTitle(QStringLiteral("Открыть список")); break;
    case ChooserMode::Append: setWindowTitle(QStringLiteral("Добавить к списку (помеч. ") + n + QLatin1Char(')')); break;
    case ChooserMode::SaveSelected: setWindowTitle(QStringLiteral("Сохранить список (помеч. ") + n + QLatin1Char(')')); break;
    case ChooserMode::SaveAll: setWindowTitle(QStringLiteral("Сохранить список (все ") + n + QLatin1Char(')')); break;
    }
    lbSpis = new QListWidget(this);
    lbSpis->setObjectName(QStringLiteral("lbSpis"));
    sbSpisName = new QPushButton(QStringLiteral("Ввести имя"), this);
    sbSpisName->setObjectName(QStringLiteral("sbSpisName"));
    sbOKSpis = new QPushButton(QStringLiteral("OK"), this);
    sbOKSpis->setObjectName(QStringLiteral("sbOKSpis"));
    sbCancelSpis = new QPushButton(QStringLiteral("Отмена"), this);
    sbCancelSpis->setObjectName(QStringLiteral("sbCancelSpis"));
    sbSortSpis = new QPushButton(this);
    sbSortSpis->setObjectName(QStringLiteral("sbSortSpis"));
    sbSortSpis->setToolTip(QStringLiteral("Режим отображения записей:\nСортировка по имени / по дате изменения"));
    for (QPushButton *b : {sbSpisName, sbOKSpis, sbCancelSpis, sbSortSpis})
        b->setAutoDefault(false);

    const bool save = mode == ChooserMode::SaveSelected || mode == ChooserMode::SaveAll;
    sbOKSpis->setVisible(!save);
    sbSpisName->setVisible(save);
    // Enter takes the highlighted list, as a double click does.
    (save ? sbSpisName : sbOKSpis)->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(sbSortSpis);
    buttons->addStretch(1);
    buttons->addWidget(sbSpisName);
    buttons->addWidget(sbOKSpis);
    buttons->addWidget(sbCancelSpis);
    auto *col = new QVBoxLayout(this);
    col->addWidget(lbSpis, 1);
    col->addLayout(buttons);
    setFixedSize(430, 300);

    connect(sbSpisName, &QPushButton::clicked, this, &TSpisForm::sbSpisNameClick);
    connect(sbOKSpis, &QPushButton::clicked, this, &TSpisForm::sbOKSpisClick);
    connect(sbCancelSpis, &QPushButton::clicked, this, &QDialog::reject);
    connect(sbSortSpis, &QPushButton::clicked, this, &TSpisForm::sbSortSpisClick);
    connect(lbSpis, &QListWidget::itemDoubleClicked, this, [this, save] {
        if (!save)
            sbOKSpisClick();
    });
    refrSpis();
    if (!save)
        lbSpis->setFocus();
}

void TSpisForm::fill(const QList<ListEntry> &entries)
{
    lbSpis->clear();
    for (const ListEntry &e : entries)
        lbSpis->addItem(e.text);
}

void TSpisForm::refrSpis()
{
    m_byName = vtlEntries(listsFolder());
    m_dateView = false;
    fill(m_byName);
    // Saving proposes no name until the user picks an entry.
    const bool save = m_mode == ChooserMode::SaveSelected || m_mode == ChooserMode::SaveAll;
    if (lbSpis->count() > 0 && !save)
        lbSpis->setCurrentRow(0);
    SetSbSortSpis();
}

void TSpisForm::SetSbSortSpis()
{
    sbSortSpis->setVisible(m_byName.size() >= 2);
    sbSortSpis->setText(m_dateView ? QStringLiteral("Сорт. по дате") : QStringLiteral("Сорт. по имени"));
}

void TSpisForm::sbSortSpisClick()
{
    if (m_byName.size() < 2)
        return;
    m_dateView = !m_dateView;
    fill(m_dateView ? byDate(m_byName) : m_byName);
    SetSbSortSpis();
    zv(2);
}

QString TSpisForm::detail() const
{
    const QString c = windowTitle();
    const qsizetype at = c.indexOf(QLatin1Char('('));
    return at < 0 ? QString() : c.mid(at, 20);
}

void TSpisForm::sbSpisNameClick()
{
    const QString folder = listsFolder();
    if (folder.isEmpty())
        return;
    QListWidgetItem *item = lbSpis->currentItem();
    const QString proposed = item && item->isSelected() ? entryName(item->text()) : QString();
    const auto typed = ui().input(QStringLiteral("Введите имя списка"),
                                  QStringLiteral("Нельзя символы \\ / : \" < > | ? * ."), proposed);
    if (!typed || typed->isEmpty())
        return;
    const QString name = cleanListName(*typed);
    if (name.isEmpty())
        return;
    const QString path = folder + name + QStringLiteral(".vtl");
    if (QFile::exists(path)
        && !ui().askTitled(QStringLiteral("Перезаписать список"),
                           QStringLiteral("Такой список существует и будет перезаписан!\rПродолжить?"),
                           BoxIcon::Warning, true))
        return;
    m_path = path;
    accept();
}

void TSpisForm::sbOKSpisClick()
{
    const QString folder = listsFolder();
    QListWidgetItem *item = lbSpis->currentItem();
    if (folder.isEmpty() || !item) {
        ui().beep();
        return;
    }
    const QString path = folder + entryName(item->text()) + QStringLiteral(".vtl");
    if (!QFile::exists(path)) {
        ui().beep();
        return;
    }
    m_path = path;
    accept();
}

void TSpisForm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    // The save modes ask for the name at once.
    if (m_mode == ChooserMode::SaveSelected || m_mode == ChooserMode::SaveAll)
        QTimer::singleShot(0, this, &TSpisForm::sbSpisNameClick);
}

void TSpisForm::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QDialog::mousePressEvent(e);
}

} // namespace vt
