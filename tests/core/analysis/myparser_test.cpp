#include "analysis/MyParser.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/ParserDB.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

// "k" + std::to_string(i) written out: GCC 12 warns falsely (-Wrestrict) on
// a literal plus a temporary string.
std::string Numbered(const char* prefix, int i) {
  std::string text = prefix;
  text += std::to_string(i);
  return text;
}


using Words = std::vector<std::string>;

std::string Sjis(std::string_view utf8) { return Cp932FromUtf8(utf8); }

// Drives the holder the way the analysis run does.
Words ScanAll(TMyParser& parser) {
  Words words;
  if (parser.FullText().empty()) return words;
  parser.Rewind();
  while (parser.HasWord()) {
    words.push_back(parser.CurrentWord());
    parser.NextWord();
  }
  return words;
}

// Ten-byte lines of two words.
std::string ShortLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "word word\n";
  return text;
}

class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/myparser_test.XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  std::string File(const std::string& name, const std::string& bytes) const {
    const std::string path = path_ + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Whether another open of the file can take an exclusive lock now, the way
// a second program would try.
bool OthersCanLock(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool locked = flock(fd, LOCK_EX | LOCK_NB) == 0;
  close(fd);
  return locked;
}

TEST(TextHolderTest, EmptyHolderHasNothingAndFailsNowhere) {
  TMyParser parser;
  EXPECT_FALSE(parser.HasText());
  EXPECT_EQ(parser.FullText(), "");
  EXPECT_EQ(parser.ByteCount(), 0);
  EXPECT_NO_THROW(parser.Rewind());
  EXPECT_FALSE(parser.HasWord());
  EXPECT_NO_THROW(parser.NextWord());
  EXPECT_EQ(parser.CurrentWord(), "");
  EXPECT_EQ(parser.CurrentWordView(), "");
  EXPECT_EQ(parser.LeadingText(4096), "");
  EXPECT_EQ(parser.ProgressPercent(), 0);
}

TEST(TextHolderTest, AssignedTextScansFromTheStartOnEveryRewind) {
  TMyParser parser;
  parser.AssignText(Sjis("The boy's ＡＢＣ e-mail"));
  EXPECT_TRUE(parser.HasText());
  EXPECT_TRUE(parser.HasWord());  // the first word is current at once
  EXPECT_EQ(parser.CurrentWord(), "The");
  const Words expected{"The", "boy's", "ABC", "e-mail"};
  EXPECT_EQ(ScanAll(parser), expected);
  EXPECT_EQ(ScanAll(parser), expected);
  EXPECT_EQ(parser.ByteCount(), 23);
  // Taken as given: no conversion of assigned text.
  parser.AssignText("\xEF\xBB\xBF" "abc");
  EXPECT_EQ(parser.FullText(), "\xEF\xBB\xBF" "abc");
}

TEST(TextHolderTest, HoldsTheAssignedTextOnce) {
  std::string text = ShortLines(10000);
  const char* storage = text.data();
  TMyParser parser;
  parser.AssignText(std::move(text));
  EXPECT_EQ(parser.FullText().data(), storage);
  EXPECT_EQ(parser.FullText().size(), 100000u);
}

TEST(TextHolderTest, LinesLongerThanTheWindowAreScannedWhereverTheyStand) {
  TMyParser parser;
  // A first line of one word longer than the window.
  parser.AssignText(std::string(5000, 'x'));
  EXPECT_EQ(ScanAll(parser), Words{std::string(5000, 'x')});

  // A long line of many words as line 40, then a short one; twice, since a
  // new run starts with a window of the first size again.
  std::string text;
  Words expected;
  for (int i = 1; i < 40; ++i) {
    text += "line" + std::to_string(i) + "\n";
    expected.push_back("line" + std::to_string(i));
  }
  for (int i = 0; i < 2000; ++i) {
    text += "long" + std::to_string(i % 7) + ", ";
    expected.push_back("long" + std::to_string(i % 7));
  }
  text += std::string(9000, 'y') + "\r\nlast";
  expected.push_back(std::string(9000, 'y'));
  expected.push_back("last");
  parser.AssignText(text);
  EXPECT_EQ(ScanAll(parser), expected);
  EXPECT_EQ(ScanAll(parser), expected);
  EXPECT_EQ(parser.ProgressPercent(), 100);
}

TEST(TextHolderTest, ProgressMovesWindowByWindow) {
  TMyParser parser;
  parser.AssignText(ShortLines(1000));  // 10000 bytes
  // The first window: 4096 bytes buffered.
  EXPECT_EQ(parser.ProgressPercent(), 40);
  parser.Rewind();
  std::vector<int64_t> steps{parser.ProgressPercent()};
  while (parser.HasWord()) {
    if (parser.ProgressPercent() != steps.back()) steps.push_back(parser.ProgressPercent());
    parser.NextWord();
  }
  if (parser.ProgressPercent() != steps.back()) steps.push_back(parser.ProgressPercent());
  // The second window keeps the 6 bytes after the last whole line of the
  // first, so it reads 4090 more: 8186 bytes, 81 %.
  EXPECT_EQ(steps, (std::vector<int64_t>{40, 81, 100}));

  parser.AssignText(ShortLines(10));  // 100 bytes: all buffered at once
  EXPECT_EQ(parser.ProgressPercent(), 100);
}

TEST(TextHolderTest, LeadingTextDoesNotDisturbAScan) {
  TMyParser parser;
  const std::string small = ShortLines(10);
  parser.AssignText(small);
  EXPECT_EQ(parser.LeadingText(4096), small);

  std::string text;
  for (int i = 0; i < 1000; ++i) text += Numbered("w", i) + " x\n";
  parser.AssignText(text);
  const Words all = ScanAll(parser);
  ASSERT_GT(text.size(), 5000u);

  parser.Rewind();
  Words words;
  for (int i = 0; i < 10; ++i) {
    words.push_back(parser.CurrentWord());
    parser.NextWord();
  }
  const int64_t progress = parser.ProgressPercent();
  EXPECT_EQ(parser.LeadingText(4096), text.substr(0, 4096));
  EXPECT_EQ(parser.ProgressPercent(), progress);
  while (parser.HasWord()) {
    words.push_back(parser.CurrentWord());
    parser.NextWord();
  }
  EXPECT_EQ(words, all);

  // The cut may fall inside a double-byte character.
  parser.AssignText(Sjis("あい"));
  EXPECT_EQ(parser.LeadingText(3), Sjis("あい").substr(0, 3));
  EXPECT_EQ(parser.LeadingText(-1), "");
}

TEST(TextHolderTest, CurrentWordIntoDoesNotAllocateOnceLargeEnough) {
  TMyParser parser;
  parser.AssignText(Sjis("one ＴＷＯ three-four"));
  std::string word;
  word.reserve(32);
  const char* storage = word.data();
  Words words;
  parser.Rewind();
  while (parser.HasWord()) {
    parser.CurrentWordInto(word);
    EXPECT_EQ(word.data(), storage);
    EXPECT_EQ(parser.CurrentWordView(), word);
    words.push_back(word);
    parser.NextWord();
  }
  EXPECT_EQ(words, (Words{"one", "TWO", "three-four"}));
  EXPECT_EQ(parser.CurrentWordView(), "");
}

TEST(TextHolderTest, LoadsAFileByteForByte) {
  TempFolder folder;
  const std::string bytes = Sjis("日本語の Text ｈｅｒｅ\r\n") + std::string("\xB1\xB2 end", 6);
  const std::string path = folder.File("sjis.txt", bytes);
  TMyParser parser;
  parser.LoadFile(path);
  EXPECT_EQ(parser.FullText(), bytes);
  EXPECT_EQ(ScanAll(parser), (Words{"Text", "here", "end"}));
}

TEST(TextHolderTest, ConvertsUnicodeFilesOnLoad) {
  const std::string hello = Sjis("こんにちは world");
  const struct {
    const char* name;
    std::string bytes;
    std::string text;
  } rows[] = {
      {"utf8bom", "\xEF\xBB\xBF" "\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF world",
       hello},
      {"utf8", "\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF world", hello},
      {"utf16le", std::string("\xFF\xFE" "a\0b\0 \0\x42\x30", 10), "ab " + Sjis("あ")},
      {"utf16be", std::string("\xFE\xFF" "\0a\0b\0 \x30\x42", 10), "ab " + Sjis("あ")},
      {"ascii", "plain ascii", "plain ascii"},
  };
  TempFolder folder;
  TMyParser parser;
  for (const auto& row : rows) {
    parser.LoadFile(folder.File(row.name, row.bytes));
    EXPECT_EQ(parser.FullText(), row.text) << row.name;
  }
}

TEST(TextHolderTest, MissingFileKeepsTheTextAndItsScan) {
  TMyParser parser;
  parser.AssignText("alpha beta gamma");
  parser.Rewind();
  parser.NextWord();
  parser.LoadFile("/nonexistent/folder/file.txt");
  EXPECT_EQ(parser.FullText(), "alpha beta gamma");
  EXPECT_EQ(parser.CurrentWord(), "beta");
  parser.NextWord();
  EXPECT_EQ(parser.CurrentWord(), "gamma");
}

TEST(TextHolderTest, LoadedFileStaysLockedWhileItsTextIsCurrent) {
  TempFolder folder;
  const std::string first = folder.File("first.txt", "first text");
  const std::string second = folder.File("second.txt", "second text");
  {
    TMyParser parser;
    parser.LoadFile(first);
    EXPECT_FALSE(OthersCanLock(first));
    parser.LoadFile(second);
    EXPECT_TRUE(OthersCanLock(first));
    EXPECT_FALSE(OthersCanLock(second));
    parser.AssignText("assigned");
    EXPECT_TRUE(OthersCanLock(second));
    parser.LoadFile(first);
    EXPECT_FALSE(OthersCanLock(first));
  }
  EXPECT_TRUE(OthersCanLock(first));
}

TEST(TextHolderTest, FileLockedByAnotherIsRefused) {
  TempFolder folder;
  const std::string path = folder.File("held.txt", "held text");
  const int other = open(path.c_str(), O_RDONLY);
  ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
  TMyParser parser;
  parser.AssignText("previous");
  try {
    parser.LoadFile(path);
    FAIL() << "no failure";
  } catch (const EFileOpenError& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
  EXPECT_FALSE(parser.HasText());
  EXPECT_EQ(parser.FullText(), "");
  EXPECT_FALSE(parser.HasWord());
  close(other);

  // Two holders cannot hold the same file either.
  TMyParser holder;
  holder.LoadFile(path);
  EXPECT_THROW(parser.LoadFile(path), EFileOpenError);
}

TEST(TextHolderTest, FileThatCannotBeOpenedNamesFileAndReason) {
  TempFolder folder;
  const std::string path = folder.File("text.txt", "some text");
  TMyParser parser;
  parser.AssignText("previous");
  // Run out of file descriptors: opening fails even for root.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
  rlimit low = saved;
  low.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
  std::vector<int> held;
  for (int fd; (fd = open("/dev/null", O_RDONLY)) >= 0;) held.push_back(fd);
  auto release = [&] {
    for (int fd : held) close(fd);
    held.clear();
    setrlimit(RLIMIT_NOFILE, &saved);
  };
  std::string message;
  try {
    parser.LoadFile(path);
  } catch (const EFileOpenError& e) {
    // Descriptors first: the sanitizers' checks of the call need one.
    release();
    message = e.what();
  }
  release();
  EXPECT_EQ(message, Sjis("ファイル " + path + " を開けません (" + std::strerror(EMFILE) + ")"));
  EXPECT_FALSE(parser.HasText());
  EXPECT_EQ(parser.ByteCount(), 0);
}

TEST(TextHolderTest, RefusesFilesLargerThanTheLimitBeforeReading) {
  TempFolder folder;
  const std::string path = folder.path() + "/huge.txt";
  const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, kMaxTextBytes + 1), 0);  // sparse: nothing is written
  close(fd);
  TMyParser parser;
  parser.AssignText("previous");
  try {
    parser.LoadFile(path);
    FAIL() << "no failure";
  } catch (const EFileOpenError& e) {
    EXPECT_NE(std::string(e.what()).find(Sjis("大きすぎます")), std::string::npos);
  }
  EXPECT_FALSE(parser.HasText());
}

// A load followed step by step: the work counts the file's bytes read,
// then converted, up to twice its size; the text is what a load without
// progress gives. A progress that says stop ends the load with the file
// closed and unlocked at once, and the holder without a text.
TEST(TextHolderTest, LoadReportsItsProgressAndStopsWhenAsked) {
  TempFolder folder;
  std::string utf8;
  while (utf8.size() < (size_t{9} << 20)) utf8 += "The cat wrote \xE3\x81\x82\xE3\x81\x84 a letter.\r\n";
  std::string sjis;
  while (sjis.size() < (size_t{9} << 20)) sjis += "The cat wrote \x82\xA0\x82\xA2 a letter.\r\n";
  for (const std::string* bytes : {&utf8, &sjis}) {
    const std::string path = folder.File(bytes == &utf8 ? "utf8.txt" : "sjis.txt", *bytes);
    const auto size = static_cast<int64_t>(bytes->size());
    std::vector<int64_t> steps;
    TMyParser parser;
    parser.LoadFile(path, [&](int64_t done, int64_t total) {
      EXPECT_EQ(total, 2 * size);
      steps.push_back(done);
      return true;
    });
    TMyParser reference;
    {
      // The same text as a load without progress (of a copy: the file is held).
      const std::string copy = folder.File("copy.txt", *bytes);
      reference.LoadFile(copy);
    }
    EXPECT_EQ(parser.FullText(), reference.FullText());
    ASSERT_GE(steps.size(), 3u);  // 9 MB read in slices of 4 MB, then converted
    for (size_t i = 1; i < steps.size(); ++i) EXPECT_LT(steps[i - 1], steps[i]);
    EXPECT_EQ(steps.back(), 2 * size);
    // Read first: some steps lie in the first half.
    EXPECT_LE(steps.front(), size);
  }

  // Stopped at the first step, while reading, and at a later one, while
  // converting.
  const std::string path = folder.File("stopped.txt", utf8);
  for (const int stopAt : {1, 4}) {
    TMyParser parser;
    parser.AssignText("previous");
    int calls = 0;
    EXPECT_THROW(parser.LoadFile(path, [&](int64_t, int64_t) { return ++calls < stopAt; }), ELoadStopped);
    EXPECT_EQ(calls, stopAt);
    EXPECT_FALSE(parser.HasText());
    const int other = open(path.c_str(), O_RDONLY);
    ASSERT_GE(other, 0);
    EXPECT_EQ(flock(other, LOCK_EX | LOCK_NB), 0) << "still locked after a stop at step " << stopAt;
    close(other);
  }
}

}  // namespace
}  // namespace lexiscoop
