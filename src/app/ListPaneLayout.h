#pragma once

#include <QObject>
#include <string>
#include <vector>

class QSplitter;
class QTableView;

namespace lexiscoop {

class TIniFile;

// How the main window shares its width between the text pane and the word
// list, and the widths of the list's columns. Until the user moves the
// splitter, every change of the window's width is shared afresh; until the
// user gives the 訳語 column a width of their own, it is fitted to the
// glosses shown. Where the window is too narrow for every column at its
// width, the glosses take their room from the text pane first and then
// from the other columns' blank space; those columns keep their widths
// for the settings and take them back as the window widens.
class ListPaneLayout : public QObject {
  Q_OBJECT

 public:
  // `splitter` holds the text pane first and `list` second; both outlive
  // this object (it is their window's child).
  ListPaneLayout(QSplitter& splitter, QTableView& list, QObject* parent);

  // The window is shown: the width is shared from now on.
  void WindowShown();
  // The user has moved the splitter: the share is theirs from now on.
  void SplitterMoved() { listPaneChosen_ = true; }
  // The list shows new rows: a fitted 訳語 column fits them.
  void RowsChanged();
  // 表示 → 訳語: shows or hides the 訳語 column; a hidden one leaves its room
  // to the text pane and keeps its width for the settings.
  void ShowGloss(bool shown);

  // The column widths (ColWidth) and the 訳語 column's own width
  // (GlossWidth) from the settings; unusable values keep the design widths.
  void Read(const TIniFile& ini);
  // Writes ColWidth, and GlossWidth where the user gave the column a width.
  void Write(TIniFile& ini) const;
  // The ColWidth value for the columns as they are now.
  std::string ColumnWidthsText() const;

  // Shares the width: the list takes what its columns need and the 訳語
  // column what is left of the list's share, within bounds.
  void Fit();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyColumnWidths(const std::string& value);
  // Narrows the shown columns other than 訳語 towards what their caption
  // and first rows need, until `excess` pixels are saved or none is left.
  void SqueezeColumns(int excess);
  // Gives every column other than 訳語 its own width again.
  void RestoreColumns();
  // Takes the columns' widths as their own, the first time only.
  void KeepColumnWidths();

  QSplitter& splitter_;
  QTableView& list_;
  bool windowShown_ = false;
  bool listPaneChosen_ = false;    // the user has moved the panes' splitter
  bool sizing_ = false;            // the program, not the user, sizes a column
  int glossWidth_ = 0;             // the 訳語 column's width while it is hidden
  std::vector<int> widths_;        // each column's own width (design, settings or a drag)
  bool glossWidthChosen_ = false;  // the 訳語 column's width is the user's (settings or a drag)
};

}  // namespace lexiscoop
