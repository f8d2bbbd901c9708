#include "platform/desktop/shell.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QHash>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace vt::desktop {
namespace {

QHash<QString, QSoundEffect *> &effects()
{
    static QHash<QString, QSoundEffect *> e;
    return e;
}

} // namespace

bool playSound(const QString &file)
{
    if (!QFileInfo::exists(file))
        return false;
    // Without an audio device nothing plays and nothing complains.
    static const bool hasOutput = !QMediaDevices::audioOutputs().isEmpty();
    if (!hasOutput)
        return true;
    for (QSoundEffect *e : std::as_const(effects()))
        e->stop();
    QSoundEffect *&e = effects()[file];
    if (!e) {
        e = new QSoundEffect;
        e->setSource(QUrl::fromLocalFile(file));
    }
    e->play();
    return true;
}

void releaseSounds()
{
    qDeleteAll(effects());
    effects().clear();
}

} // namespace vt::desktop
