#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace lexiscoop {

// The help pages in a window of the program's own, for a machine on which
// no program is registered for HTML: the shipped pages read as they are,
// links between them followed, links to the web handed to the desktop.
class HelpWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the page `url` (a local file, a fragment naming a place in it)
  // and brings the window to the front.
  void ShowPage(const QUrl& url);
  QTextBrowser& Browser() const { return *browser_; }

 private:
  QTextBrowser* browser_ = nullptr;
};

}  // namespace lexiscoop
