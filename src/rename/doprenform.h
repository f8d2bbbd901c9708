#pragma once
// The chooser of the actions window's "Дополн. переименование": one of the
// four quick renames of files; the main window runs it after both windows
// have closed.
#include <QDialog>

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace vt {

class TDopRenForm : public QDialog {
    Q_OBJECT
public:
    // The modal result of a choice; the actions window closes with it too.
    static constexpr int kApply = 8;

    explicit TDopRenForm(QWidget *parent = nullptr);

    // After kApply: 0 spaces, 1 transliteration, 2 add extension, 3 remove extensions.
    int itemIndex() const { return m_index; }
    QString itemText() const { return m_text; }

    void sbOKClick();

    QRadioButton *rbItems[4];
    QPushButton *sbOK;

private:
    QButtonGroup *m_group;
    int m_index = -1;
    QString m_text;
};

} // namespace vt
