// The main window built with FLTK from the portable layout.
//
// The window owns its five widgets, as FLTK groups do; this class owns the
// window. 编辑框2 is a text editor rather than a multi-line input: the input
// wraps only at blanks, and an address has none, so it would run past the
// box's right edge instead of wrapping. The two edit boxes are the only place
// where the toolkit's UTF-8 and the core's code page 936 meet: the click
// handler reads and writes them through ResolveControls and sees code page 936
// only.

#ifndef QUORRIN_PLATFORM_LINUX_MAIN_WINDOW_FLTK_H_
#define QUORRIN_PLATFORM_LINUX_MAIN_WINDOW_FLTK_H_

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Editor.H>

#include <memory>

#include "platform/platform.h"
#include "text/text.h"

namespace quorrin::platform {

class FltkMainWindow final : public ResolveControls {
 public:
  // Builds the window and its controls, hidden, placed so that a window of
  // the layout's outer size stands centred on the primary screen. A click on
  // 按钮1 calls `onClick` with this object, inside the click. Needs the
  // toolkit's display open.
  FltkMainWindow(const MainWindowLayout& layout, ClickHandler onClick);
  FltkMainWindow(const FltkMainWindow&) = delete;
  FltkMainWindow& operator=(const FltkMainWindow&) = delete;

  Fl_Double_Window& window() { return *window_; }
  Fl_Box& 标签1() { return *标签1_; }
  Fl_Input& 编辑框1() { return *编辑框1_; }
  Fl_Box& 标签2() { return *标签2_; }
  Fl_Text_Editor& 编辑框2() { return *编辑框2_; }
  Fl_Button& 按钮1() { return *按钮1_; }

  Text Read编辑框1() const override;
  void Write编辑框2(const Text& text) override;

 private:
  static void On按钮1Clicked(Fl_Widget* button, void* self);

  ClickHandler onClick_;
  // 编辑框2's text; declared before the window, so that it outlives the
  // editor that shows it.
  std::unique_ptr<Fl_Text_Buffer> 编辑框2Text_;
  std::unique_ptr<Fl_Double_Window> window_;
  // Owned by window_.
  Fl_Box* 标签1_;
  Fl_Input* 编辑框1_;
  Fl_Box* 标签2_;
  Fl_Text_Editor* 编辑框2_;
  Fl_Button* 按钮1_;
};

}  // namespace quorrin::platform

#endif  // QUORRIN_PLATFORM_LINUX_MAIN_WINDOW_FLTK_H_
