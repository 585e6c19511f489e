#pragma once

#include <string_view>

// The table converter's pairs as built-in data: two lists of GBK codes, each in 42 lines
// (41 of 90 codes, the last of 64). Entry i of one list pairs with entry i of the other,
// counted across the lines in order.
namespace GbToBigTable {

constexpr int lineCount = 42;
constexpr int entryCount = 3754;

extern const std::string_view simplifiedLines[lineCount];
extern const std::string_view traditionalLines[lineCount];

} // namespace GbToBigTable
