// The toy started in a German or Japanese session: its menu answers the
// access keys of that language, not the English ones, and its about box has
// that language's title.

#include "e2e/support/ToyFixture.h"

#include <map>
#include <optional>

namespace zorrel::e2e {
namespace {

// The variables that choose the language, as a desktop session sets them.
const char *const kLanguageVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};

class Language : public ToyFixture {
  protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ToyFixture::SetUp());
        for (const char *name : kLanguageVariables) {
            const char *value = std::getenv(name);
            saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
            unsetenv(name);
        }
    }
    void TearDown() override
    {
        ToyFixture::TearDown();
        for (const auto &[name, value] : saved_)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }
    void launchIn(const char *locale)
    {
        setenv("LANG", locale, 1);
        ASSERT_NO_FATAL_FAILURE(launch());
    }
    [[nodiscard]] std::size_t windowCount() const { return windows(pidOption()).size(); }
    [[nodiscard]] bool openMenu() const
    {
        return move(at(kBody)) && xdo("click 3") &&
               waitUntil([&] { return windowCount() > 1; }, 3s);
    }
    [[nodiscard]] bool menuClosed() const
    {
        return waitUntil([&] { return windowCount() == 1; }, 3s);
    }
    // The key that ends the program, and that it ends with status 0.
    void exitsWith(const std::string &key)
    {
        ASSERT_TRUE(openMenu() && xdo("key " + key)) << "no popup menu";
        int status = -1;
        ASSERT_TRUE(waitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, 5s))
            << "the toy did not end on " << key;
        pid_ = 0;
        EXPECT_EQ(status, 0);
    }

    std::map<std::string, std::optional<std::string>> saved_;
};

// German: T for "Ton", B for "Beenden"; the English S and E do nothing.
TEST_F(Language, GermanMenu)
{
    ASSERT_NO_FATAL_FAILURE(launchIn("de_DE.UTF-8"));
    ASSERT_TRUE(openMenu() && xdo("key s")) << "no popup menu";
    sleep_for(300ms);
    EXPECT_NE(stored(), "False") << "the English key S worked";
    ASSERT_TRUE(xdo("key t")) << "no key";
    EXPECT_TRUE(waitUntil([&] { return stored() == "False"; }, 3s)) << stored();
    ASSERT_TRUE(menuClosed());
    ASSERT_TRUE(openMenu() && xdo("key e"));
    sleep_for(300ms);
    EXPECT_EQ(waitpid(pid_, nullptr, WNOHANG), 0) << "the English key E ended the toy";
    ASSERT_TRUE(xdo("key Escape") && menuClosed());
    exitsWith("b");
}

// Japanese: the access keys follow the captions, "終了(&X)" and
// "Zorrel について(&A)...", whose box is titled so.
TEST_F(Language, JapaneseMenuAndAboutBox)
{
    ASSERT_NO_FATAL_FAILURE(launchIn("ja_JP.UTF-8"));
    ASSERT_TRUE(openMenu() && xdo("key a")) << "no popup menu";
    std::vector<Xid> about;
    ASSERT_TRUE(
        waitUntil([&] { return !(about = windows("--name '^Zorrel について$'")).empty(); }, 5s))
        << "no box with the Japanese title";
    ASSERT_TRUE(xdo("key Escape"));
    ASSERT_TRUE(waitUntil([&] { return windowCount() == 1; }, 3s));
    ASSERT_TRUE(openMenu() && xdo("key e"));
    sleep_for(300ms);
    EXPECT_EQ(waitpid(pid_, nullptr, WNOHANG), 0) << "the English key E ended the toy";
    ASSERT_TRUE(xdo("key Escape") && menuClosed());
    exitsWith("x");
}

} // namespace
} // namespace zorrel::e2e
