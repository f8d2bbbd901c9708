#pragma once
// The status bar of the main window: ten panels with the selected and total
// file and folder counts and sizes.
#include "table/core/counters.h"

#include <QStatusBar>

class QLabel;

namespace vt {

class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int PanelCount = 10;
    explicit StatusPanels(QWidget *parent = nullptr);

    void setPanel(int i, const QString &text);
    QString panel(int i) const;
    QLabel *panelLabel(int i) const;

    // Panels 1, 2 and 4: selected files, their size, selected folders.
    void SelRes(const TableCounters &c);
    // Panels 6 and 9: file rows and folder rows.
    void SetLabRes(const TableCounters &c);
    // Panel 7: total size of the file rows.
    void showTotalSize(const TableCounters &c);
    // All of the above.
    void showAll(const TableCounters &c);

private:
    QLabel *m_labels[PanelCount] = {};
};

} // namespace vt
