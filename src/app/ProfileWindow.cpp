#include "app/ProfileWindow.h"

#include "app/ExportPlace.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "app/ProfileModel.h"
#include "dictionary/ConjugationDictionary.h"
#include "export/ExportFile.h"
#include "profile/LevelLookup.h"
#include "profile/ProfileJob.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"

namespace lexiscoop {
namespace {

// What a window manager's frame may add to each side of a window.
constexpr int kFrameAllowance = 16;

}  // namespace

TfrmProfile::TfrmProfile(QWidget* parent, TDialogs& dialogs, const ConjugationDictionary& dictionary,
                         ExportPlace* exportPlace)
    : QDialog(parent), dialogs_(dialogs), dictionary_(dictionary), exportPlace_(exportPlace) {
  setObjectName(QStringLiteral("frmProfile"));
  setWindowTitle(Qs("複数のテキストを比較"));
  setSizeGripEnabled(true);
  // 900 × 500, or what the screen has room for with the window's frame.
  QSize size(900, 500);
  if (const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen()) {
    size = size.boundedTo(screen->availableGeometry().size() - QSize(kFrameAllowance, 3 * kFrameAllowance));
  }
  resize(size);

  auto* buttons = new QHBoxLayout;
  auto button = [&](const char* name, const char* caption, void (TfrmProfile::*slot)()) {
    auto* b = new QPushButton(Qs(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    if (slot != nullptr) connect(b, &QPushButton::clicked, this, slot);
    buttons->addWidget(b);
    return b;
  };
  pbChooseFiles_ = button("pbChooseFiles", "ファイルを選ぶ(&F)…", &TfrmProfile::ChooseFiles);
  pbChooseFolder_ = button("pbChooseFolder", "フォルダを選ぶ(&O)…", &TfrmProfile::ChooseFolder);
  cbRecursive_ = new QCheckBox(Qs("サブフォルダも(&R)"), this);
  cbRecursive_->setObjectName(QStringLiteral("cbRecursive"));
  cbRecursive_->setChecked(true);
  buttons->addWidget(cbRecursive_);
  buttons->addStretch();
  pbStop_ = button("pbStop", "中止(&Q)", &TfrmProfile::StopRun);
  pbExport_ = button("pbExport", "エクスポート(&E)…", &TfrmProfile::ExportTable);
  auto* close = button("pbClose", "閉じる(&X)", nullptr);
  connect(close, &QPushButton::clicked, this, &QDialog::close);

  model_ = new ProfileModel(this);
  tvProfiles_ = new QTableView(this);
  tvProfiles_->setObjectName(QStringLiteral("tvProfiles"));
  tvProfiles_->setModel(model_);
  tvProfiles_->setSortingEnabled(true);
  tvProfiles_->horizontalHeader()->setSortIndicatorShown(true);
  tvProfiles_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  tvProfiles_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tvProfiles_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tvProfiles_->verticalHeader()->setDefaultSectionSize(tvProfiles_->fontMetrics().height() + 6);
  // The file names stand in the row header, which stays in sight while
  // the figures scroll sideways; the file column itself is for exports.
  tvProfiles_->setColumnHidden(0, true);
  tvProfiles_->verticalHeader()->setMaximumSectionSize(-1);
  tvProfiles_->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  pbProgress_ = new QProgressBar(this);
  pbProgress_->setObjectName(QStringLiteral("pbProgress"));
  pbProgress_->setRange(0, 100);
  pbProgress_->setValue(0);
  lbStatus_ = new QLabel(Qs("比較するテキストのファイルかフォルダを選んでください。"), this);
  lbStatus_->setObjectName(QStringLiteral("lbStatus"));
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(pbProgress_, 1);
  bottom->addWidget(lbStatus_, 2);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(tvProfiles_, 1);
  layout->addLayout(bottom);

  timer_ = new QTimer(this);
  timer_->setInterval(100);
  connect(timer_, &QTimer::timeout, this, &TfrmProfile::Poll);
  UpdateStates();
}

TfrmProfile::~TfrmProfile() = default;  // the job stops and joins its thread

bool TfrmProfile::StartRun(const QStringList& paths) {
  if (job_ || paths.isEmpty()) return false;
  std::vector<std::string> list;
  for (const QString& path : paths) list.push_back(path.toStdString());
  ProfileFiles files;
  std::shared_ptr<const LevelLookup> levels;
  {
    BusyCursor busy;
    auto lookup = std::make_shared<LevelLookup>(dictionary_.CurrentLexicon());
    if (contextModel_) lookup->SetContextModel(contextModel_());
    levels = std::move(lookup);
    files = CollectProfileFiles(list, cbRecursive_->isChecked());
  }
  model_->SetProfiles({});
  finished_.clear();
  tvProfiles_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  pbProgress_->setValue(0);
  startMs_ = QDateTime::currentMSecsSinceEpoch();
  job_ = std::make_unique<ProfileJob>(std::move(files), std::move(levels), DefaultProfileThreads());
  timer_->start();
  UpdateStates();
  Poll();
  return true;
}

void TfrmProfile::Poll() {
  if (!job_) return;
  const ProfileFiles& files = job_->Files();
  const int64_t total = files.TotalBytes();
  const int64_t bytes = job_->Progress().bytesDone.load();
  const int64_t done = job_->Progress().filesDone.load();
  const double seconds = std::max<qint64>(1, QDateTime::currentMSecsSinceEpoch() - startMs_) / 1000.0;
  pbProgress_->setValue(total > 0 ? static_cast<int>(bytes * 100 / total)
                                  : (files.paths.empty() ? 100 : static_cast<int>(done * 100 / files.paths.size())));
  if (!job_->Stopped()) {
    lbStatus_->setText(Qs("%1 / %2 ファイル  %3 MB/s")
                           .arg(done)
                           .arg(files.paths.size())
                           .arg(bytes / seconds / 1e6, 0, 'f', 1));
  }
  // Each file's row as soon as it is done; the run's end puts them in order.
  std::vector<TextProfile> finished = job_->TakeFinished();
  if (!finished.empty()) {
    for (TextProfile& profile : finished) finished_.push_back(std::move(profile));
    model_->SetProfiles(finished_);
  }
  if (job_->Finished()) FinishRun();
}

void TfrmProfile::FinishRun() {
  timer_->stop();
  const bool stopped = job_->Stopped();
  const size_t planned = job_->Files().paths.size();
  std::vector<TextProfile> results = job_->TakeResults();
  job_.reset();
  finished_.clear();
  size_t done = 0, failed = 0, skipped = 0;
  for (const TextProfile& p : results) {
    if (p.status == ProfileStatus::Failed) ++failed;
    else if (p.status == ProfileStatus::Skipped) ++skipped;
    else ++done;
  }
  model_->SetProfiles(std::move(results));
  QString status = Qs("%1 ファイルを比較しました").arg(done);
  if (failed > 0) status += Qs("（読めないファイル %1）").arg(failed);
  if (skipped > 0) status += Qs("（テキストでないファイル %1 は除外）").arg(skipped);
  if (stopped) status = Qs("中止しました: ") + status + Qs(" / %1").arg(planned);
  lbStatus_->setText(status);
  if (!stopped) pbProgress_->setValue(100);
  UpdateStates();
}

void TfrmProfile::ChooseFiles() {
  const QStringList files = dialogs_.ChooseTextFiles(this);
  if (!files.isEmpty()) StartRun(files);
}

void TfrmProfile::ChooseFolder() {
  const QString folder = dialogs_.ChooseFolder(this);
  if (!folder.isEmpty()) StartRun({folder});
}

void TfrmProfile::StopRun() {
  if (!job_ || job_->Stopped()) return;
  // The workers leave the files they are on at the next word; the button
  // and the status say so until they have.
  job_->Stop();
  lbStatus_->setText(Qs("中止しています…"));
  UpdateStates();
}

void TfrmProfile::ExportTable() {
  if (job_) return;
  const QString suggested = exportPlace_ != nullptr
                                ? exportPlace_->Suggest(QString(), QStringLiteral(".xlsx"), QStringLiteral("profile"))
                                : QDir::home().filePath(QStringLiteral("profile.xlsx"));
  const QString path = dialogs_.ChooseExportFile(this, suggested);
  if (path.isEmpty()) return;
  if (exportPlace_ != nullptr) {
    std::vector<std::string> inputs;
    for (const TextProfile& profile : model_->Profiles()) inputs.push_back(profile.path);
    if (const QString refusal = exportPlace_->Refusal(path, inputs); !refusal.isEmpty()) {
      dialogs_.Fail(this, refusal);
      return;
    }
  }
  const std::optional<ExportFormat> format = ExportFormatFromPath(path.toStdString());
  if (!format) {
    dialogs_.Fail(this, Qs("エクスポートできる形式は .xlsx .csv .tsv .jsonl です。\n") + path);
    return;
  }
  Status failure;
  {
    BusyCursor busy;
    failure = WriteExportFile(model_->Table(), *format, path.toStdString());
  }
  if (!failure.ok()) {
    dialogs_.Fail(this, Qs("エクスポートできませんでした。\n") + path + QStringLiteral("\n") +
                            QString::fromStdString(failure.ToString()));
    return;
  }
  if (exportPlace_ != nullptr) exportPlace_->Saved(path);
}

void TfrmProfile::closeEvent(QCloseEvent* event) {
  // Closing stops a run; the window keeps its last table for next time.
  if (job_) {
    job_->Stop();
    FinishRun();
  }
  QDialog::closeEvent(event);
}

void TfrmProfile::UpdateStates() {
  const bool running = job_ != nullptr;
  pbChooseFiles_->setEnabled(!running);
  pbChooseFolder_->setEnabled(!running);
  cbRecursive_->setEnabled(!running);
  pbStop_->setEnabled(running && !job_->Stopped());
  pbExport_->setEnabled(!running && !model_->Profiles().empty());
  setCursor(running ? Qt::BusyCursor : Qt::ArrowCursor);
}

}  // namespace lexiscoop
