#pragma once
// The text-search window: one string looked for in the selected files of the
// result table. It lives for the whole run, so its options and the history of
// strings stay between uses; nothing of it is saved.
#include "base/services.h"
#include "textsearch/core/textsearch.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace vt {

class OperationContext;
class TableModel;

class TParserForm : public QDialog {
    Q_OBJECT
public:
    TParserForm(TableModel &table, OperationContext &ops, QWidget *parent = nullptr);

    // Opens it for the selected files; true when the follow-up was done
    // (the caller closes as well).
    bool run(int selectedFiles);

    TextSearchOptions options() const;
    void sbParserClick();

    QComboBox *cmbstr;
    QCheckBox *cbReg, *cbAllSize, *cbFindStrCnt, *cbFindStrNumbers;
    QRadioButton *rgName[3], *rgFindStrSpis[3];
    QPushButton *sbParser;

signals:
    // After the follow-up changed the rows (removed: rows left the table).
    void rowsChanged(bool removed);

protected:
    void mousePressEvent(QMouseEvent *e) override;

private:
    void search(const QString &text);

    TableModel &m_table;
    OperationContext &m_ops;
};

} // namespace vt
