#pragma once

#include <QString>

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

 private:
  QString folder_;
};

}  // namespace lexiscoop
