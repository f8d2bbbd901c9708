// VTX/M3U lists from the main window: the open dialog, the quick save of the
// rows into a temporary text list, and the Texts folder commands.
#include "app/mainform.h"

#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/services.h"
#include "lists/core/listcontroller.h"
#include "lists/core/pathintake.h"
#include "lists/core/textsave.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"

#include <QFileInfo>

namespace vt {

void TFileForm::ReadVtx(const QString &path)
{
    QString file = path;
    if (file.isEmpty()) {
        QString preset = m_lists->kind() == ListKind::Vtx ? m_lists->path() : QString();
        if (!m_vtxDialogStart.isEmpty())
            preset = m_vtxDialogStart;
        m_vtxDialogStart.clear();
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
    m_intake->AddParams(AddMode::ReadList, {file});
    showCounters();
}

void TFileForm::QuickM3UVtx(bool vtx)
{
    const TableModel &t = *ListView->tableModel();
    if (t.counters().selFiles + t.counters().selFolders == 0) {
        ui().beep();
        return;
    }
    TextSaveRequest r;
    r.toTemp = true;
    r.type = vtx ? TextType::Vtx : TextType::M3u;
    SaveAsTxt(t, currentLog(), r);
}

void TFileForm::registerTextListCommands()
{
    using B = BusyPolicy;
    CommandTable &t = m_commands;
    t.add("lists.tempM3u", u"расширение M3U", u"Ctrl + M", {{Qt::Key_M, false, true}}, B::Refuse,
          [this] { QuickM3UVtx(false); });
    t.add("lists.tempVtx", u"расширение VTX", u"Ctrl + N", {{Qt::Key_N, false, true}}, B::Refuse,
          [this] { QuickM3UVtx(true); });
    t.add("lists.explorerTexts", u"Проводник в папку Texts", u"", {}, B::Refuse, [this] {
        TextSaveRequest r;
        r.ctrl = true;
        SaveAsTxt(*ListView->tableModel(), currentLog(), r);
    });
    t.add("lists.openVtxTexts", u"VTX / M3U, с папки Texts", u"", {}, B::Refuse, [this] {
        const QString texts = mkdirr(QStringLiteral("Texts"));
        if (texts.isEmpty()) {
            ui().beep();
            return;
        }
        m_vtxDialogStart = texts;
        OpenSpisAll(ListKind::Vtx);
        m_vtxDialogStart.clear();
    });
}

} // namespace vt
