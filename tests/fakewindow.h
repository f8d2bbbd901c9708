#pragma once
// A stand-in for the main window as its subsystems see it (AppWindow), and a
// context around it: tests of a subsystem's windows and commands run without
// the main window. What the subsystem asks is recorded; answers are fields.
#include "base/appcontext.h"
#include "lists/core/listread.h"
#include "table/core/tablemodel.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace vt::test {

class FakeWindow : public AppWindow {
public:
    QWidget *parent = nullptr;
    int counterShows = 0;
    int row = -1;                   // the focused row
    QStringList params;
    QString folder;                 // the search folder field
    QStringList startFolders;       // every start-folder hint shown
    QList<ListKind> listModes;
    QList<bool> vtsLooks;
    QList<QPair<int, int>> listReports; // (stop, errors)
    int converted = 0;
    std::function<void(bool silent)> onConvert;
    QStringList favouriteCalls;     // "current|tableFolder"
    QString favourite;              // the favourite folder chosen
    std::function<int(const QString &, bool, bool *)> saveTextList;

    QWidget *widget() override { return parent; }
    void showCounters() override { ++counterShows; }
    void recount() override {}
    int currentRow() const override { return row; }
    RowPath provList(ProvMode) override { return {}; }
    const QStringList &parameters() const override { return params; }
    QString folderField() const override { return folder; }
    void setFolderField(const QString &f) override { folder = f; }
    void showStartFolder(const QString &f) override { startFolders << f; }
    QLineEdit *templateField() override { return nullptr; }
    QStringList extensions() const override { return {}; }
    bool chooseFolder(FolderPick, QString &) override { return false; }
    void showListMode(ListKind kind) override { listModes << kind; }
    ListKind listModeKind() const override { return listModes.isEmpty() ? ListKind::None : listModes.last(); }
    void startSearch() override {}
    void setVtsLook(bool on) override { vtsLooks << on; }
    bool ordLinksShown() const override { return false; }
    void applyOrdPageColumns() override {}
    void reportListRead(int stop, int errors) override { listReports.append({stop, errors}); }
    int askSaveTextList(const QString &path, bool incomplete, bool *relative) override
    {
        return saveTextList ? saveTextList(path, incomplete, relative) : 2;
    }
    void convertFolders(bool silent) override
    {
        ++converted;
        if (onConvert)
            onConvert(silent);
    }
    bool quickRename(QString &, QByteArray *) override { return false; }
    QString chooseFavouriteFolder(const QString &current, const QString &tableFolder, QWidget *) override
    {
        favouriteCalls << current + QLatin1Char('|') + tableFolder;
        return favourite;
    }
    bool openWith(bool, const QStringList &, const QString &, QWidget *) override { return false; }
    void viewProperties(const QString &, bool, QWidget *) override {}
    bool deleteRow(bool, int) override { return false; }
    bool saveVts() override { return false; }
    bool sendSelected() override { return false; }
    bool openTextSearch() override { return false; }
    bool renameByRule(const std::function<void()> &) override { return false; }
    bool chooseQuickRename(QWidget *, int *, QString *) override { return false; }
    void runQuickRename(int, const QString &) override {}
};

// A context with its own table and a FakeWindow.
struct FakeContext {
    FakeWindow window;
    AppContext ctx{std::make_shared<TableModel>()};
    FakeContext() { ctx.setWindow(&window); }
    TableModel &table() { return ctx.table(); }
};

} // namespace vt::test
