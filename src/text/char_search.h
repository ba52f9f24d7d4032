// Finding a target in a code page 936 text at character starts only.
//
// A byte of 0x80 or above begins a two-byte character that takes the next
// byte with it, whatever its value; a walk that begins at some byte takes
// that byte as a character start. These helpers answer "where does the walk
// meet the target" without stepping the walk byte by byte: candidates come
// from a scan, eight bytes at a time, for the target's first and last bytes;
// a whole match is then placed on or off a character start by the run of
// high bytes before it.
//
// Internal to the text operations (FindText, ReplaceText, SplitText).

#ifndef QUORRIN_TEXT_CHAR_SEARCH_H_
#define QUORRIN_TEXT_CHAR_SEARCH_H_

#include <cstddef>
#include <string_view>

namespace quorrin::internal {

inline constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

// The byte with ASCII letters A-Z moved to a-z; every other byte unchanged.
constexpr unsigned char FoldAsciiCase(unsigned char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte | 0x20)
                                    : byte;
}

// Whether `length` bytes at `a` and `b` are equal when ASCII letters A-Z and
// a-z count as one; every other byte, two-byte characters' second bytes
// included, compares folded the same way or exactly.
bool EqualIgnoringAsciiCase(const unsigned char* a, const unsigned char* b,
                            std::size_t length);

// Whether a walk over `bytes` that begins at the character start
// `knownStart` reaches `position` (not before `knownStart`) at a character
// start. Reads only bytes in [knownStart, position).
bool IsCharacterStart(const unsigned char* bytes, std::size_t knownStart,
                      std::size_t position);

// The index of the first character start at or after `from` (taken as a
// character start) where `target` stands in `text`, compared exactly or with
// ASCII case folding; kNotFound when there is none. `target` is not empty.
// Linear in the bytes between `from` and the result for a fixed target.
std::size_t FindAtCharacterStart(std::string_view text, std::string_view target,
                                 std::size_t from, bool ignoreAsciiCase);

}  // namespace quorrin::internal

#endif  // QUORRIN_TEXT_CHAR_SEARCH_H_
