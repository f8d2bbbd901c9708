// The text-search window from the main window's side: what its log viewer
// and its follow-up need of the table and the open list.
#include "app/mainform.h"

#include "app/logform.h"
#include "base/services.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "table/tablecommands.h"
#include "textsearch/core/textsearch.h"
#include "textsearch/parserform.h"

namespace vt {

void TFileForm::buildTextSearch()
{
    m_parser = new TParserForm(*ListView->tableModel(), m_ops, this);
    connect(m_parser, &TParserForm::rowsChanged, this, [this](bool removed) {
        tableCommands->Peressh(false);
        if (removed && m_lists->isOpen())
            m_lists->SetlabChanSpis(ChangedState::Changed);
        showCounters();
    });
}

bool TFileForm::openTextSearch()
{
    const int files = ListView->tableModel()->counters().selFiles;
    if (busy() || files < 1 || files > kTextSearchMaxFiles) {
        ui().beep();
        return false;
    }
    return m_parser->run(files);
}

} // namespace vt
