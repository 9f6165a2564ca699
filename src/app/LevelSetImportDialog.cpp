#include "app/LevelSetImportDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "lists/ListStore.h"
#include "lists/UserLevelSet.h"
#include "ui/Cp932Strings.h"
#include "ui/Dialogs.h"

namespace lexiscoop {
namespace {

enum Column { kLevelColumn = 0, kFileColumn = 1 };

QPushButton* NewButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(Qs(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

LevelSetImportDialog::LevelSetImportDialog(QWidget* parent, TDialogs& dialogs) : QDialog(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("dlgLevelSetImport"));
  setWindowTitle(Qs("レベルセットの読み込み"));
  setSizeGripEnabled(true);
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  name_ = new QLineEdit(this);
  name_->setObjectName(QStringLiteral("edSetName"));
  name_->setPlaceholderText(Qs("例: 教科書1-3年"));
  form->addRow(Qs("セットの名前(&N):"), name_);
  layout->addLayout(form);
  auto* hint = new QLabel(Qs("レベルごとに 1 ファイル (基本的なレベルから順に、9 レベルまで)。\n"
                             "テキスト (1 行 1 語)、CSV・TSV (単語の列とレベルの列)、Excel ブックの最初のシート。"),
                          this);
  hint->setWordWrap(true);
  layout->addWidget(hint);

  auto* row = new QHBoxLayout;
  levels_ = new QTableWidget(0, 2, this);
  levels_->setObjectName(QStringLiteral("tvLevelFiles"));
  levels_->setHorizontalHeaderLabels({Qs("レベル名"), Qs("ファイル")});
  levels_->horizontalHeader()->setSectionResizeMode(kLevelColumn, QHeaderView::Interactive);
  levels_->horizontalHeader()->setStretchLastSection(true);
  levels_->setColumnWidth(kLevelColumn, 140);
  levels_->setSelectionBehavior(QAbstractItemView::SelectRows);
  levels_->setSelectionMode(QAbstractItemView::SingleSelection);
  levels_->setMinimumSize(420, 200);
  row->addWidget(levels_, 1);
  auto* buttons = new QVBoxLayout;
  add_ = NewButton(this, "btAddLevelFiles", "追加(&A)…");
  remove_ = NewButton(this, "btRemoveLevelFile", "削除(&D)");
  up_ = NewButton(this, "btLevelUp", "上へ(&U)");
  down_ = NewButton(this, "btLevelDown", "下へ(&W)");
  for (QPushButton* button : {add_, remove_, up_, down_}) buttons->addWidget(button);
  buttons->addStretch(1);
  row->addLayout(buttons);
  layout->addLayout(row, 1);

  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  box->button(QDialogButtonBox::Ok)->setText(Qs("読み込む"));
  box->button(QDialogButtonBox::Cancel)->setText(Qs("キャンセル"));
  layout->addWidget(box);

  connect(box, &QDialogButtonBox::accepted, this, &LevelSetImportDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &LevelSetImportDialog::reject);
  connect(add_, &QPushButton::clicked, this, &LevelSetImportDialog::ChooseFiles);
  connect(remove_, &QPushButton::clicked, this, &LevelSetImportDialog::RemoveSelected);
  connect(up_, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
  connect(down_, &QPushButton::clicked, this, [this] { MoveSelected(+1); });
  connect(levels_, &QTableWidget::itemSelectionChanged, this, &LevelSetImportDialog::UpdateButtons);
  UpdateButtons();
}

QString LevelSetImportDialog::Name() const { return name_->text().trimmed(); }

void LevelSetImportDialog::SetName(const QString& name) { name_->setText(name); }

QStringList LevelSetImportDialog::Files() const {
  QStringList files;
  for (int r = 0; r < levels_->rowCount(); ++r) files << levels_->item(r, kFileColumn)->data(Qt::UserRole).toString();
  return files;
}

QStringList LevelSetImportDialog::LevelNames() const {
  QStringList names;
  for (int r = 0; r < levels_->rowCount(); ++r) names << levels_->item(r, kLevelColumn)->text().trimmed();
  return names;
}

void LevelSetImportDialog::AddFiles(const QStringList& paths) {
  QStringList left;
  for (const QString& path : paths) {
    if (levels_->rowCount() >= kMaxUserLevels) {
      left << QFileInfo(path).fileName();
      continue;
    }
    const int r = levels_->rowCount();
    levels_->insertRow(r);
    levels_->setItem(r, kLevelColumn, new QTableWidgetItem(QFileInfo(path).completeBaseName()));
    auto* file = new QTableWidgetItem(QFileInfo(path).fileName());
    file->setData(Qt::UserRole, path);
    file->setToolTip(path);
    file->setFlags(file->flags() & ~Qt::ItemIsEditable);
    levels_->setItem(r, kFileColumn, file);
  }
  UpdateButtons();
  if (!left.isEmpty()) {
    dialogs_.Inform(this, Qs("レベルは %1 までです。次のファイルは加えませんでした:\n").arg(kMaxUserLevels) +
                              left.join(QLatin1Char('\n')));
  }
}

void LevelSetImportDialog::ChooseFiles() { AddFiles(dialogs_.ChooseListFiles(this, true)); }

void LevelSetImportDialog::RemoveSelected() {
  const int r = levels_->currentRow();
  if (r >= 0) levels_->removeRow(r);
  UpdateButtons();
}

void LevelSetImportDialog::MoveSelected(int step) {
  const int from = levels_->currentRow();
  const int to = from + step;
  if (from < 0 || to < 0 || to >= levels_->rowCount()) return;
  for (int c : {kLevelColumn, kFileColumn}) {
    QTableWidgetItem* a = levels_->takeItem(from, c);
    QTableWidgetItem* b = levels_->takeItem(to, c);
    levels_->setItem(from, c, b);
    levels_->setItem(to, c, a);
  }
  levels_->setCurrentCell(to, kLevelColumn);
}

void LevelSetImportDialog::UpdateButtons() {
  const int r = levels_->currentRow();
  add_->setEnabled(levels_->rowCount() < kMaxUserLevels);
  remove_->setEnabled(r >= 0);
  up_->setEnabled(r > 0);
  down_->setEnabled(r >= 0 && r + 1 < levels_->rowCount());
}

void LevelSetImportDialog::accept() {
  const std::string name = ToCp932(Name());
  if (Name().isEmpty() || !IsListName(name) || FromCp932(name) != Name()) {
    dialogs_.Inform(this, Qs("セットの名前を入れてください (64 バイトまで、/ や制御文字は使えません)。"));
    name_->setFocus();
    return;
  }
  if (levels_->rowCount() == 0) {
    dialogs_.Inform(this, Qs("レベルのファイルを 1 つ以上追加してください。"));
    return;
  }
  for (const QString& level : LevelNames()) {
    if (level.isEmpty()) {
      dialogs_.Inform(this, Qs("レベル名を入れてください。"));
      return;
    }
  }
  QDialog::accept();
}

}  // namespace lexiscoop
