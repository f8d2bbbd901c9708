#pragma once
// One rename run, the same for the preview, `--rename` and the list of new
// names: the log's header, the batch, the table's new names, the log's end.
// A test renames nothing and writes no log.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace vt {

class ListController;
class OperationContext;
class TableModel;
struct RenRow;

struct RenameRun {
    bool test = false;
    QString header;                  // the log's heading of a real run
    OperationContext *ops = nullptr; // busy while the batch runs
    TableModel *table = nullptr;     // takes the new names of a real run
    ListController *lists = nullptr; // an open list is marked changed
    // The result line from the count renamed.
    std::function<QString(int ok)> summary;
    // Shown before the table takes the new names.
    std::function<void(const QString &summary)> report;

    // batch renames (or tests) the rows, writing to log (null in a test),
    // and returns how many went OK.
    int run(QList<RenRow> &rows, const std::function<int(QStringList *log)> &batch) const;
};

} // namespace vt
