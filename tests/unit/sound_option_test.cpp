// The stored sound option: byte-exact edits of the shared settings file,
// loading and repair, links, what is no settings file, the settings folder,
// and two copies of the toy writing at once.

#include "TestSupport.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#include "settings/SoundOptionStore.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <tuple>

using namespace std::literals;
using namespace zorrel::settings;
using namespace zorrel::test;

namespace {

// Started with ZORREL_SOUND_CHILD_TOGGLES=N this binary is one copy of the toy:
// it toggles the option N times in the file XDG_CONFIG_HOME leads to, counting
// each toggle in that file's [Count] section, and exits before any test runs.
[[maybe_unused]] const bool kChild = [] {
    const int toggles = qEnvironmentVariableIntValue("ZORREL_SOUND_CHILD_TOGGLES");
    if (toggles == 0)
        return false;
    const auto count = [](const QByteArray &bytes) {
        const std::optional<IniLine> line = findIniEntry(bytes, "Count", "n");
        const int n = line ? iniValue(bytes, *line).toInt() : 0;
        return withIniEntry(bytes, "Count", "n", QByteArray::number(n + 1));
    };
    bool on = SoundOptionStore().load(true);
    for (int i = 0; i < toggles; ++i) {
        SoundOptionStore().store(on = !on); // written when the store goes
        if (!SettingsFile::inUserConfig("Pocketfolk.ini").rewrite(count).isEmpty())
            std::exit(EXIT_FAILURE);
    }
    std::exit(EXIT_SUCCESS);
}();

// Made after the child's work: a copy of the toy needs none.
[[maybe_unused]] const QCoreApplication &kApp = testApplication<QCoreApplication>();

QByteArray bytesOf(std::string_view text) { return {text.data(), qsizetype(text.size())}; }
// What `action` writes on stderr.
template <typename Action> std::string reportOf(Action action)
{
    testing::internal::CaptureStderr();
    action();
    return testing::internal::GetCapturedStderr();
}
// One line, with nothing unprintable in it but its end, naming the file.
bool isOneLineNaming(const std::string &report, const QString &path)
{
    return report.ends_with('\n') && report.find(path.toStdString()) != report.npos &&
           std::count_if(report.begin(), report.end(), [](char c) { return c >= 0 && c < 0x20; }) ==
               1;
}

class SoundOption : public ::testing::Test {
  protected:
    void SetUp() override { qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.path())); }
    [[nodiscard]] QString iniPath() const { return dir_.filePath("Pocketfolk.ini"); }
    QTemporaryDir dir_;
};

TEST_F(SoundOption, StoreChangesOnlyTheOptionsLine)
{
    // After storing False the file is `before` with `from` replaced by `to`,
    // or with `to` appended if `from` is empty.
    const struct {
        std::optional<std::string_view> before; // none: no file
        std::string_view from, to;
        bool linked = false; // the file a relative link to vendor/real.ini
    } cases[] = {
        {std::nullopt, "", "[Coilwerks]\nZorrel Sound=False\n"},
        {"", "", "[Coilwerks]\nZorrel Sound=False\n"},
        {"; Pocketfolk\n# kept\n[Other Toy]\nWindow Pos=10,20\nPath=\"C:\\Games\\save1.dat\"\n\n"
         "[Coilwerks]\n; ours\nZorrel Sound=True\n speed = 3 \n\n[Zebra]\nb=2\na=1\n",
         "=True", "=False"},
        {"[Other Toy]\r\nWindow Pos=10,20\r\n[Coilwerks]\r\nZorrel%20Sound=True\r\nx=\"a, b\"\r\n",
         "Zorrel%20Sound=True", "Zorrel Sound=False"},
        {"[Coilwerks]\nZorrel Sound=1", "=1", "=False"},
        {"[Coilwerks]\nZorrel Sound=1\n", "=1", "=False", true},
        {"[Coilwerks]\nOther=1\n\n; next\n[After]\nx=1\n", "=1\n\n", "=1\nZorrel Sound=False\n\n"},
        {"[Coilwerks]\r\nOther=1", "", "\r\nZorrel Sound=False\r\n"},
        {"[Other Toy]\r\nWindow Pos=10,20", "", "\r\n[Coilwerks]\r\nZorrel Sound=False\r\n"},
        {"\xff\0junk=\x80\x1b[m\n"sv, "", "[Coilwerks]\nZorrel Sound=False\n"},
        {" [ coilwerks ] \nZorrel Sound=True\n[Coilwerks]\n zorrel sound = \"1\"\n"
         "[COILWERKS]\nZORREL%20SOUND=yes\n",
         "ZORREL%20SOUND=yes", "Zorrel Sound=False"},
        {"[Coilwerks2]\nZorrel Sound=1\n[Coilwerks]\nZorrel Sounds=1\n;Zorrel Sound=1\n", "s=1\n",
         "s=1\nZorrel Sound=False\n"},
    };
    const QFile::Permissions shared = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QDir(dir_.path()).mkdir("vendor"));
    for (const auto &[before, from, to, linked] : cases) {
        SCOPED_TRACE(before.value_or("(no file)"));
        const QString file = linked ? dir_.filePath("vendor/real.ini") : iniPath();
        QFile::remove(iniPath());
        ASSERT_TRUE(!before ||
                    (writeFile(file, bytesOf(*before)) && QFile::setPermissions(file, shared)));
        ASSERT_TRUE(!linked || link(iniPath(), "vendor/real.ini"));
        EXPECT_EQ(reportOf([] { SoundOptionStore().store(false); }), "");
        const QByteArray original = bytesOf(before.value_or(""));
        EXPECT_EQ(readFile(iniPath()),
                  from.empty() ? original + bytesOf(to)
                               : QByteArray(original).replace(bytesOf(from), bytesOf(to)));
        EXPECT_EQ(QFileInfo(iniPath()).permissions() & 0x7077, // owner, group, others
                  before ? shared : QFile::ReadOwner | QFile::WriteOwner);
        EXPECT_EQ(QFileInfo(iniPath()).isSymLink(), linked);
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"Pocketfolk.ini"});
    EXPECT_EQ(QDir(dir_.filePath("vendor")).entryList(QDir::Files), QStringList{"real.ini"});
}

TEST_F(SoundOption, LoadReadsTheValueAndRepairsAnUnreadableOne)
{
    for (const auto &[text, value] :
         {std::pair{"False"sv, false}, {" \"tRuE\" ", true}, {"000", false}, {"-7", true}}) {
        const QByteArray before = "[Coilwerks]\nZorrel%20Sound=" + bytesOf(text) + "\n";
        ASSERT_TRUE(writeFile(iniPath(), before));
        bool loaded = value;
        EXPECT_EQ(reportOf([&loaded] { loaded = SoundOptionStore().load(!loaded); }), "");
        EXPECT_EQ(loaded, value) << text;
        EXPECT_EQ(readFile(iniPath()), before);
    }
    ASSERT_TRUE(writeFile(iniPath(), "[Coilwerks]\nZorrel Sound=\x1b[2Jyes\nb=1\n"));
    const std::string report = reportOf([] { EXPECT_TRUE(SoundOptionStore().load(true)); });
    EXPECT_TRUE(isOneLineNaming(report, iniPath())) << report;
    EXPECT_EQ(readFile(iniPath()), "[Coilwerks]\nZorrel Sound=True\nb=1\n");
}

// A FIFO (never opened, or the load would wait for a writer forever), a file
// too large to be settings, a folder that is a file: one line each, and the
// toy goes on with the default, writing nothing.
TEST_F(SoundOption, WhatIsNoSettingsFileIsReportedAndLeftAlone)
{
    const auto expectReported = [](const QString &path) {
        std::string report = reportOf([] { EXPECT_TRUE(SoundOptionStore().load(true)); });
        EXPECT_TRUE(isOneLineNaming(report, path)) << report;
        report = reportOf([] { SoundOptionStore().store(false); });
        EXPECT_TRUE(isOneLineNaming(report, path)) << report;
    };
    ASSERT_TRUE(fifo(iniPath()));
    expectReported(iniPath());
    EXPECT_TRUE(QFileInfo(iniPath()).exists() && !QFileInfo(iniPath()).isFile());
    QFile big(iniPath()); // sparse: costs no disk
    ASSERT_TRUE(QFile::remove(iniPath()) && big.open(QIODevice::WriteOnly) &&
                big.resize(SettingsFile::kMaxBytes + 1));
    expectReported(iniPath());
    EXPECT_EQ(QFileInfo(iniPath()).size(), SettingsFile::kMaxBytes + 1);
    // At exactly the limit the file is read, but a change that would grow it
    // is refused: a file the next start would not read loses the option.
    ASSERT_TRUE(QFile::remove(iniPath()) &&
                writeFile(iniPath(), "[Coilwerks]\nZorrel Sound=True\n") &&
                QFile(iniPath()).resize(SettingsFile::kMaxBytes));
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(reportOf([] { EXPECT_TRUE(SoundOptionStore().load(false)); }), "");
        const std::string report = reportOf([] { SoundOptionStore().store(false); });
        EXPECT_TRUE(isOneLineNaming(report, iniPath())) << report;
        EXPECT_EQ(QFileInfo(iniPath()).size(), SettingsFile::kMaxBytes);
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(iniPath()));
    expectReported(iniPath() + "/Pocketfolk.ini");
}

TEST_F(SoundOption, FolderIsXdgThenHomeThenTheAccountsHome)
{
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", "/nowhere/home");
    EXPECT_EQ(userConfigFolder().path, dir_.path());
    qputenv("XDG_CONFIG_HOME", "relative");
    EXPECT_EQ(userConfigFolder().path, "/nowhere/home/.config");
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("HOME");
    EXPECT_EQ(userConfigFolder().path,
              QFile::decodeName(::getpwuid(::getuid())->pw_dir) + "/.config");

    // Names that are not UTF-8 would lead to another folder: the toy keeps
    // no settings then, says so in one line, and writes nowhere.
    const QByteArray inside = QFile::encodeName(dir_.path());
    for (const auto &[variable, value, shown] :
         {std::tuple{"HOME", inside + "/h\xe9me", "h\\xe9me"},
          {"XDG_CONFIG_HOME", inside + "/config\xff", "config\\xff"}}) {
        SCOPED_TRACE(shown);
        qputenv(variable, value);
        EXPECT_EQ(userConfigFolder().path, "");
        for (const std::string &report :
             {reportOf([] { EXPECT_TRUE(SoundOptionStore().load(true)); }),
              reportOf([] { SoundOptionStore().store(false); })}) {
            EXPECT_TRUE(isOneLineNaming(report, shown)) << report;
        }
        qunsetenv(variable);
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList());
    qputenv("HOME", home);
}

TEST_F(SoundOption, TwoCopiesTogglingAtOnceLoseNothing)
{
    const QByteArray others = "; vendor\r\n[Other Toy]\r\nWindow Pos=10,20\r\n\r\n[Coilwerks]\r\n";
    ASSERT_TRUE(writeFile(iniPath(), others + "Zorrel%20Sound=True\r\nPath=C:\\x\r\n"));
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
    // Every toggle counted; the option as either copy left it last.
    const QByteArray after = readFile(iniPath()), tail = "\r\nPath=C:\\x\r\n[Count]\r\nn=400\r\n";
    EXPECT_TRUE(after == others + "Zorrel Sound=True" + tail ||
                after == others + "Zorrel Sound=False" + tail)
        << after.toStdString();
}

} // namespace
