#include "find/EmojiCatalogue.h"

#include "find/EmojiTable.h"

#include <QStringView>

#include <array>

namespace {

constexpr char32_t LightestTone = 0x1F3FB;

const std::array<const char16_t *, EmojiCatalogue::GroupCount> GroupNames
    = { u"笑脸与情感", u"人物与身体", u"动物与自然", u"食物与饮料", u"旅行与地点", u"活动", u"物品", u"符号", u"旗帜" };
const std::array<const char16_t *, EmojiCatalogue::ToneCount + 1> ToneNames
    = { u"默认肤色", u"较浅肤色", u"中等-浅肤色", u"中等肤色", u"中等-深肤色", u"较深肤色" };

QString toneModifier(int tone)
{
    const char32_t c = LightestTone + char32_t(tone - 1);
    return QString::fromUcs4(&c, 1);
}

} // namespace

QString EmojiCatalogue::Emoji::withTone(int tone) const
{
    if (tone < 1 || tone > ToneCount || lightest.isEmpty())
        return text;
    QString out = lightest;
    return tone == 1 ? out : out.replace(toneModifier(1), toneModifier(tone));
}

QString EmojiCatalogue::Emoji::searchText() const
{
    QString out = name;
    for (const QString *part : { &keywords, &traditionalName, &traditionalKeywords, &englishName }) {
        if (!part->isEmpty())
            out += u' ' + *part;
    }
    return out;
}

QString EmojiCatalogue::groupName(int group)
{
    return group >= 0 && group < GroupCount ? QString::fromUtf16(GroupNames[std::size_t(group)]) : QString();
}

QString EmojiCatalogue::toneName(int tone)
{
    return tone >= 0 && tone <= ToneCount ? QString::fromUtf16(ToneNames[std::size_t(tone)]) : QString();
}

EmojiCatalogue::EmojiCatalogue()
{
    // The table lives as long as the program: the records share its characters.
    const std::u16string_view table = EmojiTable::lines;
    const auto view = [&](std::size_t from, std::size_t to) {
        return QString::fromRawData(reinterpret_cast<const QChar *>(table.data() + from), qsizetype(to - from));
    };
    m_emoji.reserve(4096);
    std::size_t start = 0;
    while (start < table.size()) {
        std::size_t end = table.find(u'\n', start);
        if (end == std::u16string_view::npos)
            end = table.size();
        std::array<QString, 8> fields;
        std::size_t from = start;
        for (std::size_t f = 0; f < fields.size() && from <= end; ++f) {
            std::size_t to = table.find(u'\t', from);
            if (to == std::u16string_view::npos || to > end)
                to = end;
            fields[f] = view(from, to);
            from = to + 1;
        }
        m_emoji.push_back(
            { fields[0], fields[1], fields[2].toInt(), fields[3], fields[4], fields[5], fields[6], fields[7] });
        start = end + 1;
    }
}
