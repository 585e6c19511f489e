#pragma once

#include <iterator>
#include <string_view>

// The emoji the program offers, as built-in data generated from Unicode's emoji list and
// CLDR's names: one line per emoji in the list's order, fields separated by tabs (see
// find/EmojiTable.cpp). EmojiCatalogue reads it on first use.
namespace EmojiTable {

extern const std::u16string_view lines;

} // namespace EmojiTable
