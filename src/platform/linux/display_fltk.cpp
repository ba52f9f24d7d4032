#include "platform/linux/display_fltk.h"

#include <FL/Fl.H>
#include <FL/x.H>

namespace quorrin::platform {

bool OpenDisplay() {
  if (fl_display != nullptr) return true;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  fl_open_display(display);
  return true;
}

ScreenPoint CentredOnPrimaryScreen(int outerWidth, int outerHeight) {
  // Fl::w() and Fl::h() would give the work area.
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  Fl::screen_xywh(left, top, width, height, 0);
  return {left + (width - outerWidth) / 2, top + (height - outerHeight) / 2};
}

}  // namespace quorrin::platform
