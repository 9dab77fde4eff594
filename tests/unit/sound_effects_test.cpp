// The sound effects: where the program's pieces are looked for, how a sound
// file is read, the module's loading, playEffect with sound off, missing,
// damaged and hostile files, and the two generated sound files.

#include "sound/EffectWorker.h"
#include "sound/InstallLayout.h"
#include "sound/ModuleLoader.h"
#include "sound/SoundEffects.h"
#include "sound/SoundFile.h"

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
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace zorrel::sound;

namespace {

int argc = 1;
char name[] = "sound_effects_test", *argv[] = {name, nullptr};
QCoreApplication app(argc, argv);

const QString kBuilt = QStringLiteral(ZORREL_EFFECT_FILES_DIR);
const QString kModule = QStringLiteral(ZORREL_SOUND_MODULE_NAME);

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
        QFile file(path);
        if (make ? make(path) : file.open(QIODevice::WriteOnly) && file.write(contents) >= 0)
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

bool fifo(const QString &path) { return mkfifo(QFile::encodeName(path), 0600) == 0; }
bool link(const QString &path, const QString &to) { return QFile::link(to, path); }

// The test program stands for the toy, so its audio module lies beside it.
// It is put there whole, in one rename, and left: other copies of this test
// may be loading it meanwhile.
const bool kModuleBeside = [] {
    const QString path = joinProgramPath(QCoreApplication::applicationDirPath(), kModule);
    const QString part = path + QStringLiteral(".%1").arg(getpid());
    return QFile::copy(joinProgramPath(kBuilt, kModule), part) &&
           std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) ==
               0;
}();

// A 16-bit mono PCM header at 44100 Hz that promises 4096 bytes of sound.
const QByteArray kHeader("RIFF\x24\x10\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xac\0\0"
                         "\x88\x58\x01\0\x02\0\x10\0data\0\x10\0\0",
                         44);

} // namespace

TEST(SoundEffects, InstallLayout)
{
    EXPECT_EQ(joinProgramPath("/", "Korrin0.wav"), "/Korrin0.wav");
    EXPECT_EQ(joinProgramPath("/opt/Toys", "Korrin0.wav"), "/opt/Toys/Korrin0.wav");
    EXPECT_EQ(moduleFolders("/opt/zorrel/bin"),
              QStringList({"/opt/zorrel/bin", "/opt/zorrel/lib/zorrel"}));
    EXPECT_EQ(soundFolders("/usr/bin"), QStringList({"/usr/bin", "/usr/share/zorrel"}));

    QTemporaryDir dir;
    const QStringList folders = {dir.filePath("a"), dir.filePath("b")};
    ASSERT_TRUE(QDir(dir.path()).mkpath("a") && QDir(dir.path()).mkpath("b"));
    EXPECT_EQ(findEntry(folders, "x.wav"), "");
    ASSERT_TRUE(QFile(dir.filePath("b/x.wav")).open(QIODevice::WriteOnly));
    EXPECT_EQ(findEntry(folders, "x.wav"), dir.filePath("b/x.wav"));
    // A broken entry in the first folder is the one found, not the good one.
    ASSERT_TRUE(link(dir.filePath("a/x.wav"), dir.filePath("nowhere")));
    EXPECT_EQ(findEntry(folders, "x.wav"), dir.filePath("a/x.wav"));
}

TEST(SoundEffects, ReadSoundFileTakesOnlyRegularFilesOfBoundedSize)
{
    QTemporaryDir dir;
    const auto at = [&](const char *name) { return dir.filePath(name); };
    const auto sized = [](const QString &path, qint64 size) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.resize(size); // sparse
    };
    using R = SoundFileRead::Result;
    struct Row {
        const char *name;
        std::function<bool(const QString &)> make;
        const char *problem;
        R result;
        bool asRootToo = true;
    };
    const Row rows[] = {
        {"plain", [&](const QString &p) { return sized(p, 1000); }, "", R::Read},
        {"limit", [&](const QString &p) { return sized(p, kMaxSoundFileBytes); }, "", R::Read},
        {"missing", [](const QString &) { return true; }, "", R::Missing},
        {"dangling", [&](const QString &p) { return link(p, at("nowhere")); }, "", R::Missing},
        {"device", [](const QString &p) { return link(p, "/dev/zero"); }, "a device", R::Refused},
        {"fifo", fifo, "a fifo", R::Refused},
        {"folder", [](const QString &p) { return QDir().mkdir(p); }, "a folder", R::Refused},
        {"huge", [&](const QString &p) { return sized(p, kMaxSoundFileBytes + 1); }, "larger than",
         R::Refused},
        {"loop", [&](const QString &p) { return link(p, p); }, "symbolic links", R::Refused},
        {"unreadable",
         [&](const QString &p) { return sized(p, 10) && chmod(QFile::encodeName(p), 0) == 0; },
         "Permission denied", R::Refused, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        if (!row.asRootToo && geteuid() == 0) {
            std::cout << "skipped " << row.name << ": permissions do not stop root\n";
            continue;
        }
        const QString path = at(row.name);
        ASSERT_TRUE(row.make(path));
        const SoundFileRead read = readSoundFile(path);
        EXPECT_EQ(read.result, row.result) << read.problem.toStdString();
        EXPECT_TRUE(read.problem.contains(row.problem)) << read.problem.toStdString();
        if (row.result == R::Read)
            EXPECT_EQ(read.bytes.size(), QFileInfo(path).size());
        else
            EXPECT_TRUE(read.bytes.isEmpty());
    }
}

TEST(SoundEffects, TheFirstModuleFoundIsTheOneLoaded)
{
    const QString good = joinProgramPath(kBuilt, kModule);
    struct Row {
        const char *name;
        const char *beside;    // copied beside the program, if any
        const char *installed; // copied into ../lib/zorrel, if any
        bool loads;
        const char *line;
    };
    const QByteArray damaged = "not a module";
    const Row rows[] = {
        {"beside", "good", nullptr, true, ""},
        {"installed", nullptr, "good", true, ""},
        {"damaged beside", "damaged", "good", false, "sound effects are off: "},
        {"nowhere", nullptr, nullptr, false, "sound effects are off: no "},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        ASSERT_TRUE(QDir(dir.path()).mkpath("bin") && QDir(dir.path()).mkpath("lib/zorrel"));
        const auto put = [&](const char *what, const QString &folder) {
            if (what == nullptr)
                return true;
            const QString path = dir.filePath(folder + "/" + kModule);
            QFile file(path);
            return QByteArray(what) == "good"
                       ? QFile::copy(good, path)
                       : file.open(QIODevice::WriteOnly) && file.write(damaged) == damaged.size();
        };
        ASSERT_TRUE(put(row.beside, "bin") && put(row.installed, "lib/zorrel"));
        ProblemLog log;
        StderrCapture capture;
        const std::unique_ptr<EffectWorker> worker(loadEffectWorker(dir.filePath("bin"), &log));
        EXPECT_EQ(worker != nullptr, row.loads);
        const QStringList lines = capture.Lines();
        EXPECT_EQ(lines.size(), row.loads ? 0 : 1) << lines.join('\n').toStdString();
        if (!row.loads && !lines.isEmpty()) {
            EXPECT_TRUE(lines[0].contains(row.line)) << lines[0].toStdString();
        }
    }
}

TEST(SoundEffects, SoundOffIsSilentAndMissingFilesSaySoOnce)
{
    ASSERT_TRUE(kModuleBeside);
    const ProgramFile damaged("off", "this is no sound");
    bool on = false;
    EffectPlayer player([&] { return on; });
    StderrCapture capture;
    player.playEffect(damaged.name.toStdString());
    player.playEffect(damaged.name.toStdString());
    QTest::qWait(300);
    EXPECT_EQ(capture.Lines(), QStringList()); // the damaged file was never opened

    on = true; // asked afresh each time
    player.playEffect("sound_effects_test-no-such-file.wav");
    QTest::qWait(100);
    player.playEffect("sound_effects_test-no-such-file-either.wav");
    player.playEffect("");
    player.playEffect("../sound_effects_test-no-such-file.wav");
    EXPECT_TRUE(capture.WaitFor("no sound file sound_effects_test-no-such-file.wav in "));
    player.playEffect(damaged.name.toStdString());
    EXPECT_TRUE(capture.WaitFor(damaged.path));
    EXPECT_EQ(capture.Lines().size(), 2) << capture.Lines().join('\n').toStdString();
}

TEST(SoundEffects, UnplayableFilesGiveOneLineEachAndNeverStall)
{
    ASSERT_TRUE(kModuleBeside);
    // Garbage, a header without its sound data, a RIFF file that is no WAVE,
    // and entries that are no files at all: reading them must not hang the
    // sound thread or grow without bound.
    const ProgramFile files[] = {
        {"garbage", QByteArray(3000, 'Z')},
        {"empty", kHeader},
        {"avi", QByteArray(kHeader).replace(8, 4, "AVI ")},
        {"fifo", {}, fifo},
        {"zero", {}, [](const QString &p) { return link(p, "/dev/zero"); }},
    };
    const int count = std::size(files);
    StderrCapture capture;
    EffectPlayer player([] { return true; });
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
    ASSERT_EQ(lines.size(), count) << lines.join('\n').toStdString();
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(lines.filter("zorrel: cannot play " + files[i].path).size() == 1) << i;
}

TEST(SoundEffects, GeneratedFilesAreShortMono16BitPcmWaves)
{
    const std::pair<const char *, double> effects[] = {{"Korrin0.wav", 0.15}, {"Korrin1.wav", 0.2}};
    for (const auto &[name, maxSeconds] : effects) {
        SCOPED_TRACE(name);
        QFile file(joinProgramPath(kBuilt, name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 46);
        const auto le32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.data() + at); };
        EXPECT_EQ(bytes.first(4), "RIFF");
        EXPECT_EQ(le32(4), bytes.size() - 8);
        EXPECT_EQ(bytes.sliced(8, 32), kHeader.sliced(8, 32)); // the format, as above
        EXPECT_EQ(le32(40), bytes.size() - 44);
        const double seconds = static_cast<double>(bytes.size() - 44) / 88200.0;
        EXPECT_TRUE(seconds > 0.02 && seconds < maxSeconds) << seconds;
        int peak = 0;
        for (qsizetype at = 44; at + 1 < bytes.size(); at += 2)
            peak = std::max(peak, std::abs(qFromLittleEndian<qint16>(bytes.data() + at)));
        EXPECT_TRUE(peak > 8000 && peak < 32000) << peak; // audible, never clipped
    }
}
