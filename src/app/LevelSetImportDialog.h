#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace lexiscoop {

class TDialogs;

// 表示 → レベルセット → 読み込み…: the name of a new level set and its level
// files, one a level, most basic first (up to 9). Each level is named after
// its file at first; the user may rename it. A CSV, TSV or sheet whose rows
// name their levels gives those levels instead. Accepting checks the name
// and that there is a file; what the files hold is the caller's to read.
class LevelSetImportDialog : public QDialog {
  Q_OBJECT

 public:
  LevelSetImportDialog(QWidget* parent, TDialogs& dialogs);

  QString Name() const;
  // The files and the level names given them, in order.
  QStringList Files() const;
  QStringList LevelNames() const;
  // Adds `paths` as levels after the last, as far as there is room; the
  // files left out are named to the user.
  void AddFiles(const QStringList& paths);
  void SetName(const QString& name);

  void accept() override;

 private:
  void ChooseFiles();
  void RemoveSelected();
  // Moves the selected level one place up (-1) or down (+1).
  void MoveSelected(int step);
  void UpdateButtons();

  TDialogs& dialogs_;
  QLineEdit* name_ = nullptr;
  QTableWidget* levels_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* up_ = nullptr;
  QPushButton* down_ = nullptr;
};

}  // namespace lexiscoop
