// The about box: its controls and texts, the links, and every way of closing.

#include "about/Form2.h"

#include <gtest/gtest.h>

#include <string_view>

#include <QApplication>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <functional>
#include <vector>

using zorrel::about::Form2;

namespace {

QApplication &app()
{
    static int argc = 1;
    static char name[] = "about_box_test", *argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: at exit a static application would outlive Qt's own
    // globals that its input devices still use.
    static auto *instance = new QApplication(argc, argv);
    return *instance;
}

const QColor kNavy(0, 0, 128);
const QColor kPurple(128, 0, 128);
const char *const kSchemes[] = {"mailto", "http", "https"};

QColor colour(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

} // namespace

// Stands in for the desktop's mail and web programs; notes each address with
// the colour of `link` at that moment.
class UrlRecorder : public QObject {
    Q_OBJECT
  public:
    const QLabel *link = nullptr;
    std::vector<std::pair<QUrl, QColor>> opened;

  public slots:
    void open(const QUrl &url) { opened.emplace_back(url, colour(link)); }
};

namespace {

class AboutBox : public ::testing::Test {
  protected:
    void SetUp() override
    {
        for (const char *scheme : kSchemes)
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &recorder_, "open");
        open();
    }

    void TearDown() override
    {
        delete dialog_;
        for (const char *scheme : kSchemes)
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    // What the about command does: disable the toy, then show a new box.
    void open()
    {
        toy_.setEnabled(false);
        unloads_ = 0;
        dialog_ = new Form2([this] {
            ++unloads_;
            toy_.setEnabled(true);
        });
        dialog_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_));
    }

    template <typename T = QLabel> T *control(const char *name) const
    {
        T *found = dialog_->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QApplication &app_ = app(); // before any widget
    QWidget toy_;
    QPointer<Form2> dialog_;
    UrlRecorder recorder_;
    int unloads_ = 0;
};

TEST_F(AboutBox, WindowAndControlsAsDesigned)
{
    EXPECT_EQ(dialog_->windowTitle(), "About Zorrel");
    EXPECT_FALSE(dialog_->windowIcon().isNull());
    EXPECT_EQ(dialog_->minimumSize(), QSize(245, 201));
    EXPECT_EQ(dialog_->maximumSize(), QSize(245, 201));
    EXPECT_EQ(dialog_->windowType(), Qt::Window); // a task-bar button of its own
    const Qt::WindowFlags flags = dialog_->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint && flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(dialog_->isModal());
    const QPoint offCentre =
        dialog_->frameGeometry().center() - app_.primaryScreen()->geometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 4); // what the frame adds

    const std::pair<const char *, QRect> places[] = {
        {"Command1", {92, 172, 65, 23}}, {"Label1", {53, 3, 136, 18}},
        {"Label2", {41, 18, 163, 18}},   {"Email", {69, 33, 107, 18}},
        {"Homepage", {3, 49, 238, 18}},  {"Text1", {7, 70, 230, 92}},
        {"Image1", {8, 8, 32, 32}}};
    for (const auto &[name, place] : places) {
        const QRect actual = control<QWidget>(name)->geometry();
        const bool link = std::string_view(name) == "Email" || name == std::string_view("Homepage");
        if (!link) {
            EXPECT_EQ(actual, place) << name;
            continue;
        }
        // A link too long for its box widens about the same centre.
        EXPECT_TRUE(actual.contains(place) || actual == QRect(0, place.y(), 245, place.height()))
            << name;
        EXPECT_LE(std::abs(actual.center().x() - place.center().x()), 1) << name;
        EXPECT_GE(actual.width(), control(name)->sizeHint().width()) << name;
    }

    auto *ok = control<QPushButton>("Command1");
    EXPECT_EQ(ok->text(), "&OK");
    EXPECT_TRUE(ok->isDefault() && ok->autoDefault());
    EXPECT_EQ(control("Label1")->text(), "Zorrel");
    EXPECT_FALSE(control("Label2")->text().isEmpty());
    EXPECT_FALSE(control("Email")->text().contains(u':'));
    EXPECT_TRUE(control("Homepage")->text().startsWith(u"http"));
    for (const char *name : {"Label1", "Label2", "Email", "Homepage"})
        EXPECT_EQ(control(name)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_FALSE(control("Image1")->pixmap().isNull());

    auto *text = control<QPlainTextEdit>("Text1");
    EXPECT_EQ(text->toPlainText(), "Wind it up and it walks across the desktop.\n"
                                   "To wind it up, move the mouse cursor to the \n"
                                   "body, press and hold the left mouse button, \n"
                                   "click the right mouse button. Release the \n"
                                   "left mouse button when finished.\n");
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(text->isReadOnly());
}

TEST_F(AboutBox, LinkStyle)
{
    const QString family = QFontDatabase::hasFamily("MS Sans Serif")
                               ? QStringLiteral("MS Sans Serif")
                               : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    for (const char *name : {"Email", "Homepage"}) {
        const QLabel *link = control(name);
        EXPECT_EQ(colour(link), kNavy);
        EXPECT_EQ(link->font().family(), family);
        EXPECT_EQ(link->font().pointSizeF(), 8.25);
        EXPECT_EQ(link->font().weight(), QFont::Normal);
        EXPECT_TRUE(link->font().underline());
        EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor);
        EXPECT_EQ(link->cursor().hotSpot(), QPoint(5, 1));
    }
}

TEST_F(AboutBox, FocusStartsOnOkAndTabFollowsTheOrder)
{
    auto *ok = control<QPushButton>("Command1");
    QStringList chain;
    for (QWidget *w = ok; chain.size() < 6; w = w->nextInFocusChain())
        if (w->parentWidget() == dialog_ && w->objectName() != "Image1")
            chain << w->objectName();
    EXPECT_EQ(chain, QStringList({"Command1", "Label1", "Label2", "Email", "Homepage", "Text1"}));

    EXPECT_EQ(app_.focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Tab); // the labels take no focus
    EXPECT_EQ(app_.focusWidget(), control<QPlainTextEdit>("Text1"));
    QTest::keyClick(app_.focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(app_.focusWidget(), ok);
}

TEST_F(AboutBox, LinksOpenOnReleaseOfAnyButton)
{
    QLabel *email = control("Email");
    QLabel *homepage = control("Homepage");
    recorder_.link = email;
    QTest::mousePress(email, Qt::LeftButton);
    EXPECT_EQ(colour(email), kPurple);
    EXPECT_TRUE(recorder_.opened.empty());
    QTest::mouseRelease(email, Qt::LeftButton);
    EXPECT_EQ(colour(email), kNavy);
    ASSERT_EQ(recorder_.opened.size(), 1u);
    EXPECT_EQ(recorder_.opened[0].first, QUrl("mailto:" + email->text()));
    EXPECT_EQ(recorder_.opened[0].second, kNavy); // navy before the address goes out

    // The right button, released far off the link, opens it just the same.
    recorder_.link = homepage;
    QTest::mousePress(homepage, Qt::RightButton);
    EXPECT_EQ(colour(homepage), kPurple);
    QTest::mouseRelease(homepage, Qt::RightButton, {}, QPoint(-40, 150));
    ASSERT_EQ(recorder_.opened.size(), 2u);
    EXPECT_EQ(recorder_.opened[1], std::make_pair(QUrl(homepage->text()), kNavy));

    // The address is what the link shows at that moment.
    recorder_.link = email;
    email->setText("someone.else@zorrel.example");
    QTest::mouseClick(email, Qt::MiddleButton);
    ASSERT_EQ(recorder_.opened.size(), 3u);
    EXPECT_EQ(recorder_.opened[2].first, QUrl("mailto:someone.else@zorrel.example"));

    // Nothing to open it with: silent, and the box stays as it was.
    homepage->setText("zorrel-nowhere:nothing");
    QTest::mouseClick(homepage, Qt::LeftButton);
    EXPECT_EQ(recorder_.opened.size(), 3u);
    EXPECT_EQ(colour(homepage), kNavy);
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_EQ(unloads_, 0);
}

TEST_F(AboutBox, EveryWayOfClosingUnloadsOnceAndKeepsTheProgram)
{
    auto key = [this](Qt::Key k, const char *on = "Command1", Qt::KeyboardModifiers mods = {}) {
        auto *target = control<QWidget>(on);
        target->setFocus();
        QTest::keyClick(target, k, mods);
    };
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"OK", [&] { QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton); }},
        {"Enter", [&] { key(Qt::Key_Return); }},
        {"Esc", [&] { key(Qt::Key_Escape); }},
        {"Enter in the text box", [&] { key(Qt::Key_Enter, "Text1"); }},
        {"Esc in the text box", [&] { key(Qt::Key_Escape, "Text1"); }},
        {"close button", [&] { dialog_->windowHandle()->close(); }}, // as the title bar does
    };
    QSignalSpy lastClosed(&app_, &QGuiApplication::lastWindowClosed);
    for (const auto &[name, close] : ways) {
        SCOPED_TRACE(name);
        if (!dialog_)
            open();
        close();
        EXPECT_FALSE(dialog_->isVisible());
        EXPECT_EQ(unloads_, 1);
        EXPECT_TRUE(toy_.isEnabled());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(dialog_.isNull());
        EXPECT_EQ(unloads_, 1);
    }
    EXPECT_EQ(lastClosed.count(), 0);

    // Ctrl+Enter breaks a line in the text box instead.
    open();
    key(Qt::Key_Return, "Text1", Qt::ControlModifier);
    EXPECT_EQ(control<QPlainTextEdit>("Text1")->blockCount(), 7);
    EXPECT_EQ(unloads_, 0);

    // Destroyed without closing, it still unloads once.
    delete dialog_;
    EXPECT_EQ(unloads_, 1);
}

} // namespace

#include "about_box_test.moc"
