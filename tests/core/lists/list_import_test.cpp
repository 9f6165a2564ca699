// The list importers: every format and encoding, with the bad lines named.
#include <gtest/gtest.h>
#include <zip.h>

#include <string>
#include <vector>

#include "lists/ListFile.h"
#include "lists/XlsxSheet.h"
#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

std::string Utf16(std::string_view ascii, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char c : ascii) {
    if (bigEndian) out += '\0';
    out += c;
    if (!bigEndian) out += '\0';
  }
  return out;
}

// "word/level@line" for each entry and "@line" for each note, in order.
std::string Dump(const ListReading& reading) {
  std::string out;
  for (const ListEntry& e : reading.entries) {
    out += e.word;
    if (!e.level.empty()) out.append("/").append(Utf8FromCp932(e.level));
    out.append("@").append(std::to_string(e.line)).append(" ");
  }
  for (const ListNote& n : reading.notes) out.append("!").append(std::to_string(n.line)).append(" ");
  return out + "blank=" + std::to_string(reading.blankLines);
}

struct ImportCase {
  const char* name;
  std::string bytes;
  ListFormat format;
  const char* expected;
};

TEST(ListImportTest, EveryFormatAndEncodingImportsOrNamesEachLine) {
  const std::string sjisHeading = Cp932FromUtf8("単語,レベル\r\n");
  const ImportCase cases[] = {
      {"plain CP932", "apple\r\n  went \r\n\r\nice cream\r\n" + Cp932FromUtf8("りんご") + "\r\nco-op", ListFormat::PlainText,
       "apple@1 went@2 co-op@6 !4 !5 blank=1"},
      {"plain UTF-8 BOM", "\xEF\xBB\xBF" "apple\nbanana\n\xE3\x80\x80" "cherry\xE3\x80\x80\n", ListFormat::PlainText,
       "apple@1 banana@2 cherry@3 blank=0"},
      {"plain UTF-16LE", Utf16("apple\r\nbanana\r\n42\r\n", false), ListFormat::PlainText, "apple@1 banana@2 !3 blank=0"},
      {"csv heading CP932", sjisHeading + "apple," + Cp932FromUtf8("基本") + "\r\n\"pear\",\"a,b\"\r\n,x\r\n",
       ListFormat::Csv, "apple/基本@2 pear/a,b@3 !4 blank=0"},
      {"csv heading word second", "level,word\nA,apple\nB,\"multi\nline\"\nB,pear\n", ListFormat::Csv,
       "apple/A@2 pear/B@5 !3 blank=0"},
      {"csv without heading", "apple\nbanana,2\n", ListFormat::Csv, "apple@1 banana/2@2 blank=0"},
      {"tsv UTF-16BE", Utf16("word\tlevel\napple\t1\nbad word\t1\n\t\n", true), ListFormat::Tsv,
       "apple/1@2 !3 blank=1"},
      {"tsv UTF-8", "\xE5\x8D\x98\xE8\xAA\x9E\tx\nstone\ty\n", ListFormat::Tsv, "stone@2 blank=0"},
  };
  for (const ImportCase& c : cases) {
    EXPECT_EQ(Dump(ReadListBytes("f", c.bytes, c.format)), c.expected) << c.name;
  }
}

TEST(ListImportTest, FormatFollowsContentThenExtension) {
  EXPECT_EQ(ListFormatOf("a.txt", std::string("PK\x03\x04", 4)), ListFormat::Xlsx);
  EXPECT_EQ(ListFormatOf("A.CSV", "x"), ListFormat::Csv);
  EXPECT_EQ(ListFormatOf("a.tsv", "x"), ListFormat::Tsv);
  EXPECT_EQ(ListFormatOf("a.list", "x"), ListFormat::PlainText);
}

TEST(ListImportTest, NotesNameFileAndLine) {
  const ListReading reading = ReadListBytes("words.txt", "ok\n1x\n", ListFormat::PlainText);
  ASSERT_EQ(reading.notes.size(), 1u);
  EXPECT_EQ(NoteText(reading.notes[0]).substr(0, 12), "words.txt:2:");
  const ListReading missing = ReadListFile("/nonexistent/list.txt");
  EXPECT_TRUE(missing.unreadable);
  EXPECT_EQ(NoteText(missing.notes.at(0)).rfind("/nonexistent/list.txt: ", 0), 0u);
}

// A workbook made part by part, as a spreadsheet program writes one.
std::string MakeWorkbook(const std::vector<std::pair<const char*, std::string>>& parts) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_source_keep(buffer);
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  for (const auto& [name, content] : parts) {
    zip_source_t* part = zip_source_buffer(archive, content.data(), content.size(), 0);
    zip_file_add(archive, name, part, ZIP_FL_OVERWRITE);
  }
  zip_close(archive);
  zip_source_open(buffer);
  zip_source_seek(buffer, 0, SEEK_END);
  const zip_int64_t size = zip_source_tell(buffer);
  zip_source_seek(buffer, 0, SEEK_SET);
  std::string bytes(static_cast<size_t>(size), '\0');
  zip_source_read(buffer, bytes.data(), static_cast<zip_uint64_t>(size));
  zip_source_close(buffer);
  zip_source_free(buffer);
  return bytes;
}

TEST(ListImportTest, XlsxReadsFirstSheetWithSharedAndInlineStrings) {
  const std::string workbook = MakeWorkbook({
      {"xl/workbook.xml",
       R"(<?xml version="1.0"?><workbook xmlns:r="r"><sheets><sheet name="B" sheetId="2" r:id="rId7"/>)"
       R"(<sheet name="A" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
      {"xl/_rels/workbook.xml.rels",
       R"(<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/>)"
       R"(<Relationship Id="rId7" Target="worksheets/sheet2.xml"/></Relationships>)"},
      {"xl/sharedStrings.xml",
       // «単語» with its reading guide, which is not part of the text.
       "<sst><si><t>\xE5\x8D\x98\xE8\xAA\x9E</t><rPh sb=\"0\" eb=\"2\"><t>\xE3\x81\x9F\xE3\x82\x93</t></rPh></si>"
       "<si><r><t>app</t></r><r><t>le</t></r></si><si><t>G&amp;1</t></si></sst>"},
      {"xl/worksheets/sheet2.xml",
       R"(<worksheet><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="inlineStr"><is><t>Level</t></is></c></row>)"
       R"(<row r="3"><c r="A3" t="s"><v>1</v></c><c r="B3" t="s"><v>2</v></c></row>)"
       R"(<row r="4"><c r="A4" t="inlineStr"><is><t>pear</t></is></c></row>)"
       R"(<row r="6"><c r="A6"><v>12</v></c></row></sheetData></worksheet>)"},
      {"xl/worksheets/sheet1.xml", R"(<worksheet><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>wrong</t></is></c></row></sheetData></worksheet>)"},
  });
  EXPECT_EQ(Dump(ReadListBytes("b.xlsx", workbook, ListFormat::Xlsx)), "apple/G&1@3 pear@4 !6 blank=0");

  // Damaged workbooks are named as a whole.
  for (const std::string& bad : {workbook.substr(0, workbook.size() / 2), std::string("PK\x03\x04junk", 8)}) {
    const ListReading reading = ReadListBytes("b.xlsx", bad, ListFormat::Xlsx);
    EXPECT_TRUE(reading.unreadable);
    EXPECT_EQ(reading.notes.size(), 1u);
  }
  const std::string badXml = MakeWorkbook({{"xl/worksheets/sheet1.xml", "<worksheet><row r=\"1\"><c r=\"A1\" t=\"s>"}});
  EXPECT_TRUE(ReadListBytes("b.xlsx", badXml, ListFormat::Xlsx).unreadable);
}

TEST(ListImportTest, CellColumns) {
  const std::pair<const char*, int> rows[] = {{"A1", 0}, {"Z9", 25}, {"AA1", 26}, {"AB7", 27}, {"1", -1}, {"", -1}};
  for (const auto& [reference, column] : rows) EXPECT_EQ(CellColumn(reference), column) << reference;
}

}  // namespace
}  // namespace lexiscoop
