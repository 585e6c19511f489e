#pragma once

#include <string_view>

// The search's pinyin readings as built-in data: every syllable (no tones, ü written v)
// with the characters of code page 936 that can be read so, those for which it is a
// common reading apart from those that have it only among rare, mostly archaic ones. A
// polyphonic character appears under each of its syllables.
namespace PinyinTable {

struct Syllable
{
    std::string_view spelling;
    std::u16string_view characters; // a common reading of these
    std::u16string_view rare; // only a rare reading of these
};

constexpr int syllableCount = 419;

extern const Syllable syllables[syllableCount];

} // namespace PinyinTable
