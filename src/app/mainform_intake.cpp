// Paths that reach the table from outside a search: the command line at the
// first activation, drops from the file manager, the "Добавить" button and
// its menu, and the command-line tools of the program menu.
#include "app/mainform.h"

#include "app/logform.h"
#include "base/currentlog.h"
#include "base/services.h"
#include "lists/core/pathintake.h"
#include "platform/commandline.h"
#include "rename/prosmform.h"
#include "search/searchpanel.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "table/statuspanels.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>

namespace vt {

void TFileForm::buildIntake()
{
    IntakeHooks h;
    h.setFolderField = [this](const QString &f) { panTop->setFolderText(f); };
    h.preobr = [this](bool silent) { preobr(silent); };
    m_intake = std::make_unique<PathIntake>(*m_lists, *ListView->tableModel(), m_ops, currentLog(), std::move(h));
    setAcceptDrops(true);

    // The button's own menu: tags 0, 1, 2 are plain, Shift and Ctrl.
    auto *pop = new QMenu(this);
    const std::pair<const char16_t *, int> items[] = {
        {u"Добавить пути файлов", 0}, {u"Добавить путь папки", 1}, {u"Ввести имя файла/папки: Ctrl + W", 2}};
    for (const auto &[text, tag] : items)
        connect(pop->addAction(QString::fromUtf16(text)), &QAction::triggered, this,
                [this, tag = tag] { AddOne(tag == 1, tag == 2); });
    panTop->sbAddList->setToolTip(QStringLiteral(
        "Добавить пути файлов в таблицу\r\nShift + клик: добавить путь папки в таблицу\r\n"
        "Ctrl + клик, Ctrl + W: ввести имя файла/папки\r\n*Конт. меню: добавить путь файла/папки"));
    panTop->sbAddList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(panTop->sbAddList, &QWidget::customContextMenuRequested, pop, [this, pop](const QPoint &p) {
        if (!busy())
            pop->popup(panTop->sbAddList->mapToGlobal(p));
    });
}

void TFileForm::registerIntakeCommands()
{
    using B = BusyPolicy;
    CommandTable &t = m_commands;
    t.add("lists.add", u"", u"", {}, B::Refuse, [this] { AddOne(GetSh(), GetCt()); });
    t.add("lists.addFiles", u"Добавить пути файлов", u"", {}, B::Refuse, [this] { AddOne(false, false); });
    t.add("lists.addFolder", u"Добавить путь папки", u"", {}, B::Refuse, [this] { AddOne(true, false); });
    t.add("lists.addPath", u"Ввести путь файла/папки", u"Ctrl + W", {{Qt::Key_W, false, true}}, B::Refuse,
          [this] { AddOne(false, true); });
    t.add("app.copyCommandLine", u"Параметры командной строки Vestrada", u"", {}, B::Refuse,
          [this] { miClpParamCmdClick(); });
    Command view;
    view.id = QStringLiteral("app.parametersView");
    view.caption = QStringLiteral("Просмотр параметров списком");
    view.run = [this] { miProsmParamClick(); };
    view.enabled = [this] { return !m_params.isEmpty(); };
    t.add(std::move(view));
    t.add("app.listCommandLine", u"Создать командную строку для списка", u"", {}, B::Refuse,
          [this] { miClpParamSpisClick(); });
}

void TFileForm::startWithParameters()
{
    if (m_params.isEmpty())
        return;
    const AddOutcome o = m_intake->AddParams(AddMode::CommandLine, m_params);
    if (int(o.list) > 0)
        showListMode(o.list);
}

void TFileForm::AddOne(bool shift, bool ctrl)
{
    if (!m_intake->ProvAdd())
        return;
    if (ctrl) {
        const std::optional<QString> typed = ui().input(
            QStringLiteral("Добавить в таблицу"), QStringLiteral("Введите полный путь файла/папки, длина не меньше 4 симв."),
            QString());
        if (typed)
            m_intake->addOnePath(*typed);
        return;
    }
    // The folder of the one selected row is where the dialogs start.
    QString start;
    const TableModel *m = ListView->tableModel();
    if (m->selectedCount() == 1) {
        const QString folder = m->startFolder() + m->at(m->firstSelected()).cells[ColFolder];
        if (QFileInfo(folder).isDir())
            start = folder;
    }
    if (shift) {
        const QString folder = ui().chooseFolder(QStringLiteral("Выберите папку"), start);
        if (!folder.isEmpty())
            m_intake->addOnePath(folder);
        return;
    }
    QString filter = QStringLiteral("Все файлы (*)|*");
    const QStringList exts = panTop->params().exts;
    if (!exts.isEmpty()) {
        QString l;
        for (const QString &e : exts)
            l += QStringLiteral("*.") + e.toLower() + QLatin1Char(';');
        filter += QStringLiteral("|User exts (") + l + QStringLiteral(")|") + l;
    }
    m_intake->addFiles(ui().chooseFiles(
        QStringLiteral("Добавить пути одного или нескольких файлов в таблицу"), filter, start));
}

void TFileForm::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void TFileForm::dropEvent(QDropEvent *e)
{
    QStringList paths;
    for (const QUrl &u : e->mimeData()->urls())
        if (u.isLocalFile())
            paths << QDir::cleanPath(u.toLocalFile());
    // The file manager gets its drop back before any question is asked.
    e->acceptProposedAction();
    m_intake->addDropped(paths, [this](const QStringList &sorted) {
        Prosmotr(ViewAny, sorted, QStringLiteral("проводнике"), this);
    });
}

void TFileForm::miClpParamCmdClick()
{
    if (busy())
        return;
    const QString line = fs::shellCommandLine(QStringList{QCoreApplication::applicationFilePath()} + m_params);
    if (!ui().vopr(QStringLiteral("Число параметров командной строки: ") + QString::number(m_params.size())
                   + QStringLiteral("\rСтрока:\r") + line + QStringLiteral("\r\rКопировать в буфер обмена?")))
        return;
    QGuiApplication::clipboard()->setText(line);
    zv(3);
}

void TFileForm::miClpParamSpisClick()
{
    if (busy())
        return;
    if (!m_lists->isOpen()) {
        ui().inf(QStringLiteral("Список не открыт"));
        return;
    }
    // Pasted into a shell it must open the list and run nothing of its name.
    const QString line = fs::shellCommandLine({QCoreApplication::applicationFilePath(), m_lists->path()});
    if (!ui().vopr(QStringLiteral("Командная строка для запуска текущего списка:\r") + line
                   + QStringLiteral("\r\rКопировать в буфер обмена?")))
        return;
    QGuiApplication::clipboard()->setText(line);
    zv(3);
}

void TFileForm::miProsmParamClick()
{
    if (busy() || m_params.isEmpty())
        return;
    const YesOk a = ui().vprYesOK(QStringLiteral("Число параметров командной строки: ")
                                  + QString::number(m_params.size())
                                  + QStringLiteral("\rВыберите действие:\r[Yes]: создать список без кавычек\r"
                                                   "[OK]: список в кавычках"));
    if (a == YesOk::Cancel)
        return;
    CurrentLog &log = currentLog();
    log.beginOperation(kCommandLineView);
    for (QString p : m_params) {
        if (p.size() > 2) {
            if (p.startsWith(QLatin1Char('"')) && p.endsWith(QLatin1Char('"')))
                p = p.mid(1, p.size() - 2);
            if (a == YesOk::Ok)
                p = QLatin1Char('"') + p + QLatin1Char('"');
        }
        log.opLog() << p;
    }
    showLog();
}

} // namespace vt
