#include "app/FormServices.h"
#include "app/TForm1.h"
#include "app/ZeltoApplication.h"
#include "platform/AddressOpener.h"
#include "platform/InstanceLock.h"
#include "platform/SettingsStore.h"
#include "skin/Skin.h"
#include "platform/ApplicationTitle.h"

int main(int argc, char **argv)
{
    ZeltoApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zelto"));
    Skin::apply(app);

    SettingsStore store;
    DesktopAddressOpener opener;
    InstanceLock instanceLock(ApplicationTitle);

    TForm1 form(FormServices{store, opener, instanceLock});
    form.FormCreate();
    if (!form.terminationRequested())
        form.show();
    return app.exec();
}
