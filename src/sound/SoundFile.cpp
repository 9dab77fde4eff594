#include "sound/SoundFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorrel::sound {

namespace {

QString notRegular(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a fifo");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    return QStringLiteral("something else");
}

SoundFileRead refused(const QString &problem)
{
    return {SoundFileRead::Result::Refused, {}, problem};
}

SoundFileRead failed(int error)
{
    if (error == ENOENT)
        return {};
    return refused(qt_error_string(error));
}

SoundFileRead tooLarge(qint64 limit)
{
    return refused(QStringLiteral("larger than %1 bytes").arg(limit));
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    [[nodiscard]] int fd() const { return fd_; }

  private:
    int fd_;
};

} // namespace

SoundFileRead readSoundFile(const QString &path, qint64 limit)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    // Opening a fifo would wait for a writer and reading a device may never
    // end, so the type is known before anything is opened.
    if (::stat(name.constData(), &info) != 0)
        return failed(errno);
    if (const QString kind = notRegular(info.st_mode); !kind.isEmpty())
        return refused(QStringLiteral("not a regular file but ") + kind);
    if (info.st_size > limit)
        return tooLarge(limit);

    // Non-blocking in case the entry was swapped for a fifo since.
    const Descriptor file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.fd() < 0)
        return failed(errno);
    if (::fstat(file.fd(), &info) != 0)
        return failed(errno);
    if (const QString kind = notRegular(info.st_mode); !kind.isEmpty())
        return refused(QStringLiteral("not a regular file but ") + kind);
    if (const int flags = ::fcntl(file.fd(), F_GETFL);
        flags < 0 || ::fcntl(file.fd(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return failed(errno);

    // The reported size is only a hint: a file may grow while it is read, and
    // some report none at all.
    QByteArray bytes(std::min<qint64>(info.st_size, limit) + 1, Qt::Uninitialized);
    qint64 got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > limit)
                return tooLarge(limit);
            bytes.resize(std::min<qint64>(2 * got, limit + 1));
        }
        const ssize_t n = ::read(file.fd(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed(errno);
        if (n == 0)
            break;
        got += n;
    }
    if (got > limit)
        return tooLarge(limit);
    bytes.truncate(got);
    return {SoundFileRead::Result::Read, bytes, {}};
}

} // namespace zorrel::sound
