// The text operations on a page the size of a large share page: mostly ASCII
// HTML with runs of two-byte characters, the marker near the end. memmem on
// the same bytes for the same marker is the yardstick for the searches.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "text/extract.h"
#include "text/text_ops.h"

namespace quorrin {
namespace {

constexpr std::size_t kPageSize = 4 << 20;
constexpr char kMarker[] = "v1/playwm/?video_id=";

// Code page 936 pairs: first byte B0-F7, second A1-FE, like real hanzi.
void AppendHanzi(std::string& page, std::mt19937& random, int count) {
  std::uniform_int_distribution<int> first(0xB0, 0xF7);
  std::uniform_int_distribution<int> second(0xA1, 0xFE);
  for (int i = 0; i < count; ++i) {
    page.push_back(static_cast<char>(first(random)));
    page.push_back(static_cast<char>(second(random)));
  }
}

Text MakePage() {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> runLength(2, 24);
  std::uniform_int_distribution<int> number(0, 999999);
  std::string page = "<!DOCTYPE html><html><head><meta charset=\"gbk\"><title>";
  AppendHanzi(page, random, 8);
  page += "</title></head><body>\n";
  while (page.size() < kPageSize - 4096) {
    page += "<div class=\"video-card\" data-id=\"";
    page += std::to_string(number(random));
    page += "\"><a href=\"/share/video/";
    page += std::to_string(number(random));
    page += "/?region=CN&amp;mid=";
    page += std::to_string(number(random));
    page += "\" title=\"";
    AppendHanzi(page, random, runLength(random));
    page += "\"><span class=\"desc\">";
    AppendHanzi(page, random, runLength(random));
    page += " #";
    AppendHanzi(page, random, 4);
    page += " @Video_Play</span></a></div>\n";
  }
  page +=
      "<script>window._ROUTER_DATA = {\"play_addr\":{\"url_list\":"
      "[\"https://aweme.example/aweme/";
  page += kMarker;
  page += "v0200fg10000cr4kq7bc77u1&ratio=720p&line=0\"]}};</script>\n";
  page += "</body></html>\n";
  return Text(page);
}

const Text& Page() {
  static const Text page = MakePage();
  return page;
}

// Where memmem puts `marker`, counted from 1 as FindText counts; -1 when
// it is missing.
std::int32_t MemmemPosition(const char* marker) {
  const Text& page = Page();
  const void* hit = memmem(page.data(), static_cast<std::size_t>(page.size()),
                           marker, std::strlen(marker));
  if (hit == nullptr) return -1;
  return static_cast<std::int32_t>(static_cast<const char*>(hit) -
                                   page.data()) +
         1;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          Page().size());
}

// Two markers: the resolver's, whose first byte 'v' stands every few dozen
// bytes, and one whose first byte 'a' stands every few bytes, where a
// search stops at far more candidates.
constexpr char kFrequentFirstMarker[] = "aweme/v1/playwm";

void BM_Memmem(benchmark::State& state, const char* marker) {
  const Text& page = Page();
  const std::size_t length = std::strlen(marker);
  for (auto _ : state) {
    benchmark::DoNotOptimize(memmem(
        page.data(), static_cast<std::size_t>(page.size()), marker, length));
  }
  SetBytes(state);
}
BENCHMARK_CAPTURE(BM_Memmem, marker, kMarker);
BENCHMARK_CAPTURE(BM_Memmem, frequentFirst, kFrequentFirstMarker);

void BM_FindTextExact(benchmark::State& state, const char* marker) {
  const Text& page = Page();
  const Text target = marker;
  if (FindText(page, target, false) != MemmemPosition(marker)) {
    state.SkipWithError("FindText disagrees with memmem");
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindText(page, target, false));
  }
  SetBytes(state);
}
BENCHMARK_CAPTURE(BM_FindTextExact, marker, kMarker);
BENCHMARK_CAPTURE(BM_FindTextExact, frequentFirst, kFrequentFirstMarker);

// The marker with its letters' case changed, found with case folded.
void BM_FindTextFolded(benchmark::State& state, const char* marker) {
  const Text& page = Page();
  Text target = UpperText(marker);
  if (FindText(page, target, true) != MemmemPosition(marker)) {
    state.SkipWithError("folded FindText disagrees with memmem");
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindText(page, target, true));
  }
  SetBytes(state);
}
BENCHMARK_CAPTURE(BM_FindTextFolded, marker, kMarker);
BENCHMARK_CAPTURE(BM_FindTextFolded, frequentFirst, kFrequentFirstMarker);

void BM_MiddleText(benchmark::State& state) {
  const Text& page = Page();
  for (auto _ : state) {
    Text left = kMarker;
    Text right = "&";
    benchmark::DoNotOptimize(MiddleText(page, left, right));
  }
  SetBytes(state);
}
BENCHMARK(BM_MiddleText);

void BM_ReplaceText(benchmark::State& state) {
  const Text& page = Page();
  // Tens of thousands of occurrences: the result is rebuilt once, not per
  // occurrence.
  const Text target = "&amp;";
  const Text replacement = "&";
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        ReplaceText(page, target, replacement, 1, kAllOccurrences, true));
  }
  SetBytes(state);
}
BENCHMARK(BM_ReplaceText);

void BM_SplitText(benchmark::State& state) {
  const Text& page = Page();
  const Text delimiter = "\n";
  for (auto _ : state) {
    benchmark::DoNotOptimize(SplitText(page, delimiter));
  }
  SetBytes(state);
}
BENCHMARK(BM_SplitText);

}  // namespace
}  // namespace quorrin

BENCHMARK_MAIN();
