// A build to install needs only what the program needs: configured without
// GoogleTest and Google Benchmark, the tree builds and installs the program,
// and asking for the tests without their library fails at once, saying why.

#include "e2e/support/Desktop.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zorrel::e2e {
namespace {

const std::string kWithoutTestLibraries =
    " -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON";

std::string configure(const std::string &folder, const std::string &options)
{
    return ZORREL_CMAKE " -S " ZORREL_SOURCE_DIR " -B " + folder +
           " -DCMAKE_BUILD_TYPE=RelWithDebInfo" + kWithoutTestLibraries + options + " 2>&1";
}

// The folder is kept beside the build, so that a second run builds only what
// changed; its configuration is made afresh every time.
TEST(PlainBuild, BuildsAndInstallsWithoutTheTestLibraries)
{
    const std::string folder = ZORREL_BUILD_DIR "/tests/install/plain-build";
    ASSERT_EQ(run("rm -f " + folder + "/CMakeCache.txt").exit, 0);
    const Output configured = run(configure(folder, ""), 300);
    ASSERT_EQ(configured.exit, 0) << configured.out;
    EXPECT_NE(configured.out.find("Not building the tests"), std::string::npos) << configured.out;
    EXPECT_NE(configured.out.find("Not building the benchmarks"), std::string::npos);

    const Output built = run(ZORREL_CMAKE " --build " + folder + " -j2 2>&1", 1500);
    ASSERT_EQ(built.exit, 0) << built.out;
    EXPECT_EQ(run("ctest --test-dir " + folder + " -N | tail -n 1").out, "Total Tests: 0\n");

    QTemporaryDir prefix;
    const std::string where = prefix.path().toStdString();
    const Output installed =
        run(ZORREL_CMAKE " --install " + folder + " --prefix " + where + " 2>&1", 120);
    ASSERT_EQ(installed.exit, 0) << installed.out;
    EXPECT_EQ(run(where + "/bin/zorrel --version").out, "zorrel " ZORREL_VERSION "\n");
    EXPECT_EQ(run("test -f " + where + "/lib/zorrel/libzorrel-sound.so").exit, 0);
}

TEST(PlainBuild, TestsAskedForWithoutGoogleTestFailClearly)
{
    QTemporaryDir folder;
    const Output configured =
        run(configure(folder.path().toStdString(), " -DZORREL_BUILD_TESTS=ON"), 300);
    EXPECT_NE(configured.exit, 0);
    EXPECT_NE(configured.out.find("ZORREL_BUILD_TESTS is ON, but the tests need GoogleTest"),
              std::string::npos)
        << configured.out;
}

} // namespace
} // namespace zorrel::e2e
