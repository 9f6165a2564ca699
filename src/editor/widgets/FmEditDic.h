#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/IncrementalSearch.h"

class QButtonGroup;
class QGroupBox;
class QItemSelection;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QToolButton;

namespace lexiscoop {

class ConjugationDictionary;
class EditDicModel;
class TDialogs;

// The dictionary editor (辞書編集): a modal dialog that lists the headwords of
// the dictionary with their level, shows one entry (headword, inflected
// spellings, level) and records or deletes it.
//
// It holds no dictionary data of its own: it reads the dictionary's lists
// and changes them only through RecordHeadword and DeleteHeadword, which
// write the user's files and reload. Created once beside the main window and
// shown again each time; every showing lists the dictionary anew and loads
// its first row, while the boxes, the snapshot and the search state persist
// between showings.
class TfrmEditDic : public QDialog {
  Q_OBJECT

 public:
  // Opens a document (path, suffix) with its registered program and tells
  // the user when the file is missing: the main window's OpenDocument.
  using DocumentOpener = std::function<void(const QString& path, const QString& suffix)>;
  // The millisecond tick count that the list's search reads.
  using TickSource = std::function<uint32_t()>;

  // `dictionary` and `dialogs` are not owned and must outlive the dialog.
  TfrmEditDic(ConjugationDictionary& dictionary, TDialogs& dialogs, DocumentOpener openDocument,
              QWidget* parent = nullptr);
  ~TfrmEditDic() override;

  // Replaces the system tick count (tests drive time with it).
  void SetTickSource(TickSource tickCount);

  // The level number of every listed row.
  const std::vector<uint8_t>& RowLevels() const { return rowLevels_; }
  const IncrementalSearch& Search() const { return search_; }

  // Lists the dictionary again and loads the first row, if any.
  void RefreshList();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The snapshot of the entry last loaded, against which EntryChanged
  // compares.
  struct Snapshot {
    std::string inflections;  // NormalizeLines of the inflection box, CP932
    int level = 0;
    std::string gloss;  // GlossText as loaded
  };

  // FmEditDicLayout.cpp
  void createControls();
  void createToolButtons(QWidget* bar);
  void createEditGroup();
  void createList();

  void FormCreate();
  void lvDicSelectItem(const QItemSelection& selected);
  bool lvDicKeyPress(const QString& typed);
  void edInflictionsChange();
  void mmInflictionsChange();
  void rgLevelClick();
  void tbRecordClick();
  void tbDeleteClick();
  void ToolButton2Click();

  void LoadRow(int row);
  void SelectRow(int row);
  int SelectedRow() const;
  bool EntryChanged() const;
  void ConfirmAndRecord();
  // An entry as the dictionary holds it, to tell whether it changed.
  struct StoredEntry {
    bool found = false;
    std::vector<std::string> spellings;
    int level = 0;
    bool operator==(const StoredEntry&) const = default;
  };
  StoredEntry EntryOf(const std::string& headword) const;
  // When the files changed on disk since the last load, reloads them. When
  // the typed headword's entry is among the changes, shows it as it is now,
  // tells the user and returns true: nothing is to be recorded over it
  // unseen.
  bool ReloadIfChangedOnDisk();
  void Record(const std::string& headword, const std::string& inflections, int level);
  void Delete(const std::string& headword);
  // tbRecord follows EntryChanged, and stays off for an invalid headword.
  void UpdateRecordButton();

  std::string HeadwordText() const;     // trimmed, CP932
  std::string InflectionText() const;   // NormalizeLines of the box, CP932
  int CheckedLevel() const;             // 0 when no item is checked
  std::string GlossText() const;        // the 訳語 box as stored (CP932)
  void SetInflectionLines(const std::vector<std::string>& lines);
  void CheckLevel(int level);
  void Inform(const std::string& cp932);
  bool Ask(const std::string& cp932);
  void Fail(const char* what);

  ConjugationDictionary& dictionary_;
  TDialogs& dialogs_;
  DocumentOpener openDocument_;
  TickSource tickCount_;
  std::vector<uint8_t> rowLevels_;  // RowLevels: level number per headword, in line order
  Snapshot snapshot_;
  IncrementalSearch search_;
  bool loadingRow_ = false;  // the boxes are being filled from a row

  QTableView* lvDic = nullptr;
  EditDicModel* model_ = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* edInflictions = nullptr;
  QLabel* Label2 = nullptr;
  QPlainTextEdit* mmInflictions = nullptr;
  QLabel* Label3 = nullptr;
  QGroupBox* rgLevel = nullptr;
  QLabel* Label4 = nullptr;
  QLineEdit* edGloss = nullptr;
  QButtonGroup* levelButtons_ = nullptr;  // the items of rgLevel; id = level number
  QToolButton* ToolButton3 = nullptr;
  QToolButton* tbRecord = nullptr;
  QToolButton* tbDelete = nullptr;
  QToolButton* ToolButton2 = nullptr;
  QPushButton* Button1 = nullptr;
};

}  // namespace lexiscoop
