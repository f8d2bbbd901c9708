#pragma once
// The parameters of a search as the top panel holds them, and what the
// validation makes of them.
#include "base/limits.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace vt {

// What to find, from the three states of "Файлы/папки" and extension mode.
enum class FindKind { Folders = 0, FilesAndFolders = 1, Files = 2 };

struct SearchParams {
    QString folder;          // text of the folder field
    QString mask = QStringLiteral("*");
    double minDate = 0;      // whole days of the minimum date picker
    double minTime = 0;      // the minimum time picker (only its fraction counts)
    double maxDate = 0;
    double maxTime = 0;
    qint64 minKb = 0;
    qint64 maxKb = kSizeKbMax;
    int limit = kRowLimitMax;
    int depth = kDepthMax;
    bool hideH = false, hideS = false, hideR = false;
    int filesState = 1;      // 2 ticked "Файлы", 1 grayed "Файлы/папки", 0 unticked "Папки/пустые"
    bool extMode = false;
    QStringList exts;        // upper case, sorted, at most 10
};

// A search ready to run.
struct ValidSearch {
    QString folder;          // existing folder with a trailing separator
    QString mask;
    double minBound = 0, maxBound = 0;   // in days
    quint32 minStamp = 0, maxStamp = 0;
    FindKind kind = FindKind::FilesAndFolders;
};

} // namespace vt
