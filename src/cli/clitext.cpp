// `--text TEXT [--case] [--lines]`: the text search window's search with its
// initial options over the rows' files; its log blocks are the output.
#include "cli/cliactions.h"

#include "base/currentlog.h"
#include "base/operation.h"
#include "search/core/headlessfind.h"
#include "table/core/tablemodel.h"
#include "textsearch/core/textsearch.h"

namespace vt {

int cliText(CliRun &r)
{
    const QString text = r.value("text");
    if (text.isEmpty()) {
        printErr(QStringLiteral("Введите строку для поиска"));
        return 2;
    }
    const int files = r.rows.counters().selFiles;
    if (files < 1 || files > kTextSearchMaxFiles) {
        printErr(QStringLiteral("Поиск по тексту: файлов %1, допустимо от 1 до %2").arg(files).arg(kTextSearchMaxFiles));
        return 2;
    }
    TextSearchOptions o;
    o.caseSensitive = r.isSet("case");
    o.numbersLine = r.isSet("lines");
    CurrentLog &log = currentLog();
    log.beginOperation(LogKind::TextSearch);
    const TextSearchResult found = Parser(r.rows, text, o, log.opLog(), &r.ops);
    printLines(log.opLog(), true);
    return found.found.isEmpty() ? 1 : 0;
}

} // namespace vt
