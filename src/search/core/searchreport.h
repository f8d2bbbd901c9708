#pragma once
// The texts a search leaves: the summary of its parameters and the final report.
#include "search/core/folderwalk.h"
#include "search/core/searchparams.h"

#include <QDateTime>
#include <QString>

namespace vt {

// "<date-time> Поиск с папки: \r\n<folder>\r\n-": the current-log line of a search.
QString searchLogLine(const QDateTime &when, const QString &folder);

struct SummaryInput {
    QString logLine;
    double minBound = 0, maxBound = 0; // days
    int depth = kDepthMax;
    QString limitText;
    QString mask;
    bool unreadable = false;
    bool extMode = false;
    QString extText;                   // as shown in the extension field
    SearchMode mode = ModeFilesAndFolders;
    QString filesCaption;              // caption of "Файлы/папки" for file modes
    qint64 minKb = 0, maxKb = 0;
    bool hideH = false, hideS = false, hideR = false;
};

// The search summary as it stands before the walk.
QString searchSummary(const SummaryInput &in);

// The report text T: "Поиск завершен\r\nНайдено файлов: N\r\nПапок: M" and its
// variants; listRead gives the list-reading words and the error count.
QString reportTitle(int stopFlag, bool listRead);
QString reportText(int stopFlag, bool listRead, int errors, int files, int folders);

} // namespace vt
