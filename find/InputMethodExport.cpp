#include "find/InputMethodExport.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

InputMethodExport::Targets InputMethodExport::standardTargets()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    Targets targets;
    targets.fcitx = data + QStringLiteral("/fcitx5/data/quickphrase.d/zelto.mb");
    for (const QString &folder : { data + QStringLiteral("/fcitx5/rime"), config + QStringLiteral("/ibus/rime") }) {
        targets.rimeLookedIn.append(folder);
        if (QFileInfo(folder).isDir())
            targets.rime.append(folder + QStringLiteral("/custom_phrase.txt"));
    }
    return targets;
}

InputMethodExport::Outcome InputMethodExport::run(
    const PhraseExport &phrases, const QList<PhraseExport::Item> &items, const Targets &targets)
{
    Outcome outcome;
    QStringList written;
    QStringList failures;
    const PhraseExport::Block fcitx = phrases.block(items, PhraseExport::Format::Fcitx);
    QString error;
    if (PhraseExport::write(targets.fcitx, fcitx, PhraseExport::Format::Fcitx, &error))
        written.append(QStringLiteral("fcitx5 快速输入：") + QDir::toNativeSeparators(targets.fcitx));
    else
        failures.append(error);
    const PhraseExport::Block rime = phrases.block(items, PhraseExport::Format::Rime);
    for (const QString &path : targets.rime) {
        if (PhraseExport::write(path, rime, PhraseExport::Format::Rime, &error))
            written.append(QStringLiteral("Rime 自定义短语：") + QDir::toNativeSeparators(path));
        else
            failures.append(error);
    }

    QString message;
    if (!written.isEmpty()) {
        message = QStringLiteral("已把 %1 条收藏和我的条目导出到：\n").arg(fcitx.written)
            + written.join(QLatin1Char('\n'))
            + QStringLiteral(
                "\n\n在输入法里输入拼音首字母即可，如 kx 得到 (^o^)。fcitx5 重新启动、Rime 重新部署后生效。");
        if (fcitx.skipped > 0)
            message += QStringLiteral("\n有 %1 条找不到拼音首字母，没有导出。").arg(fcitx.skipped);
        if (!targets.rime.isEmpty() && rime.skipped > fcitx.skipped)
            message += QStringLiteral("\nRime 的短语不能换行、不能含制表符、不能以 # 开头，有 %1 条没有导出到 Rime。")
                           .arg(rime.skipped - fcitx.skipped);
    }
    if (targets.rime.isEmpty()) {
        QStringList shown;
        for (const QString &folder : targets.rimeLookedIn)
            shown.append(QDir::toNativeSeparators(folder));
        message += (message.isEmpty() ? QString() : QStringLiteral("\n"))
            + QStringLiteral("没有找到 Rime 的用户文件夹（%1），没有导出 Rime 短语。")
                  .arg(shown.join(QStringLiteral("、")));
    }
    if (!failures.isEmpty()) {
        outcome.ok = false;
        message += (message.isEmpty() ? QString() : QStringLiteral("\n\n")) + failures.join(QLatin1Char('\n'))
            + QStringLiteral("\n您的收藏和我的条目都还在，可以处理后再导出。");
    }
    outcome.message = message;
    return outcome;
}
