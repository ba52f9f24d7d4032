// A plain walk over the bytes of a text, written straight from the rules of
// the character-walking operations and with no shortcut of any kind: the
// model that FindText, ReplaceText, SplitText and TrimText are held against,
// by the unit tests over random texts and by the fuzz targets over any.
//
// Texts are std::string here so that the model shares no code with the
// operations it checks. A byte of 0x80 or above begins a two-byte character
// that takes the next byte with it whatever its value.

#ifndef QUORRIN_TESTS_TEXT_CHAR_WALK_MODEL_H_
#define QUORRIN_TESTS_TEXT_CHAR_WALK_MODEL_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "text/text.h"

namespace quorrin::char_walk_model {

// Whether two bytes are equal with ASCII letter case folded.
inline bool Folded(unsigned char a, unsigned char b) {
  auto fold = [](unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
  };
  return fold(a) == fold(b);
}

// Whether `target` stands whole in `text` at byte offset `at`.
inline bool MatchesAt(const std::string& text, std::size_t at,
                      const std::string& target, bool ignoreCase) {
  if (text.size() - at < target.size()) return false;
  for (std::size_t i = 0; i < target.size(); ++i) {
    const auto a = static_cast<unsigned char>(text[at + i]);
    const auto b = static_cast<unsigned char>(target[i]);
    if (ignoreCase ? !Folded(a, b) : a != b) return false;
  }
  return true;
}

// The length the character starting at `at` claims, even past the end.
inline std::size_t CharLength(const std::string& text, std::size_t at) {
  return static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
}

// FindText: a position counted from 1, or -1.
inline std::int32_t ModelFind(const std::string& text,
                              const std::string& target, std::int32_t start,
                              bool ignoreCase) {
  const std::size_t origin =
      start <= 1 ? 0 : static_cast<std::size_t>(start - 1);
  if (origin >= text.size()) return -1;
  if (target.empty()) return 1;
  for (std::size_t at = origin; text.size() - at >= target.size();
       at += CharLength(text, at)) {
    if (MatchesAt(text, at, target, ignoreCase)) {
      return static_cast<std::int32_t>(at) + 1;
    }
    if (at + CharLength(text, at) > text.size()) break;
  }
  return -1;
}

inline std::string ModelReplace(const std::string& text,
                                const std::string& target,
                                const std::string& replacement,
                                std::int32_t start, std::int32_t count,
                                bool caseSensitive) {
  const std::size_t origin =
      start <= 1 ? 0 : static_cast<std::size_t>(start - 1);
  if (text.empty() || target.empty() || count == 0 || origin >= text.size()) {
    return text;
  }
  std::string result = text.substr(0, origin);
  std::int32_t replaced = 0;
  std::size_t at = origin;
  while (at < text.size()) {
    if (text.size() - at < target.size()) {
      result += text.substr(at);
      break;
    }
    if (MatchesAt(text, at, target, !caseSensitive)) {
      result += replacement;
      at += target.size();
      if (++replaced == count) {
        result += text.substr(at);
        break;
      }
      continue;
    }
    if (at + CharLength(text, at) > text.size()) break;  // Broken: dropped.
    result += text.substr(at, CharLength(text, at));
    at += CharLength(text, at);
  }
  return result;
}

inline std::vector<Text> ModelSplit(const std::string& text,
                                    const std::string& delimiter) {
  std::vector<Text> members;
  if (text.empty()) return members;
  std::size_t pieceStart = 0;
  std::size_t at = 0;
  while (at < text.size() && text.size() - at >= delimiter.size()) {
    if (MatchesAt(text, at, delimiter, false)) {
      members.emplace_back(text.substr(pieceStart, at - pieceStart));
      at += delimiter.size();
      pieceStart = at;
    } else {
      at += CharLength(text, at);
    }
  }
  if (pieceStart < text.size()) members.emplace_back(text.substr(pieceStart));
  return members;
}

// The space 0x20, or the full-width space A1 A1 beginning at `at`.
inline bool SpaceAt(const std::string& text, std::size_t at) {
  return text[at] == ' ' || (at + 1 < text.size() &&
                             static_cast<unsigned char>(text[at]) == 0xA1 &&
                             static_cast<unsigned char>(text[at + 1]) == 0xA1);
}

// TrimText: spaces off the front, then either the broken last character
// (the spaces before it stay) or the run of spaces that reaches the end.
inline std::string ModelTrim(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size() && SpaceAt(text, at)) at += CharLength(text, at);
  const std::size_t start = at;
  std::size_t keptEnd = start;
  for (; at < text.size(); at += CharLength(text, at)) {
    if (at + CharLength(text, at) > text.size()) {
      return text.substr(start, at - start);
    }
    if (!SpaceAt(text, at)) keptEnd = at + CharLength(text, at);
  }
  return text.substr(start, keptEnd - start);
}

}  // namespace quorrin::char_walk_model

#endif  // QUORRIN_TESTS_TEXT_CHAR_WALK_MODEL_H_
