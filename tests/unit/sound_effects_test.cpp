// The sound effects: the existence test, the joining of the program folder
// and a file name, what PlayEffect does with sound off, missing files and
// damaged files, and the two generated sound files themselves.

#include "sound/SoundEffects.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using zorrel::sound::EffectPlayer;
using zorrel::sound::FileExists;
using zorrel::sound::JoinProgramPath;

namespace {

QCoreApplication &App()
{
    static int argc = 1;
    static char name[] = "sound_effects_test";
    static char *argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

// Lets queued work and the sound thread run for `ms` milliseconds.
void Pump(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
}

// Sends everything written to stderr into a file for the life of the object.
class StderrCapture {
  public:
    StderrCapture()
    {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        std::FILE *file = std::fopen(qPrintable(path_), "w");
        dup2(fileno(file), STDERR_FILENO);
        std::fclose(file);
    }
    ~StderrCapture()
    {
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
    [[nodiscard]] QString Text() const
    {
        std::fflush(stderr);
        QFile file(path_);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    // The lines the toy wrote, without any the audio layer may add.
    [[nodiscard]] QStringList OurLines() const
    {
        QStringList lines = Text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        lines.removeIf(
            [](const QString &line) { return !line.startsWith(QStringLiteral("zorrel:")); });
        return lines;
    }
    // Pumps events until `needle` has been written or `ms` have passed.
    [[nodiscard]] bool WaitFor(const QString &needle, int ms) const
    {
        QElapsedTimer timer;
        timer.start();
        while (!Text().contains(needle) && timer.elapsed() < ms)
            Pump(10);
        return Text().contains(needle);
    }

  private:
    QTemporaryDir dir_;
    QString path_ = dir_.filePath(QStringLiteral("stderr.txt"));
    int saved_ = -1;
};

// A file of the given contents in the program's folder, removed at the end.
class ProgramFile {
  public:
    ProgramFile(const QString &tag, const QByteArray &contents)
        : name_(QStringLiteral("sound_effects_test-%1-%2.wav").arg(getpid()).arg(tag)),
          path_(JoinProgramPath(QCoreApplication::applicationDirPath(), name_))
    {
        QFile file(path_);
        if (file.open(QIODevice::WriteOnly))
            file.write(contents);
    }
    ~ProgramFile() { QFile::remove(path_); }
    [[nodiscard]] std::string Name() const { return name_.toStdString(); }
    [[nodiscard]] const QString &Path() const { return path_; }

  private:
    QString name_;
    QString path_;
};

int Count(const QString &text, const QString &needle)
{
    return static_cast<int>(text.count(needle));
}

quint32 Le(const QByteArray &bytes, qsizetype at, int count)
{
    quint32 value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes[at + i]);
    return value;
}

QByteArray ReadEffectFile(const char *name)
{
    QFile file(QDir(QStringLiteral(ZORREL_EFFECT_FILES_DIR)).filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(FileExists, FilesCountFoldersAndFailuresDoNot)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(FileExists(dir.filePath(QStringLiteral("missing.wav"))));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_FALSE(FileExists(dir.filePath(QStringLiteral("missing/deeper.wav"))));

    // A hidden, read-only file and one nobody may read both exist.
    const QString hidden = dir.filePath(QStringLiteral(".hidden.wav"));
    const QString locked = dir.filePath(QStringLiteral("locked.wav"));
    for (const QString &path : {hidden, locked}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFile::setPermissions(hidden, QFileDevice::ReadOwner);
    QFile::setPermissions(locked, QFileDevice::Permissions());
    EXPECT_TRUE(FileExists(hidden));
    EXPECT_TRUE(FileExists(locked));
}

TEST(JoinProgramPath, ExactlyOneSeparator)
{
    EXPECT_EQ(JoinProgramPath(QStringLiteral("/"), QStringLiteral("Korrin0.wav")),
              QStringLiteral("/Korrin0.wav"));
    EXPECT_EQ(JoinProgramPath(QStringLiteral("/opt/Toys"), QStringLiteral("Korrin0.wav")),
              QStringLiteral("/opt/Toys/Korrin0.wav"));
    // The name is appended unchanged.
    EXPECT_EQ(JoinProgramPath(QStringLiteral("/opt/Toys"), QStringLiteral(" a/../b.WAV")),
              QStringLiteral("/opt/Toys/ a/../b.WAV"));
}

TEST(PlayEffect, WithoutApplicationObjectIsSilentAndSafe)
{
    if (QCoreApplication::instance() != nullptr)
        GTEST_SKIP() << "an application object already exists in this run";
    StderrCapture capture;
    {
        EffectPlayer player([] { return true; });
        player.PlayEffect("sound_effects_test-no-such-file.wav");
    }
    EXPECT_EQ(capture.OurLines(), QStringList());
}

TEST(PlayEffect, SoundOffLooksAtNothing)
{
    App();
    const ProgramFile damaged(QStringLiteral("off"), QByteArray("this is no sound"));
    bool on = false;
    int asked = 0;
    EffectPlayer player([&] {
        ++asked;
        return on;
    });
    StderrCapture capture;
    for (int i = 0; i < 3; ++i)
        player.PlayEffect(damaged.Name());
    Pump(300);
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(capture.OurLines(), QStringList()); // the damaged file was never opened

    // The option is read afresh: the next effect does look at the file.
    on = true;
    player.PlayEffect(damaged.Name());
    EXPECT_TRUE(capture.WaitFor(damaged.Path(), 5000));
}

TEST(PlayEffect, MissingFileOrFolderIsSilentWithoutMessage)
{
    App();
    const QString folderName = QStringLiteral("sound_effects_test-%1-folder.wav").arg(getpid());
    QDir programDir(QCoreApplication::applicationDirPath());
    ASSERT_TRUE(programDir.mkdir(folderName));
    {
        EffectPlayer player([] { return true; });
        StderrCapture capture;
        player.PlayEffect("sound_effects_test-no-such-file.wav");
        player.PlayEffect(folderName.toStdString());
        player.PlayEffect("");
        Pump(300);
        EXPECT_EQ(capture.OurLines(), QStringList());
    }
    programDir.rmdir(folderName);
}

TEST(PlayEffect, DamagedFilesGiveAtMostOneLineEach)
{
    App();
    const ProgramFile garbage(QStringLiteral("garbage"), QByteArray(3000, '\x5a'));
    // A header that promises sound data the file does not hold.
    QByteArray header("RIFF\x24\x10\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00"
                      "\x44\xac\x00\x00\x88\x58\x01\x00\x02\x00\x10\x00"
                      "data\x00\x10\x00\x00",
                      44);
    const ProgramFile empty(QStringLiteral("empty"), header);
    // Not a WAVE file at all, but a RIFF one.
    QByteArray riff = header;
    riff.replace(8, 4, "AVI ");
    const ProgramFile avi(QStringLiteral("avi"), riff);

    StderrCapture capture;
    QElapsedTimer timer;
    timer.start();
    {
        EffectPlayer player([] { return true; });
        for (int round = 0; round < 3; ++round) {
            for (const ProgramFile *file : {&garbage, &empty, &avi}) {
                player.PlayEffect(file->Name());
                Pump(20);
            }
        }
        for (const ProgramFile *file : {&garbage, &empty, &avi})
            EXPECT_TRUE(capture.WaitFor(file->Path(), 5000));
        Pump(200);
    }
    EXPECT_LT(timer.elapsed(), 10000);
    // Exactly one line per file, each naming the file it is about.
    const QString text = capture.Text();
    for (const ProgramFile *file : {&garbage, &empty, &avi})
        EXPECT_EQ(Count(text, file->Path()), 1) << text.toStdString();
    const QStringList lines = capture.OurLines();
    EXPECT_EQ(lines.size(), 3) << text.toStdString();
    for (const QString &line : lines)
        EXPECT_TRUE(line.startsWith(QStringLiteral("zorrel: cannot play "))) << line.toStdString();
}

TEST(PlayEffect, ReturnsAtOnceAndShutsDownCleanly)
{
    App();
    const ProgramFile click(QStringLiteral("click"), ReadEffectFile("Korrin0.wav"));
    const ProgramFile step(QStringLiteral("step"), ReadEffectFile("Korrin1.wav"));
    QElapsedTimer lifetime;
    lifetime.start();
    {
        EffectPlayer player([] { return true; });
        qint64 slowest = 0;
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer call;
            call.start();
            player.PlayEffect(i % 2 == 0 ? click.Name() : step.Name());
            slowest = std::max(slowest, call.nsecsElapsed());
            Pump(10);
        }
        // With or without a sound server, no call waits for the sound.
        EXPECT_LT(slowest, 50'000'000) << slowest << " ns";
    }
    EXPECT_LT(lifetime.elapsed(), 5000);
}

TEST(EffectFiles, AreShortMono16BitPcmWaves)
{
    struct Expected {
        const char *name;
        double maxSeconds;
    };
    for (const Expected &expected : {Expected{"Korrin0.wav", 0.15}, Expected{"Korrin1.wav", 0.2}}) {
        SCOPED_TRACE(expected.name);
        const QByteArray bytes = ReadEffectFile(expected.name);
        ASSERT_GE(bytes.size(), 44);
        EXPECT_EQ(bytes.first(4), "RIFF");
        EXPECT_EQ(Le(bytes, 4, 4), quint32(bytes.size() - 8));
        EXPECT_EQ(bytes.sliced(8, 8), "WAVEfmt ");
        EXPECT_EQ(Le(bytes, 16, 4), 16u);    // size of the format chunk
        EXPECT_EQ(Le(bytes, 20, 2), 1u);     // PCM
        EXPECT_EQ(Le(bytes, 22, 2), 1u);     // mono
        EXPECT_EQ(Le(bytes, 24, 4), 44100u); // frames per second
        EXPECT_EQ(Le(bytes, 28, 4), 88200u); // bytes per second
        EXPECT_EQ(Le(bytes, 32, 2), 2u);     // bytes per frame
        EXPECT_EQ(Le(bytes, 34, 2), 16u);    // bits per sample
        EXPECT_EQ(bytes.sliced(36, 4), "data");
        const quint32 dataBytes = Le(bytes, 40, 4);
        EXPECT_EQ(dataBytes, quint32(bytes.size() - 44));
        const double seconds = dataBytes / 88200.0;
        EXPECT_GT(seconds, 0.02);
        EXPECT_LT(seconds, expected.maxSeconds);

        // Clearly audible, never clipped, and no click at either end.
        int peak = 0;
        for (qsizetype at = 44; at + 1 < bytes.size(); at += 2)
            peak = std::max(peak, std::abs(static_cast<qint16>(Le(bytes, at, 2))));
        EXPECT_GT(peak, 8000);
        EXPECT_LT(peak, 32000);
        EXPECT_LT(std::abs(static_cast<qint16>(Le(bytes, 44, 2))), 500);
        EXPECT_LT(std::abs(static_cast<qint16>(Le(bytes, bytes.size() - 2, 2))), 500);
    }
}
