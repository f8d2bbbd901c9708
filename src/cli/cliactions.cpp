#include "cli/cliactions.h"

#include "platform/terminal.h"
#include "search/core/consoleui.h"
#include "search/core/headlessfind.h"

#include <QCommandLineParser>

namespace vt {

QString CliRun::value(const char *name) const { return args.value(QString::fromLatin1(name)); }

bool CliRun::isSet(const char *name) const { return args.isSet(QString::fromLatin1(name)); }

void CliRun::confirm(bool destructive)
{
    if (test || !destructive || yes) {
        console.answer = [](const QString &) { return true; };
    } else if (fs::stdinIsTerminal()) {
        console.answer = [](const QString &text) {
            printErr(text + QStringLiteral("\r(д/н): "));
            const std::optional<QString> line = fs::readStdinLine();
            const QString a = line.value_or(QString()).trimmed().toLower();
            return a == QStringLiteral("д") || a == QStringLiteral("да") || a == QLatin1String("y")
                   || a == QLatin1String("yes");
        };
    } else {
        console.answer = [this](const QString &text) {
            printErr(text);
            printErr(QStringLiteral("Без терминала нужен ключ --yes"));
            console.failed = true;
            return false;
        };
    }
}

const std::vector<CliAction> &cliActions()
{
    static const std::vector<CliAction> table = {
        {"rename", "ПРАВИЛА[:N]", "переименовать по правилу N (1-9) файла пресет", true, cliRename},
        {"copy", "ПАПКА", "копировать файлы в папку", true, cliCopy},
        {"text", "ТЕКСТ", "поиск по тексту файлов", true, cliText},
        {"trash", nullptr, "удалить файлы в корзину", true, cliTrash},
        {"delete", nullptr, "удалить файлы безвозвратно", true, cliDelete},
        {"empty-folders", nullptr, "выделить пустые папки (с --trash или --delete: удалить)", true, cliEmptyFolders},
        {"quick", "КАК", "быстрое переименование: translit, spaces, add-ext:РАСШ, remove-ext", true, cliQuick},
        {"rename-list", "ИМЕНА.txt", "переименовать список в список: строка i - новое имя строки i", true,
         cliRenameList},
        {"mkdirs", "ИМЕНА.txt", "создать папки по строкам файла в папке --in", false, cliMkdirs},
        {"diff", "СНИМОК.vts", "сравнить строки со снимком: + новые, - нет в таблице, ~ изменены", true, cliDiff},
    };
    return table;
}

const std::vector<CliModifier> &cliModifiers()
{
    static const std::vector<CliModifier> table = {
        {"folders", nullptr, "переименовать папки, а не файлы", {"rename", "quick", "rename-list"}},
        {"in", "ПАПКА", "где создать папки", {"mkdirs"}},
        {"all", nullptr, "и строки без изменений (=)", {"diff"}},
        {"mode", "РЕЖИМ", "prefix (по умолчанию), overwrite, backup или folders", {"copy"}},
        {"overwrite", "КАК", "none (по умолчанию: не перезаписывать), all или newer", {"copy"}},
        {"move", nullptr, "переместить, а не копировать", {"copy"}},
        {"case", nullptr, "с учетом регистра", {"text"}},
        {"lines", nullptr, "номера найденных строк", {"text"}},
        {"trash", nullptr, "", {"empty-folders"}},
        {"delete", nullptr, "", {"empty-folders"}},
    };
    return table;
}

} // namespace vt
