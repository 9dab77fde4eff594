#pragma once

#include <QDialog>

#include <functional>

namespace zorrel::about {

// The about box: product name, credit, mail and homepage links, help text.
// Modeless, top-most, deletes itself on close and calls `onUnload` however it
// is closed.
class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(std::function<void()> onUnload, QWidget *parent = nullptr);
    ~Form2() override;

private:
    std::function<void()> onUnload_;
};

} // namespace zorrel::about
