#pragma once

#include <QFont>
#include <QString>

class QApplication;

// The program's skin: sizes of the frame pictures, the fonts the program names, and the
// style sheet. Everything about the look lives here and in skin.qss.
namespace Skin {

inline constexpr int TitleBarHeight = 28;
inline constexpr int BorderWidth = 1;
// Height of the skin's button picture; message-dialog buttons take it.
inline constexpr int ButtonPictureHeight = 22;
// Width of the frame picture: no skinned window is narrower.
inline constexpr int FrameMinimumWidth = 180;

// Installs the style sheet and the default font.
void apply(QApplication &app);

QString styleSheet();

// The user-interface font (menus, labels, buttons).
QFont uiFont();
// Fixed-pitch CJK font of the collection memos, 14 px.
QFont memoFont();
// The proportional font named "Arial" by the program, at the given pixel height.
QFont arialFont(int pixelSize);
// The colour emoji font, for cells that hold emoji only: it also has spaces and Latin
// letters, which would then look unlike the rest of the program.
QFont emojiFont(int pixelSize);

} // namespace Skin
