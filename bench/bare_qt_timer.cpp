// The yardstick for the idle Control Panel: a Qt program that shows one small
// window and runs a 10 ms timer that does nothing, and nothing else.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare Qt timer"));
    window.setFixedSize(288, 137);
    window.show();
    unsigned long ticks = 0;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    return QApplication::exec();
}
