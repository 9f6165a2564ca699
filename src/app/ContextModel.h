#pragma once

#include <memory>
#include <string>

#include "tagging/TaggerModel.h"

namespace lexiscoop {

// The part-of-speech model the window reads words in context with (表示 →
// 文脈で読み分ける): read from the program folder by the first run that asks
// for it and kept for the next ones.
class ContextModel {
 public:
  explicit ContextModel(std::string path) : path_(std::move(path)) {}

  // The model, or null: without a model file (a folder of one's own
  // dictionary) silently, for a file that cannot be used with a message for
  // the user in `error` (UTF-8) the first time.
  std::shared_ptr<const tagging::TaggerModel> Get(std::string& error);

 private:
  std::string path_;
  bool tried_ = false;
  std::shared_ptr<const tagging::TaggerModel> model_;
};

}  // namespace lexiscoop
