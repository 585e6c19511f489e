#include "platform/AddressOpener.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopAddressOpener::open(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}
