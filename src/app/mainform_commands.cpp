// The main window's own commands, the subsystems' commands (each registered
// from its own folder) and the order of the main popup menu.
#include "app/mainform.h"

#include "app/helpform.h"
#include "app/logform.h"
#include "base/services.h"
#include "base/settings.h"
#include "fileops/core/deletefiles.h"
#include "fileops/fileopscommands.h"
#include "lists/fileassocform.h"
#include "lists/listcommands.h"
#include "rename/renamecommands.h"
#include "shell/shellcommands.h"
#include "search/searchpanel.h"
#include "shell/core/shellrun.h"
#include "table/core/tablemodel.h"
#include "table/metform.h"
#include "table/resulttable.h"
#include "table/tablecommands.h"
#include "undo/core/undocommands.h"

#include <QPointer>

namespace vt {
namespace {

KeyBinding key(int k, bool shift = false, bool ctrl = false) { return {k, shift, ctrl}; }

} // namespace

void TFileForm::registerCommands()
{
    using B = BusyPolicy;
    CommandTable &t = m_commands;

    t.add("app.about", u"Текущий лог, о программе", u"F1", {key(Qt::Key_F1)}, B::Refuse, [this] {
        if (!m_help) {
            ui().beep();
            return;
        }
        // The setting "Вопрос при закрытии" is saved when the window changed it.
        const bool before = settings().clv;
        m_help->exec();
        if (settings().clv != before)
            Savini();
    });
    t.add("app.logs", u"Логи", u"Shift + F1", {key(Qt::Key_F1, true), key(Qt::Key_F1, true, true)},
          B::Refuse, [this] { showLog(); });
    t.add("app.sound", u"Вкл/выкл. звук", u"F2", {key(Qt::Key_F2)}, B::Refuse, [this] {
        setSoundOn(!soundOn());
        showSoundGlyph();
    });
    t.add("app.stop", u"", u"", {key(Qt::Key_Escape)}, B::Allow, [this] { sbStopClick(); });
    t.add("window.toggle", u"На весь экран/стандартный", u"F11", {key(Qt::Key_F11)}, B::Allow,
          [this] { placeByF11(false, false); });
    t.add("window.minimal", u"Миним. размер, центр экрана", u"Shift + F11", {key(Qt::Key_F11, true)},
          B::Allow, [this] { placeByF11(true, false); });
    t.add("window.bottom", u"Влево-вниз, растянуть по ширине", u"Ctrl + F11",
          {key(Qt::Key_F11, false, true), key(Qt::Key_F11, true, true)}, B::Allow,
          [this] { placeByF11(false, true); });
    t.add("window.szTop", u"Влево-вверх, растянуть/станд. шир.", u"", {}, B::Refuse,
          [this] { sbSzClick(true, false); });
    t.add("window.szBottom", u"Влево-вниз, растянуть/станд. шир.", u"", {}, B::Refuse,
          [this] { sbSzClick(false, true); });
    t.add("window.szWide", u"Растянуть по ширине экрана", u"", {}, B::Refuse,
          [this] { sbSzClick(true, true); });
    t.add("app.newCopy", u"Новая копия Vestrada, свернуть", u"", {}, B::Allow, [this] { Vestrada1Click(); });
    t.add("app.ownFolder", u"Открыть папку программы", u"", {}, B::Allow, [this] { miExpOwnDirClick(); });
    t.add("app.minimise", u"Свернуть", u"", {}, B::Allow, [this] { showMinimized(); });
    t.add("app.close", u"Закрыть", u"Alt + F4", {}, B::Allow, [this] { close(); });
    t.add("app.associations", u"Ассоциации...", u"", {}, B::Refuse, [this] {
        TFileAssocForm form(this);
        if (form.exec() == QDialog::Accepted)
            zv(3);
    });

    tableCommands->registerCommands(t, QStringLiteral("fileops.actions"));
    registerListCommands(m_ctx);
    buildFavourites();
    registerFileopsCommands(m_ctx);
    registerRenameCommands(m_ctx);
    registerUndoCommands(m_ctx);
    registerShellCommands(m_ctx);
    panTop->registerCommands(t, [this] { StartFind(); }, [this] { miFndUnicClick(); });
    // A file shown in the file manager minimises the window; the marks
    // window's size button gives the size report.
    setAfterShowItem([this] { showMinimized(); });
    TMetForm::setSizeReport([self = QPointer<TFileForm>(this)] {
        if (self)
            deleterFor(self->m_ctx).reportSizes();
    });
}

QStringList TFileForm::mainMenuLayout()
{
    QStringList l{
        "app.about", "app.logs", "lists.checkTable", "-",
        "app.sound", "table.first", "table.last", "-",
        "table.find", "table.findForward", "table.findBackward", "-",
        "table.marks", "table.sortByMarks", "table.removeRows", "fileops.sizes", "-",
        "table.focus", "table.invert", "table.shuffle", "-",
        "fileops.actions", "undo.last", "lists.appendVtl", "lists.saveVtl", "-",
        "rename.view", "rename.splitter", "rename.columns", "-",
        ">Дополнительное переименование (файлы)", "rename.dopSpaces", "rename.dopTranslit", "rename.dopExtPlus", "-",
        "rename.dopExtDel", "rename.dopHelp", "<",
        ">Переименование папок", "rename.folders", "rename.folderNames", "-", "rename.folderHelp", "<", "-",
        "fileops.selectEmpty", "fileops.emptyFolders", "fileops.dirCreate", "fileops.checkPath", "-",
        "table.moveTo", "table.moveUp", "table.moveDown", "table.moveEnd", "-",
        "shell.runAsk", "shell.properties", "rename.quick", "fileops.trashOne",
        "shell.explorer", "shell.findInExplorer", "-",
        "window.toggle", "window.minimal", "window.bottom", "-",
        "search.start", "-",
        "lists.addFiles", "lists.addFolder", "lists.addPath", "lists.saveVts", "lists.diffVts", "-",
        ">Открыть список", "lists.openVtl", "lists.openVtx", "lists.openVts", "-", "lists.openVtxTexts", "<",
        ">Сохранить во временный текстовый файл и открыть", "lists.tempM3u", "lists.tempVtx", "<",
        "lists.explorerTexts", "-",
        ">Ord и Page", "lists.ord", "lists.page", "-", "lists.ordPageHide", "lists.ordPageShow",
        "lists.ordPageAuto", "lists.ordPageKeep", "-", "lists.ordPageRemember", "<",
        ">Сортировать, перемешать"};
    l << TableCommands::sortMenuIds();
    l << QStringList{"<", "table.show83", "table.hide83", "table.rowDrag", "table.recount",
                     "table.selectAll", "table.clearAll", "-",
                     "search.unreadable", "search.allMax", "-",
                     "app.newCopy", "app.ownFolder", "-",
                     "app.minimise", "app.close"};
    return l;
}

QStringList TFileForm::programMenuLayout()
{
    return {"app.about", "app.logs", "-", "app.copyCommandLine", "app.parametersView", "app.listCommandLine",
            "app.associations", "-", "app.newCopy", "app.ownFolder", "-", "app.minimise", "app.close"};
}

} // namespace vt
