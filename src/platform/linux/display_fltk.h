// The X display the toolkit draws on, and where a window stands centred on
// it. Shared by the main window and the fatal error's box.

#ifndef QUORRIN_PLATFORM_LINUX_DISPLAY_FLTK_H_
#define QUORRIN_PLATFORM_LINUX_DISPLAY_FLTK_H_

namespace quorrin::platform {

// Opens the display named by $DISPLAY for the toolkit, unless it is open
// already. False when none answers; the toolkit's own opening would end the
// process instead.
bool OpenDisplay();

// The top left corner at which a window of `outerWidth` × `outerHeight`
// stands centred on the full primary screen (not its work area), by integer
// division as C++ does it. Needs the display open.
struct ScreenPoint {
  int x;
  int y;
};
ScreenPoint CentredOnPrimaryScreen(int outerWidth, int outerHeight);

}  // namespace quorrin::platform

#endif  // QUORRIN_PLATFORM_LINUX_DISPLAY_FLTK_H_
