#pragma once
// The log viewer: the lines of the last batch operation, the saved operation
// logs, saving what is shown as Texts/Log-<stamp>.txt, and for text searches
// and list checks a button that acts on the rows the operation could not use.
#include "base/services.h"

#include <QDialog>


class QCheckBox;
class QComboBox;
class QFrame;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace vt {

class TLogForm : public QDialog {
    Q_OBJECT
public:
    // offer: the button for the rows the operation could not use; its
    // question names how many rows the operation worked on.
    explicit TLogForm(const LogOffer &offer = {}, QWidget *parent = nullptr);

    QPlainTextEdit *memLogLast;
    QFrame *panBottom;
    QRadioButton *rbLast;
    QRadioButton *rbSaved;
    QRadioButton *rbVtxSrc; // "Текст VTX/M3U", shown with a list file
    QComboBox *cmbSavedLogs;
    QCheckBox *cbWrap;
    QPushButton *butSave;
    QToolButton *sbTextTop;
    QToolButton *sbTextEnd;
    QPushButton *butExtra;
    QPushButton *butClose;

    void showLastAction();
    void showSavedLogs();
    // The list file's own text, as the list reader decodes it.
    void setListSource(const QString &path);
    void showListSource();
    void savedLogChosen(int index);
    void wrapClick();
    void butSaveClick();
    void butExtraClick();

    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    LogOffer m_offer;
    bool m_listFilled = false;
    QString m_listSource;
    QRect m_firstGeometry;
};

// Opens the viewer modally. Yes or Ok when the extra button's question was
// answered so; Cancel for every other way of closing.
YesOk ShowLog(const LogOffer &offer = {});
// The viewer opened on the text of a list file.
void ShowListSource(const QString &listPath);

} // namespace vt
