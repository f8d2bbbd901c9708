// "Добавить" and its variants, the command-line tools of the program menu and
// the VTX/M3U text lists.
#include "lists/pathcommands.h"

#include "base/appcontext.h"
#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/runstate.h"
#include "base/services.h"
#include "lists/core/listcontroller.h"
#include "lists/core/pathintake.h"
#include "lists/core/textsave.h"
#include "lists/listcommands.h"
#include "platform/commandline.h"
#include "table/core/tablemodel.h"
#include "widgets/keystate.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

namespace vt {
namespace {

// Where the next open dialog of a text list starts ("VTX / M3U, с папки Texts").
struct TextListDialog {
    QString start;
};

void copyCommandLine(AppContext &ctx)
{
    if (ctx.busy())
        return;
    const QStringList &params = ctx.window().parameters();
    const QString line = fs::shellCommandLine(QStringList{QCoreApplication::applicationFilePath()} + params);
    if (!ui().vopr(QStringLiteral("Число параметров командной строки: ") + QString::number(params.size())
                   + QStringLiteral("\rСтрока:\r") + line + QStringLiteral("\r\rКопировать в буфер обмена?")))
        return;
    QGuiApplication::clipboard()->setText(line);
    zv(3);
}

void copyListCommandLine(AppContext &ctx)
{
    if (ctx.busy())
        return;
    if (!ctx.lists().isOpen()) {
        ui().inf(QStringLiteral("Список не открыт"));
        return;
    }
    // Pasted into a shell it must open the list and run nothing of its name.
    const QString line = fs::shellCommandLine({QCoreApplication::applicationFilePath(), ctx.lists().path()});
    if (!ui().vopr(QStringLiteral("Командная строка для запуска текущего списка:\r") + line
                   + QStringLiteral("\r\rКопировать в буфер обмена?")))
        return;
    QGuiApplication::clipboard()->setText(line);
    zv(3);
}

void viewParameters(AppContext &ctx)
{
    const QStringList &params = ctx.window().parameters();
    if (ctx.busy() || params.isEmpty())
        return;
    const YesOk a = ui().vprYesOK(QStringLiteral("Число параметров командной строки: ")
                                  + QString::number(params.size())
                                  + QStringLiteral("\rВыберите действие:\r[Yes]: создать список без кавычек\r"
                                                   "[OK]: список в кавычках"));
    if (a == YesOk::Cancel)
        return;
    CurrentLog &log = ctx.log();
    log.beginOperation(LogKind::CommandLineView);
    for (QString p : params) {
        if (p.size() > 2) {
            if (p.startsWith(QLatin1Char('"')) && p.endsWith(QLatin1Char('"')))
                p = p.mid(1, p.size() - 2);
            if (a == YesOk::Ok)
                p = QLatin1Char('"') + p + QLatin1Char('"');
        }
        log.opLog() << p;
    }
    feedback().showLog();
}

void quickM3uVtx(AppContext &ctx, bool vtx)
{
    const TableModel &t = ctx.table();
    if (t.counters().selFiles + t.counters().selFolders == 0) {
        ui().beep();
        return;
    }
    TextSaveRequest r;
    r.toTemp = true;
    r.type = vtx ? TextType::Vtx : TextType::M3u;
    SaveAsTxt(t, ctx.log(), r);
}

} // namespace

void addToTable(AppContext &ctx, bool shift, bool ctrl)
{
    PathIntake &intake = ctx.intake();
    if (!intake.ProvAdd())
        return;
    if (ctrl) {
        const std::optional<QString> typed = ui().input(
            QStringLiteral("Добавить в таблицу"), QStringLiteral("Введите полный путь файла/папки, длина не меньше 4 симв."),
            QString());
        if (typed)
            intake.addOnePath(*typed);
        return;
    }
    // The folder of the one selected row is where the dialogs start.
    QString start;
    const TableModel &m = ctx.table();
    if (m.selectedCount() == 1) {
        const QString folder = m.startFolder() + m.at(m.firstSelected()).cells[ColFolder];
        if (QFileInfo(folder).isDir())
            start = folder;
    }
    if (shift) {
        const QString folder = ui().chooseFolder(QStringLiteral("Выберите папку"), start);
        if (!folder.isEmpty())
            intake.addOnePath(folder);
        return;
    }
    QString filter = QStringLiteral("Все файлы (*)|*");
    const QStringList exts = ctx.window().extensions();
    if (!exts.isEmpty()) {
        QString l;
        for (const QString &e : exts)
            l += QStringLiteral("*.") + e.toLower() + QLatin1Char(';');
        filter += QStringLiteral("|User exts (") + l + QStringLiteral(")|") + l;
    }
    intake.addFiles(ui().chooseFiles(
        QStringLiteral("Добавить пути одного или нескольких файлов в таблицу"), filter, start));
}

void readTextList(AppContext &ctx, const QString &path)
{
    QString file = path;
    if (file.isEmpty()) {
        QString &start = ctx.run().get<TextListDialog>().start;
        QString preset = ctx.lists().kind() == ListKind::Vtx ? ctx.lists().path() : QString();
        if (!start.isEmpty())
            preset = start;
        start.clear();
        file = ui().chooseExistingFile(QStringLiteral("Открыть список VTX / M3U"),
                                       QStringLiteral("Файлы VTX, M3U|*.vtx;*.m3u"), preset);
        if (file.isEmpty())
            return;
    }
    const QString ext = QFileInfo(file).suffix().toUpper();
    if (ext != QLatin1String("VTX") && ext != QLatin1String("M3U")) {
        ui().beep();
        return;
    }
    ctx.intake().AddParams(AddMode::ReadList, {file});
    ctx.window().showCounters();
}

void registerPathCommands(AppContext &ctx)
{
    using B = BusyPolicy;
    CommandTable &t = ctx.commands();
    AppContext *c = &ctx;
    t.add("lists.add", u"", u"", {}, B::Refuse, [c] { addToTable(*c, shiftHeld(), ctrlHeld()); });
    t.add("lists.addFiles", u"Добавить пути файлов", u"", {}, B::Refuse, [c] { addToTable(*c, false, false); });
    t.add("lists.addFolder", u"Добавить путь папки", u"", {}, B::Refuse, [c] { addToTable(*c, true, false); });
    t.add("lists.addPath", u"Ввести путь файла/папки", u"Ctrl + W", {{Qt::Key_W, false, true}}, B::Refuse,
          [c] { addToTable(*c, false, true); });
    t.add("app.copyCommandLine", u"Параметры командной строки Vestrada", u"", {}, B::Refuse,
          [c] { copyCommandLine(*c); });
    Command view;
    view.id = QStringLiteral("app.parametersView");
    view.caption = QStringLiteral("Просмотр параметров списком");
    view.run = [c] { viewParameters(*c); };
    view.enabled = [c] { return !c->window().parameters().isEmpty(); };
    t.add(std::move(view));
    t.add("app.listCommandLine", u"Создать командную строку для списка", u"", {}, B::Refuse,
          [c] { copyListCommandLine(*c); });

    t.add("lists.tempM3u", u"расширение M3U", u"Ctrl + M", {{Qt::Key_M, false, true}}, B::Refuse,
          [c] { quickM3uVtx(*c, false); });
    t.add("lists.tempVtx", u"расширение VTX", u"Ctrl + N", {{Qt::Key_N, false, true}}, B::Refuse,
          [c] { quickM3uVtx(*c, true); });
    t.add("lists.explorerTexts", u"Проводник в папку Texts", u"", {}, B::Refuse, [c] {
        TextSaveRequest r;
        r.ctrl = true;
        SaveAsTxt(c->table(), c->log(), r);
    });
    t.add("lists.openVtxTexts", u"VTX / M3U, с папки Texts", u"", {}, B::Refuse, [c] {
        const QString texts = mkdirr(QStringLiteral("Texts"));
        if (texts.isEmpty()) {
            ui().beep();
            return;
        }
        if (c->busy())
            return;
        QString &start = c->run().get<TextListDialog>().start;
        start = texts;
        c->window().showListMode(ListKind::Vtx);
        c->window().startSearch();
        start.clear();
    });
}

} // namespace vt
