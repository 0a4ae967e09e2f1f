#include "app/frmSifta.h"
#include "documents/CommandLine.h"
#include "platform/QtMessageBox.h"
#include "settings/CSettings.h"

#include <QApplication>
#include <QDir>
#include <QSettings>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sifta"));
    QApplication::setApplicationVersion(QStringLiteral(SIFTA_VERSION));

    QtMessageBox messages;
    gSettings = std::make_unique<CSettings>(messages);
    int result = 0;
    {
        frmSifta window(messages, *gSettings);
        window.show();
        // "sifta FILE" starts with FILE loaded as File, Open would load it.
        const QString file = commandLineFile(QApplication::arguments(), QDir::currentPath());
        if (!file.isEmpty())
            window.LoadDocument(file);
        result = QApplication::exec();
    }
    // Releasing the store writes which place holds the settings.
    gSettings.reset();
    return result;
}
