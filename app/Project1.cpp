#include "app/CommandLine.h"
#include "app/FindRequest.h"
#include "app/FormServices.h"
#include "app/ProcessSignals.h"
#include "app/TForm1.h"
#include "app/ZeltoApplication.h"
#include "find/FindCommands.h"
#include "platform/AddressOpener.h"
#include "platform/ApplicationTitle.h"
#include "platform/DesktopServices.h"
#include "platform/InstanceChannel.h"
#include "platform/InstanceLock.h"
#include "platform/PlatformChoice.h"
#include "platform/SettingsStore.h"
#include "platform/WindowPlatform.h"
#include "skin/Skin.h"
#include "window/Guard.h"

#include <cstdio>
#include <optional>
#include <vector>

int main(int argc, char **argv)
{
    // Read before anything else exists: --help and --version need no display, and an
    // unknown option must not leave a lock or a settings file behind.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine::Result command = CommandLine::parse(arguments);
    if (command.action != CommandLine::Action::Run) {
        const QByteArray text = command.text.toLocal8Bit();
        std::fwrite(
            text.constData(), 1, size_t(text.size()), command.action == CommandLine::Action::Print ? stdout : stderr);
        return command.exitCode;
    }

    const auto printError = [](const QString &message) {
        const QByteArray text = (QStringLiteral("zelto：") + message + QLatin1Char('\n')).toLocal8Bit();
        std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
    };

    // `zelto --find` goes to the running copy when there is one; that needs no display.
    std::optional<InstanceLock> instanceLock;
    const quint32 startupTime = FindRequest::startupTime(qgetenv("DESKTOP_STARTUP_ID"));
    if (command.findText) {
        instanceLock.emplace(ApplicationTitle);
        const FindRequest::Forwarding forwarding
            = FindRequest::forward(*instanceLock, { *command.findText, startupTime });
        if (forwarding.outcome == FindRequest::Outcome::Forwarded)
            return 0;
        if (forwarding.outcome == FindRequest::Outcome::Failed) {
            printError(forwarding.error);
            return 1;
        }
    }

    // Only the toolkit's own options reach the application object. The platform goes there
    // too rather than into the environment, which programs opened later would inherit.
    QStringList toolkitArguments = command.toolkitArguments;
    const auto argumentValue = [&](const QString &option) {
        const qsizetype at = toolkitArguments.lastIndexOf(option);
        return at < 0 ? QString() : toolkitArguments.value(at + 1);
    };
    QString platform = argumentValue(QStringLiteral("-platform"));
    if (platform.isEmpty())
        platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platform.isEmpty()) {
        platform = PlatformChoice::choose(PlatformChoice::current(false));
        if (!platform.isEmpty())
            toolkitArguments << QStringLiteral("-platform") << platform;
    }
    // Qt would abort with a core dump and advice to reinstall.
    const QString noDisplay = PlatformChoice::missingDisplay(
        platform, PlatformChoice::currentDisplays(argumentValue(QStringLiteral("-display")).toLocal8Bit()));
    if (!noDisplay.isEmpty()) {
        printError(noDisplay);
        return 1;
    }
    std::vector<QByteArray> toolkitStorage;
    for (const QString &a : toolkitArguments)
        toolkitStorage.push_back(a.toLocal8Bit());
    std::vector<char *> toolkitArgv;
    for (QByteArray &a : toolkitStorage)
        toolkitArgv.push_back(a.data());
    toolkitArgv.push_back(nullptr);
    int toolkitArgc = int(toolkitStorage.size());

    ProcessSignals::install();
    ZeltoApplication app(toolkitArgc, toolkitArgv.data());
    QCoreApplication::setApplicationName(QStringLiteral("zelto"));
    Skin::apply(app);

    SettingsStore store;
    DesktopAddressOpener opener;
    if (!instanceLock)
        instanceLock.emplace(ApplicationTitle);
    const std::unique_ptr<WindowPlatform> windowPlatform = makeWindowPlatform(QGuiApplication::platformName());
    const std::unique_ptr<DesktopServices> desktopServices = makeDesktopServices(QGuiApplication::platformName());

    TForm1 form(FormServices { store, opener, *instanceLock, *windowPlatform, *desktopServices });
    form.FormCreate();
    InstanceChannel channel(instanceLock->channelName());
    if (!form.terminationRequested()) {
        // Copies started later hand their --find over to this one.
        if (instanceLock->held()) {
            QObject::connect(
                &channel, &InstanceChannel::findRequested, &form, [&form](const QString &text, quint32 time) {
                    guarded(&form, [&] { form.findCommands()->summon(text, time); });
                });
            if (!channel.listen())
                printError(channel.error());
        }
        form.show();
        if (command.findText)
            guarded(&form, [&] { form.findCommands()->summon(*command.findText, startupTime); });
    }
    return app.exec();
}
