#pragma once

// The letters and digits of the fancy styles, generated from the Unicode character data.
namespace FancyTable {

enum Style {
    Bold,
    Italic,
    BoldItalic,
    Script,
    BoldScript,
    Fraktur,
    BoldFraktur,
    DoubleStruck,
    SansSerif,
    SansSerifBold,
    SansSerifItalic,
    SansSerifBoldItalic,
    Monospace,
    Circled,
    NegativeCircled,
    Squared,
    Fullwidth,
    SmallCapitals,
    Superscript,
    StyleCount
};

// A–Z, a–z, 0–9.
inline constexpr int SlotCount = 62;

// 0 where the style has no such character: it stays as it is.
extern const char32_t letters[StyleCount][SlotCount];

} // namespace FancyTable
