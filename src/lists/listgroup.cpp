#include "lists/listgroup.h"

#include "lists/core/listcontroller.h"
#include "widgets/keystate.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

namespace vt {
namespace {

QToolButton *button(QWidget *parent, const char *name, const QString &text, const QString &tip)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(true);
    return b;
}


} // namespace

ListGroup::ListGroup(ListController &lists, QGroupBox *box, QLabel *caption, QWidget *tools)
    : QObject(box), m_lists(lists), m_box(box), m_caption(caption)
{
    labChanSpis = new QLabel(QStringLiteral("<не изменен>"), box);
    labChanSpis->setObjectName(QStringLiteral("labChanSpis"));
    labChanSpis->setToolTip(QStringLiteral(
        "Список считается измененным в случаях:\n-добавление из проводника\n-удаление файлов, пустых "
        "папок, записей из списка\n-перемещение/переименование/удаление файлов\n-записи в колонки Ord и "
        "Page (для списков VTL и VTS)\n-остановка чтения списка (не полностью прочитан,\nпоказывается "
        "предупреждение при сохранении)"));
    m_baseFont = labChanSpis->font().pointSize();
    sbAllSpisRefr = button(box, "sbAllSpisRefr", QStringLiteral(" Переоткрыть"),
                           QStringLiteral("Переоткрыть список:\n-для восстановления исходного состояния списка\n"
                                          "-если файл списка изменен другой программой (показано "
                                          "предупреждение)\nShift + клик: найти список в проводнике, в новом окне"));
    imWarn = new QLabel(box);
    imWarn->setObjectName(QStringLiteral("imWarn"));
    imWarn->setPixmap(box->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16));
    imWarn->setToolTip(QStringLiteral(
        "Открытый список редактирован другой программой.\nВозможно в случаях:\n-список открыт в нескольких "
        "копиях Vestrada и сохранены изменения.\n-в другой копии было выбрано \"Добавить к списку VTL\""));
    imWarn->hide();
    sbAllSpisRen = button(tools, "sbAllSpisRen", QStringLiteral("Переименовать"), QStringLiteral("Переименовать список"));
    sbAllSpisDel = button(box, "sbAllSpisDel", QStringLiteral("Удалить"),
                          QStringLiteral("Удалить файл списка с компьютера"));
    sbAllSpisSave = button(box, "sbAllSpisSave", QStringLiteral("Сохранить изменения"),
                           QStringLiteral("Сохранить изменения в текущем списке.\nТакже сохраняется расстановка "
                                          "записей в таблице."));
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(2);
    row->addWidget(labChanSpis);
    row->addWidget(sbAllSpisRefr);
    row->addWidget(imWarn);
    row->addStretch(1);
    row->addWidget(sbAllSpisDel);
    row->addWidget(sbAllSpisSave);
    auto *more = new QHBoxLayout(tools);
    more->setContentsMargins(0, 0, 0, 0);
    more->setSpacing(2);
    more->addWidget(sbAllSpisRen);

    connect(sbAllSpisRefr, &QToolButton::clicked, this, [this] { m_lists.reopenOrShow(shiftHeld()); });
    connect(sbAllSpisDel, &QToolButton::clicked, this, [this] { m_lists.deleteListFile(); });
    connect(sbAllSpisSave, &QToolButton::clicked, this, [this] { m_lists.saveOpenList(); });
    connect(sbAllSpisRen, &QToolButton::clicked, this, &ListGroup::renameClicked);
    connect(&m_lists, &ListController::stateChanged, this, &ListGroup::refresh);
    refresh();
}

void ListGroup::refresh()
{
    m_caption->setText(m_lists.groupCaption());
    m_caption->setToolTip(m_lists.path());
    QFont f = labChanSpis->font();
    QPalette pal = labChanSpis->palette();
    switch (m_lists.changedState()) {
    case ChangedState::Unchanged:
        labChanSpis->setText(QStringLiteral("<не изменен>"));
        f.setPointSize(m_baseFont);
        pal.setColor(QPalette::WindowText, Qt::gray);
        break;
    case ChangedState::Changed:
        labChanSpis->setText(QStringLiteral("<изменен>"));
        f.setPointSize(m_baseFont + 2);
        pal.setColor(QPalette::WindowText, QColor(128, 0, 0)); // maroon
        break;
    case ChangedState::ReadIncompletely:
        labChanSpis->setText(QStringLiteral("<изменен>"));
        f.setPointSize(m_baseFont + 2);
        pal.setColor(QPalette::WindowText, Qt::red);
        break;
    }
    labChanSpis->setFont(f);
    labChanSpis->setPalette(pal);
    imWarn->setVisible(m_lists.warning());
}

} // namespace vt
