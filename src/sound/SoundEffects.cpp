#include "sound/SoundEffects.h"
#include "common/Diagnostics.h"

#include "sound/EffectWorker.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <utility>

namespace zorrel::sound {

namespace {

// How long the destructor waits for the sound thread to finish.
constexpr int kShutdownWaitMs = 3000;

QString programFolder()
{
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

// The audio module lies beside the program; a program run from the build
// tree's test folder finds it where the build put it.
EffectWorker *loadWorker()
{
    QStringList tried;
    for (const QString &folder : {programFolder(), QStringLiteral(ZORREL_SOUND_MODULE_DIR)}) {
        QLibrary module(joinProgramPath(folder, QStringLiteral("zorrel-sound")));
        if (auto create = reinterpret_cast<CreateEffectWorker>(module.resolve(kCreateEffectWorker)))
            return create();
        tried << module.errorString();
    }
    printLine(QStringLiteral("sound effects are off: ") + tried.join(QStringLiteral("; ")));
    return nullptr;
}

} // namespace

// The sound thread, started with the first effect. Everything that touches
// the audio system, loading its libraries included, happens there, so that
// neither start-up nor a tick ever waits for it.
struct EffectPlayer::Impl {
    QThread *thread = nullptr;
    QObject *host = nullptr;        // lives on the sound thread
    EffectWorker *worker = nullptr; // made and used on the sound thread only
    bool workerTried = false;       // sound thread only
    // Number of the newest request; a request overtaken by a newer one
    // before it is served is dropped, since the newer one would cut it off.
    std::atomic<quint64> latest{0};
    bool noApplicationReported = false;

    bool start()
    {
        if (thread != nullptr)
            return true;
        if (QCoreApplication::instance() == nullptr) {
            if (!noApplicationReported)
                printLine(QStringLiteral("cannot play sound effects: no application object"));
            noApplicationReported = true;
            return false;
        }
        thread = new QThread;
        thread->setObjectName(QStringLiteral("zorrel-sound"));
        host = new QObject;
        host->moveToThread(thread);
        thread->start();
        return true;
    }

    void post(const QString &path)
    {
        if (!start())
            return;
        const quint64 request = ++latest;
        QMetaObject::invokeMethod(
            host,
            [this, path, request] {
                if (request != latest.load())
                    return;
                if (!workerTried) {
                    workerTried = true;
                    worker = loadWorker();
                }
                if (worker != nullptr)
                    worker->play(path);
            },
            Qt::QueuedConnection);
    }

    ~Impl()
    {
        if (thread == nullptr)
            return;
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
        if (!thread->wait(QDeadlineTimer(kShutdownWaitMs))) {
            // Deleting a running thread would abort the program; leave it be.
            printLine(QStringLiteral("the sound thread did not stop in time"));
            return;
        }
        delete host;
        delete thread;
    }
};

bool fileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString joinProgramPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

EffectPlayer::EffectPlayer(std::function<bool()> soundOn)
    : soundOn_(std::move(soundOn)), impl_(new Impl)
{
}

EffectPlayer::~EffectPlayer() { delete impl_; }

void EffectPlayer::playEffect(std::string_view name)
{
    if (!soundOn_ || !soundOn_())
        return;
    const QString path = joinProgramPath(
        programFolder(), QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    if (!fileExists(path))
        return;
    impl_->post(path);
}

} // namespace zorrel::sound
