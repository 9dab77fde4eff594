#include "about/Form2.h"

namespace zorrel::about {

Form2::Form2(std::function<void()> onUnload, QWidget *parent)
    : QDialog(parent), onUnload_(std::move(onUnload))
{
    setWindowTitle(QStringLiteral("About Zorrel"));
    setAttribute(Qt::WA_DeleteOnClose);
}

Form2::~Form2()
{
    if (onUnload_)
        onUnload_();
}

} // namespace zorrel::about
