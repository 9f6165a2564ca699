#include "dictionary/DeltaCode.h"

#include <cstring>
#include <stdexcept>

#include "dictionary/CompressFormat.h"
#include "platform/Cp932.h"

namespace lexiscoop {

namespace cf = compress_format;

namespace {

void PutU16(std::string& out, size_t offset, uint32_t v) {
  out[offset] = static_cast<char>(v & 0xFF);
  out[offset + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void PutI32(std::string& out, size_t offset, int64_t value) {
  const auto v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t GetU16(const unsigned char* p) { return p[0] | (static_cast<uint32_t>(p[1]) << 8); }

int32_t GetI32(const unsigned char* p) {
  const uint32_t v = p[0] | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
                     (static_cast<uint32_t>(p[3]) << 24);
  return static_cast<int32_t>(v);
}

// The least n with 2^n > value (value > 0).
int BitLength(int value) {
  int n = 0;
  while ((value >> n) != 0) ++n;
  return n;
}

}  // namespace

const std::string& DecodeFailureText(DecodeFailure failure) {
  static const std::string kNone;
  static const Cp932Text kFormat{"データの形式が違います"};
  static const Cp932Text kRecordedSize{"記録データのサイズが違います"};
  static const Cp932Text kReadSize{"読み出しデータのサイズが違います"};
  switch (failure) {
    case DecodeFailure::Format: return kFormat;
    case DecodeFailure::RecordedSize: return kRecordedSize;
    case DecodeFailure::ReadSize: return kReadSize;
    case DecodeFailure::None: break;
  }
  return kNone;
}

TDeltaCode::TDeltaCode() { ResetTable(); }

void TDeltaCode::ResetTable() {
  for (int i = 0; i < 256; ++i) table_[i] = Entry{static_cast<uint8_t>(i), 0, 0};
}

void TDeltaCode::SortByCount(int lo, int hi) {
  // The file format depends on this exact procedure: it decides the order of
  // bytes with equal counts, and so the symbol table and every code.
  int i = lo;
  int j = hi;
  const int32_t pivot = table_[(lo + hi) / 2].count;
  do {
    while (table_[i].count > pivot) ++i;
    while (table_[j].count < pivot) --j;
    if (i <= j) {
      std::swap(table_[i].symbol, table_[j].symbol);
      std::swap(table_[i].count, table_[j].count);
      ++i;
      --j;
    }
  } while (i <= j);
  if (lo < j) SortByCount(lo, j);
  if (i < hi) SortByCount(i, hi);
}

void TDeltaCode::CountAndRank() {
  ResetTable();
  // Counted in 64 bits; Encode refuses texts whose counts would not fit 32.
  uint64_t counts[256] = {};
  for (const char c : plain_) ++counts[static_cast<unsigned char>(c)];
  for (int b = 0; b < 256; ++b) table_[b].count = static_cast<int32_t>(counts[b]);
  SortByCount(0, 255);

  highestRank_ = 0;
  for (int r = 0; r < 256 && table_[r].count != 0; ++r) {
    highestRank_ = static_cast<uint16_t>(r);
    table_[table_[r].symbol].rank = static_cast<uint8_t>(r);
  }
  prefixWidth_ = cf::kPrefixWidth;
  for (int k = 0; k < 3; ++k) widths_[k] = static_cast<uint8_t>(cf::kWriterWidths[k]);
  const int above = highestRank_ - cf::kWriterLimit2;
  widths_[3] = static_cast<uint8_t>(above > 0 ? BitLength(above) : cf::kDefaultHighWidth);
  DeriveLimits();
}

void TDeltaCode::DeriveLimits() {
  // Computed modulo 256, as the format's 8-bit fields hold them.
  const auto pow2 = [](int w) { return w >= 8 ? 0u : (1u << w); };
  limits_[0] = static_cast<uint8_t>(pow2(widths_[0]) - 1);
  limits_[1] = static_cast<uint8_t>(pow2(widths_[1]) + limits_[0]);
  limits_[2] = static_cast<uint8_t>(pow2(widths_[2]) + limits_[1]);
  bases_[0] = 0;
  bases_[1] = static_cast<uint8_t>(limits_[0] + 1);
  bases_[2] = static_cast<uint8_t>(limits_[1] + 1);
  bases_[3] = static_cast<uint8_t>(limits_[2] + 1);
}

int TDeltaCode::ClassOfRank(int rank) const {
  if (rank <= limits_[0]) return 0;
  if (rank <= limits_[1]) return 1;
  if (rank <= limits_[2]) return 2;
  return 3;
}

bool TDeltaCode::Encode() {
  coded_.clear();
  if (plain_.size() > static_cast<size_t>(INT32_MAX)) {
    throw std::length_error("text too large for a compressed list file");
  }
  CountAndRank();

  // Code value and length of every byte value that occurs.
  uint32_t codeValue[256] = {};
  int codeLength[256] = {};
  for (int r = 0; r <= highestRank_; ++r) {
    const int k = ClassOfRank(r);
    const uint8_t symbol = table_[r].symbol;
    codeValue[symbol] = (static_cast<uint32_t>(k) << widths_[k]) | static_cast<uint32_t>(r - bases_[k]);
    codeLength[symbol] = widths_[k] + cf::kPrefixWidth;
  }

  // Upper bound of the code words: every code is at most 10 bits.
  coded_.reserve(cf::ImageSize(highestRank_, (plain_.size() * 10 + 15) / 16));
  coded_.assign(cf::kSymbolTableOffset, '\0');
  std::memcpy(coded_.data(), cf::kMagic, 3);
  coded_[3] = cf::kVersion;
  PutI32(coded_, cf::kTextSizeOffset, static_cast<int64_t>(plain_.size()));
  PutU16(coded_, cf::kHighestRankOffset, highestRank_);
  coded_[cf::kPrefixWidthOffset] = static_cast<char>(prefixWidth_);
  for (int k = 0; k < cf::kClassCount; ++k) coded_[cf::kClassWidthOffset + k] = static_cast<char>(widths_[k]);
  for (int r = 0; r <= highestRank_; ++r) coded_.push_back(static_cast<char>(table_[r].symbol));

  // The bit accumulator fills from bit 31 down; `freePos` is the highest
  // unused bit. Whenever the upper half is full it goes out as one word.
  uint32_t acc = 0;
  int freePos = 31;
  char word[2];
  for (const char c : plain_) {
    const auto b = static_cast<unsigned char>(c);
    freePos -= codeLength[b];
    acc |= codeValue[b] << (freePos + 1);
    if (freePos < 16) {
      word[0] = static_cast<char>((acc >> 16) & 0xFF);
      word[1] = static_cast<char>(acc >> 24);
      coded_.append(word, 2);
      acc <<= 16;
      freePos += 16;
    }
  }
  if (freePos < 31) {
    word[0] = static_cast<char>((acc >> 16) & 0xFF);
    word[1] = static_cast<char>(acc >> 24);
    coded_.append(word, 2);
  }
  if (coded_.size() > static_cast<size_t>(INT32_MAX)) {
    throw std::length_error("file too large for a compressed list file");
  }
  PutI32(coded_, cf::kFileSizeOffset, static_cast<int64_t>(coded_.size()));
  return true;
}

bool TDeltaCode::Decode() { return Decode(coded_); }

bool TDeltaCode::Decode(std::string_view image) {
  plain_.clear();
  const auto* bytes = reinterpret_cast<const unsigned char*>(image.data());
  const size_t size = image.size();

  failure_ = DecodeFailure::Format;
  for (size_t i = 0; i < 4; ++i) {
    const char expected = i < 3 ? cf::kMagic[i] : cf::kVersion;
    if (i >= size || image[i] != expected) return false;
  }

  failure_ = DecodeFailure::RecordedSize;
  if (size < cf::kTextSizeOffset) return false;
  const int32_t recordedSize = GetI32(bytes + cf::kFileSizeOffset);
  if (recordedSize < 0 || static_cast<size_t>(recordedSize) != size) return false;
  if (size < cf::kHeaderSize) return false;
  const int32_t textSize = GetI32(bytes + cf::kTextSizeOffset);
  highestRank_ = static_cast<uint16_t>(GetU16(bytes + cf::kHighestRankOffset));
  prefixWidth_ = bytes[cf::kPrefixWidthOffset];
  for (int k = 0; k < cf::kClassCount; ++k) widths_[k] = bytes[cf::kClassWidthOffset + k];
  DeriveLimits();
  if (highestRank_ > 255 || prefixWidth_ != cf::kPrefixWidth || textSize < 0) return false;
  for (const uint8_t w : widths_) {
    if (w > cf::kMaxClassWidth) return false;
  }
  if (size < cf::ImageSize(highestRank_, 0)) return false;

  ResetTable();
  for (int r = 0; r <= highestRank_; ++r) table_[r].symbol = bytes[cf::kSymbolTableOffset + r];

  const unsigned char* word = bytes + cf::ImageSize(highestRank_, 0);
  const size_t wordCount = (size - cf::ImageSize(highestRank_, 0)) / 2;
  failure_ = DecodeFailure::ReadSize;
  if (static_cast<uint64_t>(textSize) * cf::kMinCodeBits > uint64_t{16} * wordCount) return false;

  plain_.resize(static_cast<size_t>(textSize));
  char* out = plain_.data();
  size_t written = 0;
  int64_t remaining = textSize;
  uint32_t masks[4];
  for (int k = 0; k < 4; ++k) masks[k] = widths_[k] >= 8 ? 0xFFu : (1u << widths_[k]) - 1;

  // `q` is the number of unread bits in the accumulator minus 1. No code is
  // longer than 2 + kMaxClassWidth bits, so fewer than 64 bits are ever
  // pending and every shift stays inside the accumulator.
  uint64_t acc = 0;
  int q = -1;
  const int p = prefixWidth_;
  const unsigned char* const end = word + 2 * wordCount;
  while (word < end) {
    acc = (acc << 16) | GetU16(word);
    word += 2;
    q += 16;
    while (q + 1 >= p) {
      q -= p;
      const int k = static_cast<int>((acc >> (q + 1)) & 3u);
      if (q + 1 < widths_[k]) {
        q += p;
        break;
      }
      q -= widths_[k];
      const uint32_t x = static_cast<uint32_t>(acc >> (q + 1)) & masks[k];
      const uint8_t r = static_cast<uint8_t>(x + bases_[k]);
      // Only a file with text size 0 and code words gets here with no room
      // left; it fails the size check below.
      if (written < plain_.size()) out[written++] = static_cast<char>(table_[r].symbol);
      if (--remaining < 1) break;
    }
    if (remaining <= 0) break;
  }
  if (remaining != 0) return false;
  failure_ = DecodeFailure::None;
  return true;
}

}  // namespace lexiscoop
