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
#include <string>

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
using zorrel::toy::SoundOptionStore;

namespace {

// This binary started with ZORREL_SOUND_CHILD_TOGGLES=N is one copy of the
// toy: it loads the option through a default store (finding the file through
// XDG_CONFIG_HOME alone), toggles it N times and exits before any test runs.
[[maybe_unused]] const bool kChild = [] {
    bool isChild = false;
    const int toggles = qEnvironmentVariableIntValue("ZORREL_SOUND_CHILD_TOGGLES", &isChild);
    if (!isChild)
        return false;
    SoundOptionStore store;
    bool on = store.Load(true);
    for (int i = 0; i < toggles; ++i)
        store.Store(on = !on);
    std::exit(EXIT_SUCCESS);
}();

const QByteArray kNeighbours = "[Other]\nkeep=1\n\n[Coilwerks]\nneighbour=stays\n";

int lines(const std::string &text)
{
    return int(std::count(text.begin(), text.end(), '\n'));
}

class SoundOption : public ::testing::Test {
  protected:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "sound_option_test", *argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        ASSERT_TRUE(dir_.isValid());
        useFreshFolder();
    }

    // QSettings reads XDG_CONFIG_HOME once per process, so later folders are
    // handed to it directly; and it trusts its cached copy of a file whose
    // size and time stamp look unchanged, so each hand-written file gets a
    // folder of its own.
    void useFreshFolder(const QString &below = {})
    {
        folder_ = (below.isEmpty() ? dir_.path() : below) + '/' + QString::number(++folders_);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder_));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_);
    }

    [[nodiscard]] QString iniPath() const { return folder_ + QStringLiteral("/Pocketfolk.ini"); }

    // Stores `value` as the option, among other keys and sections.
    void storeRaw(const QByteArray &value)
    {
        useFreshFolder();
        ASSERT_TRUE(QDir().mkpath(folder_));
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kNeighbours + "Zorrel%20Sound=" + value + "\n");
    }

    [[nodiscard]] QByteArray readIni() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The stored text, with the neighbours intact.
    [[nodiscard]] QString stored() const
    {
        QSettings ini(iniPath(), QSettings::IniFormat);
        EXPECT_EQ(ini.status(), QSettings::NoError);
        EXPECT_EQ(ini.value("Coilwerks/neighbour"), "stays");
        EXPECT_EQ(ini.value("Other/keep"), "1");
        QString value = ini.value("Coilwerks/Zorrel Sound").toString();
        EXPECT_TRUE(readIni().contains("\nZorrel%20Sound=" + value.toLatin1() + "\n"));
        return value;
    }

    QTemporaryDir dir_;
    QString folder_;
    int folders_ = 0;
};

TEST_F(SoundOption, FirstRunNotFoundAndToggles)
{
    CaptureStderr();
    EXPECT_TRUE(SoundOptionStore().Load(true));
    EXPECT_EQ(readIni(), "[Coilwerks]\nZorrel%20Sound=True\n");
    useFreshFolder();
    EXPECT_FALSE(SoundOptionStore().Load(false));
    EXPECT_EQ(readIni(), "[Coilwerks]\nZorrel%20Sound=False\n");

    // "NotFound", exactly, is a missing entry.
    storeRaw("NotFound");
    EXPECT_FALSE(SoundOptionStore().Load(false));
    EXPECT_EQ(stored(), "False");

    SoundOptionStore().Store(true);
    EXPECT_EQ(stored(), "True");
    SoundOptionStore().Store(false);
    EXPECT_EQ(stored(), "False");
    EXPECT_EQ(GetCapturedStderr(), "");
}

TEST_F(SoundOption, ReadableValuesLoadAndStayAsTheyAre)
{
    const std::pair<QByteArray, bool> table[] = {
        {"True", true},          {"False", false}, {"false", false},
        {"TRUE", true},          {"0", false},     {"\"  tRuE \"", true},
        {"\"\tfAlSe \"", false}, {"1", true},      {"-7", true},
        {"+0", false},           {"000", false},   {"123456789012345678901234567890", true},
    };
    for (const auto &[text, expected] : table) {
        SCOPED_TRACE(text.toStdString());
        storeRaw(text);
        const QByteArray before = readIni();
        CaptureStderr();
        EXPECT_EQ(SoundOptionStore().Load(!expected), expected);
        EXPECT_EQ(GetCapturedStderr(), "");
        EXPECT_EQ(readIni(), before);
    }
}

TEST_F(SoundOption, UnreadableValuesAreReportedAndRepaired)
{
    const QByteArray table[] = {
        "",
        "yes",
        "notfound",
        "Truth",
        "True False",
        "2.5",
        "0x1",
        "\"\"",
        "@Invalid()",
        "True,False",
        QByteArray("\x01\x02\t\x7f\xff\xfe\x80z\x1b[m", 13),
    };
    for (const QByteArray &text : table) {
        SCOPED_TRACE(text.toStdString());
        storeRaw(text);
        CaptureStderr();
        EXPECT_TRUE(SoundOptionStore().Load(true));
        const std::string report = GetCapturedStderr();
        EXPECT_EQ(lines(report), 1) << report;
        EXPECT_TRUE(report.ends_with('\n'));
        EXPECT_NE(report.find(iniPath().toStdString() + ": unreadable value \""), report.npos);
        EXPECT_TRUE(std::none_of(report.begin(), report.end() - 1, [](char c) {
            return c >= 0 && c < 0x20;
        })) << report;
        if (text == "yes") {
            EXPECT_NE(report.find("\"yes\""), report.npos) << report;
        }
        EXPECT_EQ(stored(), "True");

        CaptureStderr(); // repaired: the next start is clean
        EXPECT_TRUE(SoundOptionStore().Load(false));
        EXPECT_EQ(GetCapturedStderr(), "");
    }
}

TEST_F(SoundOption, UnwritableFolderKeepsTheToyRunning)
{
    // A folder below a regular file can never be made, not even by root.
    QFile blocker(dir_.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    useFreshFolder(blocker.fileName());

    CaptureStderr();
    EXPECT_TRUE(SoundOptionStore().Load(true));
    SoundOptionStore().Store(false);
    const std::string report = GetCapturedStderr();
    EXPECT_EQ(lines(report), 2) << report;
    EXPECT_NE(report.find(iniPath().toStdString() + ": cannot store Zorrel Sound=True"),
              report.npos);
    EXPECT_NE(report.find("Zorrel Sound=False"), report.npos);
}

TEST_F(SoundOption, TwoCopiesTogglingAtOnceLeaveAValidFile)
{
    storeRaw("True");
    const QByteArray before = readIni();
    QProcess copies[2];
    for (QProcess &copy : copies) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZORREL_SOUND_CHILD_TOGGLES"), QStringLiteral("200"));
        copy.setProcessEnvironment(env);
        copy.start(QCoreApplication::applicationFilePath(), {});
    }
    for (QProcess &copy : copies) {
        ASSERT_TRUE(copy.waitForFinished(120000));
        EXPECT_EQ(copy.exitCode(), 0);
        EXPECT_EQ(copy.readAllStandardError(), "");
    }
    EXPECT_NE(readIni(), before); // the copies found the file on their own
    EXPECT_TRUE(QStringList({"True", "False"}).contains(stored()));
    EXPECT_EQ(QDir(folder_).entryList(QDir::Files | QDir::Hidden), QStringList{"Pocketfolk.ini"});
}

} // namespace
