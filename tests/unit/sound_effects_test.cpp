// The sound effects: the file checks, playEffect with sound off, missing and
// damaged files, and the two generated sound files.

#include "sound/SoundEffects.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

using namespace zorrel::sound;

namespace {

int argc = 1;
char name[] = "sound_effects_test", *argv[] = {name, nullptr};
QCoreApplication app(argc, argv);

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
    bool WaitFor(const QString &needle) const
    {
        return QTest::qWaitFor([&] { return !Lines().filter(needle).isEmpty(); }, 5000);
    }

  private:
    QTemporaryFile file_;
    int saved_ = dup(STDERR_FILENO);
};

// A file in the program's folder, removed at the end.
struct ProgramFile {
    ProgramFile(const QString &tag, const QByteArray &contents)
        : name(QStringLiteral("sound_effects_test-%1-%2.wav").arg(getpid()).arg(tag)),
          path(joinProgramPath(QCoreApplication::applicationDirPath(), name))
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(contents);
    }
    ~ProgramFile() { QFile::remove(path); }
    QString name, path;
};

// A 16-bit mono PCM header at 44100 Hz that promises 4096 bytes of sound.
const QByteArray kHeader("RIFF\x24\x10\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xac\0\0"
                         "\x88\x58\x01\0\x02\0\x10\0data\0\x10\0\0",
                         44);

} // namespace

TEST(SoundEffects, FileExistsAndJoinProgramPath)
{
    QTemporaryDir dir;
    EXPECT_FALSE(fileExists(dir.filePath("missing.wav")));
    EXPECT_FALSE(fileExists(dir.path()));
    EXPECT_FALSE(fileExists(QString()));
    const QString hidden = dir.filePath(".hidden.wav");
    ASSERT_TRUE(QFile(hidden).open(QIODevice::WriteOnly));
    QFile::setPermissions(hidden, QFileDevice::ReadOwner);
    EXPECT_TRUE(fileExists(hidden));

    EXPECT_EQ(joinProgramPath("/", "Korrin0.wav"), "/Korrin0.wav");
    EXPECT_EQ(joinProgramPath("/opt/Toys", "Korrin0.wav"), "/opt/Toys/Korrin0.wav");
}

TEST(SoundEffects, SoundOffAndMissingFilesAreSilent)
{
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
    player.playEffect("");
    QTest::qWait(300);
    EXPECT_EQ(capture.Lines(), QStringList());
    player.playEffect(damaged.name.toStdString());
    EXPECT_TRUE(capture.WaitFor(damaged.path));
}

TEST(SoundEffects, DamagedFilesGiveOneLineEachAndCallsReturnAtOnce)
{
    // Garbage, a header without its sound data, and a RIFF file that is no WAVE.
    const ProgramFile files[] = {{"garbage", QByteArray(3000, 'Z')},
                                 {"empty", kHeader},
                                 {"avi", QByteArray(kHeader).replace(8, 4, "AVI ")}};
    StderrCapture capture;
    EffectPlayer player([] { return true; });
    qint64 slowest = 0;
    for (int i = 0; i < 9; ++i) {
        QElapsedTimer call;
        call.start();
        player.playEffect(files[i % 3].name.toStdString());
        slowest = std::max(slowest, call.nsecsElapsed());
        QTest::qWait(20);
    }
    EXPECT_LT(slowest, 50'000'000) << slowest << " ns";
    for (const ProgramFile &file : files)
        EXPECT_TRUE(capture.WaitFor(file.path));
    QTest::qWait(200);
    const QStringList lines = capture.Lines();
    ASSERT_EQ(lines.size(), 3) << lines.join('\n').toStdString();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(lines.filter("zorrel: cannot play " + files[i].path).size() == 1) << i;
}

TEST(SoundEffects, GeneratedFilesAreShortMono16BitPcmWaves)
{
    const std::pair<const char *, double> effects[] = {{"Korrin0.wav", 0.15}, {"Korrin1.wav", 0.2}};
    for (const auto &[name, maxSeconds] : effects) {
        SCOPED_TRACE(name);
        QFile file(QString(ZORREL_EFFECT_FILES_DIR "/") + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 46);
        const auto le32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.data() + at); };
        EXPECT_EQ(bytes.first(4), "RIFF");
        EXPECT_EQ(le32(4), bytes.size() - 8);
        EXPECT_EQ(bytes.sliced(8, 32), kHeader.sliced(8, 32)); // the format, as above
        EXPECT_EQ(le32(40), bytes.size() - 44);
        const double seconds = (bytes.size() - 44) / 88200.0;
        EXPECT_TRUE(seconds > 0.02 && seconds < maxSeconds) << seconds;
        int peak = 0;
        for (qsizetype at = 44; at + 1 < bytes.size(); at += 2)
            peak = std::max(peak, std::abs(qFromLittleEndian<qint16>(bytes.data() + at)));
        EXPECT_TRUE(peak > 8000 && peak < 32000) << peak; // audible, never clipped
    }
}
