#pragma once
// Commands of the favourite choosers for the main window's command table.
#include "base/commands.h"

#include <QString>
#include <functional>

class QLineEdit;
class QWidget;

namespace vt {

// What the commands need from the main window.
struct FavouriteHooks {
    QWidget *parent = nullptr;
    std::function<QString()> folderField;            // the search folder field
    std::function<void(const QString &)> setFolder;  // puts a chosen folder there
    std::function<QString()> tableFolder;            // the single selected row's folder, or empty
    std::function<QLineEdit *()> templateField;      // the search template field
};

// "lists.favouriteFolder" (the favourite folders for the folder field) and
// "lists.favouriteTemplates" (the favourite templates for the template field).
void registerFavouriteCommands(CommandTable &t, FavouriteHooks hooks);

} // namespace vt
