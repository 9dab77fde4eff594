// The about box in every language the program speaks, with the real widgets:
// each text is translated, lies whole within its control and the box, does
// not overlap another, and is drawn with glyphs that the fonts have.

#include "TestSupport.h"
#include "about/AboutBox.h"
#include "about/AboutLayout.h"
#include "i18n/Language.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTranslator>

#include <cmath>

using zorrel::about::AboutBox;
namespace layout = zorrel::about::layout;

namespace {

// Stands in for a language whose credit line and button caption are far
// longer than the English ones.
class LongTexts : public QTranslator {
  public:
    static inline const QString kLanguage = QStringLiteral("long");
    QString translate(const char * /*context*/, const char *source, const char * /*disambiguation*/,
                      int /*n*/) const override
    {
        const QString text = QString::fromUtf8(source);
        if (text == QStringLiteral("by the Zorrel team"))
            return QStringLiteral(
                "von der wunderbaren Zorrel-Mannschaft aus der Uhrmacherwerkstatt");
        if (text == QStringLiteral("&OK"))
            return QStringLiteral("&Einverstanden, schließen");
        return {};
    }
    [[nodiscard]] bool isEmpty() const override { return false; }
};

// A text as it shows on the screen: where it is in the box, and what.
struct ShownText {
    const char *name;
    QString text;
    QRect place; // in the box's coordinates
    QFont font;
};

class TranslatedAboutBox : public ::testing::TestWithParam<QString> {
  protected:
    void SetUp() override
    {
        zorrel::test::testApplication<QApplication>();
        if (GetParam() == LongTexts::kLanguage)
            QCoreApplication::installTranslator(&longTexts_);
        else
            ASSERT_EQ(zorrel::i18n::useLanguage(GetParam()), GetParam());
        dialog_ = new AboutBox([] {});
        dialog_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog_));
    }
    void TearDown() override
    {
        delete dialog_;
        QCoreApplication::removeTranslator(&longTexts_);
        zorrel::i18n::useLanguage({});
    }

    template <typename T = QLabel> T *control(const char *name) const
    {
        T *found = dialog_->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // The labels' texts where their alignment puts them, and the button's
    // text within its contents.
    [[nodiscard]] std::vector<ShownText> shownTexts() const
    {
        std::vector<ShownText> shown;
        for (const char *name : {"productName", "credit", "email", "homepage"}) {
            const QLabel *label = control(name);
            const QFontMetrics metrics(label->font());
            const QSize size(metrics.horizontalAdvance(label->text()), metrics.height());
            const QRect inLabel = QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                                                      size, label->contentsRect());
            shown.push_back({name, label->text(), inLabel.translated(label->pos()), label->font()});
        }
        auto *ok = control<QPushButton>("ok");
        QStyleOptionButton option;
        option.initFrom(ok);
        option.text = ok->text();
        const QRect contents =
            ok->style()->subElementRect(QStyle::SE_PushButtonContents, &option, ok);
        const QSize size = ok->fontMetrics().size(Qt::TextShowMnemonic, ok->text());
        shown.push_back({"ok", ok->text(),
                         QStyle::alignedRect(ok->layoutDirection(), Qt::AlignCenter, size, contents)
                             .translated(ok->pos()),
                         ok->font()});
        return shown;
    }

    QPointer<AboutBox> dialog_;
    LongTexts longTexts_;
};

class TranslatedTexts : public TranslatedAboutBox {};

TEST_P(TranslatedTexts, DifferFromTheEnglish)
{
    EXPECT_NE(dialog_->windowTitle(), "About Zorrel");
    EXPECT_NE(control("credit")->text(), "by the Zorrel team");
    const QString help = AboutBox::helpText();
    zorrel::i18n::useLanguage({});
    EXPECT_NE(help, AboutBox::helpText());
}

TEST_P(TranslatedAboutBox, TextsLieWithinTheBoxAndDoNotOverlap)
{
    const QRect box = dialog_->rect();
    const std::vector<ShownText> shown = shownTexts();
    std::vector<std::pair<const char *, QRect>> taken;
    for (const ShownText &text : shown) {
        const QWidget *control = dialog_->findChild<QWidget *>(text.name);
        EXPECT_TRUE(control->geometry().contains(text.place))
            << text.name << " is cut: " << text.text.toStdString();
        EXPECT_TRUE(box.contains(control->geometry())) << text.name << " leaves the box";
        taken.emplace_back(text.name, text.place);
    }
    for (const char *other : {"helpText", "icon"})
        taken.emplace_back(other, dialog_->findChild<QWidget *>(other)->geometry());
    for (std::size_t i = 0; i < taken.size(); ++i) {
        EXPECT_TRUE(box.contains(taken[i].second)) << taken[i].first;
        for (std::size_t j = i + 1; j < taken.size(); ++j)
            EXPECT_FALSE(taken[i].second.intersects(taken[j].second))
                << taken[i].first << " overlaps " << taken[j].first;
    }
}

// The help text's lines are the translator's: each is one line of the box,
// in a size still comfortable to read.
TEST_P(TranslatedAboutBox, EachHelpLineIsOneLineOfTheTextBox)
{
    auto *help = control<QPlainTextEdit>("helpText");
    EXPECT_EQ(help->toPlainText(), AboutBox::helpText());
    for (QTextBlock block = help->document()->begin(); block.isValid(); block = block.next())
        EXPECT_LE(block.layout()->lineCount(), 1) << block.text().toStdString();
    EXPECT_GE(help->font().pointSizeF(), 6.0) << "too small to read";
    EXPECT_TRUE(dialog_->rect().contains(help->geometry()));
}

// No text shows a missing glyph's box: where the box's font lacks a
// character (Japanese in a Latin font), the font Qt falls back to has it.
TEST_P(TranslatedAboutBox, EveryCharacterHasAGlyph)
{
    std::vector<ShownText> shown = shownTexts();
    auto *help = control<QPlainTextEdit>("helpText");
    shown.push_back({"helpText", help->toPlainText(), {}, help->font()});
    shown.push_back({"title", dialog_->windowTitle(), {}, dialog_->font()});
    for (const ShownText &text : shown) {
        QTextLayout layout(QString(text.text).remove(u'&').replace(u'\n', u' '), text.font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun &run : layout.glyphRuns())
            for (const quint32 glyph : run.glyphIndexes())
                EXPECT_NE(glyph, 0u)
                    << text.name << ": a character of \"" << text.text.toStdString()
                    << "\" has no glyph in " << run.rawFont().familyName().toStdString();
    }
}

// Texts too long for the box's layout widen the box; the icon stays in its
// corner and the rest moves along, centred.
TEST_P(TranslatedAboutBox, GrowsOnlyForTextsLongerThanItsLayout)
{
    const bool grows = GetParam() == LongTexts::kLanguage;
    EXPECT_EQ(dialog_->width() > layout::kClientSize.width(), grows) << dialog_->width();
    EXPECT_EQ(dialog_->height(), layout::kClientSize.height());
    EXPECT_EQ(control("icon")->geometry(), layout::kIconPlace);
    const int shift = (dialog_->width() - layout::kClientSize.width()) / 2;
    EXPECT_EQ(control("productName")->geometry(), layout::kProductNamePlace.translated(shift, 0));
    EXPECT_EQ(control<QPlainTextEdit>("helpText")->y(), layout::kHelpTextPlace.y());
}

// English keeps the box's own layout, with the same places as before.
TEST(EnglishAboutBox, KeepsItsLayout)
{
    zorrel::test::testApplication<QApplication>();
    ASSERT_EQ(zorrel::i18n::useLanguage({}), "");
    AboutBox dialog([] {});
    EXPECT_EQ(dialog.size(), layout::kClientSize);
    EXPECT_EQ(dialog.findChild<QWidget *>("productName")->geometry(), layout::kProductNamePlace);
    EXPECT_EQ(dialog.findChild<QWidget *>("ok")->geometry(), layout::kOkPlace);
    EXPECT_EQ(dialog.findChild<QWidget *>("icon")->geometry(), layout::kIconPlace);
    EXPECT_EQ(dialog.findChild<QWidget *>("helpText")->geometry(), layout::kHelpTextPlace);
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslatedAboutBox,
                         ::testing::Values("", "de", "es", "fr", "ja", LongTexts::kLanguage),
                         [](const auto &info) {
                             return info.param.isEmpty() ? std::string("en")
                                                         : info.param.toStdString();
                         });

INSTANTIATE_TEST_SUITE_P(Languages, TranslatedTexts, ::testing::Values("de", "es", "fr", "ja"),
                         [](const auto &info) { return info.param.toStdString(); });

} // namespace
