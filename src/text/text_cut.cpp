// Operations by byte count: they pay no attention to two-byte characters.

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "text/text_ops.h"

namespace quorrin {

std::int32_t TextLength(const Text& text) { return text.size(); }

Text ConcatText(const Text& first, const Text& second) {
  Text joined;
  joined.Reserve(first.view().size() + second.view().size());
  joined.Append(first.view());
  joined.Append(second.view());
  return joined;
}

Text ConcatText(const Text& first, const Text& second, const Text& third) {
  Text joined;
  joined.Reserve(first.view().size() + second.view().size() +
                 third.view().size());
  joined.Append(first.view());
  joined.Append(second.view());
  joined.Append(third.view());
  return joined;
}

Text LeftText(const Text& text, std::int32_t count) {
  if (count <= 0) return Text();
  return Text(text.view().substr(0, static_cast<std::size_t>(count)));
}

Text RightText(const Text& text, std::int32_t count) {
  if (count <= 0) return Text();
  if (count >= text.size()) return text;
  return Text(
      text.view().substr(static_cast<std::size_t>(text.size() - count)));
}

Text MidText(const Text& text, std::int32_t start, std::int32_t count) {
  if (start < 1 || start > text.size() || count <= 0) return Text();
  return Text(text.view().substr(static_cast<std::size_t>(start - 1),
                                 static_cast<std::size_t>(count)));
}

Text BlankText(std::int32_t count) {
  if (count <= 0) return Text();
  Text blank;
  blank.Reserve(static_cast<std::size_t>(count));
  // Filled a chunk at a time: the count may be large and Append takes views.
  constexpr std::string_view kSpaces =
      "                                                                ";
  for (std::int32_t left = count; left > 0;) {
    const auto chunk =
        std::min<std::int32_t>(left, static_cast<std::int32_t>(kSpaces.size()));
    blank.Append(kSpaces.substr(0, static_cast<std::size_t>(chunk)));
    left -= chunk;
  }
  return blank;
}

}  // namespace quorrin
