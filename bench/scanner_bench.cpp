// Throughput of the word scanner over a generated English text, beside a
// plain memcpy of the same bytes for scale.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "analysis/MyParser.h"

namespace {

// About `bytes` of English-looking text: words of a small vocabulary with
// punctuation, in lines of at most about 80 bytes ending with CR LF.
std::string EnglishText(size_t bytes) {
  static const char* const kWords[] = {
      "the",   "of",     "and",       "to",      "in",        "a",       "is",
      "that",  "for",    "it",        "as",      "was",       "with",    "be",
      "by",    "on",     "not",       "he",      "I",         "this",    "are",
      "or",    "his",    "from",      "at",      "which",     "but",     "have",
      "an",    "had",    "they",      "you",     "were",      "their",   "one",
      "all",   "we",     "can",       "her",     "has",       "there",   "been",
      "if",    "more",   "when",      "will",    "would",     "who",     "so",
      "no",    "don't",  "well-known", "children's", "government", "1990s", "x86",
      "Mr",    "London", "understanding", "however", "e-mail",  "it's",    "through"};
  std::string text;
  text.reserve(bytes + 100);
  unsigned seed = 12345;
  size_t lineLength = 0;
  while (text.size() < bytes) {
    seed = seed * 1103515245u + 12345u;
    const char* word = kWords[(seed >> 16) % std::size(kWords)];
    text += word;
    lineLength += std::strlen(word);
    const unsigned r = (seed >> 8) % 16;
    if (r == 0) text += ", ";
    else if (r == 1) text += ". ";
    else text += ' ';
    lineLength += 2;
    if (lineLength > 70) {
      text += "\r\n";
      lineLength = 0;
    }
  }
  return text;
}

const std::string& Text() {
  static const std::string text = EnglishText(8 << 20);
  return text;
}

void BM_ScanWords(benchmark::State& state) {
  lexiscoop::TMyParser parser;
  parser.AssignText(Text());
  std::string word;
  for (auto _ : state) {
    size_t words = 0;
    parser.Rewind();
    while (parser.HasWord()) {
      parser.CurrentWordInto(word);
      benchmark::DoNotOptimize(word.data());
      ++words;
      parser.NextWord();
    }
    benchmark::DoNotOptimize(words);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text().size()));
}
BENCHMARK(BM_ScanWords)->Unit(benchmark::kMillisecond);

// Scans `text` word by word through views, as the analysis run does.
void ScanViews(benchmark::State& state, const std::string& text) {
  lexiscoop::TMyParser parser;
  parser.AssignText(text);
  for (auto _ : state) {
    size_t bytes = 0;
    parser.Rewind();
    while (parser.HasWord()) {
      bytes += parser.CurrentWordView().size();
      parser.NextWord();
    }
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_ScanWordViews(benchmark::State& state) { ScanViews(state, Text()); }
BENCHMARK(BM_ScanWordViews)->Unit(benchmark::kMillisecond);

void BM_SkipWords(benchmark::State& state) {
  lexiscoop::TMyParser parser;
  parser.AssignText(Text());
  for (auto _ : state) {
    size_t words = 0;
    parser.Rewind();
    while (parser.HasWord()) {
      ++words;
      parser.NextWord();
    }
    benchmark::DoNotOptimize(words);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text().size()));
}
BENCHMARK(BM_SkipWords)->Unit(benchmark::kMillisecond);

// The same text as paragraphs of about 50 KB on one line each.
const std::string& LongLineText() {
  static const std::string text = [] {
    std::string t = Text();
    size_t sinceBreak = 0;
    for (size_t i = 0; i + 1 < t.size(); ++i) {
      ++sinceBreak;
      if (t[i] == '\r' && t[i + 1] == '\n' && sinceBreak < 50000) t[i] = t[i + 1] = ' ';
      if (t[i] == '\n') sinceBreak = 0;
    }
    return t;
  }();
  return text;
}

void BM_ScanLongLines(benchmark::State& state) { ScanViews(state, LongLineText()); }
BENCHMARK(BM_ScanLongLines)->Unit(benchmark::kMillisecond);

void BM_Memcpy(benchmark::State& state) {
  std::vector<char> copy(Text().size());
  for (auto _ : state) {
    std::memcpy(copy.data(), Text().data(), Text().size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Text().size()));
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
