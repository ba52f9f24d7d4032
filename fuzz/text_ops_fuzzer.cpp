// FindText, ReplaceText, SplitText and TrimText against the plain character
// walk of tests/text/char_walk_model.h, on any bytes: any disagreement, not
// only a crash, is a fault.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "char_walk_model.h"
#include "text/text.h"
#include "text/text_ops.h"

namespace {

using quorrin::Text;
namespace model = quorrin::char_walk_model;

[[noreturn]] void Disagree(const char* operation) {
  std::fprintf(stderr, "%s disagrees with the character-walk model\n",
               operation);
  std::abort();
}

// As a Text holds it: the bytes before the first zero byte.
std::string AsText(const std::string& bytes) {
  return std::string(Text(bytes).view());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool ignoreCase = input.ConsumeBool();
  const bool caseSensitive = input.ConsumeBool();
  const auto count = input.ConsumeIntegralInRange<std::int32_t>(-2, 5);
  const auto startShift = input.ConsumeIntegralInRange<std::int32_t>(-2, 66);
  // Short targets and delimiters, so that they occur, and at both parities.
  const std::string target = AsText(input.ConsumeRandomLengthString(4));
  const std::string replacement = AsText(input.ConsumeRandomLengthString(4));
  std::string delimiter = AsText(input.ConsumeRandomLengthString(3));
  if (delimiter.empty()) delimiter = ";";
  const std::string text = AsText(input.ConsumeRemainingBytesAsString());
  // Around the text's own length too, where the end cases live.
  const std::int32_t start =
      startShift > 62
          ? static_cast<std::int32_t>(text.size()) + (startShift - 64)
          : startShift;

  const Text t(text);
  if (quorrin::FindText(t, Text(target), start, ignoreCase) !=
      model::ModelFind(text, target, start, ignoreCase)) {
    Disagree("FindText");
  }
  if (quorrin::FindText(t, Text(target), ignoreCase) !=
      model::ModelFind(text, target, 1, ignoreCase)) {
    Disagree("FindText without a start");
  }
  if (quorrin::ReplaceText(t, Text(target), Text(replacement), start, count,
                           caseSensitive) !=
      Text(model::ModelReplace(text, target, replacement, start, count,
                               caseSensitive))) {
    Disagree("ReplaceText");
  }
  if (quorrin::ReplaceText(t, Text(target), caseSensitive) !=
      Text(model::ModelReplace(text, target, "", 1, quorrin::kAllOccurrences,
                               caseSensitive))) {
    Disagree("ReplaceText deleting");
  }

  const quorrin::TextArray members = quorrin::SplitText(t, Text(delimiter));
  const std::vector<Text> expected = model::ModelSplit(text, delimiter);
  if (quorrin::MemberCount(members) !=
      static_cast<std::int32_t>(expected.size())) {
    Disagree("SplitText's member count");
  }
  for (std::int32_t i = 1; i <= quorrin::MemberCount(members); ++i) {
    if (members[i] != expected[static_cast<std::size_t>(i - 1)]) {
      Disagree("SplitText");
    }
  }

  const Text trimmed = quorrin::TrimText(t);
  if (trimmed != Text(model::ModelTrim(text))) Disagree("TrimText");
  return 0;
}
