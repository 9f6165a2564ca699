#include "app/ReadingPane.h"

#include <QAction>
#include <QApplication>
#include <algorithm>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "analysis/Analysis.h"
#include "ui/Fonts.h"
#include "app/AppTexts.h"
#include "app/ExportPlace.h"
#include "platform/Cp932.h"
#include "ui/LevelColours.h"
#include "views/ClassifiedWord.h"
#include "views/WordDetails.h"
#include "views/RowOccurrences.h"
#include "views/ShownWordList.h"
#include "views/WordLevels.h"
#include "views/widgets/ContextModel.h"
#include "views/widgets/FlowLayout.h"
#include "views/widgets/ReadingPrint.h"
#include "views/widgets/ReadingView.h"
#include "views/widgets/RowSelection.h"

namespace lexiscoop {
namespace {

QString FromCp932(std::string_view bytes) { return QString::fromStdString(Utf8FromCp932(bytes)); }

// Draws the text before the word elided on its left, so the words nearest
// the keyword stay in sight.
class ElideLeftDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->textElideMode = Qt::ElideLeft;
  }
};

// A legend switch: the level's name in its colour; unchecked shows the
// level's words plain.
QToolButton* LevelSwitchButton(WordLevel level, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QStringLiteral("tbLevelShown%1").arg(LevelIndex(level)));
  button->setCheckable(true);
  button->setChecked(true);
  button->setAutoRaise(true);
  button->setText(QStringLiteral("■ ") + FromCp932(ShippedLevels().Name(level)));
  button->setToolTip(Qs("この段階の語の色分けを表示するかどうかを切り替えます"));
  QPalette palette = button->palette();
  palette.setColor(QPalette::ButtonText, LevelColour(level, IsDarkPalette(parent->palette())));
  button->setPalette(palette);
  return button;
}

}  // namespace

ReadingPane::ReadingPane(QTableView& words, const ShownWordList& shown, const AnalysisResult& result, QWidget* parent)
    : QObject(parent), words_(words), shown_(shown), result_(result) {
  BuildPage(parent);
  Clear();  // printing waits for a result
  connect(view_, &ReadingView::wordClicked, this, &ReadingPane::WordClicked);
  view_->SetToolTipSource(
      [this](int wordIndex, uint64_t offset) { return ToolTipLines(wordIndex, offset).join(QLatin1Char('\n')); });
  connect(words_.model(), &QAbstractItemModel::modelReset, this, &ReadingPane::ListRebuilt);
  connect(words_.selectionModel(), &QItemSelectionModel::selectionChanged, this, &ReadingPane::ListSelectionChanged);
  connect(words_.selectionModel(), &QItemSelectionModel::currentRowChanged, this, &ReadingPane::ListSelectionChanged);
}

void ReadingPane::BuildPage(QWidget* parent) {
  page_ = new QWidget(parent);
  page_->setObjectName(QStringLiteral("tsReading"));
  auto* layout = new QVBoxLayout(page_);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);

  auto* legend = new QWidget(page_);
  legend->setObjectName(QStringLiteral("ReadingLegend"));
  // The switches and the commands wrap onto a second row where the page is
  // narrow, each keeping its whole caption.
  auto* legendLayout = new FlowLayout(legend, 2);
  // A switch per level; ShowResult adds those a larger set needs.
  legendLayout_ = legendLayout;
  for (int i = 0; i < kWordLevelCount; ++i) AddLevelSwitch(i);

  auto addCommand = [&](QAction*& action, const char* name, const char* text, const char* hint,
                        const QKeySequence& keys) {
    action = new QAction(Qs(text), page_);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(Qs(hint));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    page_->addAction(action);
    auto* button = new QToolButton(legend);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    legendLayout->addWidget(button);
  };
  addCommand(previousMark_, "acPreviousMark", "◀ 前", "選択した語の前の出現箇所へ (Shift+F3)", QKeySequence(Qt::SHIFT | Qt::Key_F3));
  addCommand(nextMark_, "acNextMark", "次 ▶", "選択した語の次の出現箇所へ (F3)", QKeySequence(Qt::Key_F3));
  // Ctrl+P belongs to the window's ファイル → 印刷 command.
  addCommand(print_, "acPrintReading", "印刷…", "色分けした本文を印刷します", QKeySequence());
  addCommand(pdf_, "acSaveReadingPdf", "PDF…", "色分けした本文を PDF に保存します", QKeySequence());
  // The body's size in print, readable whatever the length of the lines.
  printPoints_ = new QDoubleSpinBox(legend);
  printPoints_->setObjectName(QStringLiteral("sbPrintPoints"));
  printPoints_->setRange(6, 24);
  printPoints_->setSingleStep(0.5);
  printPoints_->setDecimals(1);
  printPoints_->setValue(kHandoutPoints);
  printPoints_->setSuffix(QStringLiteral(" pt"));
  printPoints_->setToolTip(Qs("印刷・PDF の本文の文字の大きさ"));
  legendLayout->addWidget(printPoints_);
  connect(nextMark_, &QAction::triggered, this, [this] {
    if (!view_->GoToNextMark()) emit statusText(Qs("一覧で選択した語がありません"));
  });
  connect(previousMark_, &QAction::triggered, this, [this] {
    if (!view_->GoToPreviousMark()) emit statusText(Qs("一覧で選択した語がありません"));
  });
  connect(print_, &QAction::triggered, this, &ReadingPane::PrintDialog);
  connect(pdf_, &QAction::triggered, this, &ReadingPane::SavePdfDialog);

  view_ = new ReadingView(page_);
  view_->setObjectName(QStringLiteral("ReadingView"));
  view_->setFont(FixedFont());

  auto* contextBox = new QWidget(page_);
  auto* contextLayout = new QVBoxLayout(contextBox);
  contextLayout->setContentsMargins(0, 0, 0, 0);
  contextLayout->setSpacing(1);
  contextCaption_ = new QLabel(Qs("文脈: 一覧で語を選ぶと、その語 (活用形も含む) が出てくる行を示します"), contextBox);
  contextCaption_->setObjectName(QStringLiteral("ContextCaption"));
  context_ = new ContextModel(this);
  contextTable_ = new QTableView(contextBox);
  contextTable_->setObjectName(QStringLiteral("ContextView"));
  contextTable_->setModel(context_);
  contextTable_->setFont(FixedFont());
  contextTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
  contextTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  contextTable_->setShowGrid(false);
  contextTable_->setWordWrap(false);
  contextTable_->verticalHeader()->setVisible(false);
  contextTable_->verticalHeader()->setDefaultSectionSize(contextTable_->fontMetrics().height() + 2);
  contextTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  contextTable_->horizontalHeader()->resizeSection(ContextModel::kLineColumn, 56);
  contextTable_->horizontalHeader()->resizeSection(ContextModel::kLeftColumn, 220);
  contextTable_->horizontalHeader()->resizeSection(ContextModel::kWordColumn, 90);
  contextTable_->horizontalHeader()->setStretchLastSection(true);
  // The columns share the table's width, so that 後 is in sight however
  // narrow the page.
  contextTable_->viewport()->installEventFilter(this);
  contextTable_->setTextElideMode(Qt::ElideRight);
  contextTable_->setItemDelegateForColumn(ContextModel::kLeftColumn, new ElideLeftDelegate(contextTable_));
  contextTable_->setContextMenuPolicy(Qt::ActionsContextMenu);
  copyContext_ = new QAction(Qs("コピー"), contextTable_);
  copyContext_->setObjectName(QStringLiteral("acCopyContext"));
  // Ctrl+C reaches it through the window's copy command, which copies the
  // selection of whichever widget has the focus; a shortcut of its own
  // would be ambiguous with that one.
  contextTable_->addAction(copyContext_);
  connect(copyContext_, &QAction::triggered, this, &ReadingPane::CopyContext);
  connect(contextTable_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { JumpToContextRow(index.row()); });
  connect(contextTable_, &QTableView::activated, this, [this](const QModelIndex& index) { JumpToContextRow(index.row()); });
  contextLayout->addWidget(contextCaption_);
  contextLayout->addWidget(contextTable_, 1);

  auto* split = new QSplitter(Qt::Vertical, page_);
  split->setObjectName(QStringLiteral("ReadingSplitter"));
  split->setChildrenCollapsible(false);
  split->addWidget(view_);
  split->addWidget(contextBox);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  layout->addWidget(legend);
  layout->addWidget(split, 1);
}

void ReadingPane::AddLevelSwitch(int i) {
  const auto level = static_cast<WordLevel>(i);
  QToolButton* button = LevelSwitchButton(level, page_);
  connect(button, &QToolButton::toggled, this, [this, level](bool on) { view_->SetLevelShown(level, on); });
  switches_[static_cast<size_t>(i)] = button;
  legendLayout_->addWidget(button);
}

void ReadingPane::Clear() {
  context_->Clear();
  contextWords_ = {};
  view_->Clear();
  hasResult_ = false;
  print_->setEnabled(false);
  pdf_->setEnabled(false);
  figures_ = CoverageFigures{};
}

void ReadingPane::ShowText(std::string_view text) {
  Clear();
  view_->SetText(text);
}

void ReadingPane::ShowResult(const QString& title) {
  title_ = title;
  context_->Clear();
  contextWords_ = {};
  ReadingWords words;
  words.words = &result_.words;
  words.levels = WordLevelsOf(result_);
  words.levelSet = result_.levelSet;
  words.known = known_;
  words.occurrences = OccurrenceReadings(result_);
  figures_ = ComputeCoverage(result_.words, words.levels, result_.readings, result_.levelSet);
  const LevelSet& levels = result_.Levels();
  for (int i = 0; i < kMaxLevelCount; ++i) {
    if (switches_[static_cast<size_t>(i)] == nullptr && i < levels.Count()) AddLevelSwitch(i);
    QToolButton* button = switches_[static_cast<size_t>(i)];
    if (button == nullptr) continue;
    button->setVisible(i < levels.Count());
    if (i >= levels.Count()) continue;
    const auto level = static_cast<WordLevel>(i);
    button->setText(QStringLiteral("■ ") + FromCp932(levels.Name(level)));
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, LevelColour(level, IsDarkPalette(page_->palette()), levels));
    button->setPalette(palette);
  }
  figures_.stopped = result_.stopped;
  view_->SetWords(std::move(words));
  hasResult_ = true;
  print_->setEnabled(true);
  pdf_->setEnabled(true);
}

QStringList ReadingPane::ToolTipLines(int wordIndex, uint64_t offset) const {
  QStringList lines;
  if (!hasResult_ || wordIndex < 0 || wordIndex >= result_.words.Count()) return lines;
  lines << Qs("単語: ") + FromCp932(result_.words.Word(wordIndex));
  // The run's own classification, as the list shows it, read as this
  // occurrence was read in its sentence.
  const WordClass* read = view_->Words().occurrences.At(wordIndex, offset);
  const ClassifiedWord word = ClassifiedReadingOf(result_, wordIndex, read != nullptr ? read->headword : kNoHeadword);
  if (word.InDictionary()) lines << Qs("見出し語: ") + FromCp932(word.headwordForm);
  lines << Qs("レベル: ") + FromCp932(result_.Levels().Name(view_->Words().LevelAt(wordIndex, offset)));
  lines << Qs("出現数: %1").arg(result_.words.Occurrences(wordIndex));
  if (read != nullptr) {
    lines << FromCp932(SplitReadingLines(result_, wordIndex, read->headword)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  }
  if (!word.glosses.Empty()) lines << Qs("訳語: ") + FromCp932(word.glosses.text);
  return lines;
}

HeadwordId ReadingPane::CurrentReadingOf(int wordIndex) const {
  const std::optional<ReadingView::WordPlace> current = view_->CurrentOccurrence();
  if (!hasResult_ || !current || current->wordIndex != wordIndex) return kNoHeadword;
  const WordClass* read = view_->Words().occurrences.At(wordIndex, view_->OffsetOf(*current));
  return read != nullptr ? read->headword : kNoHeadword;
}

int ReadingPane::RowOfWord(int wordIndex) {
  if (!hasResult_) return -1;
  const int32_t position = shown_.PositionOfWord(wordIndex);
  if (position < 0) return -1;
  const int row = shown_.RowOfPosition(position);
  return row < words_.model()->rowCount() ? row : -1;
}

void ReadingPane::WordClicked(int wordIndex) {
  const std::optional<ReadingView::WordPlace> clicked = view_->CurrentOccurrence();
  const int row = RowOfWord(wordIndex);
  if (row < 0) {
    emit statusText(Qs("この語は今の一覧には表示されていません"));
    return;
  }
  const QModelIndex index = words_.model()->index(row, 0);
  words_.selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  words_.scrollTo(index);
  // Selecting the row marks its words anew; the clicked one stays current.
  if (clicked) view_->ShowOccurrence(clicked->line, clicked->start, clicked->length);
}

void ReadingPane::ListRebuilt() {
  view_->SetMarkedWords({});
  context_->Clear();
  contextWords_ = {};
}

void ReadingPane::ListSelectionChanged() {
  if (!hasResult_) return;
  const std::vector<int> rows = SelectedRowNumbers(*words_.selectionModel());
  std::vector<int32_t> positions(static_cast<size_t>(result_.words.Count()));
  for (size_t w = 0; w < positions.size(); ++w) positions[w] = shown_.PositionOfWord(static_cast<int>(w));
  std::vector<bool> selectedPositions(static_cast<size_t>(shown_.FormCount()), false);
  for (const int row : rows) {
    const int position = shown_.PositionOfRow(row);
    if (position >= 0) selectedPositions[static_cast<size_t>(position)] = true;
  }
  std::vector<bool> marked(positions.size(), false);
  for (size_t w = 0; w < positions.size(); ++w) {
    marked[w] = positions[w] >= 0 && selectedPositions[static_cast<size_t>(positions[w])];
  }
  // A word whose readings the list shows apart is marked by any of them.
  for (const ShownWordList::ReadingPosition& place : shown_.ReadingPositions()) {
    if (static_cast<size_t>(place.word) < marked.size() && place.position >= 0 &&
        selectedPositions[static_cast<size_t>(place.position)]) {
      marked[static_cast<size_t>(place.word)] = true;
    }
  }
  view_->SetMarkedWords(marked);

  // The context follows the current row: the occurrences it counts.
  const QModelIndex current = words_.selectionModel()->currentIndex();
  const int position = current.isValid() ? shown_.PositionOfRow(current.row()) : -1;
  RowOccurrences context(shown_, position, result_.words.Count());
  if (position >= 0 && context == contextWords_) return;
  contextWords_ = std::move(context);
  if (position < 0) {
    context_->Clear();
    return;
  }
  contextCaption_->setText(Qs("文脈: ") + FromCp932(std::string(shown_.FormAt(position))));
  const WordTable* table = &result_.words;
  const RowOccurrences* wanted = &contextWords_;
  const OccurrenceReadings* readings = &view_->Words().occurrences;
  context_->Search(view_->Lines(), [table, wanted, readings](std::string_view word, uint64_t offset) {
    const int index = table->IndexOf(word);
    return index >= 0 && wanted->Holds(index, readings->At(index, offset));
  });
}

void ReadingPane::JumpToContextRow(int row) {
  if (row < 0 || row >= context_->rowCount()) return;
  const ContextHit& hit = context_->Hit(row);
  view_->ShowOccurrence(hit.line, hit.start, hit.length);
  for (QWidget* w = page_->parentWidget(); w != nullptr; w = w->parentWidget()) {
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
      tabs->setCurrentWidget(page_);
      break;
    }
  }
  view_->setFocus();
}

bool ReadingPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == contextTable_->viewport() && event->type() == QEvent::Resize) FitContextColumns();
  return QObject::eventFilter(watched, event);
}

void ReadingPane::FitContextColumns() {
  QHeaderView* header = contextTable_->horizontalHeader();
  const int width = contextTable_->viewport()->width();
  const QFontMetrics metrics = contextTable_->fontMetrics();
  const int line = metrics.horizontalAdvance(QStringLiteral("0000000")) + 8;
  const int word = std::clamp(width / 6, metrics.horizontalAdvance(QStringLiteral("MMMM")), 140);
  // What is left goes to the text before and after the word, half each.
  const int side = std::max(40, (width - line - word) / 2);
  header->resizeSection(ContextModel::kLineColumn, line);
  header->resizeSection(ContextModel::kWordColumn, word);
  header->resizeSection(ContextModel::kLeftColumn, side);
}

void ReadingPane::CopyContext() {
  std::vector<int> rows;
  for (const QModelIndex& index : contextTable_->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  const std::string text = context_->RowsText(rows);
  if (!text.empty()) QGuiApplication::clipboard()->setText(FromCp932(text));
}

void ReadingPane::SetSavePlace(ExportPlace* place, std::function<QString()> baseName) {
  savePlace_ = place;
  baseName_ = std::move(baseName);
}

QString ReadingPane::SuggestedPdfPath() const {
  const QString base = baseName_ ? baseName_() : QString();
  if (savePlace_ == nullptr) return QDir::home().filePath((base.isEmpty() ? QStringLiteral("reading") : base) + QStringLiteral(".pdf"));
  return savePlace_->Suggest(base, QStringLiteral(".pdf"), QStringLiteral("reading"));
}

void ReadingPane::PreparePrinter(QPrinter& printer) const {
  // The print dialog proposes its PDF's file name from these; the caption
  // (with its « / ») would name a file in a folder that is not there.
  const QString path = SuggestedPdfPath();
  printer.setDocName(QFileInfo(path).completeBaseName());
  printer.setOutputFileName(path);
  printer.setOutputFormat(QPrinter::NativeFormat);
}

void ReadingPane::SetWrap(bool wrap) { view_->SetWrap(wrap); }

double ReadingPane::PrintPoints() const { return printPoints_->value(); }

bool ReadingPane::SaveAsPdf(const QString& path) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(QFileInfo(path).completeBaseName());
  return PrintReading(*view_, ReadingPrintHeader{title_, FromCp932(CoverageVerdict(figures_))}, printer, PrintPoints()) > 0;
}

void ReadingPane::PrintDialog() {
  QPrinter printer(QPrinter::HighResolution);
  PreparePrinter(printer);
  QPrintDialog dialog(&printer, page_);
  if (dialog.exec() != QDialog::Accepted) return;
  if (printer.outputFormat() == QPrinter::PdfFormat && savePlace_ != nullptr) {
    if (const QString refusal = savePlace_->Refusal(printer.outputFileName()); !refusal.isEmpty()) {
      emit statusText(QString(refusal).replace(QLatin1Char('\n'), QLatin1Char(' ')));
      return;
    }
  }
  if (PrintReading(*view_, ReadingPrintHeader{title_, FromCp932(CoverageVerdict(figures_))}, printer, PrintPoints()) == 0) {
    emit statusText(Qs("印刷できませんでした"));
    return;
  }
  if (printer.outputFormat() == QPrinter::PdfFormat && savePlace_ != nullptr) savePlace_->Saved(printer.outputFileName());
}

void ReadingPane::SavePdfDialog() {
  const QString path = QFileDialog::getSaveFileName(page_, Qs("PDF に保存"), SuggestedPdfPath(), Qs("PDF (*.pdf)"));
  if (path.isEmpty()) return;
  if (const QString refusal = savePlace_ != nullptr ? savePlace_->Refusal(path) : QString(); !refusal.isEmpty()) {
    emit statusText(QString(refusal).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    return;
  }
  if (!SaveAsPdf(path)) {
    emit statusText(Qs("PDF を保存できませんでした: ") + path);
    return;
  }
  if (savePlace_ != nullptr) savePlace_->Saved(path);
}

}  // namespace lexiscoop
