// The yardstick for karvo's start-up: one window with one button, shown, and
// the process ends as soon as the event loop has nothing left to do.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("karvo 2012"));
    window.setFixedSize(652, 532);
    QPushButton button(QStringLiteral("Далее >>"), &window);
    button.setGeometry(464, 152, 81, 25);
    window.show();
    QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}
