#include "app/CommandLine.h"
#include "Version.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace {

// Options the toolkit itself reads from the command line (-platform xcb, -style=fusion…);
// they pass through to the application object untouched.
const QStringList toolkitValueOptions = {
    QStringLiteral("platform"),
    QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),
    QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"),
    QStringLiteral("geometry"),
    QStringLiteral("qwindowtitle"),
    QStringLiteral("title"),
    QStringLiteral("qwindowicon"),
    QStringLiteral("icon"),
    QStringLiteral("display"),
    QStringLiteral("name"),
    QStringLiteral("session"),
    QStringLiteral("style"),
    QStringLiteral("stylesheet"),
};
const QStringList toolkitFlagOptions = {
    QStringLiteral("reverse"),
    QStringLiteral("sync"),
    QStringLiteral("nograb"),
    QStringLiteral("dograb"),
    QStringLiteral("widgetcount"),
};

const QString program = QStringLiteral("zelto");

} // namespace

QString CommandLine::usage()
{
    return QStringLiteral("用法：zelto [选项]\n");
}

QString CommandLine::helpText()
{
    return usage()
        + QStringLiteral("Zelto签名字符2008：现成的个性签名、网名和装饰文字，复制后粘贴到聊天工具；"
                         "另有简体与繁体互换。\n"
                         "\n"
                         "选项：\n"
                         "  -h, --help      显示本帮助并退出\n"
                         "  -v, --version   显示版本和许可证并退出\n"
                         "\n"
                         "图形界面的标准选项（如 -platform xcb、-style fusion）交给 Qt 处理。\n"
                         "设置保存在 ~/.config/zelto/settings.ini，收藏、最近复制和自编条目保存在\n"
                         "~/.local/share/zelto/。详见 man zelto。\n");
}

QString CommandLine::versionText()
{
    return QStringLiteral("Zelto签名字符2008 " ZELTO_VERSION "\n"
                          "Copyright © 2026 Zelto设计室\n"
                          "许可证 GPLv3+：GNU 通用公共许可证第 3 版或更新版本 <https://gnu.org/licenses/gpl.html>。\n"
                          "本软件是自由软件：您可以自由修改和重新发布它。在法律允许的范围内，不提供任何担保。\n");
}

CommandLine::Result CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Toolkit options are written with one dash and a whole word (-platform, -style).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList { QStringLiteral("h"), QStringLiteral("help") });
    const QCommandLineOption version(QStringList { QStringLiteral("v"), QStringLiteral("version") });
    parser.addOption(help);
    parser.addOption(version);
    for (const QString &name : toolkitValueOptions)
        parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
    for (const QString &name : toolkitFlagOptions)
        parser.addOption(QCommandLineOption(name));

    const auto fail = [&](const QString &reason) {
        return Result { Action::Fail,
            program + QStringLiteral("：") + reason + QLatin1Char('\n') + usage()
                + QStringLiteral("请用“zelto --help”查看全部选项。\n"),
            2, {} };
    };

    if (!parser.parse(arguments.isEmpty() ? QStringList { program } : arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString &name = unknown.constFirst();
            return fail(QStringLiteral("未知选项“%1%2”")
                            .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
        }
        // The only other fault: a toolkit option given last, without its value.
        return fail(QStringLiteral("选项“%1”缺少参数").arg(arguments.constLast()));
    }
    if (parser.isSet(help))
        return { Action::Print, helpText(), 0, {} };
    if (parser.isSet(version))
        return { Action::Print, versionText(), 0, {} };
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("多余的参数“%1”").arg(parser.positionalArguments().constFirst()));

    Result run;
    run.toolkitArguments.append(arguments.isEmpty() ? program : arguments.constFirst());
    for (const QString &name : toolkitFlagOptions) {
        if (parser.isSet(name))
            run.toolkitArguments.append(QLatin1Char('-') + name);
    }
    for (const QString &name : toolkitValueOptions) {
        for (const QString &value : parser.values(name))
            run.toolkitArguments << QLatin1Char('-') + name << value;
    }
    return run;
}
