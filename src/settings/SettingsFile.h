#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <utility>

// A settings file shared with other programs, on Unix-like systems: read
// with care for what may be lying at its path, and replaced whole, under a
// lock, so that neither a crash nor a second writer can leave it half done.
namespace zorrel::settings {

// The user's settings folder: $XDG_CONFIG_HOME if it is an absolute path,
// else $HOME/.config, else the account's home folder from the password
// database + "/.config". Without a path, `problem` says why: there is no
// home folder at all, or its name is not UTF-8. Qt keeps paths as text, and
// such a name would silently lead to another folder.
struct ConfigFolder {
    QString path;
    QString problem;
};
ConfigFolder userConfigFolder();

class SettingsFile {
  public:
    // Anything larger is refused unread: it is surely not settings.
    static constexpr qsizetype kMaxBytes = qsizetype(64) << 20;

    struct Contents {
        QByteArray bytes; // empty for a missing file
        QString problem;  // why the file cannot be used; empty if it can
    };

    explicit SettingsFile(QString path) : path_(std::move(path)) {}
    // The file `name` in the user's settings folder. Without such a folder
    // the path is empty, and every read and write says why.
    static SettingsFile inUserConfig(const QString &name);

    [[nodiscard]] const QString &path() const { return path_; }

    // The file's bytes. Only a regular file is read (through symbolic
    // links); a FIFO, a device or a folder at the path is a problem and is
    // never opened for reading.
    [[nodiscard]] Contents read() const;

    // Replaces the file by `edit` applied to its current bytes, under the
    // lock file "<path>.lock", through a temporary file beside the real one
    // (a symbolic link stays a link and its target is replaced), keeping the
    // file's mode. Creates the folder if needed. Returns why it failed, or
    // the empty text. A file that cannot be read is left as it is, and so is
    // one that the edit would make too large to be read back.
    [[nodiscard]] QString rewrite(const std::function<QByteArray(const QByteArray &)> &edit) const;

    // Removes the temporary files that writes cut short by a crash or a kill
    // left beside the file. Only ours: their names cannot be anyone else's.
    // Does nothing while another copy holds the lock; every write also does
    // this first.
    void removeLeftovers() const;

  private:
    QString path_;
    QString unusable_; // why there is no path
};

} // namespace zorrel::settings
