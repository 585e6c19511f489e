#include "app/CommandLine.h"
#include "Version.h"

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
                         "      --find [文字]\n"
                         "                  打开“查找与收藏”窗口并查找这段文字；程序已在运行时，\n"
                         "                  由正在运行的程序打开（可用于桌面的快捷键设置）\n"
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
    const auto fail = [](const QString &reason) {
        return Result { Action::Fail,
            program + QStringLiteral("：") + reason + QLatin1Char('\n') + usage()
                + QStringLiteral("请用“zelto --help”查看全部选项。\n"),
            2, {}, {} };
    };

    Result run;
    run.toolkitArguments.append(arguments.isEmpty() ? program : arguments.constFirst());
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    // The first fault in the order written is the one reported.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || argument.size() < 2 || !argument.startsWith(QLatin1Char('-')))
            return fail(QStringLiteral("多余的参数“%1”").arg(argument));
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        // Options are whole words after one dash or two (-platform, --style=fusion, -h);
        // messages name the option as it was written.
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString written = equals < 0 ? argument : argument.left(equals);
        const QString name = written.mid(written.startsWith(QLatin1String("--")) ? 2 : 1);
        const bool valueAttached = equals >= 0;
        if (toolkitValueOptions.contains(name)) {
            QString value;
            if (valueAttached)
                value = argument.mid(equals + 1);
            else if (i + 1 < arguments.size())
                value = arguments.at(++i);
            else
                return fail(QStringLiteral("选项“%1”缺少参数").arg(written));
            run.toolkitArguments << QLatin1Char('-') + name << value;
            continue;
        }
        if (name == QLatin1String("find")) {
            QString text;
            if (valueAttached)
                text = argument.mid(equals + 1);
            else if (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QLatin1Char('-')))
                text = arguments.at(++i);
            if (text.size() > MaxFindText)
                return fail(QStringLiteral("选项“%1”的文字太长（最多 %2 个字符）").arg(written).arg(MaxFindText));
            run.findText = text;
            continue;
        }
        const bool isHelp = name == QLatin1String("h") || name == QLatin1String("help");
        const bool isVersion = name == QLatin1String("v") || name == QLatin1String("version");
        const bool isToolkitFlag = toolkitFlagOptions.contains(name);
        if (!isHelp && !isVersion && !isToolkitFlag)
            return fail(QStringLiteral("未知选项“%1”").arg(written));
        if (valueAttached)
            return fail(QStringLiteral("选项“%1”不接受参数“%2”").arg(written, argument.mid(equals + 1)));
        help = help || isHelp;
        version = version || isVersion;
        if (isToolkitFlag)
            run.toolkitArguments.append(QLatin1Char('-') + name);
    }
    if (help)
        return { Action::Print, helpText(), 0, {}, {} };
    if (version)
        return { Action::Print, versionText(), 0, {}, {} };
    return run;
}
