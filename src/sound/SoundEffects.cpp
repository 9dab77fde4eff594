#include "sound/SoundEffects.h"
#include "common/Diagnostics.h"

#include "common/RegularFile.h"
#include "sound/EffectWorker.h"
#include "sound/InstallLayout.h"
#include "sound/ModuleLoader.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <atomic>
#include <utility>

namespace zorrel::sound {

namespace {

// How long the destructor waits for the sound thread to finish.
constexpr int kShutdownWaitMs = 3000;

} // namespace

// The sound thread, started with the first effect. Everything that touches
// a file or the audio system, loading its libraries included, happens there,
// so that neither start-up nor a tick ever waits for it.
struct EffectPlayer::Impl {
    QThread *thread = nullptr;
    QObject *host = nullptr; // lives on the sound thread
    QString programFolder;
    // Number of the newest request; a request overtaken by a newer one
    // before it is served is dropped, since the newer one would cut it off.
    std::atomic<quint64> latest{0};
    // Set when the player goes: the worker then gives up whatever it waits
    // for, so that the thread stops promptly.
    std::atomic<bool> ending{false};
    bool noApplicationReported = false;

    // Sound thread only.
    EffectWorker *worker = nullptr;
    bool workerTried = false;
    bool missingReported = false;
    ProblemLog log;

    bool start()
    {
        if (thread != nullptr)
            return true;
        if (QCoreApplication::instance() == nullptr) {
            if (!noApplicationReported)
                printLine(QCoreApplication::translate(
                    "Sound", "cannot play sound effects: no application object"));
            noApplicationReported = true;
            return false;
        }
        programFolder = QCoreApplication::applicationDirPath();
        thread = new QThread;
        thread->setObjectName(QStringLiteral("zorrel-sound"));
        host = new QObject;
        host->moveToThread(thread);
        thread->start();
        return true;
    }

    void post(const QString &name)
    {
        if (!start())
            return;
        const quint64 request = ++latest;
        QMetaObject::invokeMethod(
            host,
            [this, name, request] {
                if (request == latest.load())
                    serve(name);
            },
            Qt::QueuedConnection);
    }

    void serve(const QString &name)
    {
        const QStringList folders = soundFolders(programFolder);
        const QString path = findEntry(folders, name);
        const RegularFileRead file =
            path.isEmpty() ? RegularFileRead{} : readRegularFile(path, kMaxSoundFileBytes);
        switch (file.result) {
        case RegularFileRead::Result::Missing:
            if (!missingReported)
                printLine(
                    QCoreApplication::translate(
                        "Sound", "no sound file %1 in %2; effects without their file are "
                                 "silent")
                        .arg(escaped(name), escaped(folders.join(
                                                //: Between the folders searched, as "/a or /b".
                                                QCoreApplication::translate("Sound", " or ")))));
            missingReported = true;
            return;
        case RegularFileRead::Result::Refused:
            log.report(path, file.problem);
            return;
        case RegularFileRead::Result::Read:
            break;
        }
        if (!workerTried) {
            workerTried = true;
            worker = loadEffectWorker(programFolder, &log, &ending);
        }
        if (worker != nullptr)
            worker->play(path, file.bytes);
    }

    // Stops the sound thread; false if it is still running after the wait.
    bool stop()
    {
        if (thread == nullptr)
            return true;
        ending = true;
        ++latest; // requests still queued are dropped
        QMetaObject::invokeMethod(
            host,
            [this] {
                if (worker != nullptr)
                    worker->unload();
                delete worker;
                worker = nullptr;
                thread->quit();
            },
            Qt::QueuedConnection);
        if (!thread->wait(QDeadlineTimer(kShutdownWaitMs)))
            return false;
        delete host;
        delete thread;
        return true;
    }
};

EffectPlayer::EffectPlayer(std::function<bool()> soundOn)
    : soundOn_(std::move(soundOn)), impl_(new Impl)
{
}

EffectPlayer::~EffectPlayer()
{
    if (impl_->stop()) {
        delete impl_;
        return;
    }
    // The thread, stuck in a system call, still uses the player's state:
    // freeing it, or the thread, would pull it from under it. Both are left
    // to the end of the process.
    printLine(QCoreApplication::translate("Sound", "the sound thread did not stop in time"));
}

void EffectPlayer::playEffect(std::string_view name)
{
    if (!soundOn_ || !soundOn_())
        return;
    const QString fileName = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    // Only a bare file name: the effects never come from anywhere else.
    if (fileName.isEmpty() || fileName.contains(QLatin1Char('/')))
        return;
    impl_->post(fileName);
}

} // namespace zorrel::sound
