#pragma once

#include "sound/SoundFile.h"

// How each platform's reader of a sound file says no, in the same words.
namespace zorrel::sound {

inline SoundFileRead refused(const QString &problem)
{
    return {SoundFileRead::Result::Refused, {}, problem};
}

// `kind` says what it is instead: "a folder", "a device".
inline SoundFileRead notRegular(const QString &kind)
{
    return refused(QStringLiteral("not a regular file but ") + kind);
}

inline SoundFileRead tooLarge(qint64 limit)
{
    return refused(QStringLiteral("larger than %1 bytes").arg(limit));
}

} // namespace zorrel::sound
