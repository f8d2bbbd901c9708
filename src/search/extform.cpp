#include "search/extform.h"

#include "base/services.h"
#include "base/textutil.h"
#include "search/core/extstore.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace vt {

TExtForm::TExtForm(const QStringList &current, QWidget *parent)
    : QDialog(parent)
    , m_list(ext::loadList())
    , m_favs(ext::loadFavourites())
    , m_result(current)
{
    setWindowTitle(QStringLiteral("Выберите расширения для поиска из списка справа"));

    lbEXTS = new QListWidget(this);
    sbFromFav = new QPushButton(QStringLiteral("↓"), this);
    sbFromFav->setFixedWidth(40);
    sbDelFav = new QPushButton(QStringLiteral("Удалить из избранных"), this);
    sbDelFav->setEnabled(false);
    eRes = new QLineEdit(ext::joinExts(current), this);
    eRes->setContextMenuPolicy(Qt::CustomContextMenu);
    sbClear = new QPushButton(QStringLiteral("Очистить"), this);
    sbAddFav = new QPushButton(QStringLiteral("Добавить в избранные"), this);
    labNote = new QLabel(QStringLiteral("Поиск возможен при выборе от 1 до 10 расширений.\n"
                                        "Чем больше расширений, тем больше времени\n"
                                        "потребуется для поиска."),
                         this);
    sbToRes = new QPushButton(QStringLiteral("<<"), this);
    sbToRes->setFixedWidth(40);
    lbExt = new QListWidget(this);
    lbExt->setSelectionMode(QAbstractItemView::ExtendedSelection);
    sbAddExt = new QPushButton(QStringLiteral("Добавить к списку"), this);
    sbDelExt = new QPushButton(QStringLiteral("Удалить из списка"), this);
    sbDelExt->setEnabled(false);
    butOk = new QPushButton(QStringLiteral("OK"), this);

    auto *favButtons = new QHBoxLayout;
    favButtons->addWidget(sbFromFav);
    favButtons->addWidget(sbDelFav);
    favButtons->addStretch(1);
    auto *resButtons = new QHBoxLayout;
    resButtons->addWidget(sbClear);
    resButtons->addWidget(sbAddFav);
    resButtons->addStretch(1);
    auto *left = new QVBoxLayout;
    left->addWidget(lbEXTS, 1);
    left->addLayout(favButtons);
    left->addWidget(eRes);
    left->addLayout(resButtons);
    left->addWidget(labNote);

    auto *middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(sbToRes);
    middle->addStretch(1);

    auto *listButtons = new QHBoxLayout;
    listButtons->addWidget(sbAddExt);
    listButtons->addWidget(sbDelExt);
    auto *right = new QVBoxLayout;
    right->addWidget(lbExt, 1);
    right->addLayout(listButtons);

    auto *top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addLayout(middle);
    top->addLayout(right, 2);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(butOk);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addLayout(bottom);
    resize(600, 380);

    fillList();
    fillFavourites();

    connect(sbAddExt, &QPushButton::clicked, this, &TExtForm::addToList);
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this,
            &TExtForm::addToList);
    connect(sbDelExt, &QPushButton::clicked, this, &TExtForm::deleteFromList);
    connect(lbExt, &QListWidget::itemSelectionChanged, this,
            [this] { sbDelExt->setEnabled(!lbExt->selectedItems().isEmpty()); });
    connect(sbToRes, &QPushButton::clicked, this, &TExtForm::takeChosen);
    connect(lbExt, &QListWidget::itemDoubleClicked, this, &TExtForm::takeChosen);
    connect(sbClear, &QPushButton::clicked, this, &TExtForm::clearResult);
    connect(sbAddFav, &QPushButton::clicked, this, &TExtForm::addFavourite);
    connect(sbFromFav, &QPushButton::clicked, this, &TExtForm::takeFavourite);
    connect(lbEXTS, &QListWidget::itemDoubleClicked, this, &TExtForm::takeFavourite);
    connect(lbEXTS, &QListWidget::itemClicked, this, [this] { sbDelFav->setEnabled(true); });
    connect(sbDelFav, &QPushButton::clicked, this, &TExtForm::deleteFavourite);
    connect(eRes, &QLineEdit::customContextMenuRequested, this, &TExtForm::showResultMenu);
    connect(butOk, &QPushButton::clicked, this, &QDialog::accept);
}

void TExtForm::fillList(int select)
{
    lbExt->clear();
    lbExt->addItems(m_list);
    if (select >= 0 && select < lbExt->count()) {
        lbExt->setCurrentRow(select, QItemSelectionModel::ClearAndSelect);
        lbExt->scrollToItem(lbExt->item(select));
    }
    sbDelExt->setEnabled(!lbExt->selectedItems().isEmpty());
}

void TExtForm::fillFavourites()
{
    lbEXTS->clear();
    lbEXTS->addItems(m_favs);
}

void TExtForm::addToList()
{
    const auto typed = ui().input(QStringLiteral("Введите расширение"),
                                  QStringLiteral("от 1 до 10 симв. без точки"), QString());
    if (!typed)
        return;
    const ext::AddOutcome r = ext::addTyped(m_list, *typed);
    switch (r.kind) {
    case ext::AddOutcome::Empty:
        ui().beep();
        break;
    case ext::AddOutcome::BadChars:
        ui().inf(r.message);
        break;
    case ext::AddOutcome::Duplicate:
        ui().inf(r.message);
        fillList(r.index);
        break;
    case ext::AddOutcome::Added:
        m_listChanged = true;
        fillList(r.index);
        zv(3);
        break;
    }
}

void TExtForm::deleteFromList()
{
    QStringList gone;
    for (int i = 0; i < lbExt->count(); ++i)
        if (lbExt->item(i)->isSelected())
            gone << lbExt->item(i)->text();
    if (gone.isEmpty()) {
        ui().beep();
        return;
    }
    if (!ui().vopr(QStringLiteral("Удалить выделенные расширения (") + QString::number(gone.size())
                   + QStringLiteral(" шт.) из списка справа?")))
        return;
    for (const QString &e : gone)
        m_list.removeAll(e);
    m_listChanged = true;
    fillList();
    zv(2);
}

void TExtForm::takeChosen()
{
    QStringList chosen;
    for (int i = 0; i < lbExt->count(); ++i)
        if (lbExt->item(i)->isSelected())
            chosen << lbExt->item(i)->text();
    if (chosen.isEmpty()) {
        ui().beep();
        return;
    }
    QStringList result = ext::splitExts(eRes->text());
    if (ext::addChosen(result, chosen) > 0)
        eRes->setText(ext::joinExts(result));
    zv(2);
}

void TExtForm::clearResult()
{
    eRes->clear();
    zv(3);
}

void TExtForm::addFavourite()
{
    // Kept in the form the search takes, so that one set is stored once.
    const QStringList result = ext::acceptedResult(eRes->text());
    if (result.isEmpty()) {
        ui().beep();
        return;
    }
    const QString line = ext::joinExts(result);
    // The favourites are stored in cp1251; such a set could not be kept.
    if (!fitsCp1251(line)) {
        ui().beep();
        return;
    }
    const QString dup = ext::favouriteDuplicateMessage(m_favs, line);
    if (!dup.isEmpty()) {
        ui().inf(dup);
        return;
    }
    m_favs << line;
    m_favsChanged = true;
    fillFavourites();
    zv(2);
}

void TExtForm::takeFavourite()
{
    QListWidgetItem *item = lbEXTS->currentItem();
    if (!item || !item->isSelected()) {
        ui().beep();
        return;
    }
    eRes->setText(ext::joinExts(ext::splitExts(item->text())));
    zv(3);
}

void TExtForm::deleteFavourite()
{
    QListWidgetItem *item = lbEXTS->currentItem();
    if (!item) {
        ui().beep();
        return;
    }
    const QString line = item->text();
    if (!ui().vopr(QStringLiteral("Удалить из избранных строку:\n") + line + QStringLiteral(" ?")))
        return;
    m_favs.removeAt(lbEXTS->row(item));
    m_favsChanged = true;
    fillFavourites();
    sbDelFav->setEnabled(false);
    zv(2);
}

void TExtForm::removeFromResult(const QString &e)
{
    QStringList result = ext::splitExts(eRes->text());
    result.removeAll(e);
    eRes->setText(ext::joinExts(result));
}

void TExtForm::showResultMenu(const QPoint &pos)
{
    QMenu menu(this);
    const QStringList result = ext::splitExts(eRes->text());
    if (result.isEmpty())
        menu.addAction(QStringLiteral("<нет расширений>"))->setEnabled(false);
    for (const QString &e : result.mid(0, ext::kMaxExts)) {
        connect(menu.addAction(QStringLiteral("удалить ") + QString(e).replace(QLatin1Char('&'), QStringLiteral("&&"))), &QAction::triggered, this,
                [this, e] { removeFromResult(e); });
    }
    menu.exec(eRes->mapToGlobal(pos));
}

void TExtForm::done(int r)
{
    // OK and Escape both hand the result back; one the search cannot use is dropped.
    m_result = ext::acceptedResult(eRes->text());
    eRes->setText(ext::joinExts(m_result));
    if (m_listChanged)
        ext::saveList(m_list);
    if (m_favsChanged)
        ext::saveFavourites(m_favs);
    m_listChanged = m_favsChanged = false;
    QDialog::done(r);
}

} // namespace vt
