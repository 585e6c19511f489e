#pragma once

#include "find/PhraseExport.h"

#include <QList>
#include <QString>
#include <QStringList>

// "导出到输入法…": the user's 收藏 and 我的 written as fcitx5 quick phrases and as Rime
// custom phrases. The places are the input methods' own: fcitx5's quick-phrase folder
// (made when missing, the file is ours), and the custom_phrase.txt of each Rime user
// folder that exists (fcitx5's and ibus's); a Rime folder is never made, since a missing
// one means that Rime is not used there.
class InputMethodExport
{
public:
    struct Targets
    {
        QString fcitx;
        QStringList rime;
        QStringList rimeLookedIn; // named in the notice when none exists
    };
    struct Outcome
    {
        bool ok = true; // every file written
        QString message; // the notice, in the program's words
    };

    // Under XDG_DATA_HOME and XDG_CONFIG_HOME (or their defaults).
    static Targets standardTargets();
    static Outcome run(const PhraseExport &phrases, const QList<PhraseExport::Item> &items, const Targets &targets);
};
