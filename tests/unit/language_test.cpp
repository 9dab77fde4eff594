// The program's languages: which one the user's preferences choose, that
// every language it ships is finished for the menu, and that the menu's
// access keys stay unique in each.

#include "TestSupport.h"
#include "i18n/Language.h"
#include "toy/MenuCommands.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeySequence>

#include <set>

using namespace zorrel;

namespace {

class LanguageTest : public ::testing::Test {
  protected:
    void SetUp() override { test::testApplication<QCoreApplication>(); }
    void TearDown() override { i18n::useLanguage({}); }
};

TEST_F(LanguageTest, ShipsGermanFrenchSpanishAndJapanese)
{
    EXPECT_EQ(i18n::translatedLanguages(), QStringList({"de", "es", "fr", "ja"}));
}

// The first preferred language the program speaks wins; English, or the C
// locale, ends the search, since English needs no translation.
TEST_F(LanguageTest, FirstSpokenPreferenceWins)
{
    using L = QStringList;
    EXPECT_EQ(i18n::chooseLanguage(L{"de-DE"}), "de");
    EXPECT_EQ(i18n::chooseLanguage(L{"ja-JP"}), "ja");
    EXPECT_EQ(i18n::chooseLanguage(L{"es"}), "es");
    EXPECT_EQ(i18n::chooseLanguage(L{"fr-CA", "de-DE"}), "fr");
    EXPECT_EQ(i18n::chooseLanguage(L{"pt-BR", "nl", "es-MX"}), "es");
    EXPECT_EQ(i18n::chooseLanguage(L{"en-GB", "de-DE"}), "");
    EXPECT_EQ(i18n::chooseLanguage(L{"C"}), "");
    EXPECT_EQ(i18n::chooseLanguage(L{"pt-BR"}), "");
    EXPECT_EQ(i18n::chooseLanguage(L{}), "");
}

TEST_F(LanguageTest, UsingALanguageTranslatesAndEnglishUndoes)
{
    EXPECT_EQ(i18n::useLanguage("de"), "de");
    EXPECT_EQ(QCoreApplication::translate("Menu", "&Exit"), "&Beenden");
    EXPECT_EQ(i18n::useLanguage("xx"), "");
    EXPECT_EQ(QCoreApplication::translate("Menu", "&Exit"), "&Exit");
}

class MenuInEachLanguage : public LanguageTest, public ::testing::WithParamInterface<QString> {};

// Every caption is translated and has one access key, unique in the menu.
TEST_P(MenuInEachLanguage, CaptionsTranslatedWithUniqueAccessKeys)
{
    const QString language = GetParam();
    ASSERT_EQ(i18n::useLanguage(language), language);
    std::set<QString> keys;
    for (const toy::menu::MenuItem &item : toy::menu::kPopupMenu) {
        if (item.command == toy::menu::Command::Separator)
            continue;
        const QString english = QString::fromUtf8(item.caption);
        const QString caption =
            QCoreApplication::translate(toy::menu::kCaptionContext, item.caption.data());
        if (!language.isEmpty()) {
            EXPECT_NE(caption, english) << "untranslated";
        }
        EXPECT_EQ(caption.count(u'&'), 1) << caption.toStdString();
        const QKeySequence key = QKeySequence::mnemonic(caption);
        ASSERT_FALSE(key.isEmpty()) << caption.toStdString();
        EXPECT_TRUE(keys.insert(key.toString()).second)
            << caption.toStdString() << " shares its key " << key.toString().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, MenuInEachLanguage,
                         ::testing::Values("", "de", "es", "fr", "ja"), [](const auto &info) {
                             return info.param.isEmpty() ? std::string("en")
                                                         : info.param.toStdString();
                         });

} // namespace
