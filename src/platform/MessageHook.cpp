#include "platform/MessageHook.h"

#include <cstdio>
#include <string>

#include "platform/Cp932.h"

namespace lexiscoop {
namespace {

MessageHandler& Handler() {
  static MessageHandler handler;
  return handler;
}

}  // namespace

void SetMessageHandler(MessageHandler handler) { Handler() = std::move(handler); }

void ShowMessage(std::string_view cp932Text) {
  if (Handler()) {
    Handler()(cp932Text);
    return;
  }
  const std::string utf8 = Utf8FromCp932(cp932Text);
  std::fprintf(stderr, "%s\n", utf8.c_str());
}

}  // namespace lexiscoop
