#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

namespace lexiscoop {

class TIniFile;

// Where the program's save dialogs start and the name they propose: the
// folder of the last file saved (kept in the settings' [system] section as
// ExportFolder), the home folder before any, and a name made from the
// text's file name (modern-english.txt gives modern-english.pdf).
class ExportPlace {
 public:
  void Read(const TIniFile& ini);
  void Write(TIniFile& ini) const;

  // The folder of the last file saved while it exists, else the home folder.
  QString Folder() const;
  // The path to propose: Folder(), then `baseName` (a text's name without
  // its extension; characters a file name cannot hold become «_») and
  // `suffix` («.pdf»). An empty base name gives `fallback` instead.
  QString Suggest(const QString& baseName, const QString& suffix, const QString& fallback) const;
  // A file was saved at `path`: its folder is the next start.
  void Saved(const QString& path);

  // `openText` gives the text file the window has loaded ("" for none),
  // which no save may write over.
  void SetOpenText(std::function<QString()> openText);
  // Why `path` may not be written, for the user: it is the loaded text or
  // one of `inputs` (the same file, also through a link or another name), or
  // a folder. Empty when it may be written.
  QString Refusal(const QString& path, const std::vector<std::string>& inputs = {}) const;

 private:
  QString folder_;
  std::function<QString()> openText_;
};

}  // namespace lexiscoop
