#include "app/mainform.h"

#include "app/core/services.h"

#include <QToolButton>

namespace vt {

void TFileForm::StartFind(const QString &path)
{
    Q_UNUSED(path);
    // the search is wired in by the search module
    vt::ui().beep();
}

void TFileForm::sbStopClick()
{
    emit stopRequested();
    sbStop->setEnabled(false);
}

void TFileForm::miFndUnicClick() { vt::ui().beep(); }

void TFileForm::onRecentFolderChosen(int index)
{
    Q_UNUSED(index);
    vt::ui().beep();
}

} // namespace vt
