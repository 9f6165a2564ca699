// lxtagtrain: trains the part-of-speech tagger's model (data/LxTagger.dat)
// on the tagged Brown corpus, for tools/mkdict/build. Greedy averaged
// perceptron over the features of tagging/TaggerFeatures.h; every step is in
// integers and the shuffles come from a fixed seed, so the same corpus gives
// the same bytes every time.
//
//   lxtagtrain BROWN_DIR OUT.dat [--epochs N] [--slice FILE]
//
// BROWN_DIR holds the corpus files (ca01 .. cr09: one sentence a line,
// tokens «word/tag»). Files whose number ends in 0 (ca10, ca20, ...) are held
// out: the model never sees them, and the accuracy on them is printed.
// --slice writes the sentences of the held-out files ce20, cg40, cj30 and
// cn20, with the program's tags, to FILE («word/TAG» tokens, a sentence a
// line): the tagger's test reads it.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "tagging/TagSet.h"
#include "tagging/Tagger.h"
#include "tagging/TaggerFeatures.h"
#include "tagging/TaggerModel.h"

namespace {

using namespace lexiscoop::tagging;

struct Sentence {
  std::vector<std::string> words;
  std::vector<Tag> tags;
};

// The program's tag for a Brown tag: headline and title marks dropped, a
// contraction by its first part, a foreign word as FW.
bool MapBrownTag(std::string tag, Tag& out) {
  for (char& c : tag) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (tag.rfind("fw-", 0) == 0) {
    out = Tag::kFW;
    return true;
  }
  for (const char* mark : {"-tl", "-hl", "-nc"}) {
    for (size_t at; (at = tag.find(mark)) != std::string::npos;) tag.erase(at, 3);
  }
  if (const size_t plus = tag.find('+'); plus != std::string::npos && plus > 0) tag.resize(plus);
  if (tag == "pp$" || tag == "pp$$") {
    out = Tag::kPRPS;
    return true;
  }
  if (tag.size() > 1 && tag.back() == '*') tag.pop_back();  // negated: didn't, isn't
  if (tag.size() > 1 && tag.back() == '$') tag.pop_back();  // possessive noun
  static const std::map<std::string, Tag> kMap = {
      {"nn", Tag::kNN},    {"nr", Tag::kNN},    {"nns", Tag::kNNS},  {"nrs", Tag::kNNS},
      {"np", Tag::kNP},    {"nps", Tag::kNP},   {"vb", Tag::kVB},    {"be", Tag::kVB},
      {"bem", Tag::kVB},   {"ber", Tag::kVB},   {"do", Tag::kVB},    {"hv", Tag::kVB},
      {"vbd", Tag::kVBD},  {"bed", Tag::kVBD},  {"bedz", Tag::kVBD}, {"dod", Tag::kVBD},
      {"hvd", Tag::kVBD},  {"vbg", Tag::kVBG},  {"beg", Tag::kVBG},  {"hvg", Tag::kVBG},
      {"vbn", Tag::kVBN},  {"ben", Tag::kVBN},  {"hvn", Tag::kVBN},  {"vbz", Tag::kVBZ},
      {"bez", Tag::kVBZ},  {"doz", Tag::kVBZ},  {"hvz", Tag::kVBZ},  {"md", Tag::kMD},
      {"jj", Tag::kJJ},    {"ap", Tag::kJJ},    {"od", Tag::kJJ},    {"jjr", Tag::kJJR},
      {"jjs", Tag::kJJS},  {"jjt", Tag::kJJS},  {"rb", Tag::kRB},    {"rbr", Tag::kRB},
      {"rbt", Tag::kRB},   {"rn", Tag::kRB},    {"ql", Tag::kRB},    {"qlp", Tag::kRB},
      {"*", Tag::kRB},     {"rp", Tag::kRP},    {"in", Tag::kIN},    {"cs", Tag::kIN},
      {"cc", Tag::kCC},    {"at", Tag::kDT},    {"dt", Tag::kDT},    {"dti", Tag::kDT},
      {"dts", Tag::kDT},   {"dtx", Tag::kDT},   {"abn", Tag::kDT},   {"abx", Tag::kDT},
      {"abl", Tag::kDT},   {"ppl", Tag::kPRP},  {"ppls", Tag::kPRP}, {"ppo", Tag::kPRP},
      {"pps", Tag::kPRP},  {"ppss", Tag::kPRP}, {"pn", Tag::kPRP},   {"wdt", Tag::kWH},
      {"wp", Tag::kWH},    {"wpo", Tag::kWH},   {"wps", Tag::kWH},   {"wql", Tag::kWH},
      {"wrb", Tag::kWH},   {"cd", Tag::kCD},    {"to", Tag::kTO},    {"ex", Tag::kEX},
      {"uh", Tag::kUH},    {"nil", Tag::kFW}};
  if (const auto it = kMap.find(tag); it != kMap.end()) {
    out = it->second;
    return true;
  }
  if (std::none_of(tag.begin(), tag.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); })) {
    out = Tag::kPunct;
    return true;
  }
  return false;
}

bool ReadCorpusFile(const std::filesystem::path& path, std::vector<Sentence>& out) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream tokens(line);
    Sentence sentence;
    for (std::string token; tokens >> token;) {
      const size_t slash = token.rfind('/');
      if (slash == std::string::npos || slash == 0) continue;
      Tag tag;
      if (!MapBrownTag(token.substr(slash + 1), tag)) {
        std::cerr << "lxtagtrain: " << path.filename().string() << ": unknown tag in " << token << "\n";
        return false;
      }
      sentence.words.push_back(token.substr(0, slash));
      sentence.tags.push_back(tag);
    }
    if (!sentence.words.empty()) out.push_back(std::move(sentence));
  }
  return true;
}

// splitmix64: the shuffles' own generator, the same on every platform.
uint64_t NextRandom(uint64_t& state) {
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

struct Param {
  uint8_t tag;
  int32_t weight = 0;
  int64_t total = 0;  // weight summed over the updates so far
  int64_t stamp = 0;  // update count when `total` was last brought up to date
};

class Perceptron {
 public:
  int Predict(const uint32_t* features) const {
    int64_t scores[kTagCount] = {};
    for (int f = 0; f < kFeatureCount; ++f) {
      const auto it = index_.find(features[f]);
      if (it == index_.end()) continue;
      for (const Param& p : params_[it->second]) scores[p.tag] += p.weight;
    }
    int best = 0;
    for (int t = 1; t < kTagCount; ++t) {
      if (scores[t] > scores[best]) best = t;
    }
    return best;
  }

  void Update(int truth, int guess, const uint32_t* features) {
    ++updates_;
    if (truth == guess) return;
    for (int f = 0; f < kFeatureCount; ++f) {
      auto [it, added] = index_.try_emplace(features[f], static_cast<uint32_t>(params_.size()));
      if (added) params_.emplace_back();
      std::vector<Param>& slot = params_[it->second];
      Change(slot, truth, 1);
      Change(slot, guess, -1);
    }
  }

  // The averaged weights x scale, rounded, small ones dropped.
  ModelContents Averaged(uint16_t scale, int64_t dropBelow) const {
    ModelContents contents;
    contents.scale = scale;
    for (const auto& [hash, at] : index_) {
      FeatureWeights feature{hash, {}};
      for (const Param& p : params_[at]) {
        const int64_t total = p.total + (updates_ - p.stamp) * p.weight;
        const int64_t scaled = total * scale;
        int64_t rounded = (scaled >= 0 ? scaled + updates_ / 2 : scaled - updates_ / 2) / updates_;
        rounded = std::clamp<int64_t>(rounded, -32767, 32767);
        if (rounded <= -dropBelow || rounded >= dropBelow)
          feature.weights.emplace_back(static_cast<Tag>(p.tag), static_cast<int16_t>(rounded));
      }
      std::sort(feature.weights.begin(), feature.weights.end());
      if (!feature.weights.empty()) contents.features.push_back(std::move(feature));
    }
    std::sort(contents.features.begin(), contents.features.end(),
              [](const FeatureWeights& a, const FeatureWeights& b) { return a.hash < b.hash; });
    return contents;
  }

 private:
  void Change(std::vector<Param>& slot, int tag, int delta) {
    auto it = std::find_if(slot.begin(), slot.end(), [&](const Param& p) { return p.tag == tag; });
    if (it == slot.end()) {
      slot.push_back(Param{static_cast<uint8_t>(tag)});
      it = slot.end() - 1;
    }
    it->total += (updates_ - it->stamp) * it->weight;
    it->stamp = updates_;
    it->weight += delta;
  }

  std::unordered_map<uint32_t, uint32_t> index_;
  std::vector<std::vector<Param>> params_;
  int64_t updates_ = 0;
};

// Words seen at least 20 times that take one tag in at least 97% of uses.
std::vector<std::pair<std::string, Tag>> TagDictionary(const std::vector<Sentence>& sentences) {
  std::map<std::string, std::vector<int>> counts;
  for (const Sentence& s : sentences) {
    for (size_t i = 0; i < s.words.size(); ++i) {
      auto& row = counts[NormaliseForTagger(s.words[i])];
      row.resize(kTagCount);
      ++row[static_cast<int>(s.tags[i])];
    }
  }
  std::vector<std::pair<std::string, Tag>> dictionary;
  for (const auto& [word, row] : counts) {
    if (word.empty() || word.size() > 64) continue;
    int total = 0, best = 0;
    for (int t = 0; t < kTagCount; ++t) {
      total += row[t];
      if (row[t] > row[best]) best = t;
    }
    if (total >= 20 && row[best] * 100 >= total * 97) dictionary.emplace_back(word, static_cast<Tag>(best));
  }
  return dictionary;  // std::map keeps the words in byte order
}

struct Context {
  std::vector<std::string> normalised;
  std::vector<std::string_view> raw;
};

Context ContextOf(const Sentence& s) {
  Context c;
  for (const std::string& w : s.words) {
    c.normalised.push_back(NormaliseForTagger(w));
    c.raw.push_back(w);
  }
  return c;
}

void Train(Perceptron& model, const std::vector<Sentence>& sentences,
           const std::vector<std::pair<std::string, Tag>>& dictionary, int epochs) {
  std::unordered_map<std::string, Tag> known(dictionary.begin(), dictionary.end());
  std::vector<Context> contexts;
  contexts.reserve(sentences.size());
  for (const Sentence& s : sentences) contexts.push_back(ContextOf(s));
  std::vector<size_t> order(sentences.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  uint64_t seed = 20261207;
  uint32_t features[kFeatureCount];
  for (int epoch = 0; epoch < epochs; ++epoch) {
    size_t right = 0, seen = 0;
    for (size_t k : order) {
      const Sentence& s = sentences[k];
      const TaggerContext context{contexts[k].normalised, contexts[k].raw};
      uint8_t previous = kStartTag, previous2 = kStartTag2;
      for (size_t i = 0; i < s.words.size(); ++i) {
        int guess;
        if (const auto it = known.find(contexts[k].normalised[i]); it != known.end()) {
          guess = static_cast<int>(it->second);
        } else {
          TokenFeatures(context, i, previous, previous2, features);
          guess = model.Predict(features);
          model.Update(static_cast<int>(s.tags[i]), guess, features);
        }
        right += guess == static_cast<int>(s.tags[i]);
        ++seen;
        previous2 = previous;
        previous = static_cast<uint8_t>(guess);
      }
    }
    std::cerr << "lxtagtrain: epoch " << epoch + 1 << ": " << 100.0 * right / seen << "% on training\n";
    for (size_t i = order.size(); i > 1; --i) std::swap(order[i - 1], order[NextRandom(seed) % i]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: lxtagtrain BROWN_DIR OUT.dat [--epochs N] [--slice FILE]\n";
    return 2;
  }
  const std::filesystem::path corpus = argv[1];
  const std::string out = argv[2];
  int epochs = 5;
  std::string slicePath;
  for (int i = 3; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--epochs") epochs = std::atoi(argv[i + 1]);
    else if (option == "--slice") slicePath = argv[i + 1];
    else {
      std::cerr << "lxtagtrain: unknown option " << option << "\n";
      return 2;
    }
  }

  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const std::string name = entry.path().filename().string();
    if (name.size() == 4 && name[0] == 'c' && std::isdigit(static_cast<unsigned char>(name[2])) &&
        std::isdigit(static_cast<unsigned char>(name[3])))
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  std::vector<Sentence> training, heldOut, slice;
  for (const std::string& name : names) {
    const bool held = name[3] == '0';
    std::vector<Sentence>& into = held ? heldOut : training;
    const size_t before = into.size();
    if (!ReadCorpusFile(corpus / name, into)) {
      std::cerr << "lxtagtrain: cannot read " << (corpus / name).string() << "\n";
      return 1;
    }
    if (name == "ce20" || name == "cg40" || name == "cj30" || name == "cn20")
      slice.insert(slice.end(), into.begin() + static_cast<long>(before), into.end());
  }
  if (names.size() < 100 || training.empty() || heldOut.empty()) {
    std::cerr << "lxtagtrain: " << corpus.string() << " does not hold the Brown corpus\n";
    return 1;
  }

  const auto dictionary = TagDictionary(training);
  Perceptron perceptron;
  Train(perceptron, training, dictionary, epochs);
  ModelContents contents = perceptron.Averaged(64, 2);
  contents.dictionary = dictionary;
  const std::string image = EncodeTaggerModel(contents);
  const TaggerModelLoad load = TaggerModel::Decode(image);
  if (!load.model) {
    std::cerr << "lxtagtrain: the written model does not decode: " << load.error << "\n";
    return 1;
  }

  Tagger tagger(load.model);
  size_t right = 0, total = 0;
  for (const Sentence& s : heldOut) {
    std::vector<std::string_view> tokens(s.words.begin(), s.words.end());
    const std::vector<Tag>& tags = tagger.TagSentence(tokens);
    for (size_t i = 0; i < tags.size(); ++i) right += tags[i] == s.tags[i];
    total += tags.size();
  }
  std::cout << "tagger: " << training.size() << " training sentences, " << heldOut.size()
            << " held out; " << contents.features.size() << " features, "
            << contents.dictionary.size() << " dictionary words, " << image.size() << " bytes\n"
            << "tagger: held-out accuracy " << right << " / " << total << " = "
            << 100.0 * static_cast<double>(right) / static_cast<double>(total) << "%\n";

  std::ofstream file(out, std::ios::binary | std::ios::trunc);
  file.write(image.data(), static_cast<std::streamsize>(image.size()));
  if (!file.flush()) {
    std::cerr << "lxtagtrain: cannot write " << out << "\n";
    return 1;
  }
  if (!slicePath.empty()) {
    std::ofstream sliceFile(slicePath, std::ios::binary | std::ios::trunc);
    sliceFile << "# Held-out Brown corpus sentences (ce20, cg40, cj30, cn20) with the tagger's\n"
                 "# tags, written by tools/mkdict/lxtagtrain: word/TAG tokens, a sentence a line.\n";
    for (const Sentence& s : slice) {
      for (size_t i = 0; i < s.words.size(); ++i)
        sliceFile << (i ? " " : "") << s.words[i] << '/' << TagName(s.tags[i]);
      sliceFile << '\n';
    }
    if (!sliceFile.flush()) {
      std::cerr << "lxtagtrain: cannot write " << slicePath << "\n";
      return 1;
    }
  }
  return 0;
}
