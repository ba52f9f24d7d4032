// What every back end's per-user cookie store must do, as a suite each back
// end instantiates with its own way of giving a test a fresh, empty store.
//
// The suite calls the store only through platform.h; everything a back end
// needs to set up (a temporary home folder, a private store) hides behind the
// hooks below, so the suite itself builds on every platform.

#ifndef QUORRIN_TESTS_CONTRACT_COOKIE_STORE_CONTRACT_H_
#define QUORRIN_TESTS_CONTRACT_COOKIE_STORE_CONTRACT_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace quorrin::contract {

// A cookie with attributes that the store's write call cannot give.
struct RawCookie {
  // A leading '.' makes it a domain cookie; without, a host-only one.
  std::string domain;
  std::string path = "/";
  bool secure = false;
  // Seconds since the epoch; 0 for a session cookie.
  std::int64_t expires = 0;
  std::string name;
  std::string value;
};

// One test's store: empty when made, gone when destroyed.
class CookieStoreUnderTest {
 public:
  virtual ~CookieStoreUnderTest() = default;
  // Adds `cookie` after every cookie already there.
  virtual void PutRaw(const RawCookie& cookie) = 0;
};

struct CookieStoreBackend {
  std::string name;
  std::function<std::unique_ptr<CookieStoreUnderTest>()> openEmptyStore;
};

inline void PrintTo(const CookieStoreBackend& backend, std::ostream* out) {
  *out << backend.name;
}

class CookieStoreContract
    : public ::testing::TestWithParam<CookieStoreBackend> {
 protected:
  void SetUp() override { store_ = GetParam().openEmptyStore(); }
  void TearDown() override { store_.reset(); }

  CookieStoreUnderTest& store() { return *store_; }

 private:
  std::unique_ptr<CookieStoreUnderTest> store_;
};

}  // namespace quorrin::contract

#endif  // QUORRIN_TESTS_CONTRACT_COOKIE_STORE_CONTRACT_H_
