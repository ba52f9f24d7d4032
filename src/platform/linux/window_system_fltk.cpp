// The window program's platform calls around its main window: opening the
// display, running the window until it is closed, closing the display.

#include <FL/Fl.H>
#include <FL/x.H>

#include "platform/linux/main_window_fltk.h"
#include "platform/platform.h"

namespace quorrin::platform {

bool StartWindowSystem() {
  // Opened here rather than by the toolkit, which ends the process when no
  // display answers; the caller wants to say so and exit on its own.
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  fl_open_display(display);
  // Unchecked: the Linux apartment cannot fail, and a failure would show
  // only as failed requests later, as every failure here is silent.
  static_cast<void>(EnterApartment());
  return true;
}

void RunMainWindow(const MainWindowLayout& layout, ClickHandler onClick) {
  FltkMainWindow main(layout, onClick);
  main.window().show();
  // Returns when the last window is hidden; its value is always 0.
  static_cast<void>(Fl::run());
}

void StopWindowSystem() {
  LeaveApartment();
  fl_close_display();
}

}  // namespace quorrin::platform
