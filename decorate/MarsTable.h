#pragma once

#include <span>

// The 火星文 forms of Han characters, generated from the Unihan variants and the hand-made
// look-alikes. Both lists are sorted by the character they replace.
namespace MarsTable {

struct Pair
{
    char32_t from;
    char32_t to;
};

// Traditional and variant forms only.
extern const std::span<const Pair> light;
// Look-alikes and symbols first, else what light has.
extern const std::span<const Pair> heavy;

} // namespace MarsTable
