// The main window's layout: commands, menus, the three bars, the work area and
// the status bar. Everything here is built once, from the window's constructor.

#include "app/MainWindowUi.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AppTexts.h"
#include "app/ImageList.h"
#include "app/ReadingPane.h"
#include "app/WindowSettings.h"
#include "ui/ElidingLabel.h"
#include "views/widgets/CoverageChart.h"
#include "views/widgets/ReportPage.h"
#include "views/widgets/WordListModel.h"

namespace lexiscoop {
namespace {

constexpr int kBandHeight = 39;
constexpr int kButtonHeight = 35;
constexpr int kWordListWidth = 351;
const QColor kPaleYellow(239, 239, 205);

void PaintPale(QWidget* widget) {
  widget->setAttribute(Qt::WA_StyledBackground, true);
  widget->setStyleSheet(QStringLiteral("#%1 { background: %2; }")
                            .arg(widget->objectName(), kPaleYellow.name()));
}

// A checkable 表示 entry that starts checked; the settings may uncheck it.
QAction* NewToggleOnAtFirst(QMainWindow& window, const char* name, const char* caption, const char* tip) {
  auto* action = new QAction(Qs(caption), &window);
  action->setObjectName(QString::fromLatin1(name));
  action->setStatusTip(Qs(tip));
  action->setCheckable(true);
  action->setChecked(true);
  return action;
}

// The button-face look of the read-only panes.
void ButtonFaceBase(QPlainTextEdit* edit) {
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Button));
  edit->setPalette(palette);
  edit->setFrameShape(QFrame::NoFrame);
  edit->setReadOnly(true);
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

QWidget* PageWithBorder(QWidget* content, const char* name) {
  auto* page = new QWidget;
  page->setObjectName(QString::fromLatin1(name));
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(content);
  return page;
}

QToolButton* AddButton(QToolBar* bar, const char* name, QAction* action, int width) {
  auto* button = new QToolButton(bar);
  button->setObjectName(QString::fromLatin1(name));
  if (action != nullptr) button->setDefaultAction(action);
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setAutoRaise(true);
  button->setIconSize(QSize(16, 16));
  // The design width, or the caption's where it is longer: a caption is
  // never cut short.
  button->setMinimumWidth(width);
  button->setFixedHeight(kButtonHeight);
  button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
  bar->addWidget(button);
  return button;
}

QToolBar* CreateBand(QMainWindow& window, const char* bandName) {
  // A tool bar of the window's top area: what does not fit its width goes
  // to the bar's extension menu (») at its right end.
  auto* band = new QToolBar(&window);
  band->setObjectName(QString::fromLatin1(bandName));
  band->setMovable(false);
  band->setFloatable(false);
  // Not a fixed height: the extension opens the bar downwards, over the
  // panes, in as many rows as its items need.
  band->setMinimumHeight(kBandHeight);
  band->setContentsMargins(0, 0, 0, 0);
  band->setIconSize(QSize(16, 16));
  band->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  band->setStyleSheet(QStringLiteral(
      "QToolBar { border: none; border-bottom: 1px solid palette(mid); spacing: 0px; padding: 0px 2px;"
      " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbfbf6, stop:1 #e4e2d6); }"));
  window.addToolBarBreak(Qt::TopToolBarArea);
  window.addToolBar(Qt::TopToolBarArea, band);
  return band;
}

}  // namespace

void MainWindowUi::Build(QMainWindow& window, QMenu& recentFilesMenu, const ShownWordList& shown,
                         const AnalysisResult& result) {
  createActions(window);
  createMenus(window, recentFilesMenu);
  createToolBars(window);
  createWorkArea(window, shown, result);
  createStatusBar(window);
}

void MainWindowUi::createActions(QMainWindow& window) {
  struct Spec {
    QAction* MainWindowUi::*member;
    const char* name;
    const char* caption;
    const char* hint;
    int image;
    const char* shortcut;
  };
  const Spec specs[] = {
      {&MainWindowUi::acClipToText, "acClipToText", "貼付(&P)", "クリップボードのテキストを貼り付ける", 0, "Ctrl+V"},
      {&MainWindowUi::acAnalize, "acAnalize", "抽出(&A)", "テキストから単語を拾い出す", 1, "Ctrl+A"},
      {&MainWindowUi::acStopAnalize, "acStopAnalize", "中止(&Q)", "抽出作業を中止する", 16, ""},
      {&MainWindowUi::acLoadFromFile, "acLoadFromFile", "読込(&O)", "テキストファイルを読み込む", 2, "Ctrl+O"},
      {&MainWindowUi::acSortABC, "acSortABC", "文字(&L)", "単語をアルファベット順に並び替える", 3, ""},
      {&MainWindowUi::acSortNum, "acSortNum", "頻度(&N)", "単語を出現頻度で並び替える", 5, ""},
      {&MainWindowUi::acSortInitial, "acSortInitial", "出た順(&R)", "単語を最初の並び順に戻す", 4, ""},
      {&MainWindowUi::acCopyWords, "acCopyWords", "単語(&C)", "選択した項目の単語をコピー", 6, "Ctrl+C"},
      {&MainWindowUi::acCopyWordsNum, "acCopyWordsNum", "個数付(&N)", "選択した項目を個数付きで単語をコピー", 7, "Ctrl+N"},
      {&MainWindowUi::acOpenDoc, "acOpenDoc", "案内(&H)", "利用案内ドキュメントを開く", 8, "Ctrl+H"},
      {&MainWindowUi::acAllSelect, "acAllSelect", "すべて(&S)", "すべての項目を選択する", 14, "Ctrl+S"},
      {&MainWindowUi::acSWEntries, "acSWEntries", "見出し語", "辞書の見出しに登録されているもの", 12, ""},
      {&MainWindowUi::acSWWritten, "acSWWritten", "表記", "テキストに書かれているスペルで、辞書に活用が登録されているもの", 12, ""},
      {&MainWindowUi::acSWNoEntry, "acSWNoEntry", "未登録", "辞書にないもの", 12, ""},
      {&MainWindowUi::acSWOriginal, "acSWOriginal", "原形", "元になる単語の形", 12, ""},
      {&MainWindowUi::acClose, "acClose", "閉じる(&X)", "アプリケーションを終了する", 15, ""},
      {&MainWindowUi::acCopyData, "acCopyData", "データコピー", "詳細データの百分率の列をクリップボードにコピー", kImageCopyWords, ""},
      {&MainWindowUi::acEditDic, "acEditDic", "辞書(&D)", "辞書を編集", 11, "Ctrl+D"},
      {&MainWindowUi::Close1, "Close1", "終了(&X)", "", -1, ""},
      {&MainWindowUi::N1, "N1", "登録単語情報(&I)", "", 11, ""},
      {&MainWindowUi::acExport, "acExport", "エクスポート(&E)…", "単語リストを Excel・CSV・フラッシュカードに書き出す", -1, ""},
      {&MainWindowUi::acCompareTexts, "acCompareTexts", "複数のテキストを比較(&M)…", "複数のテキストのレベル構成を並べて比べる", -1, ""},
      {&MainWindowUi::acPrint, "acPrint", "印刷(&P)…", "レベルで色分けした本文を印刷する (PDF にも)", -1, "Ctrl+P"},
  };
  for (const Spec& spec : specs) {
    auto* action = new QAction(ImageListIcon(spec.image), Qs(spec.caption), &window);
    action->setObjectName(QString::fromLatin1(spec.name));
    action->setToolTip(spec.hint[0] != '\0' ? Qs(spec.hint) : QString());
    if (spec.shortcut[0] != '\0') {
      action->setShortcut(QKeySequence(QString::fromLatin1(spec.shortcut)));
      // The list and the panes have their own Ctrl+A and Ctrl+C; the
      // window's commands win wherever the focus is.
      action->setShortcutContext(Qt::WindowShortcut);
    }
    this->*(spec.member) = action;
    window.addAction(action);
  }
  acAnalize->setEnabled(false);

  acShowGloss = NewToggleOnAtFirst(window, "acShowGloss", "訳語(&G)", "単語一覧に訳語の列を表示する");
  acWrapReading = NewToggleOnAtFirst(window, "acWrapReading", "折り返し(&W)", "レベル表示の本文を画面の幅で折り返す");
  acReadInContext = NewToggleOnAtFirst(window, "acReadInContext", "文脈で読み分ける(&C)",
                                       "語形が二つ以上の見出し語や品詞に当たる語を、文中の品詞から読み分ける（次の抽出から）");
}

void MainWindowUi::createMenus(QMainWindow& window, QMenu& recentFilesMenu) {
  QMenuBar* bar = window.menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = fileMenu = bar->addMenu(Qs("ファイル(&F)"));
  file->addAction(acLoadFromFile);
  file->addMenu(&recentFilesMenu);
  file->addSeparator();
  file->addAction(acExport);
  file->addAction(acCompareTexts);
  file->addAction(acPrint);
  file->addSeparator();
  file->addAction(Close1);

  QMenu* edit = bar->addMenu(Qs("編集(&E)"));
  edit->addAction(acClipToText);
  edit->addSeparator();
  edit->addAction(acAnalize);
  edit->addSeparator();
  edit->addAction(acCopyWords);
  edit->addAction(acCopyWordsNum);
  edit->addAction(acAllSelect);

  QMenu* view = viewMenu = bar->addMenu(Qs("表示(&V)"));
  view->addAction(acSortABC);
  view->addAction(acSortInitial);
  view->addAction(acSortNum);
  view->addSeparator();
  view->addAction(acShowGloss);
  view->addAction(acWrapReading);
  view->addAction(acReadInContext);

  QMenu* help = bar->addMenu(Qs("ヘルプ(&H)"));
  help->addAction(N1);
  help->addAction(acOpenDoc);
}

void MainWindowUi::createToolBars(QMainWindow& window) {
  // 1. The main bar.
  CoolBar1 = CreateBand(window, "CoolBar1");
  ToolBar1 = CoolBar1;
  AddButton(CoolBar1, "ToolButton9", acClose, 60);
  CoolBar1->addSeparator();
  AddButton(CoolBar1, "ToolButton3", acLoadFromFile, 60);
  AddButton(CoolBar1, "ToolButton1", acClipToText, 60);
  CoolBar1->addSeparator();
  tbAnalizeStart = AddButton(CoolBar1, "tbAnalizeStart", acAnalize, 60);

  auto* progressPanel = new QWidget(ToolBar1);
  progressPanel->setObjectName(QStringLiteral("ProgressPanel"));
  progressPanel->setFixedSize(88, kButtonHeight);
  PaintPale(progressPanel);
  ProgressBar1 = new QProgressBar(progressPanel);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setGeometry(4, 4, 80, 15);
  lbTickCount = new QLabel(progressPanel);
  lbTickCount->setObjectName(QStringLiteral("lbTickCount"));
  lbTickCount->setGeometry(4, 20, 80, 14);
  CoolBar1->addWidget(progressPanel);

  CoolBar1->addSeparator();
  AddButton(CoolBar1, "ToolButton13", acOpenDoc, 60);
  AddButton(CoolBar1, "ToolButton10", acEditDic, 60);

  // 2. The word-list bar.
  cbWordsSel = CreateBand(window, "cbWordsSel");
  tbWordsSel = cbWordsSel;
  AddButton(cbWordsSel, "ToolButton36", acCopyWords, 96);
  AddButton(cbWordsSel, "ToolButton37", acCopyWordsNum, 96);
  AddButton(cbWordsSel, "ToolButton38", acAllSelect, 96);
  ToolButton8 = AddButton(cbWordsSel, "ToolButton8", nullptr, 96);
  ToolButton8->setText(Qs("詳細データコピー"));
  ToolButton8->setIcon(ImageListIcon(kImageCopyWords));
  ToolButton8->setToolTip(Qs("詳細データ (統計レポート) をクリップボードにコピー"));
  QFont narrower = ToolButton8->font();  // its caption is the longest of the bar
  narrower.setPixelSize(11);
  ToolButton8->setFont(narrower);
  cbWordsSel->addSeparator();
  AddButton(cbWordsSel, "ToolButton40", acSortABC, 96);
  AddButton(cbWordsSel, "ToolButton41", acSortNum, 96);
  AddButton(cbWordsSel, "ToolButton42", acSortInitial, 96);
  cbWordsSel->addSeparator();

  auto* searchPanel = new QWidget(tbWordsSel);
  searchPanel->setObjectName(QStringLiteral("Panel1"));
  searchPanel->setFixedSize(73, kButtonHeight);
  searchPanel->setToolTip(Qs("検索する単語を入力します"));
  PaintPale(searchPanel);
  auto* searchLayout = new QVBoxLayout(searchPanel);
  searchLayout->setContentsMargins(1, 1, 1, 1);
  searchLayout->setSpacing(0);
  auto* searchLabel = new QLabel(Qs("単語検索"), searchPanel);
  searchLabel->setObjectName(QStringLiteral("Label3"));
  searchLabel->setAlignment(Qt::AlignHCenter);
  edWord = new QLineEdit(searchPanel);
  edWord->setObjectName(QStringLiteral("edWord"));
  edWord->setFixedSize(70, 19);
  searchLayout->addWidget(searchLabel);
  searchLayout->addWidget(edWord);
  cbWordsSel->addWidget(searchPanel);

  cbWordsSel->addSeparator();
  AddButton(cbWordsSel, "ToolButton30", acSWOriginal, 96);
  AddButton(cbWordsSel, "ToolButton31", acSWEntries, 96);
  AddButton(cbWordsSel, "ToolButton32", acSWWritten, 96);
  cbWordsSel->addSeparator();
  AddButton(cbWordsSel, "ToolButton34", acSWNoEntry, 96);

  // 3. The level bar.
  cbProUse = CreateBand(window, "cbProUse");
  tbProUse = cbProUse;
  const char* levelButtonNames[kWordLevelCount] = {"tbWSBasic", "tbWSJunior", "tbWSToUnivercity",
                                                   "tbWSGeneral", "tbWSOther", "tbWSNone"};
  for (int i = 0; i < kWordLevelCount; ++i) {
    QToolButton* button = AddButton(cbProUse, levelButtonNames[i], nullptr, 72);
    button->setIcon(ImageListIcon(kImageSwitchOff));
    levelButtons_[static_cast<size_t>(i)] = button;
  }
  cbProUse->addSeparator();
  auto* properNounLabel = new QLabel(Qs("固有名詞(&N):"), tbProUse);
  properNounLabel->setObjectName(QStringLiteral("lbProperNoun"));
  cbProUse->addWidget(properNounLabel);
  cbProperNoun = new QComboBox(tbProUse);
  cbProperNoun->setObjectName(QStringLiteral("cbProperNoun"));
  cbProperNoun->addItems({Qs("すべて"), Qs("普通名詞だけ"), Qs("固有名詞だけ")});
  cbProperNoun->setCurrentIndex(0);  // what the list shows before a choice
  cbProperNoun->setMinimumWidth(110);
  cbProperNoun->setToolTip(Qs("固有名詞 (大文字で始まる未登録の語) を一覧に含めるかどうか"));
  properNounLabel->setBuddy(cbProperNoun);
  cbProUse->addWidget(cbProperNoun);
  cbProUse->addSeparator();
  AddButton(cbProUse, "tbCopyData", acCopyData, 72);
}

void MainWindowUi::createWorkArea(QMainWindow& window, const ShownWordList& shown, const AnalysisResult& result) {
  Splitter1 = new QSplitter(Qt::Horizontal, &window);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setHandleWidth(3);
  Splitter1->setChildrenCollapsible(false);

  pcMemo = new QTabWidget(Splitter1);
  pcMemo->setObjectName(QStringLiteral("pcMemo"));
  reText = new QPlainTextEdit;
  reText->setObjectName(QStringLiteral("reText"));
  ButtonFaceBase(reText);
  QStringList sample;
  for (const char* line : texts::kSampleLines) sample << Qs(line);
  reText->setPlainText(sample.join(QLatin1Char('\n')));
  mmDatas = new QPlainTextEdit;
  mmDatas->setObjectName(QStringLiteral("mmDatas"));
  ButtonFaceBase(mmDatas);
  tsText = PageWithBorder(reText, "tsText");
  // The details page: the report memo with the coverage chart beside or
  // under it.
  coverageChart_ = new CoverageChart;
  coverageChart_->setObjectName(QStringLiteral("CoverageChart"));
  tsDatas = PageWithBorder(new ReportPage(mmDatas, coverageChart_), "tsDatas");
  pcMemo->addTab(tsText, Qs("原文"));
  pcMemo->addTab(tsDatas, Qs("詳細データ"));

  lvWords = new QTableView(Splitter1);
  lvWords->setObjectName(QStringLiteral("lvWords"));
  wordModel_ = new WordListModel(shown, result, lvWords);
  lvWords->setModel(wordModel_);
  lvWords->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvWords->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lvWords->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvWords->setShowGrid(false);
  lvWords->setWordWrap(false);
  lvWords->setCornerButtonEnabled(false);
  lvWords->verticalHeader()->setVisible(false);
  lvWords->verticalHeader()->setDefaultSectionSize(lvWords->fontMetrics().height() + 4);
  lvWords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  lvWords->horizontalHeader()->setSectionsClickable(true);
  lvWords->horizontalHeader()->setHighlightSections(false);
  lvWords->horizontalHeader()->setStretchLastSection(false);
  // Each column's design width and place; a column hidden at first takes
  // no room.
  const std::span<const WordListColumn* const> columns = WindowColumns();
  int designWidth = 0;
  for (size_t c = 0; c < columns.size(); ++c) {
    const int column = static_cast<int>(c);
    lvWords->horizontalHeader()->resizeSection(column, columns[c]->designWidth);
    if (!columns[c]->shownAtFirst) lvWords->setColumnHidden(column, true);
    if (columns[c]->shownAtFirst) designWidth += columns[c]->designWidth;
  }
  for (size_t c = 0; c < columns.size(); ++c) {
    if (columns[c]->shownAfter >= 0) {
      QHeaderView* header = lvWords->horizontalHeader();
      header->moveSection(header->visualIndex(static_cast<int>(c)), columns[c]->shownAfter);
    }
  }
  readingPane_ = new ReadingPane(*lvWords, shown, result, pcMemo);
  pcMemo->addTab(readingPane_->Page(), Qs("レベル表示"));

  // The pages may be squeezed below what they ask for, so that a small
  // window still shows the bars, the list and the status bar whole.
  pcMemo->setMinimumSize(200, 120);
  lvWords->setMinimumSize(120, 80);
  Splitter1->addWidget(pcMemo);
  Splitter1->addWidget(lvWords);
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 0);
  // The design width, or wider where this style's scroll bar would cover
  // part of the last column.
  int listWidth = 2 * lvWords->frameWidth() + lvWords->verticalScrollBar()->sizeHint().width();
  listWidth += designWidth;
  listWidth = std::max(listWidth, kWordListWidth);
  Splitter1->setSizes({kDesignWidth - listWidth - 3, listWidth});
  window.setCentralWidget(Splitter1);
}

void MainWindowUi::createStatusBar(QMainWindow& window) {
  QStatusBar* bar = window.statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setFixedHeight(23);
  bar->setSizeGripEnabled(true);
  const int designWidths[3] = {50, 80, 50};
  for (int panel = 0; panel < 3; ++panel) {
    // A panel narrower than its text shows it cut short, whole in its tooltip.
    auto* label = new ElidingLabel(bar);
    label->setObjectName(QStringLiteral("StatusPanel%1").arg(panel));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(designWidths[panel]);
    label->setTextFormat(Qt::PlainText);
    statusPanels_[static_cast<size_t>(panel)] = label;
    // Panel 0 takes the room up to the end of the text pane first; the
    // others show their whole texts.
    label->setSizePolicy(panel == 0 ? QSizePolicy::Expanding : QSizePolicy::Preferred, QSizePolicy::Preferred);
    bar->addWidget(label, panel == 2 ? 1 : 0);
  }
}

}  // namespace lexiscoop
