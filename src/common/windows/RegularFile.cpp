#include "common/RegularFile.h"
#include "common/BoundedRead.h"

#include <QCoreApplication>

#include <windows.h>

namespace zorrel {

namespace {

RegularFileRead failed(DWORD error)
{
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return {};
    return unreadable(qt_error_string(static_cast<int>(error)));
}

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    [[nodiscard]] HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

} // namespace

RegularFileRead readRegularFile(const QString &path, qint64 limit)
{
    const std::wstring name = path.toStdWString();
    // A folder cannot be opened as a file at all; it is told apart first.
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES && GetLastError() != ERROR_ACCESS_DENIED)
        return failed(GetLastError());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return notRegular(QCoreApplication::translate("Files", "a folder"));

    // Opening never waits, not even on a device name (NUL, CON, COM1 are
    // names in every folder) or a pipe; what was opened is checked before a
    // byte is read, since reading those may never end.
    const Handle file(CreateFileW(
        name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return failed(GetLastError());
    switch (GetFileType(file.get())) {
    case FILE_TYPE_DISK:
        break;
    case FILE_TYPE_PIPE:
        return notRegular(QCoreApplication::translate("Files", "a pipe"));
    case FILE_TYPE_CHAR:
        return notRegular(QCoreApplication::translate("Files", "a device"));
    default:
        return notRegular(QCoreApplication::translate("Files", "something else"));
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info))
        return failed(GetLastError());
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return notRegular(QCoreApplication::translate("Files", "a folder"));
    const qint64 size = (qint64{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    if (size > limit)
        return tooLarge(limit);

    QByteArray bytes;
    DWORD error = ERROR_SUCCESS;
    switch (readBounded(bytes, size, limit, [&](char *buffer, qint64 room) -> qint64 {
        DWORD got = 0;
        const DWORD ask = static_cast<DWORD>(std::min<qint64>(room, MAXDWORD));
        if (ReadFile(file.get(), buffer, ask, &got, nullptr))
            return got;
        error = GetLastError();
        return -1;
    })) {
    case BoundedRead::TooLarge:
        return tooLarge(limit);
    case BoundedRead::Failed:
        return unreadable(qt_error_string(static_cast<int>(error)));
    case BoundedRead::Done:
        break;
    }
    return {RegularFileRead::Result::Read, bytes, {}};
}

} // namespace zorrel
