#include "views/ContextReading.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <exception>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "analysis/Analysis.h"
#include "dictionary/Lexicon.h"
#include "analysis/MyParser.h"
#include "dictionary/GlossGroups.h"
#include "tagging/Tagger.h"
#include "tagging/TaggerFeatures.h"
#include "views/SentenceWindow.h"

namespace lexiscoop {
namespace {

using tagging::Tag;

// Distinct windows whose tag is kept for windows met again.
constexpr size_t kMostWindowsKept = 1 << 20;
// Occurrences of a word read only for its glosses' part of speech that are
// tagged: the first ones tell the common use.
constexpr int32_t kGlossSample = 16;
// Occurrences worth a thread of their own: tagging them takes some
// milliseconds, starting a thread some microseconds.
constexpr size_t kOccurrencesForASecondThread = 1000;

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

bool IsFormOf(const Headword& headword, std::string_view spelling) {
  return std::any_of(headword.forms.begin(), headword.forms.end(),
                     [&](const std::string& form) { return EqualFolded(form, spelling); });
}

// spelling = headword + "s" or + "es": a regular third person (or plural).
bool AddsS(std::string_view headword, std::string_view spelling) {
  for (std::string_view ending : {"s", "es"}) {
    if (spelling.size() == headword.size() + ending.size() &&
        EqualFolded(spelling.substr(0, headword.size()), headword) &&
        EqualFolded(spelling.substr(headword.size()), ending))
      return true;
  }
  return false;
}

// spelling = stem + "ves" for a headword stem + "f" or stem + "fe": a noun
// plural (life -> lives, leaf -> leaves).
bool PluralFromF(std::string_view headword, std::string_view spelling) {
  if (spelling.size() < 4 || !EqualFolded(spelling.substr(spelling.size() - 3), "ves")) return false;
  const std::string_view stem = spelling.substr(0, spelling.size() - 3);
  if (headword.size() < stem.size() + 1 || !EqualFolded(headword.substr(0, stem.size()), stem)) return false;
  const std::string_view rest = headword.substr(stem.size());
  return EqualFolded(rest, "f") || EqualFolded(rest, "fe");
}

// The headword of which `spelling` (…ves) is the -s form, when the
// dictionary files the spelling under a noun only (lives: life, live).
HeadwordId VerbOfPluralInVes(const Lexicon& lexicon, std::string_view spelling) {
  if (spelling.size() <= 4 || !EqualFolded(spelling.substr(spelling.size() - 3), "ves")) return kNoHeadword;
  return lexicon.FindHeadword(spelling.substr(0, spelling.size() - 1));
}

bool IsVerbFormFiledAsPlural(const Lexicon& lexicon, std::string_view spelling) {
  const HeadwordId verb = VerbOfPluralInVes(lexicon, spelling);
  if (verb == kNoHeadword) return false;
  const auto candidates = lexicon.Candidates(spelling);
  return std::find(candidates.begin(), candidates.end(), verb) == candidates.end();
}

// The tags of windows already tagged, by window key: open addressing over a
// table that doubles at half full and starts afresh past kMostWindowsKept.
// A slot holds the key's top 56 bits with the tag in the low byte, so that
// a look-up touches one place; 0 is an empty slot.
class WindowTags {
 public:
  const std::optional<Tag> Find(uint64_t key) const {
    if (slots_.empty()) return std::nullopt;
    key = Stored(key);
    for (size_t slot = SlotOf(key);; slot = (slot + 1) & mask_) {
      if ((slots_[slot] & ~kTagBits) == key) return static_cast<Tag>(slots_[slot] & kTagBits);
      if (slots_[slot] == 0) return std::nullopt;
    }
  }

  void Add(uint64_t key, Tag tag) {
    if (2 * (size_ + 1) > slots_.size()) {
      if (size_ >= kMostWindowsKept) {
        std::fill(slots_.begin(), slots_.end(), 0);
        size_ = 0;
      } else {
        Grow();
      }
    }
    Put(Stored(key) | static_cast<uint64_t>(tag));
    ++size_;
  }

 private:
  static constexpr uint64_t kTagBits = 0xFF;
  static_assert(tagging::kTagCount <= 0x100, "a tag fits the low byte");

  static uint64_t Stored(uint64_t key) { return (key & ~kTagBits) == 0 ? 0x100 : key & ~kTagBits; }
  size_t SlotOf(uint64_t key) const { return static_cast<size_t>(key >> 20) & mask_; }

  void Put(uint64_t slotValue) {
    size_t slot = SlotOf(slotValue);
    while (slots_[slot] != 0) slot = (slot + 1) & mask_;
    slots_[slot] = slotValue;
  }

  void Grow() {
    std::vector<uint64_t> old(std::max<size_t>(1024, 2 * slots_.size()), 0);
    old.swap(slots_);
    mask_ = slots_.size() - 1;
    for (const uint64_t slotValue : old) {
      if (slotValue != 0) Put(slotValue);
    }
  }

  std::vector<uint64_t> slots_;
  size_t mask_ = 0;
  size_t size_ = 0;
};

// How often an entry was read as one headword, and with which tags.
struct ReadingTally {
  HeadwordId id = kNoHeadword;
  int32_t count = 0;
  std::array<int32_t, tagging::kTagCount> tags{};
};
using ReadingTallies = std::vector<ReadingTally>;

ReadingTally* FindTally(ReadingTallies& tallies, HeadwordId id) {
  auto it = std::find_if(tallies.begin(), tallies.end(), [&](const ReadingTally& t) { return t.id == id; });
  return it == tallies.end() ? nullptr : &*it;
}

void Tally(ReadingTallies& tallies, HeadwordId id, uint8_t tag) {
  ReadingTally* tally = FindTally(tallies, id);
  if (!tally) {
    tallies.push_back(ReadingTally{id, 0, {}});
    tally = &tallies.back();
  }
  ++tally->count;
  if (tag < tagging::kTagCount) ++tally->tags[tag];
}

// The gloss labels (CP932) that answer a tag, the best first: a participle
// reads as an adjective and an adverb as an adjective or a preposition where
// the glosses have no group of their own part of speech.
std::span<const std::string_view> GlossLabelsOf(Tag tag) {
  static constexpr std::string_view kNoun[] = {"\x96\xBC"};                            // 名
  static constexpr std::string_view kVerb[] = {"\x93\xAE"};                            // 動
  static constexpr std::string_view kParticiple[] = {"\x93\xAE", "\x8C\x60"};          // 動 形
  static constexpr std::string_view kAdjective[] = {"\x8C\x60"};                       // 形
  static constexpr std::string_view kAdverb[] = {"\x95\x9B", "\x8C\x60", "\x91\x4F"};  // 副 形 前
  static constexpr std::string_view kPreposition[] = {"\x91\x4F", "\x90\xDA", "\x95\x9B"};  // 前 接 副
  static constexpr std::string_view kConjunction[] = {"\x90\xDA"};                     // 接
  static constexpr std::string_view kPronoun[] = {"\x91\xE3"};                         // 代
  static constexpr std::string_view kInterjection[] = {"\x8A\xD4"};                    // 間
  switch (tag) {
    case Tag::kNN: case Tag::kNNS: case Tag::kNP: return kNoun;
    case Tag::kVB: case Tag::kVBD: case Tag::kVBZ: case Tag::kMD: return kVerb;
    case Tag::kVBG: case Tag::kVBN: return kParticiple;
    case Tag::kJJ: case Tag::kJJR: case Tag::kJJS: return kAdjective;
    case Tag::kRB: case Tag::kRP: return kAdverb;
    case Tag::kIN: return kPreposition;
    case Tag::kCC: return kConjunction;
    case Tag::kPRP: case Tag::kPRPS: return kPronoun;
    case Tag::kUH: return kInterjection;
    default: return {};
  }
}

// Of the gloss groups of `gloss`, the label that the tags in `tags` answer
// most often; "" for none. Ties go to the group met first.
std::string_view CommonestLabel(const std::array<int32_t, tagging::kTagCount>& tags, std::string_view gloss) {
  std::vector<std::pair<std::string_view, int32_t>> labels;  // the groups' labels in order
  for (const GlossGroup& group : DecodeGlossGroups(gloss)) {
    if (!group.label.empty()) labels.emplace_back(group.label, 0);
  }
  for (int t = 0; t < tagging::kTagCount; ++t) {
    if (tags[static_cast<size_t>(t)] == 0) continue;
    for (const std::string_view label : GlossLabelsOf(static_cast<Tag>(t))) {
      auto it = std::find_if(labels.begin(), labels.end(), [&](const auto& l) { return l.first == label; });
      if (it != labels.end()) {
        it->second += tags[static_cast<size_t>(t)];
        break;
      }
    }
  }
  std::string_view best;
  int32_t bestCount = 0;
  for (const auto& [label, count] : labels) {
    if (count > bestCount) {
      best = label;
      bestCount = count;
    }
  }
  return best;
}

// The tag a noun or verb tag is most often confused with: NNS and VBZ, NN
// and VB.
std::optional<Tag> NounOrVerbCounterpart(Tag tag) {
  switch (tag) {
    case Tag::kNNS: return Tag::kVBZ;
    case Tag::kVBZ: return Tag::kNNS;
    case Tag::kNN: return Tag::kVB;
    case Tag::kVB: return Tag::kNN;
    default: return std::nullopt;
  }
}

// Whether glosses are grouped by more than one part of speech.
bool HasGlossGroups(std::string_view gloss) {
  return !LeadingGlossLabel(gloss).empty() && gloss.find(" / ") != std::string_view::npos;
}

}  // namespace

HeadwordId ReadingForTag(const Lexicon& lexicon, std::string_view spelling,
                         std::span<const HeadwordId> candidates, Tag tag) {
  if (candidates.empty()) return kNoHeadword;
  HeadwordId own = kNoHeadword;
  std::vector<HeadwordId> forms;  // headwords the spelling is an inflected form of
  for (const HeadwordId id : candidates) {
    const Headword& h = lexicon.At(id);
    if (EqualFolded(h.spelling, spelling)) {
      if (own == kNoHeadword) own = id;
    } else if (IsFormOf(h, spelling)) {
      forms.push_back(id);
    }
  }
  switch (tag) {
    case Tag::kVBD:
    case Tag::kVBN:
    case Tag::kVBG:
    case Tag::kJJR:
    case Tag::kJJS:
      if (!forms.empty()) return forms.front();
      break;
    case Tag::kVBZ: {
      for (const HeadwordId id : forms) {
        if (AddsS(lexicon.At(id).spelling, spelling)) return id;
      }
      // A verb whose -s form the dictionary files under a noun only
      // (lives, halves): the headword spelled without the -s.
      if (const HeadwordId verb = VerbOfPluralInVes(lexicon, spelling); verb != kNoHeadword) return verb;
      if (!forms.empty()) return forms.front();
      break;
    }
    case Tag::kNNS:
      for (const HeadwordId id : forms) {
        if (PluralFromF(lexicon.At(id).spelling, spelling)) return id;
      }
      if (!forms.empty()) return forms.front();
      break;
    default:
      if (own != kNoHeadword) return own;
      break;
  }
  return candidates.front();
}

ContextReader::ContextReader(std::shared_ptr<const Lexicon> lexicon,
                             std::shared_ptr<const tagging::TaggerModel> model)
    : lexicon_(std::move(lexicon)), model_(std::move(model)) {}

ContextReader::ContextReader(std::shared_ptr<const Lexicon> lexicon, TaggerModelSource modelSource)
    : lexicon_(std::move(lexicon)), modelSource_(std::move(modelSource)) {}

const tagging::TaggerModel* ContextReader::Model() {
  if (modelSource_) {
    model_ = modelSource_();
    modelSource_ = nullptr;
  }
  return model_.get();
}

int32_t ContextReader::WatchNewWord(std::string_view word) {
  slotOfEntry_.push_back(0);
  if (!lexicon_ || (!model_ && !modelSource_)) return 0;
  const std::span<const HeadwordId> candidates = lexicon_->Candidates(word);
  if (candidates.empty()) return 0;
  const HeadwordId rule = candidates.front();
  Watched watched;
  const bool ambiguous = candidates.size() > 1 || IsVerbFormFiledAsPlural(*lexicon_, word);
  bool differs = false, grouped = false;
  HeadwordId lastLookedAt = kNoHeadword;  // most tags give one headword: look at its glosses once
  for (int t = 0; t < tagging::kTagCount; ++t) {
    const HeadwordId id = ambiguous ? ReadingForTag(*lexicon_, word, candidates, static_cast<Tag>(t)) : rule;
    watched.byTag[static_cast<size_t>(t)] = id;
    differs = differs || id != rule;
    if (!grouped && id != lastLookedAt) {
      grouped = HasGlossGroups(lexicon_->At(id).gloss);
      lastLookedAt = id;
    }
  }
  if (!differs && !grouped) return 0;
  const tagging::TaggerModel* model = Model();
  if (!model) return 0;
  watched.fixedTag = model->DictionaryTag(tagging::NormaliseForTagger(word));
  // The tag dictionary gives tears, books and lands as plural nouns only;
  // where the verb would read the word otherwise, the weights decide.
  if (watched.fixedTag) {
    if (const std::optional<Tag> other = NounOrVerbCounterpart(*watched.fixedTag)) {
      const HeadwordId id = watched.byTag[static_cast<size_t>(*watched.fixedTag)];
      if (id != watched.byTag[static_cast<size_t>(*other)] || HasGlossGroups(lexicon_->At(id).gloss)) {
        watched.fixedTag.reset();
        watched.predict = true;
      }
    }
  }
  int32_t limit = differs ? kEveryOccurrence : kGlossSample;
  if (watched.fixedTag) {
    // Every occurrence takes the one tag: the first tells the reading.
    const HeadwordId id = watched.byTag[static_cast<size_t>(*watched.fixedTag)];
    if (id == rule && !HasGlossGroups(lexicon_->At(id).gloss)) return 0;
    limit = id == rule ? 1 : kEveryOccurrence;
  }
  watched_.push_back(watched);
  slotOfEntry_.back() = static_cast<uint32_t>(watched_.size());
  return limit;
}

struct ContextReader::Scratch {
  explicit Scratch(std::shared_ptr<const tagging::TaggerModel> model) : tagger(std::move(model)) {}
  tagging::Tagger tagger;
  WindowTags tagOfWindow;
  std::vector<std::string_view> tokens;
};

// Reads the occurrences the scan hands over, batch by batch, on a thread
// started with the first batch.
class ContextReader::Alongside {
 public:
  Alongside(std::shared_ptr<const tagging::TaggerModel> model, std::string_view text)
      : model_(std::move(model)), text_(text) {}
  ~Alongside() {
    {
      std::lock_guard lock(mutex_);
      batches_.clear();
      ended_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
  }

  void Hand(std::vector<KeptOccurrence> batch) {
    {
      std::lock_guard lock(mutex_);
      batches_.push_back(std::move(batch));
    }
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    wake_.notify_one();
  }

  // Every occurrence handed over, read, in order: the batches the thread
  // has not begun are read here meanwhile. Rethrows what stopped a reading.
  std::vector<KeptOccurrence> Finish() {
    std::deque<std::vector<KeptOccurrence>> left;
    {
      std::lock_guard lock(mutex_);
      left.swap(batches_);
      ended_ = true;
    }
    wake_.notify_one();
    std::exception_ptr failure;
    try {
      if (!left.empty()) {
        Scratch scratch(model_);
        for (std::vector<KeptOccurrence>& batch : left) {
          for (KeptOccurrence& kept : batch) ReadOne(kept.occurrence, kept.watched, text_, scratch);
        }
      }
    } catch (...) {
      failure = std::current_exception();
    }
    if (thread_.joinable()) thread_.join();
    if (failure_) std::rethrow_exception(failure_);
    if (failure) std::rethrow_exception(failure);
    for (const std::vector<KeptOccurrence>& batch : left) read_.insert(read_.end(), batch.begin(), batch.end());
    return std::move(read_);
  }

 private:
  void Run() {
    try {
      Scratch scratch(model_);
      for (;;) {
        std::vector<KeptOccurrence> batch;
        {
          std::unique_lock lock(mutex_);
          wake_.wait(lock, [this] { return !batches_.empty() || ended_; });
          if (batches_.empty()) return;
          batch = std::move(batches_.front());
          batches_.pop_front();
        }
        for (KeptOccurrence& kept : batch) ReadOne(kept.occurrence, kept.watched, text_, scratch);
        read_.insert(read_.end(), batch.begin(), batch.end());
      }
    } catch (...) {
      failure_ = std::current_exception();
    }
  }

  std::shared_ptr<const tagging::TaggerModel> model_;
  std::string_view text_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::vector<KeptOccurrence>> batches_;  // guarded by mutex_
  bool ended_ = false;                                // guarded by mutex_
  std::vector<KeptOccurrence> read_;                  // the thread's until joined
  std::exception_ptr failure_;                        // the thread's until joined
};

ContextReader::~ContextReader() = default;

void ContextReader::OccurrencesKept(std::span<const WatchedOccurrence> kept) {
  if (alongsideText_.empty() || !model_ || kept.size() <= handedOver_) return;
  if (!alongside_) {
    if (std::thread::hardware_concurrency() < 2) {
      alongsideText_ = {};
      return;
    }
    alongside_ = std::make_unique<Alongside>(model_, alongsideText_);
  }
  std::vector<KeptOccurrence> batch;
  batch.reserve(kept.size() - handedOver_);
  for (const WatchedOccurrence& occurrence : kept.subspan(handedOver_)) {
    const size_t entry = static_cast<size_t>(occurrence.entry);
    const bool watched = entry < slotOfEntry_.size() && slotOfEntry_[entry] != 0;
    batch.push_back({occurrence, watched ? &watched_[slotOfEntry_[entry] - 1] : nullptr});
  }
  handedOver_ = kept.size();
  alongside_->Hand(std::move(batch));
}

void ContextReader::ReadOne(WatchedOccurrence& occurrence, const Watched* watched, std::string_view text,
                            Scratch& scratch) {
  occurrence.reading = kNoHeadword;
  if (!watched) return;
  Tag tag;
  if (watched->fixedTag) {
    tag = *watched->fixedTag;
  } else {
    const size_t hit = WindowAround(text, occurrence.offset, scratch.tokens);
    if (hit == kNoToken) return;  // the rule reads it
    const uint64_t key = WindowKey(scratch.tokens, hit);
    if (const std::optional<Tag> known = scratch.tagOfWindow.Find(key)) {
      tag = *known;
    } else {
      tag = scratch.tagger.TagThrough(scratch.tokens, hit, watched->predict);
      scratch.tagOfWindow.Add(key, tag);
    }
  }
  occurrence.reading = watched->byTag[static_cast<size_t>(tag)];
  occurrence.tag = static_cast<uint8_t>(tag);
}

void ContextReader::ReadOccurrences(std::span<WatchedOccurrence> occurrences, std::string_view text,
                                    int share, int shares) const {
  Scratch scratch(model_);
  // The occurrences lie far apart in a long text: the bytes around the
  // ones a little ahead are asked for while this one is read.
  constexpr size_t kLookAhead = 16;
  for (size_t i = 0; i < occurrences.size(); ++i) {
    if (i + kLookAhead < occurrences.size()) {
      const size_t ahead = occurrences[i + kLookAhead].offset;
      __builtin_prefetch(text.data() + ahead);
      __builtin_prefetch(text.data() + (ahead >= 64 ? ahead - 64 : 0));
    }
    WatchedOccurrence& occurrence = occurrences[i];
    const size_t entry = static_cast<size_t>(occurrence.entry);
    if (static_cast<int>(entry % static_cast<size_t>(shares)) != share) continue;
    const bool watched = entry < slotOfEntry_.size() && slotOfEntry_[entry] != 0;
    ReadOne(occurrence, watched ? &watched_[slotOfEntry_[entry] - 1] : nullptr, text, scratch);
  }
}

std::vector<EntryReadings> ContextReader::Read(AnalysisResult& result, std::string_view text) {
  // The occurrences read while the scan went on take their readings; a
  // long text's others are read by two threads at once, each taking the
  // words of its own entries: a window met again is one the same thread has
  // tagged.
  size_t readAlongside = 0;
  if (alongside_) {
    const std::vector<KeptOccurrence> read = alongside_->Finish();
    alongside_.reset();
    for (; readAlongside < read.size() && readAlongside < result.watched.size(); ++readAlongside) {
      const WatchedOccurrence& kept = read[readAlongside].occurrence;
      WatchedOccurrence& occurrence = result.watched[readAlongside];
      if (occurrence.offset != kept.offset || occurrence.entry != kept.entry) break;
      occurrence.reading = kept.reading;
      occurrence.tag = kept.tag;
    }
  }
  if (watched_.empty() || !result.Classified()) return {};
  const std::span<WatchedOccurrence> all(result.watched);
  const std::span<WatchedOccurrence> rest = all.subspan(readAlongside);
  if (rest.size() >= 2 * kOccurrencesForASecondThread && std::thread::hardware_concurrency() > 1) {
    std::exception_ptr failure;
    std::thread second([&] {
      try {
        ReadOccurrences(rest, text, 1, 2);
      } catch (...) {
        failure = std::current_exception();
      }
    });
    try {
      ReadOccurrences(rest, text, 0, 2);
    } catch (...) {
      second.join();
      throw;
    }
    second.join();
    if (failure) std::rethrow_exception(failure);
  } else {
    ReadOccurrences(rest, text, 0, 1);
  }
  std::vector<ReadingTallies> tallies(watched_.size());
  for (const WatchedOccurrence& occurrence : all) {
    if (occurrence.reading != kNoHeadword) {
      Tally(tallies[slotOfEntry_[static_cast<size_t>(occurrence.entry)] - 1], occurrence.reading, occurrence.tag);
    }
  }

  std::vector<EntryReadings> splits;
  for (size_t entry = 0; entry < slotOfEntry_.size() && entry < result.classes.size(); ++entry) {
    if (slotOfEntry_[entry] == 0) continue;
    ReadingTallies& read = tallies[slotOfEntry_[entry] - 1];
    const WordClass& rule = result.classes[entry];
    int64_t readCount = 0;
    for (const ReadingTally& t : read) readCount += t.count;
    const int32_t occurrences = result.words.Occurrences(static_cast<int>(entry));
    if (read.empty() || readCount > occurrences) continue;
    // Occurrences that were not read keep the rule's headword.
    if (readCount < occurrences) {
      Tally(read, rule.headword, WatchedOccurrence::kNoTag);
      FindTally(read, rule.headword)->count += static_cast<int32_t>(occurrences - readCount - 1);
    }
    std::stable_sort(read.begin(), read.end(), [](const auto& a, const auto& b) { return a.count > b.count; });
    EntryReadings split{static_cast<int32_t>(entry), {}};
    bool changed = read.size() > 1 || read.front().id != rule.headword;
    for (const ReadingTally& t : read) {
      WordClass word = rule;
      if (t.id != rule.headword) {
        word.headword = t.id;
        word.level = lexicon_->At(t.id).level;
        word.flags = static_cast<uint8_t>(word.flags | kWordReadInContext);
      }
      std::string glosses = GlossesWithGroupFirst(lexicon_->At(t.id).gloss, CommonestLabel(t.tags, lexicon_->At(t.id).gloss));
      changed = changed || !glosses.empty();
      split.readings.push_back(WordReading{word, t.count, std::move(glosses)});
    }
    if (changed) splits.push_back(std::move(split));
  }
  return splits;
}

namespace {

ScanEnd AnalyseWith(TMyParser& parser, AnalysisResult& result, const std::shared_ptr<const Lexicon>& lexicon,
                    std::optional<ContextReader>& reader, ScanControl control) {
  if (reader) {
    reader->ReadAlongside(parser.FullText());
    control.watch = &*reader;
  }
  const ScanEnd end = ScanText(parser, result, control);
  ClassifyWords(result, lexicon);
  if (reader) ApplyWordReadings(result, reader->Read(result, parser.FullText()));
  return end;
}

}  // namespace

ScanEnd AnalyseText(TMyParser& parser, AnalysisResult& result, std::shared_ptr<const Lexicon> lexicon,
                    std::shared_ptr<const tagging::TaggerModel> model, ScanControl control) {
  std::optional<ContextReader> reader;
  if (lexicon && model) reader.emplace(lexicon, std::move(model));
  return AnalyseWith(parser, result, lexicon, reader, control);
}

ScanEnd AnalyseText(TMyParser& parser, AnalysisResult& result, std::shared_ptr<const Lexicon> lexicon,
                    TaggerModelSource modelSource, ScanControl control) {
  std::optional<ContextReader> reader;
  if (lexicon && modelSource) reader.emplace(lexicon, std::move(modelSource));
  return AnalyseWith(parser, result, lexicon, reader, control);
}

}  // namespace lexiscoop
