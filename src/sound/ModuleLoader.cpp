#include "sound/ModuleLoader.h"
#include "common/BuildInfo.h"
#include "common/Diagnostics.h"

#include "sound/EffectWorker.h"
#include "sound/InstallLayout.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace zorrel::sound {

EffectWorker *loadEffectWorker(const QString &programFolder, ProblemLog *log,
                               const std::atomic<bool> *ending)
{
    const QString fileName = QString::fromUtf8(build::kSoundModule);
    const QStringList folders = moduleFolders(programFolder);
    const QString path = findEntry(folders, fileName);
    if (path.isEmpty()) {
        printLine(QCoreApplication::translate("Sound", "sound effects are off: no %1 in %2")
                      .arg(escaped(fileName),
                           escaped(folders.join(QCoreApplication::translate("Sound", " or ")))));
        return nullptr;
    }
    QLibrary module(QFileInfo(path).absoluteFilePath());
    if (auto create = reinterpret_cast<CreateEffectWorker>(module.resolve(kCreateEffectWorker)))
        return create(log, ending);
    printLine(QCoreApplication::translate("Sound", "sound effects are off: %1")
                  .arg(escaped(module.errorString())));
    return nullptr;
}

} // namespace zorrel::sound
