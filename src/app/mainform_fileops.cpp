// The file operations of the main window: the actions window (F6) with copy,
// move, delete and the rule rename, the deletions of the table, the size
// report and the folder creation, which need the progress window, the log
// viewer and the conversion of "Папка" from here.
#include "app/logform.h"
#include "app/mainform.h"
#include "base/services.h"
#include "base/settings.h"
#include "fileops/actform.h"
#include "fileops/core/dircreate.h"
#include "fileops/dircreateform.h"
#include "lists/openvarform.h"
#include "platform/dirreader.h"
#include "search/searchpanel.h"
#include "rename/doprenform.h"
#include "rename/renprevform.h"
#include "lists/core/textsave.h"
#include "app/qtservices.h"
#include "base/currentlog.h"
#include "table/core/tablemodel.h"
#include "table/metform.h"
#include "table/resulttable.h"
#include "widgets/keystate.h"

#include <QPointer>
#include <QPushButton>

namespace vt {

FileDeleter TFileForm::deleter()
{
    FileDeleter f(*ListView->tableModel(), m_ops);
    f.setLists(m_lists.get());
    return f;
}

void TFileForm::registerFileopsCommands()
{
    using B = BusyPolicy;
    m_commands.add("fileops.actions", u"Действия (выбрать)", u"F6", {{Qt::Key_F6, false, false}}, B::Refuse,
                   [this] { ShowAct(); });
    m_commands.add("fileops.sizes", u"Объем выделенных / всех файлов", u"Ctrl + Shift + F4",
                   {{Qt::Key_F4, true, true}}, B::Refuse, [this] { deleter().miInfFilesSzClick(); });
    // The marks window's size button gives the same report.
    TMetForm::setSizeReport([self = QPointer<TFileForm>(this)] {
        if (self)
            self->deleter().miInfFilesSzClick();
    });
    m_commands.add("fileops.trashOne", u"Удалить в корзину (файл)", u"Ctrl + F9", {{Qt::Key_F9, false, true}},
                   B::Refuse, [this] {
                       const RowPath p = provList(ProvMode::File);
                       const Selection sel = ListView->tableModel()->selection();
                       if (p.native.isEmpty() || sel.size() != 1)
                           return;
                       if (sel.first().entry.isDir())
                           return ui().beep();
                       deleter().Del(false, sel.first().row);
                   });
    m_commands.add("fileops.selectEmpty", u"Выделить пустые папки (вся таблица)", u"Ctrl + E",
                   {{Qt::Key_E, false, true}}, B::Refuse, [this] { deleter().miEmptyDirSelectClick(); });
    m_commands.add("fileops.emptyFolders", u"Удалить/выделить пустые папки из выделенных", u"Ctrl + D",
                   {{Qt::Key_D, false, true}}, B::Refuse, [this] { deleter().miDelEmptyDirClick(); });
    m_commands.add("fileops.checkPath", u"Проверить/создать путь папки", u"Ctrl + H", {{Qt::Key_H, false, true}},
                   B::Refuse, [] { miDirCreateHorsClick(); });

    DirCreateHooks h;
    h.openIzb = [this](const QString &current, const QString &tableFolder) {
        QString chosen;
        OpenIzb(current, tableFolder, chosen, true, m_dirCreate);
        return chosen;
    };
    h.tableFolder = [this] {
        const int row = ListView->currentRow();
        const TableModel *m = ListView->tableModel();
        if (row < 0 || row >= m->size())
            return QString();
        const QByteArray f = m->at(row).entry.folderBytes();
        return fs::displayName(std::string_view(f.constData(), size_t(f.size())));
    };
    h.chooseDir = [this](int way, QString &folder) { return panTop->GetDirOnly(way, folder); };
    m_dirCreate = new TDirCreateFrm(std::move(h), this);
    m_commands.add("fileops.dirCreate", u"Создать папки по списку", u"", {}, B::Refuse,
                   [this] { m_dirCreate->showWindow(); });
}

void TFileForm::ShowAct()
{
    TableModel *m = ListView->tableModel();
    CopyMoveHooks h;
    h.preobr = [this] { preobr(false); };
    ActHooks a;
    a.saveVtl = [this] { m_commands.run(QStringLiteral("lists.saveVtl")); };
    a.appendVtl = [this] { m_commands.run(QStringLiteral("lists.appendVtl")); };
    a.saveVts = [this] { return SaveVTSBefore(); };
    TActfrm *form = nullptr;
    a.openWith = [this, &form] {
        if (sendSelected() && form)
            form->accept();
    };
    a.textSearch = [this](const QString &) { return openTextSearch(); };
    a.openIzb = [this](const QString &current, const QString &tableFolder) {
        QString chosen;
        OpenIzb(current, tableFolder, chosen, true, this);
        return chosen;
    };
    a.deleteFiles = [this, &form](bool permanent) {
        FileDeleter d = deleter();
        d.setHideWindow([&form] {
            if (form)
                form->hide();
        });
        return d.sbDelFilesClick(permanent).closeWindow;
    };
    a.rename = [this, m, &form] {
        TRenPrevForm prev(*m, m_ops, m_lists.get(), false, this);
        prev.openProperties = [this, &prev](const QString &path, bool folder) { viewProperties(path, folder, &prev); };
        if (prev.fill(m->selectedRows()) == 0) {
            ui().beep();
            form->sbRenFil->setEnabled(false);
            return;
        }
        form->hide();
        prev.exec();
        form->accept();
    };
    int dopIndex = -1;
    QString dopText;
    a.dopRen = [this, &form, &dopIndex, &dopText] {
        TDopRenForm chooser(form ? static_cast<QWidget *>(form) : this);
        if (chooser.exec() != TDopRenForm::kApply)
            return false;
        dopIndex = chooser.itemIndex();
        dopText = chooser.itemText();
        return true;
    };
    a.saveText = [m](const QString &quote, const QString &alias, bool aliasUsed, bool temp, int format) {
        TextSaveRequest r;
        r.quote = quote;
        r.replacement = alias;
        r.useReplacement = aliasUsed;
        r.toTemp = temp;
        r.ctrl = ctrlHeld();
        r.shift = shiftHeld();
        r.type = TextType(format);
        return SaveAsTxt(*m, currentLog(), r) != int(YesOk::Cancel);
    };
    const QString lcm = settings().lcm;
    TActfrm f(*m, m_ops, h, a, this);
    form = &f;
    f.setLists(m_lists.get());
    f.setFocusedRow(ListView->currentRow());
    do
        f.exec();
    while (f.takeReopen());
    if (settings().lcm != lcm)
        Savini();
    showCounters();
    if (f.actResult() == ActResult::Marks)
        m_commands.run(QStringLiteral("table.marks"));
    else if (f.actResult() == ActResult::DopRen)
        runDopRenChoice(dopIndex, dopText);
}

} // namespace vt
