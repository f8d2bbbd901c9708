#pragma once
// The checks a search start makes on the parameters, in their fixed order and
// with their fixed messages.
#include "search/core/searchparams.h"

#include <QString>

namespace vt {

// What a search looks for: extension mode finds files; else "Файлы" files,
// "Файлы/папки" both, "Папки/пустые" folders.
FindKind findKind(const SearchParams &p);

// The message refusing a mask, empty when the mask is acceptable.
QString provShabMessage(const QString &mask);
// True when the mask has neither * nor ?, so the user must be asked.
bool maskWithoutWildcards(const QString &mask);
// The mask check with its message or question through the UI service.
bool provShab(const QString &mask);

// A chosen folder as the folder field takes it: trailing separator added;
// empty when it is not an existing absolute folder.
QString existingFolder(const QString &path);

// Values from outside the panel as its fields take them: sizes into
// 0…1073741824 KB, the limit into 1…9999, the depth into 0…200.
void fitFieldRanges(SearchParams &p);

// Runs the start checks; corrected values go back into p (earliest date, mask
// length, the folder chosen in the browser). False ends the start; every
// refusal has been shown already.
bool validateSearch(SearchParams &p, ValidSearch &out);

} // namespace vt
