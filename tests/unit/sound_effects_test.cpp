// The sound effects: where the program's pieces are looked for, how a sound
// file is read, the module's loading, playEffect with sound off, missing,
// damaged and hostile files, and the format and length of the two generated
// sound files (how loud they are the end-to-end sound tests hear).

#include "TestSupport.h"
#include "common/BuildInfo.h"
#include "common/RegularFile.h"
#include "sound/EffectWorker.h"
#include "sound/InstallLayout.h"
#include "sound/ModuleLoader.h"
#include "sound/SoundEffects.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

#ifndef Q_OS_WIN
#include <sys/socket.h>
#include <sys/un.h>
#endif

using namespace std::literals;
using namespace zorrel::sound;
using namespace zorrel::test;

namespace {

const QString kBuilt = QStringLiteral(ZORREL_EFFECT_FILES_DIR);
const QString kModule = QString::fromUtf8(zorrel::build::kSoundModule);

// Sends stderr into a file for the life of the object.
class StderrCapture {
  public:
    StderrCapture() { file_.open() && dup2(file_.handle(), STDERR_FILENO); }
    ~StderrCapture()
    {
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
    // The toy's own lines, without any the audio layer may add.
    [[nodiscard]] QStringList Lines() const
    {
        QFile file(file_.fileName());
        file.open(QIODevice::ReadOnly);
        return QString(file.readAll()).split('\n').filter("zorrel:");
    }
    [[nodiscard]] bool WaitFor(const QString &needle) const
    {
        return QTest::qWaitFor([&] { return !Lines().filter(needle).isEmpty(); }, 5000);
    }

  private:
    QTemporaryFile file_;
    int saved_ = dup(STDERR_FILENO);
};

// An entry in the program's folder, removed at the end: a file with
// `contents`, or made by `make` from its path.
struct ProgramFile {
    ProgramFile(const QString &tag, const QByteArray &contents,
                const std::function<bool(const QString &)> &make = {})
        : name(QStringLiteral("sound_effects_test-%1-%2.wav").arg(getpid()).arg(tag)),
          path(joinProgramPath(QCoreApplication::applicationDirPath(), name))
    {
        if (make ? make(path) : writeFile(path, contents))
            return;
        ADD_FAILURE() << "cannot make " << path.toStdString();
    }
    ~ProgramFile()
    {
        QFile::remove(path);
        QDir().rmdir(path);
    }
    QString name, path;
};

// The test program stands for the toy, so its audio module lies beside it.
// It is put there whole, in one rename, and left: other copies of this test
// may be loading it meanwhile.
const bool kModuleBeside = [] {
    testApplication<QCoreApplication>();
    const QString path = joinProgramPath(QCoreApplication::applicationDirPath(), kModule);
    const QString part = path + QStringLiteral(".%1").arg(getpid());
    std::error_code error; // replaces a copy left by an earlier run, on Windows too
    return QFile::copy(joinProgramPath(kBuilt, kModule), part) &&
           (std::filesystem::rename(part.toStdWString(), path.toStdWString(), error), !error);
}();

// A 16-bit mono PCM header at 44100 Hz that promises 4096 bytes of sound.
const QByteArray kHeader("RIFF\x24\x10\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xac\0\0"
                         "\x88\x58\x01\0\x02\0\x10\0data\0\x10\0\0",
                         44);

} // namespace

// The module's folders and the broken-link rule are left to the module
// loading test below; the sound folders' order only this one checks.
TEST(SoundEffects, InstallLayout)
{
    EXPECT_EQ(joinProgramPath("/", "Korrin0.wav"), "/Korrin0.wav");
    EXPECT_EQ(soundFolders("/usr/bin"), QStringList({"/usr/bin", "/usr/share/zorrel"}));
}

TEST(SoundEffects, SoundFilesAreReadOnlyAsRegularFilesOfBoundedSize)
{
    QTemporaryDir dir;
    const auto sized = [](qint64 size) {
        return [size](const QString &path) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.resize(size); // sparse
        };
    };
    using R = zorrel::RegularFileRead::Result;
    const std::tuple<const char *, std::function<bool(const QString &)>, R> rows[] = {
        {"plain", sized(1000), R::Read},
        {"limit", sized(kMaxSoundFileBytes), R::Read},
        {"missing", [](const QString &) { return true; }, R::Missing},
        {"folder", [](const QString &p) { return QDir().mkdir(p); }, R::Refused},
        {"huge", sized(kMaxSoundFileBytes + 1), R::Refused},
#ifdef Q_OS_WIN
        // Device names that every folder has; reading them would never end.
        {"NUL", [](const QString &) { return true; }, R::Refused},
        {"CON", [](const QString &) { return true; }, R::Refused},
#else
        {"dangling", [&](const QString &p) { return link(p, dir.filePath("nowhere")); },
         R::Missing},
        {"device", [](const QString &p) { return link(p, "/dev/zero"); }, R::Refused},
        {"fifo", fifo, R::Refused},
        {"loop", [](const QString &p) { return link(p, p); }, R::Refused},
        {"unreadable",
         [&](const QString &p) { return sized(10)(p) && chmod(QFile::encodeName(p), 0) == 0; },
         R::Refused},
#endif
    };
    for (const auto &[name, make, result] : rows) {
        SCOPED_TRACE(name);
#ifndef Q_OS_WIN
        if (name == "unreadable"sv && geteuid() == 0)
            continue; // permissions do not stop root
#endif
        const QString path = dir.filePath(name);
        ASSERT_TRUE(make(path));
        const zorrel::RegularFileRead read = zorrel::readRegularFile(path, kMaxSoundFileBytes);
        EXPECT_EQ(read.result, result) << read.problem.toStdString();
        EXPECT_EQ(read.problem.isEmpty(), result != R::Refused); // a refusal says why
        EXPECT_EQ(read.bytes.size(), result == R::Read ? QFileInfo(path).size() : 0);
    }
}

TEST(SoundEffects, TheFirstModuleFoundIsTheOneLoaded)
{
    // Beside the program and in ../lib/zorrel: none, a good copy, a damaged
    // one or a broken link. Only a good copy that is found first loads.
    for (const auto &[beside, installed] :
         {std::pair{"good", ""}, {"", "good"}, {"damaged", "good"}, {"broken", "good"}, {"", ""}}) {
        SCOPED_TRACE(std::string(beside) + "/" + installed);
        const bool loads = (*beside != 0 ? beside : installed) == "good"sv;
        QTemporaryDir dir;
        const auto put = [&](const QString &what, const QString &folder) {
            const QString path = dir.filePath(folder + "/" + kModule);
            return what.isEmpty() ||
                   (what == "good"     ? QFile::copy(joinProgramPath(kBuilt, kModule), path)
                    : what == "broken" ? link(path, dir.filePath("nowhere"))
                                       : writeFile(path, "x"));
        };
        ASSERT_TRUE(QDir(dir.path()).mkpath("bin") && QDir(dir.path()).mkpath("lib/zorrel"));
        ASSERT_TRUE(put(beside, "bin") && put(installed, "lib/zorrel"));
        ProblemLog log;
        StderrCapture capture;
        const std::unique_ptr<EffectWorker> worker(loadEffectWorker(dir.filePath("bin"), &log));
        EXPECT_EQ(worker != nullptr, loads);
        EXPECT_EQ(capture.Lines().size(), loads ? 0 : 1)
            << capture.Lines().join('\n').toStdString();
    }
}

// Sound off opens nothing; missing files are told once; garbage, a header
// without its sound data, a RIFF file that is no WAVE, and entries that are
// no files at all get one line each and neither stall the caller nor hold
// the sound thread.
TEST(SoundEffects, SoundOffMissingAndUnplayableFiles)
{
    ASSERT_TRUE(kModuleBeside);
    const ProgramFile files[] = {
        {"garbage", QByteArray(3000, 'Z')},
        {"empty", kHeader},
        {"avi", QByteArray(kHeader).replace(8, 4, "AVI ")},
#ifdef Q_OS_WIN
        {"folder", {}, [](const QString &p) { return QDir().mkdir(p); }},
#else
        {"fifo", {}, fifo},
        {"zero", {}, [](const QString &p) { return link(p, "/dev/zero"); }},
#endif
    };
    const int count = std::size(files);
    bool on = false;
    EffectPlayer player([&] { return on; });
    StderrCapture capture;
    player.playEffect(files[0].name.toStdString());
    player.playEffect(files[3].name.toStdString());
    QTest::qWait(300);
    EXPECT_EQ(capture.Lines(), QStringList()); // never opened

    on = true; // asked afresh each time
    player.playEffect("sound_effects_test-no-such-file.wav");
    QTest::qWait(100);
    player.playEffect("sound_effects_test-no-such-file-either.wav");
    player.playEffect("");
    player.playEffect("../sound_effects_test-no-such-file.wav");
    EXPECT_TRUE(capture.WaitFor("sound_effects_test-no-such-file.wav"));
    QTest::qWait(200); // time for a wrong line about the second
    qint64 slowest = 0;
    for (int i = 0; i < 3 * count; ++i) {
        QElapsedTimer call;
        call.start();
        player.playEffect(files[i % count].name.toStdString());
        slowest = std::max(slowest, call.nsecsElapsed());
        QTest::qWait(20);
    }
    EXPECT_LT(slowest, 50'000'000) << slowest << " ns";
    for (const ProgramFile &file : files)
        EXPECT_TRUE(capture.WaitFor(file.path));
    QTest::qWait(200);
    const QStringList lines = capture.Lines();
    EXPECT_EQ(lines.size(), count + 1) << lines.join('\n').toStdString();
    for (const ProgramFile &file : files)
        EXPECT_EQ(lines.filter(file.path).size(), 1) << file.path.toStdString();
}

#ifndef Q_OS_WIN // the sound server's sockets are Unix ones
// A sound server that is absent, refuses the connection or never answers is
// told in one line, whichever effects meet it, and told again only after
// sound has worked in between.
TEST(SoundEffects, AFaultOfTheSoundOutputIsToldOnceUntilSoundWorksAgain)
{
    if (qEnvironmentVariableIsEmpty("ZORREL_SINK_RAW"))
        GTEST_SKIP() << "needs the sound server of scripts/with-test-desktop.sh";
    QTemporaryDir dir;
    const auto socketAt = [](const QString &path, bool listening) {
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s",
                      QFile::encodeName(path).constData());
        EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        EXPECT_EQ(listening ? listen(fd, 4) : close(fd), 0);
        return fd;
    };
    socketAt(dir.filePath("refused"), false);
    const int silent = socketAt(dir.filePath("silent"), true);
    const QByteArray click = readFile(joinProgramPath(kBuilt, "Korrin0.wav"));
    const QByteArray step = readFile(joinProgramPath(kBuilt, "Korrin1.wav"));
    ProblemLog log;
    StderrCapture capture;
    // Null: the test desktop's own server.
    const auto playBoth = [&](const QString &server) {
        if (server.isEmpty())
            qunsetenv("PULSE_SERVER");
        else
            qputenv("PULSE_SERVER", QFile::encodeName("unix:" + dir.filePath(server)));
        const std::unique_ptr<EffectWorker> worker(loadEffectWorker(kBuilt, &log));
        ASSERT_NE(worker, nullptr);
        for (const QByteArray *bytes : {&click, &step, &click})
            worker->play(bytes == &click ? "/toy/Korrin0.wav" : "/toy/Korrin1.wav", *bytes);
        worker->unload();
    };
    qsizetype told = 0;
    for (const char *server : {"absent", "refused", "silent"}) {
        SCOPED_TRACE(server);
        playBoth(server);
        EXPECT_EQ(capture.Lines().size(), ++told) << capture.Lines().join('\n').toStdString();
        playBoth({});
        EXPECT_EQ(capture.Lines().size(), told) << capture.Lines().join('\n').toStdString();
    }
    close(silent);
}

#endif

TEST(SoundEffects, GeneratedFilesAreShortMono16BitPcmWaves)
{
    for (const auto &[name, maxSeconds] : {std::pair{"Korrin0.wav", 0.15}, {"Korrin1.wav", 0.2}}) {
        SCOPED_TRACE(name);
        QFile file(joinProgramPath(kBuilt, name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 46);
        QByteArray header = kHeader; // the format, as above, and the true sizes
        qToLittleEndian<quint32>(bytes.size() - 8, header.data() + 4);
        qToLittleEndian<quint32>(bytes.size() - 44, header.data() + 40);
        EXPECT_EQ(bytes.first(44), header);
        const double seconds = static_cast<double>(bytes.size() - 44) / 88200.0;
        EXPECT_TRUE(seconds > 0.02 && seconds < maxSeconds) << seconds;
    }
}
