#include "sound/InstallLayout.h"

#include <QDir>
#include <QFileInfo>

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
        // The entry itself, not what it leads to: a link counts even when
        // it leads nowhere.
        const QFileInfo entry(path);
        if (entry.isSymLink() || entry.exists())
            return path;
    }
    return {};
}

} // namespace zorrel::sound
