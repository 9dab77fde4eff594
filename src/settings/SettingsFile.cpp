#include "settings/SettingsFile.h"

#include "common/RegularFile.h"

#include <QCoreApplication>
#include <QtGlobal>

#ifndef Q_OS_WIN

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorrel::settings {
namespace {

// A lock older than this is taken to be left by a copy that died; a write
// takes milliseconds, so this is ample even on a slow disk.
constexpr int kStaleLockMs = 10000;
constexpr int kLockWaitMs = 10000;
constexpr int kMaxLinkDepth = 40;

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

// Bytes of a path for a message: what is not printable ASCII as \xNN.
QString shownBytes(const QByteArray &bytes)
{
    QString shown;
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (code < 0x20 || code >= 0x7f || code == '\\' || code == '"')
            shown += QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
        else
            shown += QLatin1Char(byte);
    }
    return shown;
}

// A path from the environment as Qt will use it, or nothing if Qt's text
// would name another file.
std::optional<QString> pathText(const QByteArray &bytes)
{
    QString text = QFile::decodeName(bytes);
    if (QFile::encodeName(text) != bytes)
        return std::nullopt;
    return text;
}

// The temporary files of a write are hidden and carry the program's name, so
// that cleaning up after a killed write can never take another program's.
QByteArray temporaryPrefix(const QString &target)
{
    const QFileInfo info(target);
    return QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()) +
           ".zorrel-save-";
}
constexpr int kTemporarySuffix = 6; // mkstemp's XXXXXX

bool isOurTemporary(const char *name, const QByteArray &prefix)
{
    const std::size_t length = std::strlen(name);
    if (length != std::size_t(prefix.size()) + kTemporarySuffix ||
        std::strncmp(name, prefix.constData(), std::size_t(prefix.size())) != 0)
        return false;
    return std::all_of(name + prefix.size(), name + length,
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Removes the temporary files left beside `target`; called under the lock.
void removeTemporaries(const QString &target)
{
    const QByteArray prefix = temporaryPrefix(target);
    const qsizetype slash = prefix.lastIndexOf('/');
    const QByteArray folderName = slash == 0 ? QByteArray("/") : prefix.first(slash);
    const QByteArray namePrefix = prefix.mid(slash + 1);
    DIR *folder = ::opendir(folderName.constData());
    if (folder == nullptr)
        return;
    while (const dirent *entry = ::readdir(folder)) {
        struct stat status {};
        if (isOurTemporary(entry->d_name, namePrefix) &&
            ::fstatat(::dirfd(folder), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode))
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
    }
    ::closedir(folder);
}

// Closes a descriptor on every way out.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor() { close(); }
    [[nodiscard]] int get() const { return fd_; }
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

// The file a path finally names. A link that leads nowhere still names the
// file it would lead to, so a first write creates that file.
QString resolvedPath(const QString &path)
{
    QString resolved = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        const QFileInfo info(resolved);
        if (!info.isSymLink())
            break;
        resolved = info.symLinkTarget();
    }
    return resolved;
}

struct Loaded {
    QByteArray bytes;
    QString problem;
    bool exists = false;
    mode_t mode = S_IRUSR | S_IWUSR;
};

Loaded load(const QString &path)
{
    RegularFileRead file = readRegularFile(path, SettingsFile::kMaxBytes);
    return {std::move(file.bytes), std::move(file.problem),
            file.result != RegularFileRead::Result::Missing, mode_t(file.permissions)};
}

// Creates the missing folders of `folder`, private to the user as a
// settings folder should be.
QString makeFolder(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    struct stat status {};
    for (qsizetype i = 1; i <= name.size(); ++i) {
        if (i < name.size() && name[i] != '/')
            continue;
        const QByteArray part = name.first(i);
        if (::stat(part.constData(), &status) != 0 &&
            (errno != ENOENT || (::mkdir(part.constData(), S_IRWXU) != 0 && errno != EEXIST)))
            return QCoreApplication::translate("Settings", "cannot create the folder: %1")
                .arg(systemError());
    }
    if (::stat(name.constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return QCoreApplication::translate("Settings", "the folder is not a folder");
    return {};
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Puts `bytes` at `target` in one step: readers see the old file or the
// new one, never a part, even after a power cut.
QString replace(const QString &target, const QByteArray &bytes, mode_t mode)
{
    const QByteArray name = QFile::encodeName(target);
    QByteArray temporary = temporaryPrefix(target) + QByteArray(kTemporarySuffix, 'X');
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return QCoreApplication::translate("Settings", "cannot write: %1").arg(systemError());
    Descriptor file(fd);
    if (::fchmod(fd, mode) != 0 || !writeAll(fd, bytes) || ::fsync(fd) != 0 || !file.close() ||
        ::rename(temporary.constData(), name.constData()) != 0) {
        QString problem =
            QCoreApplication::translate("Settings", "cannot write: %1").arg(systemError());
        ::unlink(temporary.constData());
        return problem;
    }
    // The rename itself lasts only once the folder is on disk too.
    const Descriptor folder(::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                                   O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
    return {};
}

} // namespace

ConfigFolder userConfigFolder()
{
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    QByteArray folder;
    if (config.startsWith('/')) {
        folder = config;
    } else {
        QByteArray home = qgetenv("HOME");
        if (!home.startsWith('/')) {
            const passwd *account = ::getpwuid(::getuid());
            home = account && account->pw_dir ? QByteArray(account->pw_dir) : QByteArray();
        }
        // Never "/.config": with no home at all, there is no folder.
        if (!home.startsWith('/'))
            return {{},
                    QCoreApplication::translate("Settings", "no home folder to keep settings in")};
        while (home.size() > 1 && home.endsWith('/'))
            home.chop(1);
        folder = (home == "/" ? QByteArray() : home) + "/.config";
    }
    if (std::optional<QString> text = pathText(folder))
        return {*text, {}};
    return {{},
            QCoreApplication::translate(
                "Settings", "the settings folder \"%1\" has a name that is not UTF-8; settings "
                            "are not kept")
                .arg(shownBytes(folder))};
}

SettingsFile SettingsFile::inUserConfig(const QString &name)
{
    ConfigFolder folder = userConfigFolder();
    SettingsFile file(folder.path.isEmpty() ? QString() : folder.path + u'/' + name);
    file.unusable_ = std::move(folder.problem);
    return file;
}

SettingsFile::Contents SettingsFile::read() const
{
    if (!unusable_.isEmpty())
        return {{}, unusable_};
    Loaded loaded = load(path_);
    return {std::move(loaded.bytes), loaded.problem};
}

QString SettingsFile::rewrite(const std::function<QByteArray(const QByteArray &)> &edit) const
{
    if (!unusable_.isEmpty())
        return unusable_;
    if (QString problem = makeFolder(QFileInfo(path_).absolutePath()); !problem.isEmpty())
        return problem;
    // The lock sits beside the path the programs know, not the link's
    // target, so every program that shares the file takes the same lock.
    QLockFile lock(path_ + QStringLiteral(".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs))
        return lock.error() == QLockFile::LockFailedError
                   ? QCoreApplication::translate("Settings", "locked by another program")
                   : QCoreApplication::translate("Settings", "cannot create the lock file");
    const QString target = resolvedPath(path_);
    removeTemporaries(target);
    const Loaded loaded = load(target);
    if (!loaded.problem.isEmpty())
        return loaded.problem;
    const QByteArray bytes = edit(loaded.bytes);
    if (loaded.exists && bytes == loaded.bytes)
        return {};
    // A file the next start would refuse to read would lose every setting.
    if (bytes.size() > kMaxBytes)
        return QCoreApplication::translate("Settings", "the file would grow past %1 MiB")
            .arg(kMaxBytes >> 20);
    // Renaming over a read-only file would succeed, but whoever made it
    // read-only meant it to stay as it is.
    if (loaded.exists && ::access(QFile::encodeName(target).constData(), W_OK) != 0)
        return QCoreApplication::translate("Settings", "the file is read-only");
    return replace(target, bytes, loaded.mode);
}

void SettingsFile::removeLeftovers() const
{
    if (path_.isEmpty())
        return;
    QLockFile lock(path_ + QStringLiteral(".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    // A copy writing now may still need its temporary file.
    if (lock.tryLock(0))
        removeTemporaries(resolvedPath(path_));
}

} // namespace zorrel::settings

#endif // Q_OS_WIN
