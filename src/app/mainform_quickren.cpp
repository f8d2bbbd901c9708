// The quick renames of the main window: the two rename submenus, Shift+F9,
// Ctrl+J and Ctrl+Shift+J, the choice the actions window's chooser hands
// back, and QRename for the windows that rename one file.
#include "app/logform.h"
#include "app/mainform.h"
#include "base/services.h"
#include "rename/core/quickname.h"
#include "rename/renprevform.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"

#include <QPointer>
#include <QThread>

namespace vt {

QuickRen TFileForm::quickRen()
{
    // the warning must not be dismissed by the same key press that opens the next question
    return QuickRen(*ListView->tableModel(), m_ops, m_lists.get(), [] { QThread::msleep(500); });
}

bool TFileForm::QRename(int flag, QString &path, QByteArray *native)
{
    const bool ok = quickRen().QRename(flag, path, native);
    if (ok)
        showCounters();
    return ok;
}

void TFileForm::miRenDirRuleClick()
{
    if (busy() || !quickRen().folderPreCheck())
        return;
    TableModel *m = ListView->tableModel();
    TRenPrevForm prev(*m, m_ops, m_lists.get(), true, this);
    prev.openProperties = [this, &prev](const QString &path, bool folder) { viewProperties(path, folder, &prev); };
    if (prev.fill(m->selectedRows()) == 0)
        return ui().inf(QStringLiteral("Не найдено папок для переименования"));
    prev.exec();
    showCounters();
}

void TFileForm::runDopRenChoice(int index, const QString &text)
{
    if (index >= 0 && index <= 2)
        quickRen().DopRen(index, false, text);
    else if (index == 3)
        quickRen().miDopExtDelClick();
    showCounters();
}

void TFileForm::registerQuickRenCommands()
{
    using B = BusyPolicy;
    CommandTable &t = m_commands;
    t.add("rename.quick", u"Быстрое переименование (файл)", u"Shift + F9",
          {{Qt::Key_F9, true, false}, {Qt::Key_F9, true, true}}, B::Refuse, [this] {
              QString unused;
              QRename(0, unused);
          });
    const auto dop = [this](int mode, const char16_t *title) {
        return [this, mode, title] {
            quickRen().DopRen(mode, false, QString::fromUtf16(title));
            showCounters();
        };
    };
    t.add("rename.dopSpaces", u"Заменить пробелы на подчеркивание", u"", {}, B::Refuse,
          dop(0, u"Заменить пробелы на подчеркивание"));
    t.add("rename.dopTranslit", u"Перевести имена в транслит", u"", {}, B::Refuse,
          dop(1, u"Перевести имена в транслит"));
    t.add("rename.dopExtPlus", u"Добавить расширение", u"", {}, B::Refuse, dop(2, u"Добавить расширение"));
    t.add("rename.dopExtDel", u"Удалить расширение", u"", {}, B::Refuse, [this] {
        quickRen().miDopExtDelClick();
        showCounters();
    });
    t.add("rename.dopHelp", u"Справка по доп. переименованию файлов", u"", {}, B::Refuse,
          [] { QuickRen::miDopRenSprClick(); });
    t.add("rename.folders", u"По правилу или список/список", u"Ctrl + J", {{Qt::Key_J, false, true}}, B::Refuse,
          [this] { miRenDirRuleClick(); });
    t.add("rename.folderNames", u"Транслит или замена пробелов", u"Ctrl + Shift + J", {{Qt::Key_J, true, true}},
          B::Refuse, [this] {
              quickRen().miRenDirTransOrSpaceClick();
              showCounters();
          });
    t.add("rename.folderHelp", u"Справка по переименованию папок", u"", {}, B::Refuse,
          [] { QuickRen::miRenDirHelpClick(); });
}

} // namespace vt
