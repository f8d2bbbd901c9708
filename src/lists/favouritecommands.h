#pragma once
// Commands of the favourite choosers for the main window's command table.
namespace vt {

class AppContext;

// "lists.favouriteFolder" (the favourite folders for the folder field) and
// "lists.favouriteTemplates" (the favourite templates for the template field).
void registerFavouriteCommands(AppContext &ctx);

} // namespace vt
