// The fatal run-time error's box of the window program, in a child process:
// the box appears unowned with its title, sign and OK button, the message
// goes to standard error in UTF-8, and OK ends the process with -1.

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "text/fatal_error.h"
#include "window/window_test_support.h"

namespace quorrin::platform {
namespace {

// Exit codes of the child when the box is not as it should be; 255 (-1)
// only comes from the fatal error itself after OK.
constexpr int kNoBox = 3;
constexpr int kWrongBox = 4;

// Runs inside the box's own wait: checks the box, then presses its OK.
void InspectAndConfirm(void*) {
  Fl_Window* box = Fl::first_window();
  if (box == nullptr) std::_Exit(kNoBox);
  // 错误
  const bool titled =
      box->label() != nullptr && std::strcmp(box->label(), "错误") == 0;
  Fl_Button* ok = nullptr;
  bool sign = false;
  for (int i = 0; i < box->children(); ++i) {
    Fl_Widget* child = box->child(i);
    if (auto* button = dynamic_cast<Fl_Button*>(child);
        button != nullptr && button->label() != nullptr &&
        std::strcmp(button->label(), "OK") == 0) {
      ok = button;
    }
    if (child->box() == FL_OVAL_BOX && child->color() == FL_RED) sign = true;
  }
  const bool unowned =
      box->parent() == nullptr && !box->modal() && !box->non_modal();
  if (!titled || ok == nullptr || !sign || !unowned) std::_Exit(kWrongBox);
  ok->do_callback();
}

TEST(FatalBoxDeathTest, ShowsTheBoxAndTheMessageThenEndsWithMinusOne) {
  QUORRIN_SKIP_WITHOUT_DISPLAY();
  // The child opens its own display: a forked copy of the parent's
  // connection would share it.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        Fl::add_timeout(0.2, InspectAndConfirm);
        RaiseFatalError(kMemberNumberTooLargeCode,
                        kMemberNumberTooLargeMessage);
      },
      ::testing::ExitedWithCode(255),
      // 运行时出错! … 错误代码：1 … 数组成员引用下标超出定义范围
      "运行时出错!"
      "\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围");
}

// The message reaches standard error as UTF-8 without the text values'
// allocator, which could raise the error again; a byte that is no character
// shows as U+FFFD, and a message too long for the conversion's buffer goes
// out as its bytes rather than not at all.
TEST(FatalBoxTest, WritesTheMessageToStandardErrorAsUtf8) {
  QUORRIN_SKIP_WITHOUT_DISPLAY();
  // 中 is D6 D0 in the code page, E4 B8 AD in UTF-8. Lines of fifty keep
  // the box on the screen.
  std::string line;
  std::string lineUtf8;
  for (int i = 0; i < 50; ++i) {
    line += "\xD6\xD0";
    lineUtf8 += "\xE4\xB8\xAD";
  }
  std::string converted;
  std::string convertedUtf8;
  std::string tooLong;
  for (int i = 0; i < 28; ++i) {
    if (i < 10) {
      converted += line + "\r\n";
      convertedUtf8 += lineUtf8 + "\r\n";
    }
    tooLong += line + "\r\n";
  }
  struct Case {
    const char* label;
    std::string message;
    std::string shown;
  };
  const Case cases[] = {
      {"ASCII", "out of memory\r\n", "out of memory\r\n"},
      {"a lead byte with no second byte", "a\x81", "a\xEF\xBF\xBD"},
      {"ten lines", converted, convertedUtf8},
      {"too long to convert", tooLong, tooLong},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Fl::add_timeout(0.2, [](void*) {
      if (Fl_Window* box = Fl::first_window()) box->hide();
    });
    ::testing::internal::CaptureStderr();
    ShowFatalErrorBox(c.message.c_str());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.shown);
  }
}

}  // namespace
}  // namespace quorrin::platform
