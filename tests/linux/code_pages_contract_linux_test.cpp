// The code-page contract against the conversions on ICU.

#include "contract/code_pages_contract.h"
#include "platform/platform.h"

namespace quorrin::contract {
namespace {

INSTANTIATE_TEST_SUITE_P(Linux, CodePagesContract,
                         ::testing::Values(CodePageBackend{
                             "Icu", &platform::Utf8ToUtf16,
                             &platform::Utf16ToGbk}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quorrin::contract
