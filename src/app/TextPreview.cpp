#include "app/TextPreview.h"

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "app/AppTexts.h"
#include "app/OriginalPreview.h"
#include "platform/Cp932.h"
#include "ui/Dialogs.h"

namespace lexiscoop {
namespace {

constexpr int32_t kPreviewBytes = 4096;

// The length of `text` without a lead byte left alone at its end, so that a
// cut never shows half a double-byte character.
size_t WholeCharacters(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const size_t step = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    if (i + step > text.size()) break;
    i += step;
  }
  return i;
}

}  // namespace

QString TextPreview(const TMyParser& text, const QByteArray& originalHead) {
  std::string lead = text.LeadingText(kPreviewBytes);
  const bool omitted = text.ByteCount() > static_cast<int32_t>(lead.size());
  if (omitted) lead.resize(WholeCharacters(lead));
  const QString original = OriginalPreview(originalHead, lead);
  QString preview = DisplayLines(original.isEmpty() ? QString::fromStdString(Utf8FromCp932(lead)) : original);
  if (omitted) {
    if (!preview.isEmpty() && !preview.endsWith(QLatin1Char('\n'))) preview += QLatin1Char('\n');
    preview += Qs(texts::kOmittedLine);
  }
  return preview;
}

QString StatusWithZeroByteNotice(const std::string& status, std::string_view text) {
  std::string shown = status;
  const std::string notice = ZeroByteNotice(text);
  if (!notice.empty()) shown += "  " + notice;
  return QString::fromStdString(Utf8FromCp932(shown));
}

}  // namespace lexiscoop
