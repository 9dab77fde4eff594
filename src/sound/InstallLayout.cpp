#include "sound/InstallLayout.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace zorrel::sound {

QString joinProgramPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QStringList moduleFolders(const QString &programFolder)
{
    return {programFolder, QDir::cleanPath(programFolder + QStringLiteral("/../lib/zorrel"))};
}

QStringList soundFolders(const QString &programFolder)
{
    return {programFolder, QDir::cleanPath(programFolder + QStringLiteral("/../share/zorrel"))};
}

QString findEntry(const QStringList &folders, const QString &name)
{
    for (const QString &folder : folders) {
        QString path = joinProgramPath(folder, name);
        struct stat info {};
        if (::lstat(QFile::encodeName(path).constData(), &info) == 0)
            return path;
    }
    return {};
}

} // namespace zorrel::sound
