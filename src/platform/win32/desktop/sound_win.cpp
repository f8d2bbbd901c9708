#include "platform/desktop/shell.h"

#include "platform/dirreader.h"
#include "platform/win32/winpath.h"

#include <QFileInfo>

#include <mmsystem.h>

namespace vt::desktop {

bool playSound(const QString &file)
{
    if (!QFileInfo::exists(file))
        return false;
    // Without an audio device nothing plays, and that is no failure.
    ::PlaySoundW(fs::win::shellPath(fs::nativePath(file)).c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
    return true;
}

void releaseSounds() { ::PlaySoundW(nullptr, nullptr, 0); }

} // namespace vt::desktop
