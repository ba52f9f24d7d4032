// The one interface between the portable core and the platform it runs on.
//
//            core (text, web, resolve, app)
//                         |
//                   platform.h  (this file: no platform types)
//                  /           |
//   platform/linux/*.cpp     platform/win32/*.cpp
//   (FLTK, libcurl, ICU,     (Win32 window, the HTTP request
//    a cookie jar file)       object through COM, WinINet, kernel32)
//
// The build links exactly one back end; an operation a back end leaves out
// fails to link. Texts cross in code page 936; a back end that needs UTF-16
// or UTF-8 converts at its own edge. Every operation fails silently: a failed
// call yields an empty value and the core goes on with its next step.

#ifndef QUORRIN_PLATFORM_PLATFORM_H_
#define QUORRIN_PLATFORM_PLATFORM_H_

#include <cstdint>
#include <memory>

#include "text/text.h"

namespace quorrin::platform {

// ---------------------------------------------------------------------------
// HTTP request object: one synchronous HTTP exchange.
//
// A handle on one object; empty when creation failed or after Release().
// Every operation on an empty handle, and every operation the object itself
// fails, does nothing and yields an empty value.
class HttpRequestObject {
 public:
  HttpRequestObject();
  ~HttpRequestObject();
  HttpRequestObject(HttpRequestObject&& other) noexcept;
  HttpRequestObject& operator=(HttpRequestObject&& other) noexcept;
  HttpRequestObject(const HttpRequestObject&) = delete;
  HttpRequestObject& operator=(const HttpRequestObject&) = delete;

  // An empty handle when the ProgID names no object this platform can make.
  static HttpRequestObject Create(const Text& progId);

  explicit operator bool() const { return impl_ != nullptr; }

  // Milliseconds for name resolution, connecting, sending and receiving.
  void SetTimeouts(std::int32_t resolve, std::int32_t connect,
                   std::int32_t send, std::int32_t receive);
  void Open(const Text& method, const Text& url, bool asynchronous);
  // A write of the object's Option property; index 6 with 0 stops it from
  // following redirects.
  void SetOption(std::int32_t index, std::int32_t value);
  void SetRequestHeader(const Text& name, const Text& value);
  void Send(const Text& body);
  void Send(const Bytes& body);
  // The final answer's body; empty when no answer arrived.
  Bytes ResponseBody();
  // The final answer's header lines joined by CR LF; empty when no answer
  // arrived.
  Text GetallResponseHeaders();
  // Gives up the object; the handle is empty afterwards. Releasing an empty
  // handle does nothing.
  void Release();

  class Impl;  // Each back end defines it.

 private:
  explicit HttpRequestObject(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// Entered and left around each web request (COM's per-thread count on the
// platform that has one). Enter reports whether it succeeded.
bool EnterApartment();
void LeaveApartment();

// ---------------------------------------------------------------------------
// The per-user cookie store, shared with the user's other programs.

// Looks up the cookies the store holds for `url` (a scheme and a host) and
// writes them into `buffer` as "name=value" items joined by "; ", ended by a
// zero byte. `size` holds the buffer's capacity in bytes on entry. Fails when
// the store holds nothing for the URL, and when the text and its zero do not
// fit; then `size` is set to the capacity needed. `cookieName` is passed on
// as the store's interface has it; the core always passes the empty text.
bool LookupStoreCookies(const Text& url, const Text& cookieName, char* buffer,
                        std::uint32_t& size);

// Stores one cookie for `url`; a later lookup for the same host returns it.
bool WriteStoreCookie(const Text& url, const Text& name, const Text& value);

// ---------------------------------------------------------------------------
// Code pages. UTF-16 is carried as little-endian byte pairs, as Bytes holds
// it. Both calls measure when `out` is null (returning the count needed) and
// convert when it is not (returning the count written); both return 0 on
// failure and for empty input.

// UTF-8 to UTF-16; an invalid or cut-off sequence becomes U+FFFD and the
// conversion goes on. `outUnits` is the capacity in code units.
std::int32_t Utf8ToUtf16(const unsigned char* utf8, std::int32_t length,
                         unsigned char* out, std::int32_t outUnits);

// UTF-16 to code page 936, composing a base character and a following
// combining mark where a precomposed character exists; what the code page
// cannot hold becomes '?'. `outBytes` is the capacity in bytes.
std::int32_t Utf16ToGbk(const unsigned char* utf16, std::int32_t units,
                        char* out, std::int32_t outBytes);

// ---------------------------------------------------------------------------
// Window system and the fatal error's box.

// A control's rectangle in the window's client area, in pixels.
struct ControlPlacement {
  std::int32_t left;
  std::int32_t top;
  std::int32_t width;
  std::int32_t height;
};

// What the main window shows and where; the back end builds it from this.
// Texts are code page 936.
struct MainWindowLayout {
  Text title;
  // Frame and caption included, as the window is centred by it.
  std::int32_t outerWidth;
  std::int32_t outerHeight;
  std::int32_t clientWidth;
  std::int32_t clientHeight;
  ControlPlacement 标签1;
  ControlPlacement 编辑框1;
  ControlPlacement 标签2;
  ControlPlacement 编辑框2;
  ControlPlacement 按钮1;
  Text 标签1Text;
  Text 编辑框1Text;
  Text 标签2Text;
  Text 按钮1Text;
};

// The controls the button's handler reads and writes, in code page 936.
class ResolveControls {
 public:
  // The whole text of 编辑框1, exactly as typed.
  virtual Text Read编辑框1() const = 0;
  // Replaces the whole text of 编辑框2.
  virtual void Write编辑框2(const Text& text) = 0;

 protected:
  ~ResolveControls() = default;
};

using ClickHandler = void (*)(ResolveControls& controls);

// Initialises the window system and the thread's apartment for the program's
// lifetime. False when no window can be shown here.
bool StartWindowSystem();
// Creates and shows the main window, runs the loop until it is closed, and
// returns. A click on the button calls `onClick` inside the click.
void RunMainWindow(const MainWindowLayout& layout, ClickHandler onClick);
// Undoes StartWindowSystem, at the orderly exit.
void StopWindowSystem();

// Shows the fatal run-time error's box (no owner window, title 错误, the error
// icon, an OK button) with `message`, code page 936, and returns when it is
// dismissed. Must not need memory that may have run out.
void ShowFatalErrorBox(const char* message);

}  // namespace quorrin::platform

#endif  // QUORRIN_PLATFORM_PLATFORM_H_
