#include "rename/core/filememo.h"

QStringList SetFMem(const FileParts &parts, bool withFolder, bool withExt)
{
    QStringList lines;
    const qsizetype n = parts.names.size();
    lines.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        QString line;
        if (withFolder && i < parts.folders.size())
            line += parts.folders.at(i);
        line += parts.names.at(i);
        if (withExt && i < parts.exts.size())
            line += parts.exts.at(i);
        lines.append(line);
    }
    return lines;
}
