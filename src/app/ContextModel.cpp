#include "app/ContextModel.h"

#include "platform/FileSystem.h"

namespace lexiscoop {

std::shared_ptr<const tagging::TaggerModel> ContextModel::Get(std::string& error) {
  if (tried_) return model_;
  tried_ = true;
  // A folder of one's own dictionary without a model reads by the rule.
  if (!FileExists(path_)) return nullptr;
  tagging::TaggerModelLoad load = tagging::TaggerModel::Load(path_);
  if (!load.model) {
    error = "品詞のモデルが使えないため、単語は文脈によらず見出し語の規則で読みます。\n" + load.error;
  }
  model_ = std::move(load.model);
  return model_;
}

}  // namespace lexiscoop
