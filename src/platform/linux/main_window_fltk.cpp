#include "platform/linux/main_window_fltk.h"

#include <FL/Fl.H>

#include <limits>
#include <string>
#include <string_view>

#include "platform/linux/display_fltk.h"
#include "platform/linux/ui_font_fltk.h"
#include "platform/linux/utf8_edge.h"

namespace quorrin::platform {

namespace {

// The edit boxes' colours hold whatever scheme or colour theme the toolkit
// runs with.
constexpr Fl_Color kEditText = FL_BLACK;
constexpr Fl_Color kEditBackground = FL_WHITE;

bool IsEnterKey() {
  return Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter;
}

// Keeps Enter from moving the focus: Enter that no control used reaches the
// window, and the toolkit would go on to try it as a shortcut, which moves
// the focus to the next box. The window takes it and does nothing.
class MainWindowFrame : public Fl_Double_Window {
 public:
  using Fl_Double_Window::Fl_Double_Window;

  int handle(int event) override {
    if (event == FL_KEYBOARD && IsEnterKey()) return 1;
    return Fl_Double_Window::handle(event);
  }
};

Fl_Box* MakeLabel(const ControlPlacement& at, const Text& text) {
  auto* label =
      new Fl_Box(FL_NO_BOX, at.left, at.top, at.width, at.height, nullptr);
  label->copy_label(GbkToUtf8(text.view()).c_str());
  label->labelfont(UiFont());
  label->labelsize(kUiFontSize);
  // Plain text starts at the label's top left, as a static text control
  // draws it.
  label->align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE);
  label->clear_visible_focus();
  return label;
}

// Sunken, black on white, in the window's font: what both edit boxes share,
// though the toolkit gives them no common base for it.
template <typename EditBox>
void PaintEditBox(EditBox& box) {
  box.box(FL_DOWN_BOX);
  box.color(kEditBackground);
  box.textcolor(kEditText);
  box.cursor_color(kEditText);
  box.textfont(UiFont());
  box.textsize(kUiFontSize);
}

void StyleEditBox(Fl_Input& box) {
  PaintEditBox(box);
  // The toolkit's default limit is 32767 bytes; a long link must never be
  // cut, so the limit goes as high as the toolkit counts.
  box.maximum_size(std::numeric_limits<int>::max());
  // No callback, so that nothing queues the box for Fl::readqueue().
  box.when(FL_WHEN_NEVER);
}

// Sunken, black on white, wrapping at its width also inside a word, no
// scroll bars; Enter breaks the line and Tab moves on to the next control.
// Its buffer has no length limit.
void StyleEditBox(Fl_Text_Editor& box) {
  PaintEditBox(box);
  box.wrap_mode(Fl_Text_Display::WRAP_AT_BOUNDS, 0);
  box.scrollbar_width(0);
  // Unused by the editor, Tab goes on to the window, which moves the focus.
  box.add_key_binding(FL_Tab, FL_TEXT_EDITOR_ANY_STATE,
                      Fl_Text_Editor::kf_ignore);
  box.when(FL_WHEN_NEVER);
}

}  // namespace

FltkMainWindow::FltkMainWindow(const MainWindowLayout& layout,
                               ClickHandler onClick)
    : onClick_(onClick) {
  const ScreenPoint at =
      CentredOnPrimaryScreen(layout.outerWidth, layout.outerHeight);
  window_ = std::make_unique<MainWindowFrame>(at.x, at.y, layout.clientWidth,
                                              layout.clientHeight);
  window_->copy_label(GbkToUtf8(layout.title.view()).c_str());
  window_->color(FL_BACKGROUND_COLOR);
  // The default callback stays: it hides the window on the close button and
  // on Esc from any widget that does not use the key, which ends Fl::run().

  标签1_ = MakeLabel(layout.标签1, layout.标签1Text);

  const ControlPlacement& at1 = layout.编辑框1;
  编辑框1_ = new Fl_Input(at1.left, at1.top, at1.width, at1.height);
  StyleEditBox(*编辑框1_);
  const std::string sample = GbkToUtf8(layout.编辑框1Text.view());
  编辑框1_->value(sample.data(), static_cast<int>(sample.size()));

  标签2_ = MakeLabel(layout.标签2, layout.标签2Text);

  const ControlPlacement& at2 = layout.编辑框2;
  编辑框2Text_ = std::make_unique<Fl_Text_Buffer>();
  编辑框2_ = new Fl_Text_Editor(at2.left, at2.top, at2.width, at2.height);
  编辑框2_->buffer(编辑框2Text_.get());
  StyleEditBox(*编辑框2_);

  const ControlPlacement& at3 = layout.按钮1;
  按钮1_ = new Fl_Button(at3.left, at3.top, at3.width, at3.height);
  按钮1_->copy_label(GbkToUtf8(layout.按钮1Text.view()).c_str());
  按钮1_->labelfont(UiFont());
  按钮1_->labelsize(kUiFontSize);
  按钮1_->align(FL_ALIGN_CENTER);
  按钮1_->callback(On按钮1Clicked, this);

  window_->end();
  // Equal minimum and maximum: the window manager offers no resizing and
  // no maximising, while minimising stays.
  window_->size_range(layout.clientWidth, layout.clientHeight,
                      layout.clientWidth, layout.clientHeight);
}

Text FltkMainWindow::Read编辑框1() const {
  return Utf8ToGbkText(std::string_view(
      编辑框1_->value(), static_cast<std::size_t>(编辑框1_->size())));
}

void FltkMainWindow::Write编辑框2(const Text& text) {
  // A Text holds no zero byte, so the zero-ended form is the whole text.
  编辑框2Text_->text(GbkToUtf8(text.view()).c_str());
}

void FltkMainWindow::On按钮1Clicked(Fl_Widget*, void* self) {
  auto* window = static_cast<FltkMainWindow*>(self);
  window->onClick_(*window);
}

}  // namespace quorrin::platform
