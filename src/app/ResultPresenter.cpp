#include "app/ResultPresenter.h"

#include <QAction>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStringList>
#include <QTabWidget>
#include <QWidget>

#include "analysis/Analysis.h"
#include "analysis/MyParser.h"
#include "analysis/NumberFormat.h"
#include "app/AppTexts.h"
#include "app/ContextModel.h"
#include "app/LevelBar.h"
#include "app/KnownWordsController.h"
#include "app/LevelSetMenu.h"
#include "app/ListPaneLayout.h"
#include "app/MainWindowUi.h"
#include "app/ReadingPane.h"
#include "app/RunController.h"
#include "app/StatusLine.h"
#include "app/TextInputController.h"
#include "app/TextPreview.h"
#include "app/WordListController.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "views/ClassifiedWord.h"
#include "views/ShownWordList.h"
#include "views/StatisticsReport.h"
#include "views/WordDetails.h"
#include "views/WordGloss.h"
#include "views/WordListBuilder.h"
#include "views/widgets/CoverageChart.h"
#include "views/widgets/WordListModel.h"

namespace lexiscoop {
namespace {

QString FromCp932(const std::string& text) { return QString::fromStdString(Utf8FromCp932(text)); }

}  // namespace

ResultPresenter::ResultPresenter(Parts parts, std::string programFolder, QObject* parent)
    : QObject(parent), parts_(parts), programFolder_(std::move(programFolder)) {}

ResultPresenter::~ResultPresenter() = default;

std::shared_ptr<const tagging::TaggerModel> ResultPresenter::ContextReadingModel() {
  if (!parts_.form.acReadInContext->isChecked()) return nullptr;
  if (!contextModel_) contextModel_ = std::make_unique<ContextModel>(JoinPath(programFolder_, tagging::kTaggerModelFile));
  std::string error;
  std::shared_ptr<const tagging::TaggerModel> model = contextModel_->Get(error);
  if (!error.empty()) parts_.dialogs.Fail(&parts_.window, QString::fromStdString(error));
  return model;
}

bool ResultPresenter::Run(std::shared_ptr<const Lexicon> lexicon) {
  RunController& run = parts_.run;
  QProgressBar& progress = *parts_.form.ProgressBar1;
  ReadingPane& reading = *parts_.form.readingPane_;
  bool ran = false;
  {
    BusyCursor busy;
    ran = run.Run(
        std::move(lexicon), ContextReadingModel(),
        [&] {
          progress.setValue(progress.maximum());
          QCoreApplication::processEvents();
          reading.ShowText(run.Text().FullText());  // the word table changes under it
        },
        [&](int percent) {
          progress.setValue(progress.maximum() * percent / 100);
          QCoreApplication::processEvents();
        });
  }
  if (!ran) return false;
  // No events until the results are in place: the text commands are
  // enabled again, and a text set now would be shown as the one analysed.
  parts_.levelSets.ApplyTo(run.Result());
  parts_.knownWords.ResultClassified();
  const AnalysisResult& result = run.Result();
  parts_.status.Set(0, StatusWithZeroByteNotice(SummaryText(result, run.Text().ByteCount()), run.Text().FullText()));
  parts_.levelBar.SetCaptions(&result);
  // A stopped run says so wherever its figures appear; its state, Stopped,
  // offers the text for another run at once.
  parts_.input.ShowCaption();
  reading.ShowResult(parts_.window.windowTitle());
  parts_.form.coverageChart_->SetFigures(reading.Figures());
  return true;
}

void ResultPresenter::ShowLevelSetChosen() {
  RunController& run = parts_.run;
  parts_.levelSets.ApplyTo(run.Result());
  parts_.knownWords.ResultClassified();
  parts_.levelBar.SetCaptions(&run.Result());
  parts_.words.SetLevelMask(static_cast<LevelMask>(run.Result().Levels().AllFilterBits()));
  BuildStatisticsReport();
  parts_.form.readingPane_->ShowResult(parts_.window.windowTitle());
  parts_.form.coverageChart_->SetFigures(parts_.form.readingPane_->Figures());
}

void ResultPresenter::ShowAwaiting(bool awaiting) {
  const MainWindowUi& f = parts_.form;
  // Input that waited while the text was read (Extract pressed meanwhile,
  // say) is handled before the new state is written, so that nothing it
  // starts is overwritten by the rest of this switch. Leaving the awaiting
  // state is the run's: it has set the state to the results.
  if (awaiting) {
    QCoreApplication::processEvents();
    parts_.run.AwaitAnalysis();
    f.readingPane_->ShowText(parts_.run.Text().FullText());
    parts_.input.ShowPreview();
    parts_.status.Set(1, QString());
    parts_.status.Set(2, QString());
    parts_.levelBar.SetCaptions(nullptr);
    f.wordModel_->SetRowCount(0);
    f.pcMemo->setCurrentWidget(f.tsText);
  } else {
    BuildStatisticsReport();
    f.pcMemo->setTabVisible(f.pcMemo->indexOf(f.tsDatas), true);
    f.pcMemo->setCurrentWidget(f.tsDatas);
  }
  f.pcMemo->setTabVisible(f.pcMemo->indexOf(f.tsDatas), !awaiting);
  f.pcMemo->setTabVisible(f.pcMemo->indexOf(f.readingPane_->Page()), !awaiting);
  parts_.input.ShowCaption();
}

void ResultPresenter::BuildStatisticsReport() {
  const std::vector<std::string> lines =
      lexiscoop::BuildStatisticsReport(parts_.input.ShownCaption(), parts_.run.Result(), ReportForm::Memo);
  QStringList shown;
  for (const std::string& line : lines) shown << FromCp932(line);
  parts_.form.mmDatas->setPlainText(shown.join(QLatin1Char('\n')));
}

void ResultPresenter::WordListRebuilt(int rows) {
  parts_.panes.RowsChanged();
  if (const auto text = ShownWordsStatusText(rows, DistinctWordsOf(parts_.run.Result(), parts_.words.Filter().formMode))) {
    parts_.status.Set(2, FromCp932(*text));
  }
  ShowSelectionCount();
}

void ResultPresenter::ShowSelectionCount() {
  const int selected = parts_.words.SelectedCount();
  parts_.status.Set(1, Qs(texts::kSelectionFormat).arg(QString::fromStdString(FormatThousands(selected))));
}

void ResultPresenter::ShowWordDetails(const Lexicon& lexicon) {
  const std::vector<int> rows = parts_.words.SelectedRows();
  const ShownWordList& shown = parts_.words.Shown();
  if (rows.size() != 1 || rows[0] >= shown.RowCount()) return;
  const ClassifiedWord row = ClassifiedRowOf(shown, rows[0], parts_.run.Result());
  const std::string details = WordDetailsText(shown.WordOfRow(rows[0]), lexicon) + "\r\n" +
                              WordRunLines(row.level, shown.CountOfRow(rows[0])) +
                              SplitReadingLines(parts_.run.Result(), row.entry,
                                                parts_.form.readingPane_->CurrentReadingOf(row.entry)) +
                              GlossLine(row.glosses.text);
  parts_.dialogs.Inform(&parts_.window, FromCp932(details));
}

}  // namespace lexiscoop
