#pragma once

#include <string_view>

// The search's pinyin readings as built-in data: every syllable (no tones, ü written v)
// with the characters of code page 936 that can be read so. A polyphonic character
// appears under each of its syllables.
namespace PinyinTable {

struct Syllable
{
    std::string_view spelling;
    std::u16string_view characters;
};

constexpr int syllableCount = 419;

extern const Syllable syllables[syllableCount];

} // namespace PinyinTable
