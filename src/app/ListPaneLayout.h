#pragma once

#include <QObject>
#include <string>

class QSplitter;
class QTableView;

namespace lexiscoop {

class TIniFile;

// How the main window shares its width between the text pane and the word
// list, and the widths of the list's columns. Until the user moves the
// splitter, every change of the window's width is shared afresh; until the
// user gives the 訳語 column a width of their own, it is fitted to the
// glosses shown.
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

  QSplitter& splitter_;
  QTableView& list_;
  bool windowShown_ = false;
  bool listPaneChosen_ = false;    // the user has moved the panes' splitter
  bool sizingGloss_ = false;       // the program, not the user, sizes the 訳語 column
  int glossWidth_ = 0;             // the 訳語 column's width while it is hidden
  bool glossWidthChosen_ = false;  // the 訳語 column's width is the user's (settings or a drag)
};

}  // namespace lexiscoop
