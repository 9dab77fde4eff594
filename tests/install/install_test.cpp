// `cmake --install` to a temporary prefix: the files land where desktops and
// the program look for them, validate, and the installed program runs.

#include "e2e/support/ToyFixture.h"

#include <iostream>
#include <sstream>

namespace zorrel::e2e {
namespace {

constexpr auto kAppId = "example.zorrel.Zorrel";

class Installed : public ToyFixture {
  protected:
    static void SetUpTestSuite()
    {
        prefix_ = new QTemporaryDir;
        const Output out =
            run(ZORREL_CMAKE " --install " ZORREL_BUILD_DIR " --prefix " + prefix() + " 2>&1");
        installed_ = out.exit == 0;
        if (!installed_)
            std::cerr << out.out;
    }
    static void TearDownTestSuite()
    {
        delete prefix_;
        prefix_ = nullptr;
    }
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ToyFixture::SetUp());
        ASSERT_TRUE(installed_) << "cmake --install failed";
    }

    static std::string prefix() { return prefix_->path().toStdString(); }
    static std::string at(const std::string &path) { return prefix() + "/" + path; }
    static std::string appFile(const std::string &folder, const std::string &suffix)
    {
        return at(folder + "/" + kAppId + suffix);
    }

    static inline QTemporaryDir *prefix_ = nullptr;
    static inline bool installed_ = false;
};

// Which files are installed the package test lists (the package is made by
// the same install rules); these the folder it makes shows, the others the
// tests below read or run.
TEST_F(Installed, IconsHaveTheirSizesAndNoBinaryHasARunPath)
{
    for (const int size : {48, 64, 128, 256}) {
        const std::string side = std::to_string(size) + "x" + std::to_string(size);
        const std::string icon = appFile("share/icons/hicolor/" + side + "/apps", ".png");
        EXPECT_EQ(run("identify -format %wx%h " + icon).out, side);
    }
    for (const std::string path : {"bin/zorrel", "lib/zorrel/libzorrel-sound.so"}) {
        const Output dynamic = run("readelf -d " + at(path));
        EXPECT_EQ(dynamic.exit, 0) << path;
        EXPECT_EQ(dynamic.out.find("PATH"), std::string::npos) << path << " has a run path";
    }
}

TEST_F(Installed, DesktopAndMetainfoFilesValidate)
{
    const Output desktop =
        run("desktop-file-validate " + appFile("share/applications", ".desktop") + " 2>&1");
    EXPECT_EQ(desktop.exit, 0);
    EXPECT_EQ(desktop.out, "");
    const Output metainfo = run("appstreamcli validate --no-net --no-color " +
                                appFile("share/metainfo", ".metainfo.xml") + " 2>&1");
    EXPECT_EQ(metainfo.exit, 0);
    static const std::regex complaint(R"((^|\n)[EW]: )");
    EXPECT_FALSE(std::regex_search(metainfo.out, complaint)) << metainfo.out;
}

// The menu entry and the software centre describe the toy in each language
// the program speaks.
TEST_F(Installed, DesktopAndMetainfoSpeakTheProgramsLanguages)
{
    const std::string desktop = run("cat " + appFile("share/applications", ".desktop")).out;
    const std::string metainfo = run("cat " + appFile("share/metainfo", ".metainfo.xml")).out;
    std::istringstream languages(ZORREL_LANGUAGES);
    int count = 0;
    for (std::string language; languages >> language; ++count) {
        for (const std::string key : {"GenericName", "Comment", "Keywords"})
            EXPECT_NE(desktop.find("\n" + key + "[" + language + "]="), std::string::npos)
                << key << "[" << language << "]";
        EXPECT_NE(metainfo.find("<summary xml:lang=\"" + language + "\">"), std::string::npos)
            << language;
    }
    EXPECT_EQ(count, 4);
}

// The installed program runs, which tests its run path, and finds its module
// in ../lib/zorrel and its sounds in ../share/zorrel. Its version the command
// line tests read, its shape the window tests.
TEST_F(Installed, ToyClicksWhenWound)
{
    ASSERT_TRUE(std::getenv("ZORREL_SINK_RAW") && sinkQuiet());
    ASSERT_NO_FATAL_FAILURE(start(at("bin/zorrel")));
    EXPECT_GT(peakAfter([&] { return holdAndWind(1); }, 3s, kAudible), kAudible);
}

} // namespace
} // namespace zorrel::e2e
