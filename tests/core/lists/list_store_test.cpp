// Resolution of imported lists through the dictionary, and their store.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "../dictionary/TestFolder.h"
#include "analysis/StringList.h"
#include "dictionary/Lexicon.h"
#include "lists/ListFileFormat.h"
#include "lists/ListResolution.h"
#include "lists/ListStore.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

using testing_support::TestFolder;

std::shared_ptr<const Lexicon> SmallLexicon() {
  std::vector<Headword> records;
  records.push_back({"go", {"goes", "went", "gone"}, {}, {}});
  records.push_back({"see", {"sees", "saw", "seen"}, {}, {}});
  records.push_back({"saw", {"saws"}, {}, {}});
  records.push_back({"apple", {"apples"}, {}, {}});
  records.push_back({"London", {}, {}, {}});
  TStringList basic;
  basic.Add("go");
  basic.Add("see");
  return Lexicon::Build(std::move(records), {&basic, nullptr, nullptr, nullptr});
}

ListReading Reading(const std::string& file, std::initializer_list<std::pair<const char*, const char*>> rows) {
  ListReading reading;
  int line = 0;
  for (const auto& [word, level] : rows) reading.entries.push_back({word, level, file, ++line});
  return reading;
}

std::string Levels(const UserLevelSet& set) {
  std::string out;
  for (const UserLevel& level : set.levels) {
    out += level.key + ":" + level.name + "=";
    for (const std::string& h : level.headwords) out += h + ",";
    out += " ";
  }
  return out;
}

TEST(ListResolutionTest, EntriesCountForTheirHeadwordAndTheFirstLevel) {
  const auto lexicon = SmallLexicon();
  const std::vector<ListReading> files = {
      Reading("one.txt", {{"went", ""}, {"apple", ""}, {"xyzzy", ""}, {"GO", ""}}),
      Reading("two.csv", {{"apples", "B"}, {"seen", "A"}, {"london", "A"}, {"Go", ""}}),
  };
  const auto dropped = BuildLevelSet("s", files, {"one", "two"}, *lexicon, UnknownWords::Drop);
  // The empty level B is dropped and the keys follow.
  EXPECT_EQ(Levels(dropped.list), "1:one=go,apple, 2:A=see,London, ");
  EXPECT_EQ(dropped.entriesRead, 8);
  std::vector<int> noted;
  for (const ListNote& n : dropped.notes) noted.push_back(n.line);
  // went->go, xyzzy unknown; apples->apple and in one already, seen->see, Go in one already
  // (london is London, letter case aside: not named).
  EXPECT_EQ(noted, (std::vector<int>{1, 3, 1, 1, 2, 4}));

  const auto kept = BuildLevelSet("s", files, {"one", "two"}, *lexicon, UnknownWords::Keep);
  EXPECT_EQ(Levels(kept.list), "1:one=go,apple,xyzzy, 2:A=see,London, ");

  // saw is a headword of its own and stands for itself, though see's form would rank first.
  const auto words = ResolveListWords(Reading("k", {{"saw", ""}, {"SAW", ""}, {"gone", ""}}).entries, *lexicon,
                                      UnknownWords::Drop);
  EXPECT_EQ(words.list, (std::vector<std::string>{"saw", "go"}));
}

TEST(ListResolutionTest, NoMoreThanNineLevels) {
  const auto lexicon = SmallLexicon();
  std::vector<ListReading> files;
  std::vector<std::string> names;
  for (int i = 0; i < 11; ++i) {
    files.push_back(Reading("f" + std::to_string(i), {{i % 2 ? "go" : "apple", ""}, {"xyzzy", ""}}));
    names.push_back("L" + std::to_string(i));
  }
  const auto set = BuildLevelSet("s", files, names, *lexicon, UnknownWords::Keep);
  EXPECT_EQ(set.list.levels.size(), 2u);  // L0 apple xyzzy, L1 go; every later level is empty
  const auto many = [&] {
    std::vector<ListReading> distinct;
    for (int i = 0; i < 11; ++i) distinct.push_back(Reading("f", {{("w" + std::string(1, char('a' + i))).c_str(), ""}}));
    return BuildLevelSet("s", distinct, names, *lexicon, UnknownWords::Keep);
  }();
  EXPECT_EQ(many.list.levels.size(), 9u);
  EXPECT_EQ(many.notes.size(), 9u + 2u);  // nine words kept as unknown, two levels over
}

UserLevelSet SampleSet() {
  return {Cp932FromUtf8("教科書"), {{Cp932FromUtf8("1年"), "1", 0x0072B2, {"go", "apple"}}, {"B", "2", 0xA8467E, {"see"}}}};
}

TEST(ListFileFormatTest, RoundTripsAndRefusesEveryCutAndFlippedByte) {
  const UserLevelSet set = SampleSet();
  const std::string bytes = EncodeLevelSet(set);
  UserLevelSet back;
  ASSERT_TRUE(DecodeLevelSet(bytes, back));
  EXPECT_EQ(Levels(back), Levels(set));
  EXPECT_EQ(back.name, set.name);
  EXPECT_EQ(back.levels[1].colour, 0xA8467Eu);
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    EXPECT_FALSE(DecodeLevelSet(bytes.substr(0, cut), back)) << cut;
  }
  for (size_t at = 0; at < bytes.size(); ++at) {
    std::string flipped = bytes;
    flipped[at] ^= 0x01;
    EXPECT_FALSE(DecodeLevelSet(flipped, back)) << at;
  }
  const KnownWordList list{"k", {"go", "see"}};
  KnownWordList listBack;
  ASSERT_TRUE(DecodeKnownList(EncodeKnownList(list), listBack));
  EXPECT_EQ(listBack.headwords, list.headwords);
  EXPECT_FALSE(DecodeKnownList(bytes, listBack));
  EXPECT_FALSE(DecodeLevelSet(EncodeKnownList(list), back));
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(ListStoreTest, SetsAndKnownListsSurviveARestartAndDamageIsNeverWrittenOver) {
  TestFolder folder;
  const std::string klass = Cp932FromUtf8("2年3組");
  {
    ListStore store(folder.path());
    ASSERT_TRUE(store.SaveSet(SampleSet()).ok());
    int changed = 0;
    ASSERT_TRUE(store.ChangeKnownList(klass, {"go", "see", "Go"}, {}, true, changed).ok());
    EXPECT_EQ(changed, 2);
    EXPECT_TRUE(store.ChangeKnownList(klass, {"apple"}, {"SEE", "zzz"}, false, changed).ok());
    EXPECT_EQ(changed, 2);
    EXPECT_TRUE(store.ChangeKnownList("nope", {"go"}, {}, false, changed).IsNotFound());
  }
  ListStore store(folder.path());  // as after a restart
  EXPECT_EQ(store.SetNames(), (std::vector<std::string>{SampleSet().name}));
  EXPECT_EQ(store.KnownListNames(), (std::vector<std::string>{klass}));
  KnownWordList list;
  ASSERT_TRUE(store.LoadKnownList(klass, list).ok());
  EXPECT_EQ(list.headwords, (std::vector<std::string>{"go", "apple"}));
  UserLevelSet set;
  ASSERT_TRUE(store.LoadSet(SampleSet().name, set).ok());
  EXPECT_EQ(Levels(set), Levels(SampleSet()));

  // A damaged file is named, and neither a change nor a new import writes over it.
  const std::string path = store.KnownListPath(klass);
  std::string damaged = FileText(path);
  damaged[damaged.size() / 2] ^= 0x20;
  std::ofstream(path, std::ios::binary) << damaged;
  int changed = 0;
  for (const Status& outcome :
       {store.LoadKnownList(klass, list), store.ChangeKnownList(klass, {"see"}, {}, true, changed)}) {
    EXPECT_TRUE(outcome.IsCorruption());
    EXPECT_EQ(outcome.message(), path);
  }
  UserLevelSet clash = SampleSet();
  clash.name = klass;
  std::ofstream(store.SetPath(klass), std::ios::binary) << "garbage";
  EXPECT_TRUE(store.SaveSet(clash).IsCorruption());
  EXPECT_EQ(FileText(path), damaged);
  EXPECT_EQ(FileText(store.SetPath(klass)), "garbage");

  // Removing is the user's own choice and works on a damaged file too.
  EXPECT_TRUE(store.RemoveKnownList(klass).ok());
  EXPECT_TRUE(store.RemoveKnownList(klass).IsNotFound());
  EXPECT_TRUE(store.KnownListNames().empty());
  for (const char* bad : {"", ".hidden", "a/b", "tab\there"}) {
    EXPECT_TRUE(store.RemoveSet(bad).IsInvalidArgument()) << bad;
  }
}

TEST(ListStoreTest, ASaveThroughALinkToNothingIsRefusedWithTheReason) {
  TestFolder folder;
  ListStore store(folder.path());
  const std::string path = store.SetPath(SampleSet().name);
  ASSERT_TRUE(store.SaveSet(SampleSet()).ok());
  ASSERT_EQ(unlink(path.c_str()), 0);
  ASSERT_EQ(symlink((folder.path() + "/nowhere").c_str(), path.c_str()), 0);
  const Status refused = store.SaveSet(SampleSet());
  EXPECT_TRUE(refused.IsIoError());
  EXPECT_EQ(refused.message().rfind(path + ": ", 0), 0u) << refused.ToString();
  EXPECT_NE(refused.message().find("symbolic link to nothing"), std::string::npos) << refused.ToString();
}

TEST(ListStoreTest, TwoProcessesChangingOneKnownListLoseNothing) {
  TestFolder folder;
  constexpr int kWords = 30;
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = fork();
    ASSERT_GE(children[child], 0);
    if (children[child] == 0) {
      ListStore store(folder.path());
      int changed = 0;
      for (int i = 0; i < kWords; ++i) {
        const std::string word = std::string(1, char('a' + child)) + "w" + std::to_string(i);
        if (!store.ChangeKnownList("k", {word}, {}, true, changed).ok()) _exit(1);
      }
      _exit(0);
    }
  }
  for (const pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  KnownWordList list;
  ASSERT_TRUE(ListStore(folder.path()).LoadKnownList("k", list).ok());
  EXPECT_EQ(list.headwords.size(), 2u * kWords);
}

}  // namespace
}  // namespace lexiscoop
