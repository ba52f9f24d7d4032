// What every back end's code-page conversions must do, as a suite each back
// end instantiates with its pair of conversions.
//
// The pair is handed in rather than called through platform.h so that one
// binary can hold the suite for more than one implementation.

#ifndef QUORRIN_TESTS_CONTRACT_CODE_PAGES_CONTRACT_H_
#define QUORRIN_TESTS_CONTRACT_CODE_PAGES_CONTRACT_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace quorrin::contract {

struct CodePageBackend {
  std::string name;
  // As platform.h's Utf8ToUtf16 and Utf16ToGbk.
  std::int32_t (*utf8ToUtf16)(const unsigned char* utf8, std::int32_t length,
                              unsigned char* out, std::int32_t outUnits);
  std::int32_t (*utf16ToGbk)(const unsigned char* utf16, std::int32_t units,
                             char* out, std::int32_t outBytes);
};

inline void PrintTo(const CodePageBackend& backend, std::ostream* out) {
  *out << backend.name;
}

class CodePagesContract : public ::testing::TestWithParam<CodePageBackend> {};

// UTF-16 code units as the interface carries them: little-endian byte pairs.
std::string LittleEndianBytes(const std::u16string& units);

// Measure, then convert into a buffer of exactly the measured size, checking
// that both calls agree. ToUtf16 gives little-endian byte pairs.
std::string ToUtf16(const CodePageBackend& backend, const std::string& utf8);
std::string ToGbk(const CodePageBackend& backend, const std::u16string& text);

}  // namespace quorrin::contract

#endif  // QUORRIN_TESTS_CONTRACT_CODE_PAGES_CONTRACT_H_
