#include "editor/widgets/FmEditDic.h"

#include <QButtonGroup>
#include <QFile>
#include <QGuiApplication>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>
#include <QTableView>
#include <QToolButton>
#include <exception>
#include <optional>

#include "dictionary/ConjugationDictionary.h"
#include "dictionary/GlossTable.h"
#include "editor/EditorChecks.h"
#include "editor/EditorTexts.h"
#include "editor/widgets/EditDicModel.h"
#include "platform/Cp932.h"
#include "platform/TextTrim.h"
#include "platform/TickCount.h"
#include "ui/BusyCursor.h"
#include "ui/Cp932Strings.h"
#include "ui/Dialogs.h"

namespace lexiscoop {
namespace {

constexpr char kHelpPage[] = "help/lxedit.html";

// The list's state while the dictionary changes under it: hourglass cursor,
// no repainting, no input. Everything comes back however the change ends.
class ListBusy {
 public:
  explicit ListBusy(QTableView* list) : list_(list) {
    list_->setUpdatesEnabled(false);
    list_->setEnabled(false);
  }
  ~ListBusy() {
    list_->setEnabled(true);
    list_->setUpdatesEnabled(true);
  }
  ListBusy(const ListBusy&) = delete;
  ListBusy& operator=(const ListBusy&) = delete;

 private:
  BusyCursor cursor_;  // restored last
  QTableView* list_;
};

}  // namespace

TfrmEditDic::TfrmEditDic(ConjugationDictionary& dictionary, TDialogs& dialogs, DocumentOpener openDocument,
                         QWidget* parent)
    : QDialog(parent),
      dictionary_(dictionary),
      dialogs_(dialogs),
      openDocument_(std::move(openDocument)),
      tickCount_(TickCount) {
  createControls();
  FormCreate();
}

TfrmEditDic::~TfrmEditDic() = default;

void TfrmEditDic::SetTickSource(TickSource tickCount) {
  tickCount_ = tickCount ? std::move(tickCount) : TickSource(TickCount);
}

void TfrmEditDic::FormCreate() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move((area.width() - width()) / 2, (area.height() - height()) / 2);
  }
  // Until a row is loaded the entry is a new one without a level.
  CheckLevel(0);
  tbRecord->setEnabled(false);
  tbDelete->setEnabled(false);
}

void TfrmEditDic::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) {  // FormShow
    // Another program may have changed the files since they were loaded.
    if (dictionary_.FilesChangedOnDisk()) dictionary_.ReloadDictionary(false);
    RefreshList();
  }
}

void TfrmEditDic::RefreshList() {
  rowLevels_ = BuildRowLevels(dictionary_);
  model_->Reset(dictionary_.CurrentLexicon());
  if (model_->rowCount() > 0) SelectRow(0);
}

void TfrmEditDic::SelectRow(int row) {
  const QModelIndex index = model_->index(row, 0);
  lvDic->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  lvDic->scrollTo(index, QAbstractItemView::EnsureVisible);
}

int TfrmEditDic::SelectedRow() const {
  const QModelIndexList rows = lvDic->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void TfrmEditDic::lvDicSelectItem(const QItemSelection& selected) {
  if (selected.isEmpty()) return;
  LoadRow(selected.indexes().first().row());
}

void TfrmEditDic::LoadRow(int row) {
  const std::shared_ptr<const Lexicon> lexicon = dictionary_.CurrentLexicon();
  if (row < 0 || row >= lexicon->HeadwordCount()) return;
  const std::string& headword = lexicon->At(row).spelling;
  loadingRow_ = true;
  edInflictions->setText(FromCp932(headword));
  SetInflectionLines(InflectionLines(*lexicon, row, headword));
  CheckLevel(static_cast<size_t>(row) < rowLevels_.size() ? rowLevels_[static_cast<size_t>(row)] : 0);
  edGloss->setText(FromCp932(dictionary_.Glosses().LookupExact(headword)));
  loadingRow_ = false;
  snapshot_.gloss = GlossText();
  snapshot_.inflections = InflectionText();
  snapshot_.level = CheckedLevel();
  tbRecord->setEnabled(false);
  tbDelete->setEnabled(true);
}

void TfrmEditDic::edInflictionsChange() {
  if (loadingRow_) return;
  const std::string headword = HeadwordText();
  if (!IsValidHeadword(headword)) {
    if (!headword.empty()) Inform(InvalidHeadwordMessage());
    tbRecord->setEnabled(false);
    tbDelete->setEnabled(false);
    mmInflictions->clear();
    return;
  }
  lvDic->selectionModel()->clearSelection();
  const int row = FindHeadword(*dictionary_.CurrentLexicon(), headword);
  if (row < 0) {
    mmInflictions->clear();
    CheckLevel(0);
    // The 訳語 box belongs to the headword in the box: the glosses of a
    // word passed on the way (home, typing homeworld) go with it.
    loadingRow_ = true;
    edGloss->setText(FromCp932(dictionary_.Glosses().LookupExact(headword)));
    loadingRow_ = false;
    snapshot_.gloss = GlossText();
  } else {
    // Loads the row; the box takes the stored spelling of the headword.
    SelectRow(row);
  }
  tbDelete->setEnabled(row >= 0);
  tbRecord->setEnabled(row < 0);
}

void TfrmEditDic::mmInflictionsChange() {
  if (!loadingRow_) UpdateRecordButton();
}

void TfrmEditDic::rgLevelClick() { UpdateRecordButton(); }

void TfrmEditDic::UpdateRecordButton() {
  tbRecord->setEnabled(EntryChanged() && IsValidHeadword(HeadwordText()));
}

bool TfrmEditDic::EntryChanged() const {
  return InflectionText() != snapshot_.inflections || CheckedLevel() != snapshot_.level ||
         GlossText() != snapshot_.gloss;
}

TfrmEditDic::StoredEntry TfrmEditDic::EntryOf(const std::string& headword) const {
  StoredEntry entry;
  const std::shared_ptr<const Lexicon> lexicon = dictionary_.CurrentLexicon();
  const int row = FindHeadword(*lexicon, headword);
  if (row < 0) return entry;
  entry.found = true;
  entry.spellings = InflectionLines(*lexicon, row, lexicon->At(row).spelling);
  entry.level = dictionary_.LevelOf(lexicon->At(row).spelling);
  return entry;
}

bool TfrmEditDic::ReloadIfChangedOnDisk() {
  if (!dictionary_.FilesChangedOnDisk()) return false;
  const std::string headword = HeadwordText();
  const StoredEntry shown = EntryOf(headword);
  {
    ListBusy busy(lvDic);
    dictionary_.ReloadDictionary(false);
    rowLevels_ = BuildRowLevels(dictionary_);
    model_->Reset(dictionary_.CurrentLexicon());
  }
  const StoredEntry now = EntryOf(headword);
  const int row = FindHeadword(*dictionary_.CurrentLexicon(), headword);
  if (now == shown) {
    // Other entries changed: the list shows them, this one goes on.
    if (row >= 0 && !EntryChanged()) SelectRow(row);
    return false;
  }
  // Another program changed this very entry: show it as it is now before
  // anything is recorded over it.
  if (row >= 0) {
    SelectRow(row);
  } else {
    loadingRow_ = true;
    mmInflictions->clear();
    CheckLevel(0);
    loadingRow_ = false;
  }
  tbDelete->setEnabled(row >= 0);
  tbRecord->setEnabled(row < 0);
  Inform(ChangedOnDiskMessage());
  return true;
}

void TfrmEditDic::tbRecordClick() {
  const std::string headword = HeadwordText();
  if (!IsValidHeadword(headword)) {
    if (!headword.empty()) Inform(InvalidHeadwordMessage());
    return;
  }
  if (ReloadIfChangedOnDisk()) return;
  if (const std::string spelling = UnstorableSpelling(headword, InflectionText()); !spelling.empty()) {
    Inform(UnstorableSpellingMessage(spelling));
    return;
  }
  if (FindHeadword(*dictionary_.CurrentLexicon(), headword) >= 0) {
    if (EntryChanged()) {
      ConfirmAndRecord();
    } else {
      dialogs_.Beep();
    }
    return;
  }
  const std::shared_ptr<const Lexicon> lexicon = dictionary_.CurrentLexicon();
  const int owner = FindSpelling(*lexicon, headword);
  if (owner >= 0 && !Ask(SpellingOfOtherQuestion(headword, lexicon->At(owner).spelling))) return;
  ConfirmAndRecord();
}

void TfrmEditDic::ConfirmAndRecord() {
  const std::string inflections = InflectionText();
  const int level = CheckedLevel();
  const std::string headword = HeadwordText();
  if (!Ask(RecordQuestion(headword, inflections, level, GlossText()))) return;
  try {
    Record(headword, inflections, level);
  } catch (const std::exception& failure) {
    Fail(failure.what());
  }
}

std::string TfrmEditDic::GlossText() const {
  return GlossTable::NormalizeGlossText(ToCp932(edGloss->text()));
}

void TfrmEditDic::Record(const std::string& headword, const std::string& inflections, int level) {
  // The glosses go with the headword in one change, unless they are as the
  // files hold them.
  const std::string gloss = GlossText();
  std::optional<std::string_view> changedGloss;
  if (gloss != dictionary_.Glosses().LookupExact(headword)) changedGloss = gloss;
  RecordStatus status;
  {
    ListBusy busy(lvDic);
    status = dictionary_.RecordHeadword(headword, inflections, level, changedGloss);
    if (status == RecordStatus::Recorded) RefreshList();
  }
  switch (status) {
    case RecordStatus::Recorded:
      dialogs_.Beep();
      break;
    case RecordStatus::GlossTooLong:
      Inform(GlossTooLongMessage(headword, headword.size() + 1 + gloss.size(), GlossTable::kMaxLineBytes));
      break;
    case RecordStatus::NotSaved:
      Inform(NotWrittenMessage(headword, dictionary_.LastSaveStatus()));
      break;
    case RecordStatus::Pending:
      RefreshList();
      Inform(PendingMessage(headword));
      break;
    case RecordStatus::InvalidText:
      Inform(RecordRefusedMessage(headword));
      break;
    case RecordStatus::DictionaryUnreadable:
      Inform(DictionaryUnreadableMessage(dictionary_.DamagedFile()));
      break;
  }
}

void TfrmEditDic::tbDeleteClick() {
  const std::string headword = HeadwordText();
  if (ReloadIfChangedOnDisk()) return;
  if (!Ask(DeleteQuestion(headword))) return;
  try {
    Delete(headword);
  } catch (const std::exception& failure) {
    Fail(failure.what());
  }
}

void TfrmEditDic::Delete(const std::string& headword) {
  bool removed = false;
  {
    ListBusy busy(lvDic);
    removed = dictionary_.DeleteHeadword(headword);
    if (removed) RefreshList();
  }
  if (!dictionary_.DamagedFile().empty()) {
    Inform(DamagedFileMessage(dictionary_.DamagedFile()));
  } else if (dictionary_.LastChangePending()) {
    RefreshList();
    Inform(PendingMessage(headword));
  } else if (!dictionary_.LastSaveStatus().ok()) {
    Inform(NotWrittenMessage(headword, dictionary_.LastSaveStatus()));
  } else {
    dialogs_.Beep();
  }
}

void TfrmEditDic::ToolButton2Click() {
  if (!openDocument_) return;
  const QString folder = QFile::decodeName(QByteArray::fromStdString(dictionary_.ProgramFolder()));
  openDocument_(folder + QLatin1Char('/') + QLatin1String(kHelpPage), QString());
}

bool TfrmEditDic::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lvDic && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if ((key->modifiers() & commands) == 0 && !key->text().isEmpty() && key->text().front() >= QChar(0x20)) {
      return lvDicKeyPress(key->text());
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool TfrmEditDic::lvDicKeyPress(const QString& typed) {
  for (const QChar character : typed) {
    const uint32_t now = tickCount_();
    const int row = search_.KeyPress(dictionary_.CurrentLexicon()->Headwords(), ToCp932(QString(character)), now, SelectedRow());
    if (row >= 0) SelectRow(row);
  }
  // The list's own search by the first column would fight this one.
  return true;
}

std::string TfrmEditDic::HeadwordText() const {
  return std::string(TrimBlanks(ToCp932(edInflictions->text())));
}

std::string TfrmEditDic::InflectionText() const { return NormalizeLines(ToCp932(mmInflictions->toPlainText())); }

int TfrmEditDic::CheckedLevel() const {
  const int level = levelButtons_->checkedId();
  return level < 0 ? 0 : level;
}

void TfrmEditDic::CheckLevel(int level) {
  if (QAbstractButton* item = levelButtons_->button(level)) item->setChecked(true);
}

void TfrmEditDic::SetInflectionLines(const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines) text << FromCp932(line);
  mmInflictions->setPlainText(text.join(QLatin1Char('\n')));
}

void TfrmEditDic::Inform(const std::string& cp932) { dialogs_.Inform(this, FromCp932(cp932)); }

bool TfrmEditDic::Ask(const std::string& cp932) { return dialogs_.Ask(this, FromCp932(cp932)); }

void TfrmEditDic::Fail(const char* what) { dialogs_.Fail(this, FromCp932(what)); }

}  // namespace lexiscoop
