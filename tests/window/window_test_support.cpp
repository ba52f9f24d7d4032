#include "window/window_test_support.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/linux/display_fltk.h"

namespace quorrin::testing {

bool OpenTestDisplay() { return platform::OpenDisplay(); }

void SettleToolkit() {
  for (int i = 0; i < 50; ++i) Fl::wait(0.01);
}

SizeLimits AskedSizeLimits(Fl_Window& window) {
  XSizeHints hints{};
  long supplied = 0;
  SizeLimits limits;
  if (XGetWMNormalHints(fl_display, fl_xid(&window), &hints, &supplied) == 0) {
    return limits;
  }
  if (hints.flags & PMinSize) {
    limits.minWidth = hints.min_width;
    limits.minHeight = hints.min_height;
  }
  if (hints.flags & PMaxSize) {
    limits.maxWidth = hints.max_width;
    limits.maxHeight = hints.max_height;
  }
  return limits;
}

std::string TextOf(const Fl_Text_Editor& editor) {
  // The buffer hands out a copy from malloc, the caller's to free.
  std::unique_ptr<char, decltype(&std::free)> copy(editor.buffer()->text(),
                                                   &std::free);
  return copy ? std::string(copy.get()) : std::string();
}

void PressKey(Fl_Window& window, int key, const char* text) {
  Fl::e_keysym = key;
  Fl::e_state = 0;
  Fl::e_text = const_cast<char*>(text);
  Fl::e_length = static_cast<int>(std::strlen(text));
  Fl::handle(FL_KEYBOARD, &window);
}

void Click(Fl_Widget& widget) {
  Fl_Window* window = widget.window();
  Fl::e_x = widget.x() + widget.w() / 2;
  Fl::e_y = widget.y() + widget.h() / 2;
  Fl::e_x_root = window->x() + Fl::e_x;
  Fl::e_y_root = window->y() + Fl::e_y;
  Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
  Fl::e_state = FL_BUTTON1;
  Fl::handle(FL_PUSH, window);
  Fl::e_state = 0;
  Fl::handle(FL_RELEASE, window);
}

}  // namespace quorrin::testing
