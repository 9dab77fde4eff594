// A bare Qt Widgets window of the toy's size: the yardstick for the toy's
// own memory and start-up.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.resize(69, 96);
    window.show();
    return QApplication::exec();
}
