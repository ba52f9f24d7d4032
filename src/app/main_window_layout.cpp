#include "app/main_window_layout.h"

namespace quorrin {

namespace {

// 地址：
constexpr char k标签1Text[] = "\xB5\xD8\xD6\xB7\xA3\xBA";
// 下载地址：
constexpr char k标签2Text[] = "\xCF\xC2\xD4\xD8\xB5\xD8\xD6\xB7\xA3\xBA";
// 解析
constexpr char k按钮1Text[] = "\xBD\xE2\xCE\xF6";
// A share link of the form the service hands out, so that the user sees
// what belongs in the box.
constexpr char kSampleShareLink[] = "https://v.douyin.com/iRqW3kTd/";

}  // namespace

const platform::MainWindowLayout kMainWindowLayout = {
    .title = "QuorrinbyHalvest",
    .outerWidth = 475,
    .outerHeight = 182,
    .clientWidth = 469,
    .clientHeight = 153,
    .标签1 = {.left = 16, .top = 16, .width = 40, .height = 24},
    .编辑框1 = {.left = 56, .top = 16, .width = 392, .height = 24},
    .标签2 = {.left = 16, .top = 56, .width = 56, .height = 24},
    .编辑框2 = {.left = 72, .top = 48, .width = 384, .height = 72},
    .按钮1 = {.left = 352, .top = 128, .width = 104, .height = 24},
    .标签1Text = k标签1Text,
    .编辑框1Text = kSampleShareLink,
    .标签2Text = k标签2Text,
    .按钮1Text = k按钮1Text,
};

}  // namespace quorrin
