// The one font every widget of the window program draws with.
//
// FLTK 1.3 draws each widget in a single font and does not fall back per
// character, so the toolkit's default sans font shows the Chinese labels as
// empty boxes even when a font with the characters is installed. The font is
// therefore chosen by a name that holds the characters.

#ifndef QUORRIN_PLATFORM_LINUX_UI_FONT_FLTK_H_
#define QUORRIN_PLATFORM_LINUX_UI_FONT_FLTK_H_

#include <FL/Enumerations.H>

namespace quorrin::platform {

// The dialog font's size on the window's original platform: it makes "地址："
// fit its 40-pixel label.
inline constexpr Fl_Fontsize kUiFontSize = 12;

// Registers the font with the toolkit (again on every call, which is
// harmless) and returns its index for labelfont()/textfont(). When the font
// is not installed, the font system substitutes its nearest match.
Fl_Font UiFont();

}  // namespace quorrin::platform

#endif  // QUORRIN_PLATFORM_LINUX_UI_FONT_FLTK_H_
