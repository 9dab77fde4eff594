#include "common/RegularFile.h"
#include "common/BoundedRead.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorrel {

namespace {

// What the entry is, if it is no regular file; empty if it is one.
QString kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return QCoreApplication::translate("Files", "a folder");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("Files", "a fifo");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("Files", "a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("Files", "a device");
    return QCoreApplication::translate("Files", "something else");
}

RegularFileRead failed(int error)
{
    if (error == ENOENT)
        return {};
    return unreadable(qt_error_string(error));
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

RegularFileRead readRegularFile(const QString &path, qint64 limit)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    // Opening a fifo would wait for a writer and reading a device may never
    // end, so the type is known before anything is opened.
    if (::stat(name.constData(), &info) != 0)
        return failed(errno);
    if (const QString kind = kindOf(info.st_mode); !kind.isEmpty())
        return notRegular(kind);
    if (info.st_size > limit)
        return tooLarge(limit);

    // Non-blocking in case the entry was swapped for a fifo since.
    const Descriptor file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.fd() < 0)
        return failed(errno);
    if (::fstat(file.fd(), &info) != 0)
        return failed(errno);
    if (const QString kind = kindOf(info.st_mode); !kind.isEmpty())
        return notRegular(kind);
    if (const int flags = ::fcntl(file.fd(), F_GETFL);
        flags < 0 || ::fcntl(file.fd(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return failed(errno);

    QByteArray bytes;
    switch (readBounded(bytes, info.st_size, limit, [&file](char *buffer, qint64 room) -> qint64 {
        for (;;) {
            const ssize_t n = ::read(file.fd(), buffer, static_cast<size_t>(room));
            if (n >= 0 || errno != EINTR)
                return n;
        }
    })) {
    case BoundedRead::TooLarge:
        return tooLarge(limit);
    case BoundedRead::Failed:
        return failed(errno);
    case BoundedRead::Done:
        break;
    }
    return {RegularFileRead::Result::Read, bytes, {}, static_cast<unsigned>(info.st_mode & 07777)};
}

} // namespace zorrel
