#include "about/AboutBox.h"
#include "about/AboutLayout.h"

#include "art/Sprites.h"
#include "common/BuildInfo.h"

#include <QDesktopServices>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextCursor>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <utility>

namespace zorrel::about {
namespace {

using namespace layout;

const QColor kNavy(0, 0, 128);
const QColor kPurple(128, 0, 128);

// The credit line is the build's (ZORREL_CREDIT). Its default is translated;
// a line of the builder's own is shown as given.
//: The about box's credit line, under the name Zorrel.
[[maybe_unused]] constexpr const char *kDefaultCredit =
    QT_TRANSLATE_NOOP("zorrel::about::AboutBox", "by the Zorrel team");

// "MS Sans Serif" where it is installed, otherwise the platform's sans serif;
// 8.25 points, normal weight, underlined.
QFont linkFont()
{
    const QString preferred = QStringLiteral("MS Sans Serif");
    QFont font(QFontDatabase::hasFamily(preferred)
                   ? preferred
                   : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    font.setUnderline(true);
    return font;
}

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QLabel *addLabel(QWidget *dialog, const char *name, const QRect &place, const QString &text)
{
    auto *label = new QLabel(text, dialog);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

// A caption longer than its box (a long address in another font than the one
// the box was sized for) widens the box about its centre rather than be cut.
void widenToFit(QLabel *label, int dialogWidth)
{
    const QRect box = label->geometry();
    const int needed = std::min(label->sizeHint().width(), dialogWidth);
    if (needed <= box.width())
        return;
    const int left = std::clamp(box.center().x() - needed / 2, 0, dialogWidth - needed);
    label->setGeometry(left, box.y(), needed, box.height());
}

QLabel *addLink(QWidget *dialog, const char *name, const QRect &place, const QString &text)
{
    QLabel *link = addLabel(dialog, name, place, text);
    link->setFont(linkFont());
    setTextColour(link, kNavy);
    link->setCursor(art::pointingHandCursor());
    return link;
}

// How far everything but the icon must move right, in a box widened by twice
// that, for `label` to show its whole text about its centre: clear of the
// icon beside it, and within the margin the layout leaves at the sides.
int shiftToFit(const QLabel *label)
{
    const QRect place = label->geometry();
    const int margin = kHomepagePlace.left();
    const int left = place.top() <= kIconPlace.bottom() ? kIconPlace.right() + 1 + margin : margin;
    const double half = label->sizeHint().width() / 2.0;
    const double centre = place.left() + place.width() / 2.0;
    const double shift =
        std::max({0.0, left + half - centre, centre + half + margin - kClientSize.width()});
    // One pixel spare for the rounding of the centre.
    return shift > 0 ? static_cast<int>(std::ceil(shift)) + 1 : 0;
}

// A button's caption longer than the button (a translation) widens it about
// its centre, within the box.
void widenToFit(QPushButton *button, int dialogWidth)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const int missing =
        button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width() - contents.width();
    if (missing <= 0)
        return;
    const QRect place = button->geometry();
    const int width = std::min(place.width() + missing, dialogWidth);
    button->setGeometry(std::clamp(place.center().x() - width / 2, 0, dialogWidth - width),
                        place.y(), width, place.height());
}

// The smallest help text size still comfortable to read, in points.
constexpr qreal kSmallestHelpPoints = 6.0;

// Each line of the help text on one line of its box: the box's font as large
// as that allows, half a point at a time, and the box wider only if even the
// smallest size is too wide.
void fitHelpText(QPlainTextEdit *box, int dialogWidth)
{
    const QStringList lines = AboutBox::helpText().split(QLatin1Char('\n'));
    // The box's frame, its scroll bar and the document's margins; a blank
    // at the end of a line never breaks it. One pixel spare for the cursor.
    const auto room = [box] {
        return box->contentsRect().width() - box->verticalScrollBar()->sizeHint().width() -
               2 * static_cast<int>(std::ceil(box->document()->documentMargin())) - 1;
    };
    const auto widest = [&lines](const QFont &font) {
        const QFontMetricsF metrics(font);
        qreal width = 0;
        for (const QString &line : lines)
            width = std::max(width, metrics.horizontalAdvance(line.trimmed()));
        return static_cast<int>(std::ceil(width));
    };
    QFont font = box->font();
    while (widest(font) > room() && font.pointSizeF() - 0.5 >= kSmallestHelpPoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    box->setFont(font);
    if (const int missing = widest(font) - room(); missing > 0) {
        const QRect place = box->geometry();
        const int width = std::min(place.width() + missing, dialogWidth);
        box->setGeometry(std::max(0, std::min(place.x(), dialogWidth - width)), place.y(), width,
                         place.height());
    }
}

bool isEnterKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

QString AboutBox::helpText()
{
    // The blanks at the end of the second, third and fourth lines belong to
    // the English text.
    //: The about box's help text. Each line is one line of the box: break
    //: the lines where they read well, about as long as these.
    return tr("Wind it up and it walks across the desktop.\n"
              "To wind it up, move the mouse cursor to the \n"
              "body, press and hold the left mouse button, \n"
              "click the right mouse button. Release the \n"
              "left mouse button when finished.\n");
}

AboutBox::AboutBox(std::function<void()> onUnload, QWidget *parent)
    // A dialog, which window managers give neither a minimise nor a
    // maximise button.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      onUnload_(std::move(onUnload))
{
    //: The about box's title. Zorrel is the toy's name.
    setWindowTitle(tr("About Zorrel"));
    setWindowIcon(art::programIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    // The toy window is the one whose closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setModal(false);
    setFixedSize(kClientSize);

    ok_ = new QPushButton(tr("&OK"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setGeometry(kOkPlace);
    ok_->setDefault(true);
    ok_->setAutoDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    QLabel *productName =
        addLabel(this, "productName", kProductNamePlace, QStringLiteral("Zorrel"));
    QLabel *credit = addLabel(this, "credit", kCreditPlace, tr(build::kCredit));
    email_ = addLink(this, "email", kEmailPlace, QString::fromUtf8(build::kEmail));
    homepage_ = addLink(this, "homepage", kHomepagePlace, QString::fromUtf8(build::kHomepage));
    email_->installEventFilter(this);
    homepage_->installEventFilter(this);

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("icon"));
    image->setGeometry(kIconPlace);
    image->setPixmap(art::programIcon().pixmap(kIconPlace.size(), devicePixelRatioF()));

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("helpText"));
    text_->setGeometry(kHelpTextPlace);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_->setTabChangesFocus(true);
    text_->setPlainText(helpText());
    growToFit({productName, credit, email_, homepage_}, image);
    fitHelpText(text_, width());
    text_->installEventFilter(this);

    setTabOrder(ok_, productName);
    setTabOrder(productName, credit);
    setTabOrder(credit, email_);
    setTabOrder(email_, homepage_);
    setTabOrder(homepage_, text_);
    ok_->setFocus();

    place();
}

// A caption longer than its place (a translation, or a long address in
// another font than the one the box was sized for) widens it about its
// centre. Where that needs more room than the box has, the box grows, and
// everything in it but the icon moves along to stay centred. English keeps
// the box's own layout.
void AboutBox::growToFit(std::initializer_list<QLabel *> captions, const QWidget *icon)
{
    int shift = 0;
    for (const QLabel *caption : captions)
        shift = std::max(shift, shiftToFit(caption));
    if (shift > 0) {
        setFixedSize(kClientSize.width() + 2 * shift, kClientSize.height());
        for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (child != icon)
                child->move(child->pos() + QPoint(shift, 0));
    }
    for (QLabel *caption : captions)
        widenToFit(caption, width());
    widenToFit(ok_, width());
}

void AboutBox::setPlacement(std::function<QPoint(QSize frame)> place)
{
    placement_ = std::move(place);
    this->place();
}

// Places the whole window, frame included: by default centred on the primary
// screen. The frame's size is known only once the window manager has framed
// the box.
void AboutBox::place()
{
    const QRect frame = frameGeometry();
    if (placement_)
        move(placement_(frame.size()) + pos() - frame.topLeft());
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - frame.center() + pos());
}

bool AboutBox::event(QEvent *event)
{
    if (event->type() == QEvent::Move && !placedInFrame_ && frameGeometry().size() != size()) {
        placedInFrame_ = true;
        place();
    }
    return QDialog::event(event);
}

// However it was asked for, the box asks to be activated with the time of
// the user's event that opened it: window managers that keep new windows
// from taking the focus (mutter does, where an always-on-top window such as
// the toy overlaps the box) then see the user's own request.
void AboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    activateWindow();
}

AboutBox::~AboutBox() { unload(); }

void AboutBox::done(int result)
{
    QDialog::done(result);
    unload();
}

void AboutBox::unload()
{
    if (!onUnload_)
        return;
    // Cleared first, so that the step runs once even if it ends up here again.
    const std::function<void()> step = std::exchange(onUnload_, nullptr);
    step();
}

void AboutBox::openLink(const QLabel *link)
{
    // The address is what the link shows at this moment. A failure is silent.
    const QString caption = link->text();
    QDesktopServices::openUrl(QUrl(link == email_ ? QStringLiteral("mailto:") + caption : caption));
}

bool AboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == email_ || watched == homepage_) {
        auto *link = static_cast<QLabel *>(watched);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            setTextColour(link, kPurple);
            return true;
        case QEvent::MouseButtonRelease:
            // The link holds the pointer from press to release, so this comes
            // wherever the pointer is now.
            setTextColour(link, kNavy);
            openLink(link);
            return true;
        default:
            break;
        }
    } else if (watched == text_ && isEnterKey(event)) {
        // Enter stays the default button's key in the text box; Ctrl+Enter
        // breaks the line there.
        if (static_cast<QKeyEvent *>(event)->modifiers() & Qt::ControlModifier) {
            QTextCursor cursor = text_->textCursor();
            cursor.insertBlock();
            text_->setTextCursor(cursor);
        } else {
            ok_->click();
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zorrel::about
