#pragma once

#include "find/EmojiCatalogue.h"
#include "find/EntrySource.h"

#include <memory>

class SettingsStore;

// The emoji as entries of the find index: found by their Chinese, traditional and English
// names and keywords, placed under 〖Emoji表情〗 and their group. The table is read the first
// time something asks for it. Emoji that take a skin tone come in the chosen one.
class EmojiSource : public EntrySource
{
public:
    static inline const QString Page = QStringLiteral("〖Emoji表情〗");

    EmojiSource() = default;

    // Read on first use; shared with readers that may still run on another thread.
    const EmojiCatalogue &catalogue() const;

    int tone() const { return m_tone; }
    void setTone(int tone) { m_tone = tone; }

    Reader entryReader() const override;
    qsizetype entryCount() const override;

    // The skin tone setting: 0 (none) unless one of the five is stored.
    static int storedTone(const SettingsStore &store);
    // Throws AppError when the store cannot be written.
    static void storeTone(SettingsStore &store, int tone);

private:
    mutable std::shared_ptr<const EmojiCatalogue> m_catalogue;
    int m_tone = 0;
};
