#include "frmSifta.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sifta"));
    QApplication::setApplicationVersion(QStringLiteral(SIFTA_VERSION));

    frmSifta window;
    window.show();
    return QApplication::exec();
}
