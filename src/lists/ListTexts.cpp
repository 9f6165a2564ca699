#include "lists/ListTexts.h"

#include "platform/Cp932.h"

namespace lexiscoop {

const std::string& ListMessage(ListText text) {
  static const Cp932Text kTexts[] = {
      Cp932Text{"英単語 1 語ではありません"},
      Cp932Text{"長すぎます"},
      Cp932Text{"「%1」 は見出し語 「%2」 として数えます"},
      Cp932Text{"「%1」 は辞書にありません (取り込みません)"},
      Cp932Text{"「%1」 は辞書にありません (自分の見出し語として残します)"},
      Cp932Text{"「%1」 は先のレベル 「%2」 にあり、そこで数えます"},
      Cp932Text{"レベルは 9 つまでです (取り込みません)"},
      Cp932Text{"読み込めません (%1)"},
      Cp932Text{"Excel ブック (.xlsx) として読めません"},
      Cp932Text{"ブックに読めるシートがありません"},
      Cp932Text{"シートの XML が読めません"},
      Cp932Text{"壊れています (書き換えません)"},
      Cp932Text{"名前に使えない文字があるか、長すぎます"},
      Cp932Text{"その名前のリストはありません"},
      Cp932Text{"取り込める単語がありません"},
  };
  return kTexts[static_cast<int>(text)].str();
}

std::string ListMessage(ListText text, const std::string& first, const std::string& second) {
  std::string message = ListMessage(text);
  if (const size_t at = message.find("%1"); at != std::string::npos) message.replace(at, 2, first);
  if (const size_t at = message.find("%2"); at != std::string::npos) message.replace(at, 2, second);
  return message;
}

}  // namespace lexiscoop
