#pragma once

#include <QDialog>

#include <functional>
#include <initializer_list>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zorrel::about {

// The about box: product name, credit, mail and homepage links, help text.
// Modeless, top-most, with a task-bar button of its own; it deletes itself on
// close and never ends the program.
//
// `onUnload` runs exactly once: when the dialog closes, whichever way (the OK
// button, Enter, Esc, the title bar's close button), or at its destruction if
// it was never closed. The toy window passes the step that enables it again.
class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(std::function<void()> onUnload, QWidget *parent = nullptr);
    ~AboutBox() override;

    // Every way of closing the dialog ends here.
    void done(int result) override;

    // Where the box goes, frame included: `place` gives the frame's top-left
    // corner for the frame's size. Without it, centred on the primary screen.
    void setPlacement(std::function<QPoint(QSize frame)> place);

    // The help text of the text box: each line break of the text is one
    // paragraph break of the box, as QPlainTextEdit::toPlainText() gives it.
    static QString helpText();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    void unload();
    void place();
    void growToFit(std::initializer_list<QLabel *> captions, const QWidget *icon);
    void openLink(const QLabel *link);

    std::function<void()> onUnload_;
    QPushButton *ok_ = nullptr;
    QLabel *email_ = nullptr;
    QLabel *homepage_ = nullptr;
    QPlainTextEdit *text_ = nullptr;
    std::function<QPoint(QSize frame)> placement_;
    bool placedInFrame_ = false;
};

} // namespace zorrel::about
