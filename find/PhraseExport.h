#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Pinyin;

// The user's entries as phrases for input methods, so that they can be typed anywhere:
// fcitx5's quick phrases and Rime's custom phrases, keyed by pinyin initials (开心 → kx).
// What the program writes stands between two marker lines; exporting again replaces only
// that part and keeps every line the user wrote around it.
class PhraseExport
{
public:
    enum class Format {
        Fcitx, // key, a space, the phrase in double quotes with \\, \n and \" escaped
        Rime, // phrase, tab, key; # starts a comment
    };

    struct Item
    {
        QString text;
        QString label; // an emoticon's meaning; may be empty
    };

    struct Block
    {
        QString text; // marker lines included
        int written = 0; // entries written (an entry with several keys counts once)
        int skipped = 0; // entries without a key or that the format cannot hold
    };

    static constexpr int MaxKeyLength = 6;
    // A character with several readings gives each; an entry gets at most this many keys.
    static constexpr int MaxKeys = 4;
    // An existing file larger than this is not a phrase file of the user's.
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

    explicit PhraseExport(const Pinyin &pinyin);

    // The initials of the label, or of the text's first characters when the label gives
    // none: letters and digits as themselves, Han characters by their readings, the rest
    // left out. Empty when nothing gives a key.
    QStringList keys(const Item &item) const;

    Block block(const QList<Item> &items, Format format) const;

    static QString beginMarker(Format format);
    static QString endMarker(Format format);
    // The file's text with the block in place of the one written before, or added at the
    // end. Empty with the reason in error when the earlier block is damaged (one marker
    // without the other): that file is then left as it is.
    static QString merge(const QString &existing, const QString &block, Format format, QString *error);

    // Puts the block into the file at path atomically, creating the file (and for fcitx5
    // its folder) when missing. False with the reason in the program's words in error; the
    // file is then unchanged.
    static bool write(const QString &path, const Block &block, Format format, QString *error);

private:
    const Pinyin &m_pinyin;
};
