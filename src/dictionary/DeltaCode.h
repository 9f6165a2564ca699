#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lexiscoop {

// Why the last Decode failed.
enum class DecodeFailure {
  None,
  Format,        // magic or version byte wrong: "データの形式が違います"
  RecordedSize,  // header inconsistent with the file: "記録データのサイズが違います"
  ReadSize,      // code words do not hold the recorded text: "読み出しデータのサイズが違います"
};

// The CP932 text shown for a decode failure ("" for None).
const std::string& DecodeFailureText(DecodeFailure failure);

// The coder of the compressed list file (layout in CompressFormat.h): a
// byte-frequency prefix code. Bytes are ranked by frequency; a rank falls
// into one of four classes and is coded as the 2-bit class number followed by
// its index inside the class (ranks 0-1: 3 bits, 2-9: 5 bits, 10-41: 7 bits,
// 42 and above: W3 + 2 bits).
//
// One coder serves one load or one save: put the text in with SetPlainData
// and Encode, or put a file image in with SetCodedData and Decode.
class TDeltaCode {
 public:
  // One row of the symbol table.
  struct Entry {
    uint8_t symbol = 0;  // byte value (moves with the count while sorting)
    int32_t count = 0;   // occurrences of `symbol` in the plain data
    uint8_t rank = 0;    // rank of the byte value equal to this row's index
  };

  TDeltaCode();
  TDeltaCode(const TDeltaCode&) = delete;
  TDeltaCode& operator=(const TDeltaCode&) = delete;

  // Entry i gets symbol i, count 0, rank 0.
  void ResetTable();

  // Counts the bytes of the plain data, sorts the table by count (largest
  // first, with the file format's own quicksort, which fixes the order of
  // equal counts), assigns ranks and sets M and the class widths.
  void CountAndRank();

  // Writes the file image of the whole plain data into the coded data.
  // Returns true. A failure on the way (memory, a text larger than a 32-bit
  // size can record) throws: std::bad_alloc, std::length_error.
  bool Encode();

  // Rebuilds the plain data from the coded data, or from `image`. Returns
  // false, with FailureText() saying which check failed, for any image that
  // the writer cannot have produced: nothing is read outside `image`, the
  // symbol table is never written past its 256 rows, and a recorded text
  // size that the code words cannot hold is refused before anything is
  // allocated. After a failure the plain data holds nothing of use.
  bool Decode();
  bool Decode(std::string_view image);

  void SetPlainData(std::string text) { plain_ = std::move(text); }
  const std::string& PlainData() const { return plain_; }
  std::string TakePlainData() { return std::move(plain_); }

  void SetCodedData(std::string image) { coded_ = std::move(image); }
  const std::string& CodedData() const { return coded_; }
  std::string TakeCodedData() { return std::move(coded_); }

  DecodeFailure Failure() const { return failure_; }
  // CP932 text of the last decode failure.
  const std::string& FailureText() const { return DecodeFailureText(failure_); }

  const Entry& TableEntry(int i) const { return table_[i]; }
  int HighestRank() const { return highestRank_; }
  int PrefixWidth() const { return prefixWidth_; }
  int ClassWidth(int k) const { return widths_[k]; }

 private:
  void SortByCount(int lo, int hi);
  // Limits and bases of the classes from the widths, modulo 256.
  void DeriveLimits();
  int ClassOfRank(int rank) const;

  Entry table_[256];
  uint16_t highestRank_ = 0;  // M
  uint8_t prefixWidth_ = 2;   // P
  uint8_t widths_[4] = {};    // W0..W3
  uint8_t limits_[3] = {};    // L0, L1, L2: highest rank of classes 0-2
  uint8_t bases_[4] = {};     // B0..B3: lowest rank of each class
  std::string plain_;         // the uncompressed text
  std::string coded_;         // the whole file image
  DecodeFailure failure_ = DecodeFailure::None;
};

}  // namespace lexiscoop
