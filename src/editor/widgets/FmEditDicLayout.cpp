// The controls of the dictionary editor and their places.

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "dictionary/ConjugationDictionary.h"
#include "editor/widgets/EditDicModel.h"
#include "editor/widgets/FmEditDic.h"
#include "platform/Cp932.h"
#include "ui/Cp932Strings.h"
#include "ui/Fonts.h"

namespace lexiscoop {
namespace {

constexpr int kClientWidth = 549;
constexpr int kClientHeight = 454;
constexpr int kEditGroupWidth = 236;

QString U8(const char* utf8) { return QString::fromUtf8(utf8); }

// The 16-pixel font of the headword box and the multi-line boxes.
QFont BoxFont() {
  QFont font = WindowFont();
  font.setPixelSize(16);
  return font;
}

QLabel* NamedLabel(const char* name, const char* caption, QWidget* parent) {
  auto* label = new QLabel(U8(caption), parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

}  // namespace

void TfrmEditDic::createControls() {
  setObjectName(QStringLiteral("frmEditDic"));
  setWindowTitle(U8("辞書編集"));
  setFont(WindowFont());
  setFixedSize(kClientWidth, kClientHeight);
  setSizeGripEnabled(false);

  auto* bar = new QWidget(this);
  bar->setObjectName(QStringLiteral("ToolBar1"));
  createToolButtons(bar);
  createEditGroup();
  createList();

  auto* work = new QHBoxLayout;
  work->setContentsMargins(0, 0, 0, 0);
  work->addWidget(GroupBox1);
  work->addWidget(lvDic, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 4);
  layout->setSpacing(4);
  layout->addWidget(bar);
  layout->addLayout(work, 1);
}

void TfrmEditDic::createToolButtons(QWidget* bar) {
  struct Spec {
    QToolButton* TfrmEditDic::*member;
    const char* name;
    const char* caption;
    const char* hint;
    void (TfrmEditDic::*handler)();
  };
  const Spec specs[] = {
      {&TfrmEditDic::ToolButton3, "ToolButton3", "とじる(&X)", "編集窓をとじる", &TfrmEditDic::reject},
      {&TfrmEditDic::tbRecord, "tbRecord", "登録(&R)", "単語を追加登録/変更", &TfrmEditDic::tbRecordClick},
      {&TfrmEditDic::tbDelete, "tbDelete", "削除(&D)", "選択項目を削除", &TfrmEditDic::tbDeleteClick},
      {&TfrmEditDic::ToolButton2, "ToolButton2", "案内(&H)", "案内をひらく", &TfrmEditDic::ToolButton2Click},
  };
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  for (const Spec& spec : specs) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(spec.name));
    button->setText(U8(spec.caption));
    button->setToolTip(U8(spec.hint));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setMinimumSize(60, 30);
    connect(button, &QToolButton::clicked, this, spec.handler);
    this->*(spec.member) = button;
    row->addWidget(button);
  }
  row->addStretch(1);
}

void TfrmEditDic::createEditGroup() {
  GroupBox1 = new QGroupBox(U8("編集"), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setFixedWidth(kEditGroupWidth);

  Memo1 = new QPlainTextEdit(GroupBox1);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setFrameShape(QFrame::NoFrame);
  Memo1->setFocusPolicy(Qt::NoFocus);
  Memo1->setFont(BoxFont());
  Memo1->viewport()->setAutoFillBackground(false);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setPlainText(U8("1) 単語を原形欄に入力\n\n2) 活用形、分類を編集\n\n3) 登録ボタンをクリック\n"));
  // Tall enough for the five lines that hold text (the last line is empty),
  // so that the group's boxes below it fit the dialog's fixed height.
  Memo1->setFixedHeight(Memo1->fontMetrics().lineSpacing() * 5 +
                        2 * static_cast<int>(Memo1->document()->documentMargin()) + 2);

  Label1 = NamedLabel("Label1", "原形", GroupBox1);
  edInflictions = new QLineEdit(GroupBox1);
  edInflictions->setObjectName(QStringLiteral("edInflictions"));
  edInflictions->setFont(BoxFont());
  Label1->setBuddy(edInflictions);

  Label2 = NamedLabel("Label2", "活用形", GroupBox1);
  mmInflictions = new QPlainTextEdit(GroupBox1);
  mmInflictions->setObjectName(QStringLiteral("mmInflictions"));
  mmInflictions->setFont(BoxFont());
  mmInflictions->setLineWrapMode(QPlainTextEdit::NoWrap);
  mmInflictions->setTabChangesFocus(true);
  // Two lines at the least (it scrolls), so that the group fits the
  // dialog's fixed height with the 訳語 box under it.
  mmInflictions->setMinimumHeight(mmInflictions->fontMetrics().lineSpacing() * 2 +
                                  2 * static_cast<int>(mmInflictions->document()->documentMargin()) +
                                  2 * mmInflictions->frameWidth());
  Label2->setBuddy(mmInflictions);

  // rgLevel: the LevelNames in two columns, filled down the first column
  // first (なし, 基本, 中学 | 大学へ, 一般).
  Label3 = NamedLabel("Label3", "分類", GroupBox1);
  rgLevel = new QGroupBox(GroupBox1);
  rgLevel->setObjectName(QStringLiteral("rgLevel"));
  levelButtons_ = new QButtonGroup(rgLevel);
  levelButtons_->setObjectName(QStringLiteral("rgLevelItems"));
  auto* grid = new QGridLayout(rgLevel);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setVerticalSpacing(2);
  constexpr int kRows = (kLevelCount + 2) / 2;
  for (int level = 0; level <= kLevelCount; ++level) {
    auto* item = new QRadioButton(FromCp932(LevelName(level)), rgLevel);
    item->setObjectName(QStringLiteral("rgLevel%1").arg(level));
    levelButtons_->addButton(item, level);
    grid->addWidget(item, level % kRows, level / kRows);
  }
  Label3->setBuddy(rgLevel);

  Label4 = NamedLabel("Label4", "訳語", GroupBox1);
  edGloss = new QLineEdit(GroupBox1);
  edGloss->setObjectName(QStringLiteral("edGloss"));
  edGloss->setFont(BoxFont());
  edGloss->setToolTip(U8("日本語の訳語。複数は「;」か「、」で区切る"));
  Label4->setBuddy(edGloss);

  Button1 = new QPushButton(U8("とじる"), GroupBox1);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setAutoDefault(false);
  connect(Button1, &QPushButton::clicked, this, &TfrmEditDic::reject);

  auto* layout = new QVBoxLayout(GroupBox1);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->setSpacing(2);
  layout->addWidget(Memo1);
  layout->addWidget(Label1);
  layout->addWidget(edInflictions);
  layout->addWidget(Label2);
  layout->addWidget(mmInflictions, 1);
  layout->addWidget(Label3);
  layout->addWidget(rgLevel);
  layout->addWidget(Label4);
  layout->addWidget(edGloss);
  layout->addWidget(Button1, 0, Qt::AlignRight);

  connect(edInflictions, &QLineEdit::textChanged, this, &TfrmEditDic::edInflictionsChange);
  connect(mmInflictions, &QPlainTextEdit::textChanged, this, &TfrmEditDic::mmInflictionsChange);
  connect(levelButtons_, &QButtonGroup::idClicked, this, &TfrmEditDic::rgLevelClick);
  connect(edGloss, &QLineEdit::textChanged, this, &TfrmEditDic::mmInflictionsChange);
}

void TfrmEditDic::createList() {
  model_ = new EditDicModel(rowLevels_, this);
  lvDic = new QTableView(this);
  lvDic->setObjectName(QStringLiteral("lvDic"));
  lvDic->setModel(model_);
  lvDic->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvDic->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvDic->setSelectionMode(QAbstractItemView::SingleSelection);
  lvDic->setShowGrid(false);
  lvDic->setWordWrap(false);
  lvDic->setTabKeyNavigation(false);
  lvDic->verticalHeader()->hide();
  // Every row has the same height, so the view never measures the rows.
  lvDic->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  lvDic->verticalHeader()->setDefaultSectionSize(lvDic->fontMetrics().height() + 4);
  QHeaderView* header = lvDic->horizontalHeader();
  header->setHighlightSections(false);
  header->resizeSection(EditDicModel::kNumberColumn, 48);
  header->resizeSection(EditDicModel::kClassColumn, 56);
  header->setStretchLastSection(true);
  // The selection stays visible while the list has no focus.
  QPalette palette = lvDic->palette();
  for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  lvDic->setPalette(palette);
  lvDic->installEventFilter(this);
  connect(lvDic->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TfrmEditDic::lvDicSelectItem);
}

}  // namespace lexiscoop
