#include "platform/DesktopServices.h"

#include "platform/NullDesktopServices.h"
#ifdef ZELTO_HAVE_XCB_XTEST
#include "platform/x11/X11DesktopServices.h"
#endif

#include <QRegularExpression>

std::unique_ptr<DesktopServices> makeDesktopServices(const QString &platformName)
{
#ifdef ZELTO_HAVE_XCB_XTEST
    if (platformName == QLatin1String("xcb"))
        return std::make_unique<X11DesktopServices>();
#endif
    return std::make_unique<NullDesktopServices>();
}

DesktopServices::PasteKey choosePasteKey(const QString &windowClass, const QString &ctrlVClasses, bool ctrlVByDefault)
{
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    if (!windowClass.isEmpty()) {
        for (const QString &listed : ctrlVClasses.split(separators, Qt::SkipEmptyParts)) {
            if (listed.compare(windowClass, Qt::CaseInsensitive) == 0)
                return DesktopServices::PasteKey::CtrlV;
        }
    }
    return ctrlVByDefault ? DesktopServices::PasteKey::CtrlV : DesktopServices::PasteKey::ShiftInsert;
}
