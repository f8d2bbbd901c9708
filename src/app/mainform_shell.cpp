// Running and opening the current row, the open-with window, the file
// manager and the properties window (F8, F9, the explorer button).
#include "app/mainform.h"

#include "base/services.h"
#include "fileops/actform.h"
#include "lists/filstrform.h"
#include "shell/core/openwith.h"
#include "shell/core/shellrun.h"
#include "shell/openwithform.h"
#include "shell/svvform.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>

namespace vt {

QString TFileForm::currentPage() const
{
    const TableModel *m = ListView->tableModel();
    const int row = ListView->currentRow();
    return row >= 0 && row < m->size() ? m->at(row).cells[ColPage] : QString();
}

bool TFileForm::openWith(bool single, const QStringList &paths, const QString &page, QWidget *parent)
{
    return OpenWith(single, paths, page, parent, [](QLineEdit *field) {
        OpenFilStr(FavouriteKind::Parameter, FavouriteStrings::storePath(FavouriteKind::Parameter), field,
                   QStringLiteral("Избранные параметры"), field->window());
    });
}

void TFileForm::openWithRow(const QString &path) { openWith(true, {path}, currentPage(), this); }

void TFileForm::viewProperties(const QString &path, bool folder, QWidget *parent)
{
    vt::viewProperties(path, folder, [this, path, parent] { openWith(true, {path}, QString(), parent); }, parent);
}

void TFileForm::runRow(const QString &path)
{
    // A path the desktop cannot run or open goes to the open-with window; the
    // desktop may answer after another command has started: that one goes on.
    pusk(true, path, {}, [self = QPointer<TFileForm>(this), path](bool ok) {
        if (!ok && self && !self->busy() && !QApplication::activeModalWidget())
            self->openWithRow(path);
    });
}

void TFileForm::showProperties()
{
    const RowPath p = provList(ProvMode::Any);
    if (p.isEmpty())
        return;
    const Selection sel = ListView->tableModel()->selection();
    const int row = sel.first().row;
    const bool folder = sel.first().entry.isDir();
    SvvHooks h;
    // the window shows text; the rename goes by the row's bytes
    h.rename = [this, native = p.native](QString &path) mutable { return QRename(1, path, &native); };
    h.del = [this, row](bool permanent) { return deleter().Del(permanent, row); };
    h.send = [this] { m_commands.run(QStringLiteral("shell.openWith")); };
    Tsvvfrm f(std::move(h), this);
    f.InitTxt(p.text);
    f.setFolder(folder);
    f.exec();
    if (f.result() == SvvResult::Actions)
        ShowAct();
}

void TFileForm::registerShellCommands()
{
    using B = BusyPolicy;
    CommandTable &t = m_commands;
    setAfterShowItem([this] { showMinimized(); });
    t.add("shell.runAsk", u"Выполнить / отправить", u"F8", {{Qt::Key_F8, false, false}}, B::Refuse, [this] {
        const RowPath p = provList(ProvMode::Any);
        if (p.isEmpty())
            return;
        const YesOk a = ui().vprYesOK(QStringLiteral("Файл/папка:\r") + p.text
                                      + QStringLiteral("\r---\rВыберите действие:\r[Yes]: выполнить файл/папку"
                                                       "\r[OK]: открыть с помощью"));
        if (a == YesOk::Yes)
            runRow(p.text);
        else if (a == YesOk::Ok)
            openWithRow(p.text);
    });
    t.add("shell.run", u"", u"", {{Qt::Key_F8, true, false}, {Qt::Key_F8, true, true}}, B::Refuse, [this] {
        const RowPath p = provList(ProvMode::Any);
        if (!p.isEmpty())
            runRow(p.text);
    });
    t.add("shell.openWith", u"", u"", {{Qt::Key_F8, false, true}}, B::Refuse, [this] {
        const RowPath p = provList(ProvMode::Any);
        if (!p.isEmpty())
            openWithRow(p.text);
    });
    t.add("shell.properties", u"Свойства (выбрать)", u"F9", {{Qt::Key_F9, false, false}}, B::Refuse,
          [this] { showProperties(); });
    t.add("shell.explorer", u"Проводник (см. кол. \"Папка\")", u"", {}, B::Refuse, [this] {
        const RowPath p = provList(ProvMode::Folder);
        if (!p.isEmpty())
            pusk(false, p.text);
    });
    t.add("shell.findInExplorer", u"Найти в проводнике (см. кол. \"Имя\")", u"", {}, B::Refuse, [this] {
        const RowPath p = provList(ProvMode::Any);
        if (!p.isEmpty())
            ExtFnd(p.text);
    });
}

bool TFileForm::sendSelected()
{
    const TableModel *m = ListView->tableModel();
    const SendText s = sendText(*m, m->selection());
    if (s.text.isEmpty())
        return false;
    return openWith(s.paths.size() == 1, s.paths, currentPage(), this);
}

} // namespace vt
