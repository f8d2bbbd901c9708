#pragma once
// The controls of the open list in the main window's top panel: the changed
// label, "Переоткрыть", the warning picture, "Переименовать", "Удалить" and
// "Сохранить изменения". They follow the list controller's state.
#include <QObject>

class QGroupBox;
class QLabel;
class QToolButton;

namespace vt {

class ListController;

class ListGroup : public QObject {
    Q_OBJECT
public:
    // Fills the box and shows the caption in the label; their visibility
    // stays with their owner.
    ListGroup(ListController &lists, QGroupBox *box, QLabel *caption, QWidget *tools);

    void refresh();

    QLabel *labChanSpis;
    QToolButton *sbAllSpisRefr, *sbAllSpisRen, *sbAllSpisDel, *sbAllSpisSave;
    QLabel *imWarn;

signals:
    void renameClicked();

private:
    ListController &m_lists;
    QGroupBox *m_box;
    QLabel *m_caption;
    int m_baseFont = 0;
};

} // namespace vt
