#include "app/OriginalPreview.h"

#include <QStringDecoder>

#include <cstring>

#include "platform/Cp932.h"
#include "platform/InputEncoding.h"
#include "platform/LatinFolding.h"

namespace lexiscoop {
namespace {

// The CP932 bytes that the character `c` takes in a converted text.
size_t Cp932Bytes(char32_t c) {
  if (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F)) return 1;  // ASCII, half-width katakana
  if (const char* fold = AsciiFoldOf(c)) return std::strlen(fold);
  return 2;  // a double-byte character (or «?», seldom)
}

}  // namespace

QString OriginalPreview(const QByteArray& head, std::string_view cp932Lead) {
  const std::string_view bytes(head.constData(), static_cast<size_t>(head.size()));
  const TextEncoding encoding = DetectTextEncoding(bytes);
  if (encoding == TextEncoding::Cp932) return {};
  const QByteArray body = head.mid(static_cast<qsizetype>(ByteOrderMarkBytes(encoding)));
  QString text;
  if (IsUtf16(encoding)) {
    QStringDecoder decode(IsBigEndian(encoding) ? QStringConverter::Utf16BE : QStringConverter::Utf16LE);
    text = decode(body);
  } else {
    text = QString::fromUtf8(body);
  }
  // As many characters as the converted lead holds.
  size_t covered = 0;
  qsizetype end = 0;
  while (end < text.size() && covered < cp932Lead.size()) {
    char32_t c = text[end].unicode();
    qsizetype step = 1;
    if (text[end].isHighSurrogate() && end + 1 < text.size()) {
      c = QChar::surrogateToUcs4(text[end], text[end + 1]);
      step = 2;
    }
    covered += Cp932Bytes(c);
    end += step;
  }
  if (covered < cp932Lead.size()) return {};
  const QString original = text.left(end);
  // The preview is the original only where it converts to what is counted.
  const std::string converted = Cp932FromUtf8Text(original.toStdString());
  if (converted.compare(0, cp932Lead.size(), cp932Lead) != 0 && cp932Lead.compare(0, converted.size(), converted) != 0) {
    return {};
  }
  return original;
}

}  // namespace lexiscoop
