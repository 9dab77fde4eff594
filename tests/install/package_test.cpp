// `cpack -G DEB` makes zorrel_<version>_<arch>.deb with every installed file
// under /usr.

#include "common/BuildInfo.h"
#include "e2e/support/Desktop.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace zorrel::e2e {
namespace {

class Package : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        dir_ = new QTemporaryDir;
        const std::string out = dir_->path().toStdString();
        // dpkg-shlibdeps looks every library up in the package database,
        // which on a busy machine with many packages takes over 20 s.
        const Output made = run("sh -c 'cd " + out + " && " ZORREL_CPACK " -G DEB --config " +
                                    ZORREL_BUILD_DIR "/CPackConfig.cmake -B " + out + "' 2>&1",
                                120);
        std::string arch = run("dpkg --print-architecture").out;
        arch.resize(arch.find_first_of('\n'));
        deb_ = out + "/zorrel_" + zorrel::build::kVersion + "_" + arch + ".deb";
        log_ = made.out;
    }
    static void TearDownTestSuite()
    {
        delete dir_;
        dir_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(std::filesystem::exists(deb_)) << log_; }

    static inline QTemporaryDir *dir_ = nullptr;
    static inline std::string deb_;
    static inline std::string log_;
};

TEST_F(Package, HoldsTheProgramAndItsFilesUnderUsrAndDescribesThem)
{
    const std::string contents = run("dpkg-deb -c " + deb_).out;
    const std::string icons = "./usr/share/icons/hicolor/", app = "example.zorrel.Zorrel";
    std::vector<std::string> paths{
        "./usr/games/zorrel", // Debian keeps games there
        "./usr/lib/zorrel/libzorrel-sound.so",
        "./usr/share/zorrel/Korrin0.wav",
        "./usr/share/zorrel/Korrin1.wav",
        "./usr/share/applications/" + app + ".desktop",
        "./usr/share/metainfo/" + app + ".metainfo.xml",
        icons + "scalable/apps/" + app + ".svg",
        "./usr/share/man/man6/zorrel.6.gz",
        "./usr/share/doc/zorrel/copyright",
        "./usr/share/doc/zorrel/changelog.gz",
    };
    for (const char *side : {"48x48", "64x64", "128x128", "256x256"})
        paths.push_back(icons + side + "/apps/" + app + ".png");
    for (const std::string &path : paths)
        EXPECT_NE(contents.find(" " + path + "\n"), std::string::npos) << path;

    const std::string fields = run("dpkg-deb -f " + deb_ + " Section Depends").out;
    EXPECT_NE(fields.find("Section: games\n"), std::string::npos) << fields;
    EXPECT_NE(fields.find("libqt6widgets6"), std::string::npos) << "no library dependencies";
    // No maintainer scripts: a removed package leaves nothing behind.
    const std::string control = run("dpkg-deb -I " + deb_).out;
    EXPECT_EQ(control.find("postrm"), std::string::npos) << control;
    EXPECT_EQ(control.find("postinst"), std::string::npos) << control;
}

// Installed, the program may not depend on the folder it was built in: no
// file names it, in 8-bit or in UTF-16 (Qt's string literals) characters.
TEST_F(Package, NamesNoBuildFolder)
{
    const std::string root = dir_->path().toStdString() + "/root";
    ASSERT_EQ(run("dpkg-deb -x " + deb_ + " " + root).exit, 0);
    const std::string narrow = ZORREL_BUILD_DIR;
    std::string wide;
    for (const char c : narrow)
        wide += {c, '\0'};
    for (const auto &entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(bytes.find(narrow), std::string::npos) << entry.path();
        EXPECT_EQ(bytes.find(wide), std::string::npos) << entry.path();
    }
}

} // namespace
} // namespace zorrel::e2e
