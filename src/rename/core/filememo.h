#pragma once

#include <QStringList>

// The file lines of the name views: the three lists run in parallel, one
// entry per file (folder with its trailing separator, name without extension,
// extension with its dot or empty).
struct FileParts {
    QStringList folders;
    QStringList names;
    QStringList exts;
};

// One line per file: [folder] + name [+ extension]; the folder only in the
// full-path view, the extension only when asked for.
QStringList SetFMem(const FileParts &parts, bool withFolder, bool withExt);
