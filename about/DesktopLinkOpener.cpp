#include "about/DesktopLinkOpener.h"

#include <QDesktopServices>
#include <QUrl>

bool DesktopLinkOpener::openLink(const QString& address)
{
    return QDesktopServices::openUrl(QUrl(address));
}
