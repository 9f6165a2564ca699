// The word list in the real main window: rebuild, sort, select-all and one
// character typed in the search box, with 100,000 distinct words against the
// shipped dictionary. Runs on the offscreen platform unless QT_QPA_PLATFORM
// names another; the window is shown, and every timed step includes the
// window's own event processing (repaint of the visible rows, the popup).
//
// The text: the first 60,000 distinct letter-only spellings of the shipped
// dictionary's inflection index and 40,000 made-up words it lacks, shuffled,
// with Zipf-like counts (word i occurs 1 + 20000 / (i + 1) times), ten words
// to a line: about 330,000 words.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "dictionary/ConjugationDictionary.h"
#include "platform/Compare.h"
#include "ui/Dialogs.h"
#include "views/ShownWordList.h"
#include "views/widgets/WordListModel.h"

namespace lexiscoop {
namespace {

constexpr int kKnownWords = 60000;
constexpr int kUnknownWords = 40000;

// Counts the messages instead of showing them: a benchmark run has none.
class SilentDialogs final : public TDialogs {
 public:
  void Inform(QWidget*, const QString&) override { ++messages; }
  void Fail(QWidget*, const QString&) override { ++messages; }
  bool Ask(QWidget*, const QString&) override { return false; }
  void Beep() override {}
  QString ChooseTextFile(QWidget*, const QString&) override { return {}; }
  bool OpenUrl(const QUrl&) override { return false; }
  int messages = 0;
};

bool LettersOnly(const std::string& word) {
  return word.size() >= 2 &&
         std::all_of(word.begin(), word.end(), [](char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; });
}

struct Window {
  QTemporaryDir settings;
  SilentDialogs dialogs;
  std::unique_ptr<TForm1> form;
  QTableView* list = nullptr;
  QLineEdit* edit = nullptr;
  QListWidget* menu = nullptr;
  int distinctWords = 0;

  Window() {
    TForm1Options options;
    options.programFolder = LEXISCOOP_SHIPPED_DATA_DIR;
    options.settingsPath = settings.filePath(QStringLiteral("lexiscoop.ini")).toStdString();
    options.dialogs = &dialogs;
    form = std::make_unique<TForm1>(options);
    form->resize(1000, 700);
    form->show();
    QCoreApplication::processEvents();
    list = form->findChild<QTableView*>(QStringLiteral("lvWords"));
    edit = form->findChild<QLineEdit*>(QStringLiteral("edWord"));
    menu = form->findChild<QListWidget*>(QStringLiteral("lbWordsMenu"));

    form->SetCurrentText(MakeText());
    form->findChild<QAction*>(QStringLiteral("acAnalize"))->trigger();
    distinctWords = form->Result().words.Count();
    // Every word a row of its own.
    form->SetFormMode(FormMode::Written);
    QCoreApplication::processEvents();
  }

  std::string MakeText() const {
    std::mt19937 rng(11);
    std::vector<std::string> words;
    std::set<std::string> seen;  // folded: the word table ignores letter case
    std::vector<std::string> spellings;  // every spelling of the dictionary, sorted
    for (const Headword& h : form->Dictionary().CurrentLexicon()->Headwords()) {
      spellings.push_back(h.spelling);
      spellings.insert(spellings.end(), h.forms.begin(), h.forms.end());
    }
    std::sort(spellings.begin(), spellings.end());
    auto fold = [](std::string w) {
      for (char& c : w) c = static_cast<char>(c | 0x20);
      return w;
    };
    for (size_t i = 0; i < spellings.size() && static_cast<int>(words.size()) < kKnownWords; ++i) {
      if (LettersOnly(spellings[i]) && seen.insert(fold(spellings[i])).second) words.push_back(spellings[i]);
    }
    while (static_cast<int>(words.size()) < kKnownWords + kUnknownWords) {
      std::string w;
      const int length = 4 + static_cast<int>(rng() % 8);
      for (int i = 0; i < length; ++i) w.push_back(static_cast<char>('a' + rng() % 26));
      w += "qx";
      if (seen.insert(w).second) words.push_back(w);
    }
    std::shuffle(words.begin(), words.end(), rng);
    std::string text;
    int onLine = 0;
    for (size_t i = 0; i < words.size(); ++i) {
      const int count = 1 + static_cast<int>(20000 / (i + 1));
      for (int c = 0; c < count; ++c) {
        text += words[i];
        text += ++onLine % 10 == 0 ? "\r\n" : " ";
      }
    }
    return text;
  }

  void ClearSearch() {
    edit->blockSignals(true);
    edit->clear();
    edit->blockSignals(false);
    menu->clear();
    menu->hide();
  }
};

// Made on first use, destroyed before the application object.
std::unique_ptr<Window> theWindow;

Window& TheWindow() {
  if (!theWindow) theWindow = std::make_unique<Window>();
  return *theWindow;
}

void Counters(benchmark::State& state, const Window& w) {
  state.counters["distinct"] = w.distinctWords;
  state.counters["rows"] = w.form->Shown().RowCount();
  state.counters["messages"] = w.dialogs.messages;
}

// RebuildWordList through the window (model reset, progress pump, status
// panels) in form 表記 (1), 見出し語 (2) and 原形 (3).
void BM_WindowRebuildWordList(benchmark::State& state) {
  Window& w = TheWindow();
  w.form->SetFormMode(static_cast<FormMode>(state.range(0)));
  for (auto _ : state) {
    w.form->RebuildWordList();
    QCoreApplication::processEvents();
  }
  Counters(state, w);
  w.form->SetFormMode(FormMode::Written);
}
BENCHMARK(BM_WindowRebuildWordList)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// The same rebuild (form 表記, 100,000 rows) with the 訳語 column hidden (0)
// and shown (1): the glosses are read for the rows painted only, so the
// column should cost no more than a few lookups a repaint.
void BM_WindowRebuildWithGlosses(benchmark::State& state) {
  Window& w = TheWindow();
  QAction* showGloss = w.form->findChild<QAction*>(QStringLiteral("acShowGloss"));
  const bool shown = state.range(0) == 1;
  if (showGloss->isChecked() != shown) showGloss->trigger();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    w.form->RebuildWordList();
    QCoreApplication::processEvents();
  }
  if (w.list->isColumnHidden(WordListModel::kGlossColumn) == shown) state.SkipWithError("the 訳語 column did not follow");
  // Glosses on the first rows in sight, so that the column had something to show.
  int glossed = 0;
  for (int row = 0; row < 40 && row < w.list->model()->rowCount(); ++row) {
    glossed += !w.list->model()->index(row, WordListModel::kGlossColumn).data().toString().isEmpty();
  }
  state.counters["glossed_of_40"] = glossed;
  Counters(state, w);
  if (!showGloss->isChecked()) showGloss->trigger();
}
BENCHMARK(BM_WindowRebuildWithGlosses)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A sort command with 100 scattered rows selected, which stay selected.
void BM_WindowSort(benchmark::State& state) {
  Window& w = TheWindow();
  QItemSelection selection;
  for (int row = 0; row < w.form->Shown().RowCount(); row += 997) {
    selection.select(w.list->model()->index(row, 0), w.list->model()->index(row, 3));
  }
  w.list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  for (auto _ : state) {
    w.form->SortList(static_cast<int>(state.range(0)));
    QCoreApplication::processEvents();
  }
  Counters(state, w);
  w.list->clearSelection();
}
BENCHMARK(BM_WindowSort)->Arg(kSortFirstAppearance)->Arg(kSortAlphabetical)->Arg(kSortCount)
    ->Unit(benchmark::kMillisecond);

// すべて (Ctrl+S): every row selected, the selection count in the status bar.
void BM_SelectAll(benchmark::State& state) {
  Window& w = TheWindow();
  QAction* selectAll = w.form->findChild<QAction*>(QStringLiteral("acAllSelect"));
  for (auto _ : state) {
    selectAll->trigger();
    QCoreApplication::processEvents();
    state.PauseTiming();
    if (w.list->selectionModel()->selectedRows().size() != w.form->Shown().RowCount()) {
      state.SkipWithError("not every row is selected");
    }
    w.list->clearSelection();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  Counters(state, w);
}
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond);

// One key typed in the search box: the candidates gathered, sorted and
// listed, the popup placed and shown. Arg 0: «s» into the empty box (the
// commonest first letter: the most candidates); arg 1: «a» after «c».
void BM_TypeOneCharacter(benchmark::State& state) {
  Window& w = TheWindow();
  const bool second = state.range(0) == 1;
  int offered = 0;
  for (auto _ : state) {
    state.PauseTiming();
    w.ClearSearch();
    if (second) w.edit->setText(QStringLiteral("c"));
    QCoreApplication::processEvents();
    state.ResumeTiming();
    QTest::keyClick(w.edit, second ? Qt::Key_A : Qt::Key_S);
    QCoreApplication::processEvents();
    offered = w.menu->count();
  }
  state.counters["offered"] = offered;
  Counters(state, w);
  w.ClearSearch();
}
BENCHMARK(BM_TypeOneCharacter)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lexiscoop

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The offscreen platform says, every time the popup is raised, that it
  // cannot raise windows.
  qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (text.contains(QLatin1String("This plugin does not support"))) return;
    if (type != QtDebugMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
  });
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  lexiscoop::theWindow.reset();
  return 0;
}
