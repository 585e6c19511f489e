#pragma once

#include "decorate/FancyTable.h"

#include <QString>

// The transformations of the 花样网名 window. Each works on whole graphemes, so that emoji
// sequences and letters with their marks stay whole, and leaves alone what it has no form for
// (Chinese characters in the fancy styles, letters in 火星文).
namespace TextStyles {

enum class Strength { Light, Heavy };

// Letters and digits in the style's characters; a letter or digit carrying more than plain
// marks (a keycap 1️⃣) stays as it is.
QString fancy(FancyTable::Style style, const QString &text);
// Light: traditional and variant forms only. Heavy: look-alikes and symbols first.
QString mars(const QString &text, Strength strength);
// A combining mark after every grapheme but line breaks: U+0336 strikes through, U+0332
// underlines, U+0338 slashes, U+0307 dots.
QString marked(const QString &text, char16_t mark);
QString reversed(const QString &text);
// The graphemes with the separator between them; blanks are left out.
QString spaced(const QString &text, const QString &separator);
// Top to bottom in columns of `height` graphemes (all in one when 0), the first column on
// the right, the last one padded with U+3000 at its foot. Punctuation takes its vertical
// form, Latin letters and digits their full-width one, blanks U+3000; columns are
// separated by U+3000. Lines end with "\n" but the last.
QString vertical(const QString &text, int height);
// The frame with the text in the place of each "{}".
QString framed(const QString &frame, const QString &text);

// The vertical form of one grapheme, or the grapheme itself.
QString verticalForm(const QString &grapheme);

} // namespace TextStyles
