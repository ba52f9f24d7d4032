#include "platform/linux/ui_font_fltk.h"

#include <FL/Fl.H>

namespace quorrin::platform {

Fl_Font UiFont() {
  // The leading blank tells the toolkit "regular weight, upright"; without
  // it a name starting with B, I or P would be read as a style letter.
  // Debian ships the font as fonts-wqy-microhei.
  Fl::set_font(FL_FREE_FONT, " WenQuanYi Micro Hei");
  return FL_FREE_FONT;
}

}  // namespace quorrin::platform
