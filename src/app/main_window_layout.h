// The main window as the user first sees it: its title, its size and the five
// controls' places and texts. The window back end builds the window from this
// table; nothing else about the window's look is decided in the core.

#ifndef QUORRIN_APP_MAIN_WINDOW_LAYOUT_H_
#define QUORRIN_APP_MAIN_WINDOW_LAYOUT_H_

#include "platform/platform.h"

namespace quorrin {

// Positions count pixels in the window's client area. The outer size is what
// the window is centred by on the screen; the client area is what the
// controls are placed in. Texts are code page 936.
extern const platform::MainWindowLayout kMainWindowLayout;

}  // namespace quorrin

#endif  // QUORRIN_APP_MAIN_WINDOW_LAYOUT_H_
