#pragma once

#include "settings/LatestWriter.h"

#include <QString>

#include <optional>

namespace zorrel::settings {

// The one stored setting: whether the sound effects are on. Kept in the
// per-user settings store under application "Pocketfolk", section
// "Coilwerks", key "Zorrel Sound", as "True" or "False".
//
// On Linux and the other Unix desktops the store is the INI file
// `$XDG_CONFIG_HOME/Pocketfolk.ini` (by default `~/.config/Pocketfolk.ini`),
// which the vendor's other programs share: a write changes the option's own
// line and no other byte, atomically and under the file's lock, so that
// concurrent writers (two copies of the toy) never lose each other's work.
// An entry that older versions wrote as `Zorrel%20Sound` is still read, and
// the next write replaces it where it stands. On Windows the store is the registry key
// `HKEY_CURRENT_USER\Software\Pocketfolk\Coilwerks`, value "Zorrel Sound".
//
// Writes run on a thread of their own, since another program may hold the
// file's lock for seconds: the toy walks on meanwhile. The newest value is
// the one stored, and the store's end waits for it.
class SoundOptionStore {
  public:
    // Start-up: returns the option to show. A first run stores
    // `designDefault`; an unreadable value is reported, replaced by the
    // default and repaired in the store.
    bool load(bool designDefault);
    // Stores the option, returning at once. Failure to write is reported
    // in one line, not fatal.
    void store(bool soundOn);

    // The Boolean reading of a stored text: "True" or "False" in any letter
    // case, or a whole number (0 is false, any other is true), blanks
    // around it ignored. Anything else, the empty text included, is
    // unreadable.
    static std::optional<bool> parseBoolean(const QString &text);
    // The text form that the store holds: "True" or "False".
    static QString booleanText(bool value);

  private:
    LatestWriter writer_;
};

} // namespace zorrel::settings
