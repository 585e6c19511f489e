#pragma once

class QFont;
class QString;

// Whether the installed fonts draw every character of a text, as a list row lays it out in
// this font with Qt's choice of fallback fonts: a character none of them has would show as
// a box here, and likely in the chat program too.
namespace GlyphCheck {

bool drawable(const QString &text, const QFont &font);

} // namespace GlyphCheck
