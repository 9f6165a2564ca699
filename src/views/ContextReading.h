#pragma once

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/WordReadings.h"
#include "analysis/WordWatch.h"
#include "tagging/TagSet.h"
#include "tagging/TaggerModel.h"

namespace lexiscoop {

class Lexicon;
class TMyParser;

// Gives the tagger model when asked (nullptr: none to be had).
using TaggerModelSource = std::function<std::shared_ptr<const tagging::TaggerModel>()>;

// Of the candidate headwords of `spelling` (in rule order), the one whose
// forms fit the part-of-speech tag the word has in its sentence: a past or
// participle tag takes a headword the spelling is an inflected form of
// (found/VBD -> find), a base tag the spelling's own headword (found/VB ->
// found, saw/NN -> saw), a plural noun a headword whose plural in -ves comes
// from -f or -fe (lives/NNS -> life), a third-person verb one whose form adds
// -s or -es (lives/VBZ -> live). Without a better fit, the first candidate.
HeadwordId ReadingForTag(const Lexicon& lexicon, std::string_view spelling,
                         std::span<const HeadwordId> candidates, tagging::Tag tag);

// Reads the words of one text in their sentences. As the scan's watch
// (ScanControl::watch) it decides once per distinct word whether some tag
// would read it as another headword than the rule's, or pick another of its
// headword's gloss groups, so that the scan keeps the places of those words
// only (of a word read only for its glosses, the first few); Read then tags
// each such occurrence with a few words either side. A word the tagger
// always gives one tag is read without tagging. One reader per scan.
class ContextReader final : public WordWatch {
 public:
  ContextReader(std::shared_ptr<const Lexicon> lexicon, std::shared_ptr<const tagging::TaggerModel> model);
  // Asks `modelSource` for the model when the first word that its sentence
  // may read otherwise is met, once: a text whose words no tag reads
  // otherwise never loads it. A source giving none reads every word by the
  // rule; an empty source is no model.
  ContextReader(std::shared_ptr<const Lexicon> lexicon, TaggerModelSource modelSource);

  ~ContextReader() override;

  int32_t WatchNewWord(std::string_view word) override;

  // Reads the occurrences the scan hands over (OccurrencesKept) on a thread
  // of its own while the scan goes on; `text` is the text being scanned,
  // unchanged until Read.
  void ReadAlongside(std::string_view text) { alongsideText_ = text; }
  void OccurrencesKept(std::span<const WatchedOccurrence> kept) override;

  // After the scan with this reader as its watch and ClassifyWords with the
  // same lexicon: sets the reading of each of `result.watched` from `text`
  // (the scanned text, CP932) and returns how the entries' occurrences split
  // among headwords (by increasing entry, the most frequent reading first),
  // ready for ApplyWordReadings; each reading's glosses put the part of
  // speech its occurrences took most often first. An occurrence the reader
  // cannot place in the text keeps the rule's headword.
  std::vector<EntryReadings> Read(AnalysisResult& result, std::string_view text);

 private:
  struct Watched {
    std::array<HeadwordId, tagging::kTagCount> byTag;  // the reading for each tag
    std::optional<tagging::Tag> fixedTag;              // the one tag the tagger gives the word
    bool predict = false;  // tag by the weights, not the tag dictionary: its tag would hide a reading
  };

  struct Scratch;  // one reading thread's tagger, window memo and tokens
  // An occurrence handed over while the scan goes on, with its word.
  struct KeptOccurrence {
    WatchedOccurrence occurrence;
    const Watched* watched;  // nullptr: not read in context
  };
  class Alongside;

  // Sets the reading and tag of `occurrence` of `watched` (nullptr: the
  // rule's, kNoHeadword).
  static void ReadOne(WatchedOccurrence& occurrence, const Watched* watched, std::string_view text,
                      Scratch& scratch);
  // Sets the reading of each occurrence whose entry is `share` modulo
  // `shares` (kNoHeadword: the rule's).
  void ReadOccurrences(std::span<WatchedOccurrence> occurrences, std::string_view text, int share,
                       int shares) const;

  // The model, asked of modelSource_ at the first call.
  const tagging::TaggerModel* Model();

  std::shared_ptr<const Lexicon> lexicon_;
  TaggerModelSource modelSource_;
  std::shared_ptr<const tagging::TaggerModel> model_;
  std::vector<uint32_t> slotOfEntry_;  // per entry: index into watched_ + 1, 0 when not watched
  std::deque<Watched> watched_;        // a deque: the thread reading alongside holds pointers into it
  std::string_view alongsideText_;
  size_t handedOver_ = 0;  // occurrences handed to alongside_
  std::unique_ptr<Alongside> alongside_;
};

// Scans the holder's text into `result` and classifies it by `lexicon`; with
// a model, reads the words whose headword their sentence decides in context
// and records the split (ApplyWordReadings). Without one, the rule reads
// every word: the result is what ScanText and ClassifyWords make.
ScanEnd AnalyseText(TMyParser& parser, AnalysisResult& result, std::shared_ptr<const Lexicon> lexicon,
                    std::shared_ptr<const tagging::TaggerModel> model, ScanControl control = {});
// The same with the model asked of `modelSource` only when a word needs it.
ScanEnd AnalyseText(TMyParser& parser, AnalysisResult& result, std::shared_ptr<const Lexicon> lexicon,
                    TaggerModelSource modelSource, ScanControl control = {});

}  // namespace lexiscoop
