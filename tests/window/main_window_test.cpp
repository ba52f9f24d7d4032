// The main window as FLTK builds it from the program's layout: the controls'
// kinds, places, texts and looks, the keys, and the texts crossing the edit
// boxes in code page 936.

// clang-format off
// The test framework before the toolkit's headers, which bring in X's macros
// (None, Bool): those would rename names of the framework.
#include <gtest/gtest.h>
// clang-format on

#include <FL/Fl.H>
#include <FL/Fl_Return_Button.H>

#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/last_result.h"
#include "app/main_window_layout.h"
#include "platform/linux/main_window_fltk.h"
#include "window/window_test_support.h"

namespace quorrin::platform {
namespace {

// Records what the button's handler saw, for the tests that are about the
// window rather than the resolver.
struct RecordingHandler {
  static inline std::vector<Text> reads;
  static inline Text toWrite;

  static void OnClick(ResolveControls& controls) {
    reads.push_back(controls.Read编辑框1());
    controls.Write编辑框2(toWrite);
  }
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QUORRIN_SKIP_WITHOUT_DISPLAY();
    RecordingHandler::reads.clear();
    RecordingHandler::toWrite = Text();
    LastResult = Text();
  }
  void TearDown() override {
    if (main_) {
      main_->window().hide();
      testing::SettleToolkit();
    }
    LastResult = Text();
  }

  FltkMainWindow& Build(ClickHandler onClick = RecordingHandler::OnClick) {
    main_ = std::make_unique<FltkMainWindow>(kMainWindowLayout, onClick);
    return *main_;
  }
  FltkMainWindow& BuildShown(ClickHandler onClick = RecordingHandler::OnClick) {
    Build(onClick).window().show();
    testing::SettleToolkit();
    return *main_;
  }

  void PressKey(int key, const char* text) {
    testing::PressKey(main_->window(), key, text);
  }

  std::unique_ptr<FltkMainWindow> main_;
};

TEST_F(MainWindowTest, WindowHasItsTitleClientSizeAndFaceColour) {
  FltkMainWindow& main = Build();
  EXPECT_STREQ(main.window().label(), "QuorrinbyHalvest");
  EXPECT_EQ(main.window().w(), 469);
  EXPECT_EQ(main.window().h(), 153);
  EXPECT_EQ(main.window().color(), FL_BACKGROUND_COLOR);
  EXPECT_EQ(main.window().children(), 5);
}

// Centred by the outer size the window has on its original platform, on the
// full screen, whatever its size.
TEST_F(MainWindowTest, WindowIsCentredOnTheFullScreen) {
  int screenX = 0, screenY = 0, screenW = 0, screenH = 0;
  Fl::screen_xywh(screenX, screenY, screenW, screenH, 0);
  FltkMainWindow& main = Build();
  EXPECT_EQ(main.window().x(), screenX + (screenW - 475) / 2);
  EXPECT_EQ(main.window().y(), screenY + (screenH - 182) / 2);
}

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThemWithTheirTexts) {
  FltkMainWindow& main = Build();
  struct Case {
    const char* name;
    Fl_Widget* widget;
    int x, y, w, h;
    const char* text;  // The label, or an edit box's value.
  };
  const Case cases[] = {
      {"标签1", &main.标签1(), 16, 16, 40, 24, "地址："},
      {"编辑框1", &main.编辑框1(), 56, 16, 392, 24,
       "https://v.douyin.com/iRqW3kTd/"},
      {"标签2", &main.标签2(), 16, 56, 56, 24, "下载地址："},
      {"编辑框2", &main.编辑框2(), 72, 48, 384, 72, ""},
      {"按钮1", &main.按钮1(), 352, 128, 104, 24, "解析"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.widget->parent(), &main.window());
    EXPECT_EQ(c.widget->x(), c.x);
    EXPECT_EQ(c.widget->y(), c.y);
    EXPECT_EQ(c.widget->w(), c.w);
    EXPECT_EQ(c.widget->h(), c.h);
    EXPECT_TRUE(c.widget->visible());
    EXPECT_TRUE(c.widget->active());
    if (auto* input = dynamic_cast<Fl_Input*>(c.widget)) {
      EXPECT_STREQ(input->value(), c.text);
    } else if (auto* editor = dynamic_cast<Fl_Text_Editor*>(c.widget)) {
      EXPECT_EQ(testing::TextOf(*editor), c.text);
    } else {
      EXPECT_STREQ(c.widget->label(), c.text);
    }
  }
}

TEST_F(MainWindowTest, LabelsArePlainTextOnTheWindow) {
  FltkMainWindow& main = Build();
  for (Fl_Box* label : {&main.标签1(), &main.标签2()}) {
    SCOPED_TRACE(label->label());
    EXPECT_EQ(label->box(), FL_NO_BOX);
    EXPECT_TRUE(label->align() & FL_ALIGN_INSIDE);
    EXPECT_TRUE(label->align() & FL_ALIGN_LEFT);
    EXPECT_EQ(label->labelsize(), 12);
  }
}

// A toolkit font without Chinese characters would draw the labels as empty
// boxes, so every widget names the one font that has them.
TEST_F(MainWindowTest, EveryControlDrawsWithTheChineseFont) {
  FltkMainWindow& main = Build();
  const char* fontName = Fl::get_font(main.标签1().labelfont());
  ASSERT_NE(fontName, nullptr);
  EXPECT_NE(std::string(fontName).find("WenQuanYi Micro Hei"),
            std::string::npos);
  for (Fl_Widget* w : {static_cast<Fl_Widget*>(&main.标签1()),
                       static_cast<Fl_Widget*>(&main.标签2()),
                       static_cast<Fl_Widget*>(&main.按钮1())}) {
    EXPECT_EQ(w->labelfont(), main.标签1().labelfont());
  }
  EXPECT_EQ(main.编辑框1().textfont(), main.标签1().labelfont());
  EXPECT_EQ(main.编辑框2().textfont(), main.标签1().labelfont());
}

// Their colours hold whatever the toolkit's theme makes of its defaults.
TEST_F(MainWindowTest, EditBoxesAreSunkenAndBlackOnWhite) {
  FltkMainWindow& main = Build();
  Fl::foreground(200, 200, 0);
  Fl::background2(0, 0, 80);
  struct Case {
    const char* name;
    Fl_Boxtype box;
    Fl_Color text, background;
    Fl_Fontsize size;
  };
  const Case cases[] = {
      {"编辑框1", main.编辑框1().box(), main.编辑框1().textcolor(),
       main.编辑框1().color(), main.编辑框1().textsize()},
      {"编辑框2", main.编辑框2().box(), main.编辑框2().textcolor(),
       main.编辑框2().color(), main.编辑框2().textsize()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.box, FL_DOWN_BOX);
    EXPECT_EQ(Fl::get_color(c.text) >> 8, 0x000000u);
    EXPECT_EQ(Fl::get_color(c.background) >> 8, 0xFFFFFFu);
    EXPECT_EQ(c.size, 12);
  }
  Fl::foreground(0, 0, 0);
  Fl::background2(255, 255, 255);
}

TEST_F(MainWindowTest, FirstBoxIsOneEditableLineThatScrolls) {
  FltkMainWindow& main = Build();
  EXPECT_EQ(main.编辑框1().input_type(), FL_NORMAL_INPUT);
  EXPECT_FALSE(main.编辑框1().readonly());
  EXPECT_FALSE(main.编辑框1().wrap());
}

// An address holds no blank, so wrapping only at blanks would leave it
// running past the box's right edge.
TEST_F(MainWindowTest, SecondBoxWrapsEvenAWordAtItsWidthWithoutScrollBars) {
  FltkMainWindow& main = BuildShown();
  EXPECT_EQ(main.编辑框2().scrollbar_width(), 0);
  const std::string address =
      "https://video.test/tos/cn/video.mp4?" + std::string(120, 'a');
  main.编辑框2().buffer()->text(address.c_str());
  testing::SettleToolkit();
  int firstX = 0, firstY = 0, lastX = 0, lastY = 0;
  ASSERT_TRUE(main.编辑框2().position_to_xy(0, &firstX, &firstY));
  ASSERT_TRUE(main.编辑框2().position_to_xy(
      static_cast<int>(address.size()) - 1, &lastX, &lastY));
  EXPECT_GT(lastY, firstY);
  EXPECT_LT(lastX, main.编辑框2().x() + main.编辑框2().w());
}

// The toolkit's default limit was 32767 bytes: a longer address must arrive
// whole.
TEST_F(MainWindowTest, LongTextIsNeverCut) {
  FltkMainWindow& main = Build();
  const std::string longLink =
      "https://v.douyin.com/" + std::string(70000, 'a');
  main.编辑框1().value(longLink.c_str());
  RecordingHandler::toWrite = Text(std::string(100000, 'b'));
  main.按钮1().do_callback();
  ASSERT_EQ(RecordingHandler::reads.size(), 1u);
  EXPECT_EQ(RecordingHandler::reads[0].view(), longLink);
  EXPECT_EQ(main.编辑框2().buffer()->length(), 100000);
  EXPECT_EQ(main.编辑框1().maximum_size(), INT_MAX);
}

TEST_F(MainWindowTest, ButtonIsAnOrdinaryCentredPushButton) {
  FltkMainWindow& main = Build();
  EXPECT_EQ(dynamic_cast<Fl_Return_Button*>(&main.按钮1()), nullptr);
  EXPECT_EQ(main.按钮1().type(), FL_NORMAL_BUTTON);
  EXPECT_EQ(main.按钮1().align(), FL_ALIGN_CENTER);
  EXPECT_EQ(main.按钮1().shortcut(), 0);
  EXPECT_EQ(main.按钮1().labelsize(), 12);
}

TEST_F(MainWindowTest, TabVisitsTheBoxesAndTheButtonButNeverTheLabels) {
  FltkMainWindow& main = BuildShown();
  EXPECT_FALSE(main.标签1().visible_focus());
  EXPECT_FALSE(main.标签2().visible_focus());
  EXPECT_FALSE(main.标签1().take_focus());
  EXPECT_FALSE(main.标签2().take_focus());

  ASSERT_TRUE(main.编辑框1().take_focus());
  const Fl_Widget* expected[] = {&main.编辑框2(), &main.按钮1(),
                                 &main.编辑框1()};
  for (const Fl_Widget* next : expected) {
    PressKey(FL_Tab, "\t");
    EXPECT_EQ(Fl::focus(), next);
  }
}

TEST_F(MainWindowTest, EscClosesTheWindowWhereverTheFocusIs) {
  struct Case {
    const char* name;
    Fl_Widget* (*focus)(FltkMainWindow&);
  };
  const Case cases[] = {
      {"编辑框1", [](FltkMainWindow& m) -> Fl_Widget* { return &m.编辑框1(); }},
      {"编辑框2", [](FltkMainWindow& m) -> Fl_Widget* { return &m.编辑框2(); }},
      {"按钮1", [](FltkMainWindow& m) -> Fl_Widget* { return &m.按钮1(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FltkMainWindow& main = BuildShown();
    ASSERT_TRUE(c.focus(main)->take_focus());
    PressKey(FL_Escape, "\x1b");
    EXPECT_FALSE(main.window().shown());
  }
}

// Enter never moves the focus. In the one-line box it does nothing; on the
// button, which is no default button, it does not press it; in the
// multi-line box it starts a new line.
TEST_F(MainWindowTest, EnterStaysInItsBox) {
  FltkMainWindow& main = BuildShown();
  ASSERT_TRUE(main.编辑框1().take_focus());
  const std::string before = main.编辑框1().value();
  PressKey(FL_Enter, "\r");
  EXPECT_EQ(Fl::focus(), &main.编辑框1());
  EXPECT_EQ(main.编辑框1().value(), before);
  EXPECT_TRUE(main.window().shown());
  EXPECT_TRUE(RecordingHandler::reads.empty());

  ASSERT_TRUE(main.按钮1().take_focus());
  PressKey(FL_Enter, "\r");
  EXPECT_EQ(Fl::focus(), &main.按钮1());
  EXPECT_TRUE(RecordingHandler::reads.empty());

  ASSERT_TRUE(main.编辑框2().take_focus());
  main.编辑框2().buffer()->text("ab");
  main.编辑框2().insert_position(1);
  PressKey(FL_Enter, "\r");
  EXPECT_EQ(Fl::focus(), &main.编辑框2());
  EXPECT_EQ(testing::TextOf(main.编辑框2()), "a\nb");
}

// Without these hints the window manager would offer resizing and
// maximising; minimising stays.
TEST_F(MainWindowTest, ShownWindowAsksForAFixedSize) {
  FltkMainWindow& main = BuildShown();
  const testing::SizeLimits limits = testing::AskedSizeLimits(main.window());
  EXPECT_EQ(limits.minWidth, 469);
  EXPECT_EQ(limits.minHeight, 153);
  EXPECT_EQ(limits.maxWidth, 469);
  EXPECT_EQ(limits.maxHeight, 153);
}

// The handler sees code page 936 and the box shows UTF-8: the conversion
// happens at the boxes and nowhere else.
TEST_F(MainWindowTest, TextsCrossTheBoxesInCodePage936) {
  FltkMainWindow& main = Build();
  main.编辑框1().value(" https://v.douyin.com/短视频/ ");
  // 下载地址：
  RecordingHandler::toWrite = Text("\xCF\xC2\xD4\xD8\xB5\xD8\xD6\xB7\xA3\xBA");
  main.按钮1().do_callback();
  ASSERT_EQ(RecordingHandler::reads.size(), 1u);
  // The blanks stay: the link is read exactly as typed.
  EXPECT_EQ(RecordingHandler::reads[0].view(),
            " https://v.douyin.com/\xB6\xCC\xCA\xD3\xC6\xB5/ ");
  EXPECT_EQ(testing::TextOf(main.编辑框2()), "下载地址：");
}

}  // namespace
}  // namespace quorrin::platform
