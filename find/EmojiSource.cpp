#include "find/EmojiSource.h"

#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"

const EmojiCatalogue &EmojiSource::catalogue() const
{
    if (!m_catalogue)
        m_catalogue = std::make_shared<const EmojiCatalogue>();
    return *m_catalogue;
}

EntrySource::Reader EmojiSource::entryReader() const
{
    catalogue();
    return [catalogue = m_catalogue, tone = m_tone] {
        QList<Entry> entries;
        entries.reserve(qsizetype(catalogue->emoji().size()));
        std::array<QString, EmojiCatalogue::GroupCount> groups;
        for (int g = 0; g < EmojiCatalogue::GroupCount; ++g)
            groups[std::size_t(g)] = EmojiCatalogue::groupName(g);
        for (const EmojiCatalogue::Emoji &e : catalogue->emoji())
            entries.append({ e.withTone(tone), e.searchText(), groups[std::size_t(e.group)], Page });
        return entries;
    };
}

qsizetype EmojiSource::entryCount() const
{
    return qsizetype(catalogue().emoji().size());
}

int EmojiSource::storedTone(const SettingsStore &store)
{
    for (int tone = 1; tone <= EmojiCatalogue::ToneCount; ++tone) {
        if (store.isSet(*Settings::SkinTones[std::size_t(tone - 1)]))
            return tone;
    }
    return 0;
}

void EmojiSource::storeTone(SettingsStore &store, int tone)
{
    for (int t = 1; t <= EmojiCatalogue::ToneCount; ++t) {
        const StoredSetting &setting = *Settings::SkinTones[std::size_t(t - 1)];
        if (t == tone)
            store.set(setting);
        else if (store.isSet(setting))
            store.clear(setting);
    }
}
