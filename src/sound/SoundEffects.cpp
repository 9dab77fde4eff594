#include "sound/SoundEffects.h"

#include <QFileInfo>

namespace zorrel::sound {

struct EffectPlayer::Impl {};

bool FileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString JoinProgramPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

EffectPlayer::EffectPlayer(std::function<bool()> soundOn)
    : soundOn_(std::move(soundOn)), impl_(new Impl)
{
}

EffectPlayer::~EffectPlayer() { delete impl_; }

void EffectPlayer::PlayEffect(std::string_view /*name*/) {}

} // namespace zorrel::sound
