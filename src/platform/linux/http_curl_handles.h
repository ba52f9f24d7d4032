// Owners of the libcurl handles the HTTP request object holds: each frees
// its handle exactly once, copies are deleted, and moves are named like
// unique_ptr's (get, Reset, Release).

#ifndef QUORRIN_PLATFORM_LINUX_HTTP_CURL_HANDLES_H_
#define QUORRIN_PLATFORM_LINUX_HTTP_CURL_HANDLES_H_

#include <curl/curl.h>

#include <utility>

namespace quorrin::platform::http {

// Owns one handle of type T freed by Free; null means none.
template <typename T, void (*Free)(T*)>
class CurlOwner {
 public:
  CurlOwner() = default;
  explicit CurlOwner(T* handle) : handle_(handle) {}
  ~CurlOwner() { Reset(); }
  CurlOwner(const CurlOwner&) = delete;
  CurlOwner& operator=(const CurlOwner&) = delete;
  CurlOwner(CurlOwner&& other) noexcept : handle_(other.Release()) {}
  CurlOwner& operator=(CurlOwner&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  T* get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

  // Frees the handle held, if any, and takes `handle` instead.
  void Reset(T* handle = nullptr) {
    T* old = std::exchange(handle_, handle);
    if (old != nullptr) Free(old);
  }
  // Gives the handle up without freeing it.
  T* Release() { return std::exchange(handle_, nullptr); }

 private:
  T* handle_ = nullptr;
};

// An easy handle: one transfer's options and its connection cache.
using CurlEasy = CurlOwner<CURL, curl_easy_cleanup>;
// A parsed URL.
using CurlUrl = CurlOwner<CURLU, curl_url_cleanup>;
// A string freed by curl_free, as curl_url_get hands out.
inline void FreeCurlString(char* text) { curl_free(text); }
using CurlString = CurlOwner<char, FreeCurlString>;

// A list of header lines. Append copies the line and reports whether it
// could; the list is untouched when it could not.
class CurlHeaderList {
 public:
  CurlHeaderList() = default;
  ~CurlHeaderList() { Reset(); }
  CurlHeaderList(const CurlHeaderList&) = delete;
  CurlHeaderList& operator=(const CurlHeaderList&) = delete;
  CurlHeaderList(CurlHeaderList&& other) noexcept : head_(other.Release()) {}
  CurlHeaderList& operator=(CurlHeaderList&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  curl_slist* get() const { return head_; }

  bool Append(const char* line) {
    curl_slist* longer = curl_slist_append(head_, line);
    if (longer == nullptr) return false;
    head_ = longer;
    return true;
  }
  void Reset(curl_slist* head = nullptr) {
    curl_slist* old = std::exchange(head_, head);
    if (old != nullptr) curl_slist_free_all(old);
  }
  curl_slist* Release() { return std::exchange(head_, nullptr); }

 private:
  curl_slist* head_ = nullptr;
};

}  // namespace quorrin::platform::http

#endif  // QUORRIN_PLATFORM_LINUX_HTTP_CURL_HANDLES_H_
