#include "wizard/DesktopServices.h"
#include "wizard/TariffWizard.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    karvo::installDesktopServices();
    karvo::TariffWizard wizard;
    wizard.start();
    return app.exec();
}
