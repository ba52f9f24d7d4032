// A private, temporary data folder for one cookie-store test: the store's
// XDG_DATA_HOME points into it while the object lives, and it is removed
// with everything in it afterwards.

#ifndef QUORRIN_TESTS_LINUX_COOKIE_TEST_HOME_H_
#define QUORRIN_TESTS_LINUX_COOKIE_TEST_HOME_H_

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace quorrin::testing_linux {

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(old_ ? old_->c_str() : nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const char* value) {
    const int result = value ? setenv(name_, value, 1) : unsetenv(name_);
    EXPECT_EQ(result, 0) << name_;
  }
  const char* name_;
  std::optional<std::string> old_;
};

class CookieTestHome {
 public:
  CookieTestHome()
      : root_(MakeRoot()), data_("XDG_DATA_HOME", data().c_str()) {}
  ~CookieTestHome() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  CookieTestHome(const CookieTestHome&) = delete;
  CookieTestHome& operator=(const CookieTestHome&) = delete;

  const std::string& root() const { return root_; }
  std::string data() const { return root_ + "/data"; }
  std::string folder() const { return data() + "/quorrin"; }
  std::string file() const { return folder() + "/cookies.txt"; }

  // The cookie file's bytes; empty when there is none.
  std::string ReadFile() const {
    std::ifstream in(file(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Replaces the cookie file with `content`, making the folder if need be.
  void WriteFile(const std::string& content) const {
    std::filesystem::create_directories(folder());
    std::ofstream out(file(), std::ios::binary | std::ios::trunc);
    out << content;
    EXPECT_TRUE(out.good()) << file();
  }

 private:
  static std::string MakeRoot() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quorrin-cookies-XXXXXX")
            .string();
    const char* made = mkdtemp(pattern.data());
    EXPECT_NE(made, nullptr);
    return pattern;
  }

  std::string root_;
  ScopedEnv data_;
};

}  // namespace quorrin::testing_linux

#endif  // QUORRIN_TESTS_LINUX_COOKIE_TEST_HOME_H_
