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

}  // namespace
}  // namespace quorrin::platform
