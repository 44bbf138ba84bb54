// The least a Qt program does to show a main window and end: the yardstick for kalxena_probe.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1024, 700);
    window.show();
    QTimer::singleShot(0, [] { QTimer::singleShot(0, [] { QCoreApplication::exit(0); }); });
    return QApplication::exec();
}
