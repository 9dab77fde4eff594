// The about box: its controls and texts, the links, and every way of closing.

#include "TestSupport.h"
#include "about/AboutBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QWindow>

#include <cmath>
#include <functional>

using zorrel::about::AboutBox;

// Stands in for the desktop's mail and web programs.
class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl &url) { opened << url; }
};

namespace {

const char *const kSchemes[] = {"mailto", "http", "https"};

class AboutBoxTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        zorrel::test::testApplication<QApplication>();
        for (const char *scheme : kSchemes)
            QDesktopServices::setUrlHandler(scheme, &recorder_, "open");
        open();
    }
    void TearDown() override
    {
        delete dialog_;
        for (const char *scheme : kSchemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    void open()
    {
        unloads_ = 0;
        dialog_ = new AboutBox([this] { ++unloads_; });
        dialog_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_));
    }

    template <typename T = QLabel> T *control(const char *name) const
    {
        T *found = dialog_->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QPointer<AboutBox> dialog_;
    UrlRecorder recorder_;
    int unloads_ = 0;
};

// The texts themselves are the dialog's constants; they are only required.
TEST_F(AboutBoxTest, ControlsAndFocus)
{
    auto *ok = control<QPushButton>("ok");
    auto *help = control<QPlainTextEdit>("helpText");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(control("productName")->text().isEmpty() || control("credit")->text().isEmpty() ||
                 help->toPlainText().isEmpty() || control("icon")->pixmap().isNull());
    EXPECT_EQ(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Tab); // the labels take no focus
    EXPECT_EQ(QApplication::focusWidget(), help);
}

// Each line of the help text is one line of the box, in the box's own font
// (the platform's sans serif, e.g. DejaVu Sans): no line breaks mid-way.
TEST_F(AboutBoxTest, EachHelpLineFitsOneLineOfTheTextBox)
{
    auto *help = control<QPlainTextEdit>("helpText");
    const QFontMetrics metrics(help->font());
    const int room = help->viewport()->width() -
                     2 * static_cast<int>(std::ceil(help->document()->documentMargin()));
    const QStringList lines = AboutBox::helpText().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    for (const QString &line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line.trimmed()), room) << line.toStdString();
    for (QTextBlock block = help->document()->begin(); block.isValid(); block = block.next())
        EXPECT_LE(block.layout()->lineCount(), 1) << block.text().toStdString();
    EXPECT_GE(help->font().pointSizeF(), 6.0) << "too small to read";
}

TEST_F(AboutBoxTest, LinksLookAndOpen)
{
    const QColor navy(0, 0, 128), purple(128, 0, 128);
    const auto colour = [](const QLabel *l) { return l->palette().color(QPalette::WindowText); };
    QLabel *email = control("email"), *homepage = control("homepage");
    EXPECT_TRUE(colour(email) == navy && colour(homepage) == navy);
    QTest::mousePress(email, Qt::LeftButton);
    EXPECT_EQ(colour(email), purple);
    EXPECT_TRUE(recorder_.opened.empty());
    QTest::mouseRelease(email, Qt::LeftButton);
    EXPECT_EQ(colour(email), navy);
    // The right button, released far off the link, opens it just the same.
    QTest::mousePress(homepage, Qt::RightButton);
    EXPECT_EQ(colour(homepage), purple);
    QTest::mouseRelease(homepage, Qt::RightButton, {}, QPoint(-40, 150));
    EXPECT_EQ(recorder_.opened, QList<QUrl>({"mailto:" + email->text(), homepage->text()}));
}

TEST_F(AboutBoxTest, EveryWayOfClosingUnloadsOnce)
{
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"OK", [&] { QTest::mouseClick(control<QPushButton>("ok"), Qt::LeftButton); }},
        {"Enter", [&] { QTest::keyClick(control<QWidget>("ok"), Qt::Key_Return); }},
        {"Esc", [&] { QTest::keyClick(control<QWidget>("ok"), Qt::Key_Escape); }},
        {"close button", [&] { dialog_->windowHandle()->close(); }}, // as the title bar does
    };
    for (const auto &[name, close] : ways) {
        SCOPED_TRACE(name);
        if (!dialog_)
            open();
        close();
        EXPECT_EQ(unloads_, 1); // at once, not only when the box is deleted
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(dialog_.isNull());
        EXPECT_EQ(unloads_, 1);
    }
}

} // namespace

#include "about_box_test.moc"
