#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "profile/TextProfile.h"
#include "tagging/TaggerModel.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace lexiscoop {

class ConjugationDictionary;
class ExportPlace;
class ProfileJob;
class ProfileModel;
class TDialogs;

// ファイル → 複数のテキストを比較…: the profile of many texts side by side.
// The user chooses files or a folder; they are analysed on worker threads
// (every core) while a progress bar moves and Stop ends the run; the table
// sorts by any column and exports like the word list.
class TfrmProfile final : public QDialog {
  Q_OBJECT

 public:
  // The dictionary must outlive the window; a run takes what it needs of it
  // when it starts, so the dictionary may change during a run.
  // `exportPlace` (may be null; not owned) is where its save dialog starts.
  TfrmProfile(QWidget* parent, TDialogs& dialogs, const ConjugationDictionary& dictionary,
              ExportPlace* exportPlace = nullptr);
  ~TfrmProfile() override;

  // Profiles the files and folders (folders with their sub-folders when
  // the check box is on). Refused while a run is going on.
  bool StartRun(const QStringList& paths);
  bool Running() const { return job_ != nullptr; }
  // Where a run takes the model it reads words in context with (null: by
  // the headword rule), as the main window's runs do.
  void SetContextModel(std::function<std::shared_ptr<const tagging::TaggerModel>()> model) {
    contextModel_ = std::move(model);
  }
  ProfileModel& Model() const { return *model_; }

 public slots:
  void ChooseFiles();
  void ChooseFolder();
  void StopRun();
  void ExportTable();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Poll();
  void FinishRun();
  void UpdateStates();

  TDialogs& dialogs_;
  std::function<std::shared_ptr<const tagging::TaggerModel>()> contextModel_;
  const ConjugationDictionary& dictionary_;
  ExportPlace* exportPlace_;  // where the save dialog starts; may be null
  std::vector<TextProfile> finished_;  // the rows of the run under way, as they finished
  ProfileModel* model_;
  QTableView* tvProfiles_;
  QPushButton* pbChooseFiles_;
  QPushButton* pbChooseFolder_;
  QCheckBox* cbRecursive_;
  QPushButton* pbStop_;
  QPushButton* pbExport_;
  QProgressBar* pbProgress_;
  QLabel* lbStatus_;
  QTimer* timer_;
  std::unique_ptr<ProfileJob> job_;
  qint64 startMs_ = 0;
};

}  // namespace lexiscoop
