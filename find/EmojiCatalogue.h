#pragma once

#include <QString>

#include <vector>

// The emoji of the built-in table, read once into records that point into the table
// itself. Emoji come in the table's order, which is Unicode's, group after group.
class EmojiCatalogue
{
public:
    static constexpr int GroupCount = 9;
    // 0 for no skin tone, 1 (lightest) to 5 (darkest).
    static constexpr int ToneCount = 5;

    struct Emoji
    {
        QString text; // fully qualified, without a skin tone
        QString lightest; // the form with the lightest skin tone, empty when it takes none
        int group = 0;
        QString name; // 笑哭了
        QString keywords; // space-separated
        QString traditionalName;
        QString traditionalKeywords;
        QString englishName;

        bool takesTone() const { return !lightest.isEmpty(); }
        // The emoji with this skin tone (0: none); one that takes no tone stays as it is.
        QString withTone(int tone) const;
        // Every name and keyword, to be found by.
        QString searchText() const;
    };

    EmojiCatalogue();

    const std::vector<Emoji> &emoji() const { return m_emoji; }
    // 笑脸与情感 …
    static QString groupName(int group);
    // 较浅肤色 …; for 0 the name of no tone.
    static QString toneName(int tone);

private:
    std::vector<Emoji> m_emoji;
};
