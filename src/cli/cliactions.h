#pragma once
// The table of headless actions and the options that go with them. A new
// action is one row of cliActions() and, when it has them, rows of
// cliModifiers(); the parser, the help and the checks follow from the tables.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QCommandLineParser;

namespace vt {

class ConsoleUi;
class OperationContext;
class TableModel;

// What an action runs with.
struct CliRun {
    const QCommandLineParser &args;
    TableModel &rows;        // every row selected; empty without a row source
    OperationContext &ops;
    ConsoleUi &console;
    bool test = false;       // --test: nothing changes
    bool yes = false;        // --yes

    QString value(const char *name) const;
    bool isSet(const char *name) const;
    // How the questions of the action are answered: yes in a dry run or
    // when nothing is lost; for a destructive run, --yes, or the user at the
    // terminal, or (neither) no with a note that --yes is needed.
    void confirm(bool destructive);
};

struct CliAction {
    const char *name;      // the option, without "--"
    const char *value;     // its value's name; null for a switch
    const char *text;      // the help line
    bool needsRows;        // takes the rows of --find or --read
    std::function<int(CliRun &)> run;
};

// An option that only goes with some actions.
struct CliModifier {
    const char *name;
    const char *value;
    const char *text;
    QStringList actions;   // the actions it goes with
};

const std::vector<CliAction> &cliActions();
const std::vector<CliModifier> &cliModifiers();

// The action runs (cliactions.cpp names them in the table).
int cliRename(CliRun &r);
int cliText(CliRun &r);
int cliCopy(CliRun &r);
int cliTrash(CliRun &r);
int cliDelete(CliRun &r);
int cliEmptyFolders(CliRun &r);
int cliQuick(CliRun &r);
int cliRenameList(CliRun &r);
int cliMkdirs(CliRun &r);
int cliDiff(CliRun &r);

} // namespace vt
