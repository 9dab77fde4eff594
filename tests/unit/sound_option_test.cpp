// The stored sound option: first run, loading, repair of unreadable values,
// an unwritable store, and two copies of the toy writing at once.

#include "toy/SoundOptionStore.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
using zorrel::toy::SoundOptionStore;

namespace {

// Started with ZORREL_SOUND_CHILD_TOGGLES=N this binary is one copy of the toy:
// it loads the option from the file XDG_CONFIG_HOME leads to, toggles it N
// times and exits before any test runs.
[[maybe_unused]] const bool kChild = [] {
    const int toggles = qEnvironmentVariableIntValue("ZORREL_SOUND_CHILD_TOGGLES");
    if (toggles == 0)
        return false;
    SoundOptionStore store;
    bool on = store.load(true);
    for (int i = 0; i < toggles; ++i)
        store.store(on = !on);
    std::exit(EXIT_SUCCESS);
}();

int argc = 1;
char name[] = "sound_option_test", *argv[] = {name, nullptr};
QCoreApplication app(argc, argv);

class SoundOption : public ::testing::Test {
  protected:
    void SetUp() override { useFreshFolder(); }

    // QSettings reads XDG_CONFIG_HOME once per process and trusts its cache
    // of a file whose size and time look unchanged: each case gets a new folder.
    void useFreshFolder()
    {
        folder_ = dir_.filePath(QString::number(++folders_));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder_));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_);
    }
    [[nodiscard]] QString iniPath() const { return folder_ + "/Pocketfolk.ini"; }

    // Stores `value` as the option, among other keys and sections.
    void storeRaw(const QByteArray &value)
    {
        useFreshFolder();
        QDir().mkpath(folder_);
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Other]\nkeep=1\n\n[Coilwerks]\nneighbour=stays\nZorrel%20Sound=" + value +
                   "\n");
    }
    [[nodiscard]] QByteArray readIni() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The stored text, if the neighbours are intact.
    [[nodiscard]] QString stored() const
    {
        QSettings ini(iniPath(), QSettings::IniFormat);
        const bool intact = ini.status() == QSettings::NoError && ini.value("Other/keep") == "1" &&
                            ini.value("Coilwerks/neighbour") == "stays";
        return intact ? ini.value("Coilwerks/Zorrel Sound").toString() : "neighbours lost";
    }

    QTemporaryDir dir_;
    QString folder_;
    int folders_ = 0;
};

TEST_F(SoundOption, FirstRunAndNotFoundStoreTheDefault)
{
    CaptureStderr();
    EXPECT_TRUE(SoundOptionStore().load(true));
    EXPECT_EQ(readIni(), "[Coilwerks]\nZorrel%20Sound=True\n");
    storeRaw("NotFound"); // exactly this text is a missing entry
    EXPECT_FALSE(SoundOptionStore().load(false));
    EXPECT_EQ(stored(), "False");
    EXPECT_EQ(GetCapturedStderr(), "");
}

TEST_F(SoundOption, ReadableTextsLoadAndUnreadableOnesAreRepaired)
{
    enum { False, True, Unreadable };
    const QByteArrayList texts[] = {
        {"False", "false", "\"\tfAlSe \"", "0", "+0", "000"},
        {"True", "TRUE", "\"  tRuE \"", "1", "-7", "123456789012345678901234567890"},
        {"", "yes", "notfound", "True False", "2.5", "0x1", "\"\"", "@Invalid()",
         QByteArray("\x01\t\x7f\xff\x80z\x1b[m", 9)}};
    for (int kind : {False, True, Unreadable}) {
        for (const QByteArray &text : texts[kind]) {
            SCOPED_TRACE(text.toStdString());
            storeRaw(text);
            const QByteArray before = readIni();
            CaptureStderr();
            EXPECT_EQ(SoundOptionStore().load(kind != True), kind != False);
            const std::string report = GetCapturedStderr();
            if (kind != Unreadable) {
                EXPECT_EQ(report, "");
                EXPECT_EQ(readIni(), before);
                continue;
            }
            // One line, nothing unprintable in it, naming the file and the value.
            EXPECT_TRUE(report.ends_with('\n') &&
                        std::count_if(report.begin(), report.end(),
                                      [](char c) { return c >= 0 && c < 0x20; }) == 1)
                << report;
            EXPECT_NE(report.find(iniPath().toStdString() + ": unreadable value \""), report.npos);
            EXPECT_TRUE(text != "yes" || report.find("\"yes\"") != report.npos) << report;
            EXPECT_EQ(stored(), "True"); // repaired
        }
    }
}

TEST_F(SoundOption, UnwritableFolderKeepsTheToyRunning)
{
    // The settings folder is a regular file: nothing can be stored, not even by root.
    ASSERT_TRUE(QFile(folder_).open(QIODevice::WriteOnly));
    CaptureStderr();
    EXPECT_TRUE(SoundOptionStore().load(true));
    const std::string report = GetCapturedStderr();
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
    EXPECT_NE(report.find(iniPath().toStdString() + ": cannot store Zorrel Sound=True"),
              report.npos);
}

TEST_F(SoundOption, TwoCopiesTogglingAtOnceLeaveAValidFile)
{
    storeRaw("True");
    const QByteArray before = readIni();
    QProcess copies[2];
    qputenv("ZORREL_SOUND_CHILD_TOGGLES", "200");
    for (QProcess &copy : copies)
        copy.start(QCoreApplication::applicationFilePath(), {});
    qunsetenv("ZORREL_SOUND_CHILD_TOGGLES");
    for (QProcess &copy : copies) {
        ASSERT_TRUE(copy.waitForFinished(120000));
        EXPECT_EQ(copy.exitCode(), 0);
        EXPECT_EQ(copy.readAllStandardError(), "");
    }
    EXPECT_NE(readIni(), before); // the copies found the file on their own
    EXPECT_TRUE(QStringList({"True", "False"}).contains(stored()));
}

} // namespace
