// The window program's platform calls around its main window: opening the
// display, running the window until it is closed, closing the display.

#include <FL/Fl.H>
#include <FL/x.H>

#include "platform/linux/display_fltk.h"
#include "platform/linux/main_window_fltk.h"
#include "platform/platform.h"

namespace quorrin::platform {

bool StartWindowSystem() {
  // The caller says so and exits on its own when no display answers.
  if (!OpenDisplay()) return false;
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
