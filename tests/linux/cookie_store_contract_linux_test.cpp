// The cookie-store contract against the cookie file, each test in its own
// temporary data folder.

#include <memory>
#include <string>

#include "contract/cookie_store_contract.h"
#include "linux/cookie_test_home.h"

namespace quorrin::contract {
namespace {

class CookieFileUnderTest : public CookieStoreUnderTest {
 public:
  void PutRaw(const RawCookie& cookie) override {
    std::string content = home_.ReadFile();
    if (content.empty()) content = "# Netscape HTTP Cookie File\n";
    const bool domainCookie = !cookie.domain.empty() && cookie.domain[0] == '.';
    content += cookie.domain + "\t" + (domainCookie ? "TRUE" : "FALSE") + "\t" +
               cookie.path + "\t" + (cookie.secure ? "TRUE" : "FALSE") + "\t" +
               std::to_string(cookie.expires) + "\t" + cookie.name + "\t" +
               cookie.value + "\n";
    home_.WriteFile(content);
  }

 private:
  testing_linux::CookieTestHome home_;
};

INSTANTIATE_TEST_SUITE_P(
    Linux, CookieStoreContract,
    ::testing::Values(CookieStoreBackend{
        "CookieFile", [] { return std::make_unique<CookieFileUnderTest>(); }}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quorrin::contract
