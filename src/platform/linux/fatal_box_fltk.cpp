// The fatal run-time error's box for the window program: the message on
// standard error, always, and, when a display answers, a box of its own that
// no window owns, titled 错误, with the error sign and an OK button.

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

#include "platform/linux/display_fltk.h"
#include "platform/linux/ui_font_fltk.h"
#include "platform/linux/utf8_edge.h"
#include "platform/platform.h"

namespace quorrin::platform {

namespace {

// 错误, in the toolkit's UTF-8.
constexpr char kTitle[] = "\xE9\x94\x99\xE8\xAF\xAF";

constexpr int kMargin = 16;
constexpr int kSignSize = 32;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;
constexpr int kMinTextWidth = 160;

// Each code page 936 byte becomes at most three UTF-8 bytes (a byte that is
// no character becomes U+FFFD); the messages raised are far shorter.
constexpr int kUtf8Capacity = 4096;

// The message drawn as it is: a label would read "@" as a symbol's name.
class MessageText : public Fl_Box {
 public:
  MessageText(int x, int y, int w, int h, const char* text)
      : Fl_Box(x, y, w, h), text_(text) {}
  const char* text() const { return text_; }

 protected:
  void draw() override {
    fl_font(UiFont(), kUiFontSize);
    fl_color(FL_FOREGROUND_COLOR);
    fl_draw(text_, x(), y(), w(), h(), FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE,
            nullptr, 0);
  }

 private:
  const char* text_;
};

// A line break of the message is CR LF; the toolkit would draw the CR.
std::string WithoutCarriageReturns(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  std::copy_if(text.begin(), text.end(), std::back_inserter(out),
               [](char c) { return c != '\r'; });
  // A trailing break only makes the box taller.
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

void ShowBox(const std::string& utf8) {
  const std::string shown = WithoutCarriageReturns(utf8);
  fl_font(UiFont(), kUiFontSize);
  int textWidth = 0;
  int textHeight = 0;
  fl_measure(shown.c_str(), textWidth, textHeight, 0);
  textWidth = std::max(textWidth, kMinTextWidth);
  textHeight = std::max(textHeight, kSignSize);

  const int width = kMargin + kSignSize + kMargin + textWidth + kMargin;
  const int height = kMargin + textHeight + kMargin + kButtonHeight + kMargin;
  Fl_Window box(width, height);
  box.label(kTitle);

  // The error sign: a white cross on a red disc.
  Fl_Box sign(FL_OVAL_BOX, kMargin, kMargin, kSignSize, kSignSize, "X");
  sign.color(FL_RED);
  sign.labelcolor(FL_WHITE);
  sign.labelfont(FL_HELVETICA_BOLD);
  sign.labelsize(20);

  MessageText message(kMargin + kSignSize + kMargin, kMargin, textWidth,
                      textHeight, shown.c_str());

  Fl_Return_Button ok((width - kButtonWidth) / 2,
                      height - kMargin - kButtonHeight, kButtonWidth,
                      kButtonHeight, "OK");
  ok.labelfont(UiFont());
  ok.labelsize(kUiFontSize);
  ok.callback([](Fl_Widget* button, void*) { button->window()->hide(); });
  box.end();

  // While the box waits, a click in another window would run the program on
  // after its fatal error; those windows stop taking input instead.
  for (Fl_Window* other = Fl::first_window(); other != nullptr;
       other = Fl::next_window(other)) {
    other->deactivate();
  }
  const ScreenPoint at = CentredOnPrimaryScreen(width, height);
  box.position(at.x, at.y);
  box.show();
  while (box.shown()) {
    // No window left to wait for means the box is gone too.
    if (Fl::wait() < 0) break;
  }
  // The widgets on the stack leave the box as they go, before the box does.
}

}  // namespace

void ShowFatalErrorBox(const char* message) {
  // Memory may be what ran out, and the text values' allocator would raise
  // this error again from inside it: the text goes through a buffer on the
  // stack (the raw bytes when it cannot be converted).
  char utf8[kUtf8Capacity];
  const char* text = GbkToUtf8InBuffer(message, utf8, sizeof utf8);
  // Unchecked: with standard error gone there is nobody left to tell.
  static_cast<void>(std::fputs(text, stderr));
  static_cast<void>(std::fflush(stderr));
  try {
    if (OpenDisplay()) ShowBox(text);
  } catch (...) {
    // The box could not be built for want of memory; the message went to
    // standard error above.
  }
}

}  // namespace quorrin::platform
