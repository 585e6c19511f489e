#include "convert/CVCODE.h"

#include "convert/LocaleTable.h"

#include <array>
#include <memory>

namespace {

using CharMap = std::array<char16_t, 0x10000>;

std::unique_ptr<CharMap> buildMap(const LocaleTable::CharPair *pairs, std::size_t count)
{
    auto map = std::make_unique<CharMap>();
    for (std::size_t c = 0; c < map->size(); ++c)
        (*map)[c] = char16_t(c);
    for (std::size_t i = 0; i < count; ++i)
        (*map)[pairs[i].from] = pairs[i].to;
    return map;
}

const CharMap &traditionalMap()
{
    static const std::unique_ptr<CharMap> map = buildMap(LocaleTable::toTraditional, LocaleTable::toTraditionalSize);
    return *map;
}

const CharMap &simplifiedMap()
{
    static const std::unique_ptr<CharMap> map = buildMap(LocaleTable::toSimplified, LocaleTable::toSimplifiedSize);
    return *map;
}

// Surrogate halves map to themselves, so characters beyond the BMP pass through whole.
QString mapChars(QStringView text, const CharMap &map)
{
    QString result(text.size(), Qt::Uninitialized);
    const char16_t *in = text.utf16();
    char16_t *out = reinterpret_cast<char16_t *>(result.data());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i)
        out[i] = map[in[i]];
    return result;
}

} // namespace

QString ToTraditional(QStringView text)
{
    return mapChars(text, traditionalMap());
}

QString ToSimplified(QStringView text)
{
    return mapChars(text, simplifiedMap());
}
