#include "wizard/Calculator.h"
#include "wizard/DesktopServices.h"
#include "wizard/LayoutTable.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

namespace {

// For the package's smoke test and the start-up benchmark: once the first
// window is shown and the event loop has nothing left to do, name the visible
// windows on stdout and end. The program reads no command line, so this is an
// environment variable.
void endWhenIdleForSmokeTest(QApplication &app)
{
    if (qEnvironmentVariableIsEmpty("KARVO_SMOKE_TEST"))
        return;
    QTimer::singleShot(0, &app, [] {
        QTextStream out(stdout);
        for (const QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                out << window->objectName() << Qt::endl;
        }
        // exit(), not quit(): quit() asks the windows, and step windows refuse to close.
        QCoreApplication::exit(0);
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Lets the desktop match the windows to the menu entry (Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral(KARVO_APP_ID));
    karvo::installDesktopServices();
    // The windows' font for everything, message boxes included; set before
    // any widget exists, so that no control starts with another font first.
    QApplication::setFont(karvo::defaultWindowFont());
    karvo::Calculator calculator;
    calculator.start();
    endWhenIdleForSmokeTest(app);
    return app.exec();
}
