#pragma once
// Qt's own texts (stock buttons, choosers, input boxes, the edit menu of a
// text field) in Russian, whatever language the system speaks.

namespace vt {

// Loads qtbase_ru from "translations" beside the program (a Windows build
// ships it there), else from Qt's own folder. False when neither has it.
bool installQtTranslations();

} // namespace vt
