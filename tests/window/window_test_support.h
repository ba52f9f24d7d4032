// What the window tests share: the X display they draw on ($DISPLAY, opened
// once for the whole test program and handed to the toolkit; tests skip when
// there is none), and keys and clicks delivered as the X server would.
//
// The X headers stay in window_test_support.cpp: their macros (None, Bool,
// Status) would rename names of the test framework.

#ifndef QUORRIN_TESTS_WINDOW_WINDOW_TEST_SUPPORT_H_
#define QUORRIN_TESTS_WINDOW_WINDOW_TEST_SUPPORT_H_

// clang-format off
// The test framework before the toolkit's headers, which bring in X's macros
// (None, Bool): those would rename names of the framework.
#include <gtest/gtest.h>
// clang-format on

#include <FL/Fl_Text_Editor.H>
#include <FL/Fl_Window.H>

#include <string>

namespace quorrin::testing {

// True when the toolkit has a display to draw on.
bool OpenTestDisplay();

#define QUORRIN_SKIP_WITHOUT_DISPLAY()                                 \
  if (!::quorrin::testing::OpenTestDisplay()) {                        \
    GTEST_SKIP() << "no X display ($DISPLAY unset or not answering); " \
                    "run under xvfb-run, as ctest does";               \
  }

// Lets the toolkit handle what is pending, so that a shown window is mapped
// and a hidden one gone.
void SettleToolkit();

// The size limits a shown window asks the window manager for; all zero when
// it asks for none.
struct SizeLimits {
  int minWidth = 0;
  int minHeight = 0;
  int maxWidth = 0;
  int maxHeight = 0;
};
SizeLimits AskedSizeLimits(Fl_Window& window);

// The whole text an editor shows.
std::string TextOf(const Fl_Text_Editor& editor);

// One key as the X server would deliver it to `window`: to the focused
// widget first, then up through its parents, then as a shortcut.
void PressKey(Fl_Window& window, int key, const char* text);

// A left-button press and release in the middle of `widget`, delivered to
// its window as the pointer's events are.
void Click(Fl_Widget& widget);

}  // namespace quorrin::testing

#endif  // QUORRIN_TESTS_WINDOW_WINDOW_TEST_SUPPORT_H_
