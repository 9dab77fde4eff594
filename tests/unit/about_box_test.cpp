// The about box: its controls and texts, the links, and every way of closing.

#include "about/Form2.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <functional>

using zorrel::about::Form2;

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

class AboutBox : public ::testing::Test {
  protected:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "about_box_test", *argv[] = {name, nullptr};
        // Never destroyed: Qt's own globals, which it still uses, go first.
        [[maybe_unused]] static auto *app = new QApplication(argc, argv);
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
        dialog_ = new Form2([this] { ++unloads_; });
        dialog_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_));
    }

    template <typename T = QLabel> T *control(const char *name) const
    {
        T *found = dialog_->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QPointer<Form2> dialog_;
    UrlRecorder recorder_;
    int unloads_ = 0;
};

TEST_F(AboutBox, WindowControlsAndFocusAsDesigned)
{
    EXPECT_EQ(dialog_->windowTitle(), "About Zorrel");
    EXPECT_EQ(dialog_->size(), QSize(245, 201));
    const std::pair<const char *, QRect> places[] = {
        {"Command1", {92, 172, 65, 23}}, {"Label1", {53, 3, 136, 18}},
        {"Label2", {41, 18, 163, 18}},   {"Email", {69, 33, 107, 18}},
        {"Homepage", {3, 49, 238, 18}},  {"Text1", {7, 70, 230, 92}},
        {"Image1", {8, 8, 32, 32}}};
    for (const auto &[name, place] : places) {
        const QRect actual = control<QWidget>(name)->geometry();
        // A link too long for its box widens about the same centre.
        const bool link = QByteArrayList{"Email", "Homepage"}.contains(name);
        EXPECT_TRUE(actual == place || (link && actual.contains(place) &&
                                        std::abs(actual.center().x() - place.center().x()) <= 1))
            << name;
    }
    auto *ok = control<QPushButton>("Command1");
    EXPECT_EQ(ok->text(), "&OK");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(control("Label1")->text(), "Zorrel");
    EXPECT_FALSE(control("Label2")->text().isEmpty());
    EXPECT_TRUE(!control("Email")->text().contains(':') &&
                control("Homepage")->text().startsWith("http"));
    EXPECT_FALSE(control("Image1")->pixmap().isNull());
    EXPECT_EQ(control<QPlainTextEdit>("Text1")->toPlainText(),
              "Wind it up and it walks across the desktop.\n"
              "To wind it up, move the mouse cursor to the \n"
              "body, press and hold the left mouse button, \n"
              "click the right mouse button. Release the \n"
              "left mouse button when finished.\n");

    QStringList chain;
    for (QWidget *w = ok; chain.size() < 6; w = w->nextInFocusChain())
        if (w->parentWidget() == dialog_ && w->objectName() != "Image1")
            chain << w->objectName();
    EXPECT_EQ(chain, QStringList({"Command1", "Label1", "Label2", "Email", "Homepage", "Text1"}));
    EXPECT_EQ(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Tab); // the labels take no focus
    EXPECT_EQ(QApplication::focusWidget(), control<QPlainTextEdit>("Text1"));
}

TEST_F(AboutBox, LinksLookAndOpen)
{
    const QColor navy(0, 0, 128), purple(128, 0, 128);
    const auto colour = [](const QLabel *l) { return l->palette().color(QPalette::WindowText); };
    const QString family = QFontDatabase::hasFamily("MS Sans Serif")
                               ? "MS Sans Serif"
                               : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    QLabel *email = control("Email"), *homepage = control("Homepage");
    for (const QLabel *link : {email, homepage}) {
        EXPECT_EQ(colour(link), navy);
        EXPECT_EQ(link->font().family(), family);
        EXPECT_EQ(link->font().pointSizeF(), 8.25);
        EXPECT_TRUE(link->font().underline());
    }
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

TEST_F(AboutBox, EveryWayOfClosingUnloadsOnce)
{
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"OK", [&] { QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton); }},
        {"Enter", [&] { QTest::keyClick(control<QWidget>("Command1"), Qt::Key_Return); }},
        {"Esc", [&] { QTest::keyClick(control<QWidget>("Command1"), Qt::Key_Escape); }},
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
