#pragma once

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <functional>
#include <string>
#include <vector>

#include "ui/Cp932Strings.h"

namespace lexiscoop {

// Fills `menu` afresh with one checked-one-of-many entry per stored name
// (CP932), after a first entry `noneCaption` that stands for the empty
// name; the entry of `chosen` is checked. A triggered entry calls `choose`
// with its name. Entries carry their name (UTF-8) as data. Returns the
// first entry.
inline QAction* FillChoiceMenu(QMenu& menu, QActionGroup& group, const QString& noneCaption,
                               const std::vector<std::string>& names, const std::string& chosen,
                               const std::function<void(const std::string&)>& choose) {
  menu.clear();
  for (QAction* action : group.actions()) group.removeAction(action);
  auto add = [&](const QString& caption, const std::string& name) {
    QAction* action = menu.addAction(caption);
    action->setCheckable(true);
    action->setChecked(name == chosen);
    action->setData(FromCp932(name));
    group.addAction(action);
    QObject::connect(action, &QAction::triggered, &menu, [choose, name] { choose(name); });
    return action;
  };
  QAction* none = add(noneCaption, std::string());
  if (!names.empty()) menu.addSeparator();
  for (const std::string& name : names) add(FromCp932(name), name);
  return none;
}

}  // namespace lexiscoop
