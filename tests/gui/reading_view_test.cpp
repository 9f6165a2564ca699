// The レベル表示 page: colours by level, the legend's switches, hover,
// click and list selection, words in context, coverage and the PDF.

#include <algorithm>

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QTimer>
#include <QToolTip>
#include <QDoubleSpinBox>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>
#include <random>

#include "TestSupport.h"
#include "app/ReadingPane.h"
#include "dictionary/CompressStringList.h"
#include "dictionary/GlossTable.h"
#include "platform/Cp932.h"
#include "ui/Fonts.h"
#include "ui/LevelColours.h"
#include "views/ShownWordList.h"
#include "views/widgets/ContextModel.h"
#include "views/widgets/ColouredLine.h"
#include "views/widgets/CoverageChart.h"
#include "views/widgets/ReadingPrint.h"
#include "views/widgets/ReadingView.h"
#include "views/widgets/WordListModel.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

namespace {

// Thomas is not in the fixture dictionary (a name); and, she, by, who are
// not either; write (wrote, writes, written) and letter are 中学, the rest 基本.
const char* const kText =
    "Wrote the letter.\r\n"
    "The cats and a cat.\r\n"
    "I write, she writes; it was written by Thomas, who wrote";

// Runs Extract on `text` in a shown window with the reading page in front.
void Run(TForm1& form, const std::string& text) {
  form.resize(1000, 700);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  form.SetCurrentText(text);
  form.findChild<QAction*>(QStringLiteral("acAnalize"))->trigger();
  auto* pages = form.findChild<QTabWidget*>(QStringLiteral("pcMemo"));
  pages->setCurrentWidget(form.Reading().Page());
  QCoreApplication::processEvents();
}

int WordIndex(const TForm1& form, const char* word) { return form.Result().words.IndexOf(word); }

// The level whose colour on this palette `colour` is; -1 for none.
int LevelOfColour(const ReadingView& view, const QColor& colour) {
  for (int l = 0; l < kWordLevelCount; ++l) {
    if (LevelColour(static_cast<WordLevel>(l), view.palette()) == colour) return l;
  }
  return -1;
}

// The places of the visible words spelled `spelling` (byte for byte).
std::vector<ReadingView::WordPlace> PlacesOf(const ReadingView& view, std::string_view spelling) {
  std::vector<ReadingView::WordPlace> places;
  for (const ReadingView::WordPlace& place : view.VisibleWords()) {
    if (view.Lines().Line(place.line).substr(place.start, place.length) == spelling) places.push_back(place);
  }
  return places;
}

int RowOfWord(const TForm1& form, const char* word) {
  for (int r = 0; r < form.Shown().RowCount(); ++r) {
    if (form.Shown().WordOfRow(r) == word) return r;
  }
  return -1;
}

void SelectListRow(TForm1& form, int row) {
  auto* list = form.findChild<QTableView*>(QStringLiteral("lvWords"));
  list->selectionModel()->setCurrentIndex(list->model()->index(row, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// A program folder holding the shipped dictionary, level lists and tagger.
class ShippedFolder {
 public:
  ShippedFolder() {
    for (const char* name :
         {"LxScoop.dat", "LXBasics.dat", "LXJunior.dat", "LXToUnuvercity.dat", "LXGeneral.dat", "LxTagger.dat"}) {
      QFile::copy(QStringLiteral(LEXISCOOP_SHIPPED_DATA_DIR "/") + QLatin1String(name), dir_.filePath(QLatin1String(name)));
    }
  }
  TForm1Options Options() {
    TForm1Options options;
    options.programFolder = QFile::encodeName(dir_.path()).toStdString();
    options.settingsPath = dir_.filePath(QStringLiteral("lexiscoop.ini")).toStdString();
    options.dialogs = &dialogs_;
    return options;
  }

 private:
  QTemporaryDir dir_;
  ScriptedDialogs dialogs_;
};

}  // namespace

class ReadingViewTest : public QObject {
  Q_OBJECT

 private slots:
  // On a narrow page the legend's switches and commands wrap onto more
  // rows: each keeps its whole caption, inside the legend, none over
  // another, and the text stays below them.
  void legendWrapsOnANarrowPageWithEveryCaptionWhole() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Run(form, kText);
    QWidget* legend = form.findChild<QWidget*>(QStringLiteral("ReadingLegend"));
    QVERIFY(legend != nullptr);
    int rowsWide = 0;
    QTest::qWait(400);  // past the fitting to the offscreen screen
    for (const QSize size : {QSize(1600, 800), form.minimumSize()}) {
      form.resize(size);
      QTRY_COMPARE(form.size(), size);
      QCoreApplication::processEvents();
      const bool wide = size.width() > 1000;
      QList<QRect> places;
      QSet<int> rows;
      for (QToolButton* button : legend->findChildren<QToolButton*>()) {
        const QRect place = button->geometry();
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
        QVERIFY2(legend->rect().contains(place), qPrintable(button->text()));
        for (const QRect& other : places) QVERIFY2(!other.intersects(place), qPrintable(button->text()));
        places << place;
        rows.insert(place.top());
      }
      QCOMPARE(places.size(), 10);  // six levels, 前, 次, 印刷, PDF
      if (wide) rowsWide = static_cast<int>(rows.size());
      if (!wide) QVERIFY(rows.size() > rowsWide);
      QVERIFY(form.Reading().View().mapTo(&form, QPoint(0, 0)).y() >= legend->mapTo(&form, QPoint(0, legend->height())).y());
    }
    QCOMPARE(rowsWide, 1);
  }

  // Over random texts and the shipped data: every word of the text is drawn
  // in the colour of one level, and the words of each colour add up to the
  // report's count of that level.
  void everyWordIsDrawnInTheColourOfItsLevel() {
    ShippedFolder folder;
    TForm1 form(folder.Options());
    const std::vector<std::string> vocabulary = {
        "the", "The", "saw", "found", "left", "singing", "taxes", "children", "went", "better", "I'm", "don't",
        "Smith", "Osaka", "blorple", "ran", "analysis", "ubiquitous", "x-ray", "e-mail", "Thomas", "data",
        "lives", "leaves", "he", "saw", "a", "found",
        Sjis("ｃａｔ"), Sjis("日本語"), ",", ".", " ", " ", "\r\n", "\t"};
    std::mt19937 random(42);
    int splitLevels = 0;  // spellings read at two levels: drawn in two colours
    for (int round = 0; round < 8; ++round) {
      std::string text;
      const int n = 200 + static_cast<int>(random() % 400);
      for (int i = 0; i < n; ++i) {
        text += vocabulary[random() % vocabulary.size()];
        text += ' ';
      }
      Run(form, text);
      ReadingView& view = form.Reading().View();
      // Wrapped at the view's width in even rounds, left whole in odd ones.
      view.SetWrap(round % 2 == 0);
      std::array<int32_t, kMaxLevelCount> byColour{};
      int counted = 0;
      int nextRow = 0;
      while (nextRow < view.Rows().RowCount()) {
        view.verticalScrollBar()->setValue(nextRow);
        const int first = view.FirstVisibleRow();
        const int end = first + view.LinesPerPage();
        for (const ReadingView::WordPlace& place : view.VisibleWords()) {
          if (place.row < nextRow || place.row >= end) continue;
          QVERIFY2(place.wordIndex >= 0, "a word of the text that the run did not count");
          const int level = LevelOfColour(view, view.ColourAt(place));
          QVERIFY2(level >= 0, "a word drawn in no level's colour");
          ++byColour[static_cast<size_t>(level)];
          ++counted;
        }
        nextRow = end;
      }
      QCOMPARE(counted, form.Result().tokenCount);
      QCOMPARE(byColour, form.Result().levelOccurrences);
      for (const EntryReadings& split : form.Result().readings) {
        splitLevels += split.readings.size() > 1 && split.readings[0].word.level != split.readings[1].word.level;
      }
    }
    QVERIFY(splitLevels > 0);
  }

  // The pixels drawn for a word carry its level's colour and no other's.
  void wordsArePaintedInTheirColours() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Run(form, kText);
    ReadingView& view = form.Reading().View();
    const QImage image = view.viewport()->grab().toImage();
    const std::pair<const char*, WordLevel> words[] = {
        {"letter", WordLevel::Junior}, {"cats", WordLevel::Basic}, {"Thomas", WordLevel::None}};
    for (const auto& [word, level] : words) {
      const std::vector<ReadingView::WordPlace> places = PlacesOf(view, word);
      QVERIFY2(!places.empty(), word);
      const QRect rect = places.front().rect.toAlignedRect().intersected(image.rect());
      std::array<int, kWordLevelCount> near{};
      for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
          const QColor pixel = image.pixelColor(x, y);
          for (int l = 0; l < kWordLevelCount; ++l) {
            const QColor c = LevelColour(static_cast<WordLevel>(l), view.palette());
            const int distance = std::abs(pixel.red() - c.red()) + std::abs(pixel.green() - c.green()) +
                                 std::abs(pixel.blue() - c.blue());
            if (distance < 40) ++near[static_cast<size_t>(l)];
          }
        }
      }
      QVERIFY2(near[static_cast<size_t>(LevelIndex(level))] > 0, word);
      for (int l = 0; l < kWordLevelCount; ++l) {
        if (l != LevelIndex(level)) QVERIFY2(near[static_cast<size_t>(l)] == 0, word);
      }
    }
  }

  // The dotted underline marks the words the dictionary lacks: the set's
  // None level, which in a set of five levels is the place the shipped set
  // gives None's neighbour, and out-of-range entries.
  void unregisteredWordsFollowTheChosenSet() {
    const LevelSpec five[] = {{"1", "l1", 0}, {"2", "l2", 0}, {"3", "l3", 0}, {"4", "l4", 0}, {"5", "l5", 0}};
    ReadingWords shipped;
    shipped.levels = {WordLevel::Basic, WordLevel::Other, WordLevel::None};
    ReadingWords own = shipped;
    own.levelSet = std::make_shared<const LevelSet>(LevelSet::Made("five", five));
    own.levels = {WordLevel::Basic, own.levelSet->Other(), own.levelSet->None()};
    const std::tuple<const ReadingWords*, int, bool> rows[] = {
        {&shipped, 0, false}, {&shipped, 1, false}, {&shipped, 2, true}, {&shipped, 7, true},
        {&own, 0, false},     {&own, 1, false},     {&own, 2, true},     {&own, -1, true},
    };
    for (const auto& [words, index, unregistered] : rows) {
      QVERIFY2(words->Unregistered(index) == unregistered, qPrintable(QString::number(index)));
    }
  }

  // A line is laid out from the font's glyphs alone when the font has them
  // all, and shaped otherwise: both put every part where the font's metrics
  // put it, tabs at multiples of eight columns.
  void linesAreLaidOutAsTheFontMeasuresThem() {
    const QFont font = FixedFont();
    const QFontMetricsF metrics(font);
    const std::string line = "The cat\tsat, " + Sjis("日本語") + " on it.";
    const LaidOutLine fast = LayOutLine(line, ReadingWords{}, font, QRawFont::fromFont(font));
    const LaidOutLine shaped = LayOutLine(line, ReadingWords{}, font, QRawFont());
    QVERIFY(fast.shaped.empty());
    QCOMPARE(shaped.shaped.size(), shaped.segments.size());
    const std::pair<const char*, const char*> words[] = {
        {"The", ""}, {"cat", "The "}, {"sat", "The cat "}, {"on", "The cat sat, 日本語 "}, {"it", "The cat sat, 日本語 on "}};
    std::vector<const LineSegment*> found;
    for (const LineSegment& s : fast.segments) {
      if (s.isWord) found.push_back(&s);
    }
    QCOMPARE(found.size(), std::size(words));
    for (size_t i = 0; i < found.size(); ++i) {
      QCOMPARE(line.substr(found[i]->start, found[i]->length), std::string(words[i].first));
      QVERIFY2(std::abs(found[i]->x - metrics.horizontalAdvance(U(words[i].second))) < 0.5, words[i].first);
      QVERIFY2(std::abs(found[i]->width - metrics.horizontalAdvance(QLatin1String(words[i].first))) < 0.5, words[i].first);
    }
    QCOMPARE(fast.segments.size(), shaped.segments.size());
    qreal end = 0;
    for (size_t i = 0; i < fast.segments.size(); ++i) {
      const LineSegment& a = fast.segments[i];
      const LineSegment& b = shaped.segments[i];
      QCOMPARE(a.start, b.start);
      QCOMPARE(a.length, b.length);
      QVERIFY(std::abs(a.x - b.x) < 0.5 && std::abs(a.width - b.width) < 0.5);
      QVERIFY(std::abs(a.x - end) < 0.01);  // the parts follow one another
      end = a.x + a.width;
      QCOMPARE(a.glyphTo - a.glyphFrom, a.start == 7 ? 1 : static_cast<int>(U(Utf8FromCp932(line.substr(a.start, a.length)).c_str()).size()));
      QVERIFY(!shaped.shaped[i].isEmpty());
    }
    QVERIFY(std::abs(end - metrics.horizontalAdvance(U("The cat sat, 日本語 on it."))) < 0.5);
  }

  // A line with a character the view's font lacks (an invalid byte shows as
  // U+FFFD) is shaped with a fallback font; its words keep their colours.
  // After a change of font the words are laid out anew.
  void linesWithMissingGlyphsAndNewFontsStillShowTheirColours() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Run(form, "the cats \xA0 wrote a letter\r\nthe letter");
    ReadingView& view = form.Reading().View();
    auto coloured = [&view](const char* word, WordLevel level) {
      const QImage image = view.viewport()->grab().toImage();
      const std::vector<ReadingView::WordPlace> places = PlacesOf(view, word);
      if (places.empty()) return -1;
      const QRect rect = places.front().rect.toAlignedRect().intersected(image.rect());
      const QColor c = LevelColour(level, view.palette());
      int near = 0;
      for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
          const QColor pixel = image.pixelColor(x, y);
          if (std::abs(pixel.red() - c.red()) + std::abs(pixel.green() - c.green()) + std::abs(pixel.blue() - c.blue()) < 40) ++near;
        }
      }
      return near;
    };
    QVERIFY(coloured("cats", WordLevel::Basic) > 0);
    QVERIFY(coloured("wrote", WordLevel::Junior) > 0);
    QVERIFY(coloured("letter", WordLevel::Junior) > 0);
    const std::vector<ReadingView::WordPlace> before = PlacesOf(view, "letter");
    QCOMPARE(before.size(), size_t{2});
    QVERIFY(before[0].rect.left() > before[1].rect.left());

    QFont larger = view.font();
    larger.setPixelSize(view.font().pixelSize() * 2);
    view.setFont(larger);
    const std::vector<ReadingView::WordPlace> after = PlacesOf(view, "letter");
    QCOMPARE(after.size(), size_t{2});
    // «the » before the second line's «letter»: twice as wide in the larger font.
    const qreal margin = before[1].rect.left() - QFontMetricsF(FixedFont()).horizontalAdvance(QStringLiteral("the "));
    QVERIFY2(std::abs((after[1].rect.left() - margin) - 2 * (before[1].rect.left() - margin)) < 1.5,
             qPrintable(QStringLiteral("%1 -> %2").arg(before[1].rect.left()).arg(after[1].rect.left())));
    QVERIFY(std::abs(after[1].rect.width() - 2 * before[1].rect.width()) < 1.5);
    QVERIFY(coloured("letter", WordLevel::Junior) > 0);
  }

  void legendSwitchShowsALevelPlain() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Run(form, kText);
    ReadingView& view = form.Reading().View();
    const int wrote = WordIndex(form, "wrote");
    const int the = WordIndex(form, "the");
    QToolButton* junior = form.Reading().LevelSwitch(WordLevel::Junior);
    junior->click();
    QVERIFY(!junior->isChecked());
    QCOMPARE(view.ColourOfWord(wrote), view.palette().color(QPalette::Text));
    QCOMPARE(view.ColourOfWord(the), LevelColour(WordLevel::Basic, view.palette()));
    junior->click();
    QCOMPARE(view.ColourOfWord(wrote), LevelColour(WordLevel::Junior, view.palette()));
  }

  // The palette is readable on light and dark backgrounds.
  void levelColoursContrastWithBothBackgrounds() {
    for (int l = 0; l < kWordLevelCount; ++l) {
      const auto level = static_cast<WordLevel>(l);
      QVERIFY(ContrastRatio(LevelColour(level, false), QColor(Qt::white)) >= 4.5);
      QVERIFY(ContrastRatio(LevelColour(level, false), QColor(0xF0, 0xF0, 0xF0)) >= 4.5);
      QVERIFY(ContrastRatio(LevelColour(level, true), QColor(0x1E, 0x1E, 0x1E)) >= 4.5);
      QVERIFY(ContrastRatio(LevelColour(level, true), QColor(0x2D, 0x2D, 0x2D)) >= 4.5);
      for (int k = 0; k < l; ++k) QVERIFY(LevelColour(level, false) != LevelColour(static_cast<WordLevel>(k), false));
    }
  }

  // The tooltip names the headword, its level, the count and the
  // headword's glosses; a word whose headword has none shows no 訳語 line.
  void hoverShowsHeadwordLevelCountAndGlosses() {
    ProgramFolder folder;
    TCompressStringList glosses;
    glosses.LoadText(Sjis("#LxGloss 2\r\ndog\t犬\r\nwrite\t動 書く; 記す / 名 書き込み\r\n"));
    QVERIFY(glosses.SaveToFile(folder.FilePath(U(kShippedGlossFile)).toStdString()).ok());
    TForm1 form(folder.Options());
    Run(form, kText);
    ReadingView& view = form.Reading().View();
    auto tipAt = [&view](const char* spelling) {
      const std::vector<ReadingView::WordPlace> places = PlacesOf(view, spelling);
      if (places.empty()) return QStringLiteral("no word %1").arg(QLatin1String(spelling));
      const QPoint centre = places.front().rect.center().toPoint();
      QHelpEvent help(QEvent::ToolTip, centre, view.viewport()->mapToGlobal(centre));
      QCoreApplication::sendEvent(view.viewport(), &help);
      const QString tip = QToolTip::isVisible() ? QToolTip::text() : QStringLiteral("no tooltip");
      QToolTip::hideText();
      return tip;
    };
    const QString wrote = tipAt("wrote");
    QVERIFY2(wrote.contains(U("見出し語: write")), qPrintable(wrote));
    QVERIFY2(wrote.contains(U("レベル: 中学")), qPrintable(wrote));
    QVERIFY2(wrote.contains(U("出現数: 2")), qPrintable(wrote));  // Wrote and wrote
    // Every group of the glosses.
    QVERIFY2(wrote.endsWith(U("\n訳語: 動 書く; 記す / 名 書き込み")), qPrintable(wrote));
    // «writes» counts for the same headword, so it shows the same glosses.
    QVERIFY2(tipAt("writes").contains(U("訳語: 動 書く; 記す / 名 書き込み")), qPrintable(tipAt("writes")));
    const QString cats = tipAt("cats");
    QVERIFY2(cats.contains(U("見出し語: cat")), qPrintable(cats));
    QVERIFY2(!cats.contains(U("訳語")), qPrintable(cats));
  }

  // Each occurrence of a spelling read as two headwords names its own.
  void hoverNamesTheReadingOfEachOccurrence() {
    ShippedFolder folder;
    TForm1 form(folder.Options());
    Run(form, "He lives here. Cats have nine lives.");
    ReadingView& view = form.Reading().View();
    QStringList tips;
    for (const ReadingView::WordPlace& place : PlacesOf(view, "lives")) {
      const QPoint centre = place.rect.center().toPoint();
      QHelpEvent help(QEvent::ToolTip, centre, view.viewport()->mapToGlobal(centre));
      QCoreApplication::sendEvent(view.viewport(), &help);
      tips << (QToolTip::isVisible() ? QToolTip::text() : QStringLiteral("no tooltip"));
      QToolTip::hideText();
    }
    QCOMPARE(tips.size(), 2);
    QVERIFY2(tips[0].contains(U("見出し語: live\n")) && tips[0].contains(U("この箇所の読み: live")), qPrintable(tips[0]));
    QVERIFY2(tips[1].contains(U("見出し語: life\n")) && tips[1].contains(U("この箇所の読み: life")), qPrintable(tips[1]));
  }

  // A click on a word selects its row (under the list's form); selecting
  // rows marks the words and next/previous walk their occurrences.
  void clickAndSelectionRoundTrip() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Run(form, kText);
    ReadingView& view = form.Reading().View();
    auto* list = form.findChild<QTableView*>(QStringLiteral("lvWords"));
    const std::vector<ReadingView::WordPlace> writes = PlacesOf(view, "writes");
    QCOMPARE(writes.size(), size_t{1});
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, writes.front().rect.center().toPoint());
    QCOMPARE(list->selectionModel()->currentIndex().row(), RowOfWord(form, "write"));
    QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
    QVERIFY(view.CurrentOccurrence().has_value());
    QCOMPARE(view.CurrentOccurrence()->line, 2);

    const int cat = RowOfWord(form, "cat");
    QVERIFY(cat >= 0);
    SelectListRow(form, cat);
    QVERIFY(view.IsMarked(WordIndex(form, "cats")));
    QVERIFY(view.IsMarked(WordIndex(form, "cat")));
    QVERIFY(!view.IsMarked(WordIndex(form, "the")));
    view.verticalScrollBar()->setValue(0);
    // «The cats and a cat.»: cats at 4, cat at 15, then round to cats.
    const std::pair<int, uint32_t> expected[] = {{1, 4}, {1, 15}, {1, 4}};
    for (const auto& [line, start] : expected) {
      QVERIFY(view.GoToNextMark());
      QCOMPARE(view.CurrentOccurrence()->line, line);
      QCOMPARE(view.CurrentOccurrence()->start, start);
    }
    QVERIFY(view.GoToPreviousMark());
    QCOMPARE(view.CurrentOccurrence()->start, 15u);
    QVERIFY(view.GoToPreviousMark());
    QCOMPARE(view.CurrentOccurrence()->start, 4u);

    // The clicked word's row holds the clicked spelling under 表記.
    form.SetFormMode(FormMode::Written);
    const std::vector<ReadingView::WordPlace> written = PlacesOf(view, "written");
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, written.front().rect.center().toPoint());
    QCOMPARE(list->selectionModel()->currentIndex().row(), RowOfWord(form, "written"));
  }

  // Every spelling of the selected word, from the first word of the text to
  // its last; a double-click shows the line; a copy gives the lines as text.
  void contextListsEverySpellingAndJumps() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Run(form, kText);
    SelectListRow(form, RowOfWord(form, "write"));
    ContextModel& context = form.Reading().Context();
    QTRY_VERIFY(context.SearchDone());
    const std::pair<int, const char*> expected[] = {
        {1, "Wrote"}, {3, "write"}, {3, "writes"}, {3, "written"}, {3, "wrote"}};
    QCOMPARE(context.rowCount(), int(std::size(expected)));
    for (int row = 0; row < context.rowCount(); ++row) {
      QCOMPARE(context.index(row, ContextModel::kLineColumn).data().toInt(), expected[row].first);
      QCOMPARE(context.index(row, ContextModel::kWordColumn).data().toString(), U(expected[row].second));
    }
    QCOMPARE(context.index(4, ContextModel::kLeftColumn).data().toString(),
             U("I write, she writes; it was written by Thomas, who "));
    QCOMPARE(context.index(4, ContextModel::kRightColumn).data().toString(), QString());

    QTableView& table = form.Reading().ContextTable();
    table.scrollTo(context.index(4, ContextModel::kWordColumn));
    const QRect cell = table.visualRect(context.index(4, ContextModel::kWordColumn));
    auto* pages = form.findChild<QTabWidget*>(QStringLiteral("pcMemo"));
    pages->setCurrentIndex(0);
    pages->setCurrentWidget(form.Reading().Page());
    QVERIFY2(table.viewport()->rect().contains(cell.center()), qPrintable(QStringLiteral("%1x%2").arg(table.viewport()->width()).arg(table.viewport()->height())));
    QSignalSpy doubleClicks(&table, &QTableView::doubleClicked);
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell.center());  // a double click's first press
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(doubleClicks.size(), 1);
    QCOMPARE(pages->currentWidget(), form.Reading().Page());
    const auto current = form.Reading().View().CurrentOccurrence();
    QVERIFY(current.has_value());
    QCOMPARE(current->line, 2);
    QCOMPARE(current->start, 51u);

    table.selectRow(0);
    form.findChild<QAction*>(QStringLiteral("acCopyContext"))->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("      1  ") + QString(60, QLatin1Char(' ')) + QStringLiteral(" Wrote  the letter.\r\n"));
  }

  // The レベル column stands after Word, names the level in its colour and
  // sorts from the most basic level at the first click.
  void levelColumnShowsAndSortsTheLevel() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Run(form, kText);
    auto* list = form.findChild<QTableView*>(QStringLiteral("lvWords"));
    QHeaderView* header = list->horizontalHeader();
    QCOMPARE(header->visualIndex(WordListModel::kLevelColumn), 2);
    QCOMPARE(list->model()->headerData(WordListModel::kLevelColumn, Qt::Horizontal).toString(), U("レベル"));
    const QModelIndex letter = list->model()->index(RowOfWord(form, "letter"), WordListModel::kLevelColumn);
    QCOMPARE(letter.data().toString(), U("中学"));
    QCOMPARE(letter.data(Qt::ForegroundRole).value<QColor>(), LevelColour(WordLevel::Junior, list->palette()));
    QCOMPARE(list->model()->index(RowOfWord(form, "Thomas"), WordListModel::kLevelColumn).data().toString(), U("未登録"));

    header->sectionClicked(WordListModel::kLevelColumn);
    std::vector<int> levels;
    for (int r = 0; r < list->model()->rowCount(); ++r) {
      levels.push_back(list->model()->index(r, WordListModel::kLevelColumn).data(WordListModel::kRawValueRole).toInt());
    }
    QVERIFY(std::is_sorted(levels.begin(), levels.end()));
    QCOMPARE(levels.front(), LevelIndex(WordLevel::Basic));
    QCOMPARE(levels.back(), LevelIndex(WordLevel::None));
    header->sectionClicked(WordListModel::kLevelColumn);
    QCOMPARE(list->model()->index(0, WordListModel::kLevelColumn).data(WordListModel::kRawValueRole).toInt(),
             LevelIndex(WordLevel::None));
  }

  // 19 words: 基本 8 (the ×2, cats, a, cat, I, it, was), 中学 6, the name
  // Thomas, and 4 words the dictionary lacks.
  void coverageChartShowsTheFiguresAndVerdict() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Run(form, kText);
    auto* chart = form.findChild<CoverageChart*>(QStringLiteral("CoverageChart"));
    QVERIFY(chart != nullptr);
    const CoverageFigures& f = chart->Figures();
    QCOMPARE(f.runningWords, int64_t{19});
    QCOMPARE(f.PercentText(CoverageStage::Basic), std::string("47.3"));
    QCOMPARE(f.PercentText(CoverageStage::Junior), std::string("78.9"));
    QCOMPARE(chart->VerdictText(), U("一般レベルでも 78.9% (読むのは難しい)　固有名詞 1 語を既知として計算"));
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("CoverageVerdict"))->text(), chart->VerdictText());
  }

  // ファイル → 印刷 (Ctrl+P) waits for a result, then brings the page to the
  // front and opens the print dialog; a new text disables it again.
  void printCommandInTheFileMenuFollowsTheResult() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    form.resize(1000, 700);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* print = form.findChild<QAction*>(QStringLiteral("acPrint"));
    QVERIFY(print != nullptr);
    QCOMPARE(print->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    QMenu* file = nullptr;
    for (QAction* entry : form.menuBar()->actions()) {
      if (entry->text().startsWith(U("ファイル"))) file = entry->menu();
    }
    QVERIFY(file != nullptr);
    QVERIFY(file->actions().contains(print));
    form.SetCurrentText(kText);
    QVERIFY(!print->isEnabled());

    Run(form, kText);
    QVERIFY(print->isEnabled());
    auto* pages = form.findChild<QTabWidget*>(QStringLiteral("pcMemo"));
    pages->setCurrentIndex(0);
    QString shown;
    QTimer::singleShot(0, &form, [&shown] {
      QWidget* dialog = QApplication::activeModalWidget();
      shown = dialog != nullptr ? QString::fromLatin1(dialog->metaObject()->className()) : QStringLiteral("none");
      if (auto* box = qobject_cast<QDialog*>(dialog)) box->reject();
    });
    QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
    QTRY_VERIFY(!shown.isEmpty());
    QCOMPARE(shown, QStringLiteral("QPrintDialog"));
    QCOMPARE(pages->currentWidget(), form.Reading().Page());

    form.SetCurrentText(std::string(kText) + " again");
    QVERIFY(!print->isEnabled());
  }

  // The handout: lines wrapped at the page's width, the body at 10.5 pt (or
  // the size chosen), the pages numbered; page 1 is not blank and carries
  // the level colours. A text of one long line used to print at a fraction
  // of a point.
  void pdfIsAReadableHandout_data() {
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("oneLine");
    QTest::newRow("10.5 pt, many lines") << 10.5 << false;
    QTest::newRow("10.5 pt, one long line") << 10.5 << true;
    QTest::newRow("14 pt, one long line") << 14.0 << true;
  }
  void pdfIsAReadableHandout() {
    QFETCH(double, points);
    QFETCH(bool, oneLine);
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftoppm.isEmpty() || pdftotext.isEmpty()) QSKIP("poppler-utils is not installed");
    ProgramFolder folder;
    TForm1 form(folder.Options());
    std::string text;
    std::string piece = kText;
    if (oneLine) std::replace_if(piece.begin(), piece.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    for (int i = 0; i < (oneLine ? 200 : 60); ++i) text += piece + (oneLine ? " " : "\r\n");
    Run(form, text);
    form.findChild<QDoubleSpinBox*>(QStringLiteral("sbPrintPoints"))->setValue(points);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("reading.pdf"));
    QVERIFY(form.Reading().SaveAsPdf(pdf));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("count.pdf")));
    printer.setPageSize(QPageSize(QPageSize::A4));
    const int pages = ReadingPageCount(form.Reading().View(), printer, points);
    QVERIFY(pages > 1);

    // Every word box of page 1 in points: the body's letters are as tall
    // as the font asks, and none reaches past the page's right edge.
    QProcess boxes;
    boxes.start(pdftotext, {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                            QStringLiteral("1"), pdf, QStringLiteral("-")});
    QVERIFY(boxes.waitForFinished(30000));
    const QString html = QString::fromUtf8(boxes.readAllStandardOutput());
    static const QRegularExpression pageTag(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
    const QRegularExpressionMatch page = pageTag.match(html);
    QVERIFY2(page.hasMatch(), qPrintable(html.left(500)));
    const double pageWidth = page.captured(1).toDouble();
    static const QRegularExpression wordTag(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<double> heights;
    QSet<int> rows;
    for (const QRegularExpressionMatch& word : wordTag.globalMatch(html)) {
      QVERIFY2(word.captured(3).toDouble() <= pageWidth + 0.5, qPrintable(word.captured(5)));
      if (word.captured(5) == QStringLiteral("Thomas") || word.captured(5) == QStringLiteral("letter")) {
        heights << word.captured(4).toDouble() - word.captured(2).toDouble();
        rows << qRound(word.captured(2).toDouble());
      }
    }
    // «1 / N» at the top right.
    const QRegularExpression number(QStringLiteral(">1</word>\\s*<word[^>]*>/</word>\\s*<word[^>]*>%1</word>").arg(pages));
    QVERIFY2(number.match(html).hasMatch(), qPrintable(html.left(1500)));
    QVERIFY2(heights.size() > 20, qPrintable(QString::number(heights.size())));
    std::sort(heights.begin(), heights.end());
    const double height = heights[heights.size() / 2];
    // A glyph box spans the font's ascent and descent: about 1.1 to 1.5
    // times its size.
    QVERIFY2(height >= points * 0.9 && height <= points * 1.7, qPrintable(QString::number(height)));
    QVERIFY2(rows.size() > 10, "the words of page 1 stand on few rows");

    QProcess render;
    render.start(pdftoppm, {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                            QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"), pdf,
                            dir.filePath(QStringLiteral("page"))});
    QVERIFY(render.waitForFinished(30000));
    const QStringList images = QDir(dir.path()).entryList({QStringLiteral("page*.png")});
    QCOMPARE(images.size(), 1);
    const QImage image(dir.filePath(images.front()));
    QVERIFY(!image.isNull());
    int inked = 0;
    int coloured = 0;
    const QColor junior = LevelColour(WordLevel::Junior, false);
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor pixel = image.pixelColor(x, y);
        if (pixel.lightness() < 200) ++inked;
        if (std::abs(pixel.red() - junior.red()) + std::abs(pixel.green() - junior.green()) +
                std::abs(pixel.blue() - junior.blue()) < 60) {
          ++coloured;
        }
      }
    }
    QVERIFY2(inked > image.width() * image.height() / 200, "page 1 is blank");
    QVERIFY2(coloured > 0, "page 1 has no 中学 colour");
  }

  // At 743 × 500 the 文脈 pane shows its four columns, 後 included.
  void contextShowsEveryColumnInANarrowWindow() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Run(form, kText);
    form.resize(743, 500);
    QTRY_COMPARE(form.size(), QSize(743, 500));
    SelectListRow(form, RowOfWord(form, "write"));
    QTRY_VERIFY(form.Reading().Context().SearchDone());
    QCoreApplication::processEvents();
    QTableView& table = form.Reading().ContextTable();
    QHeaderView* header = table.horizontalHeader();
    const int right = header->sectionViewportPosition(ContextModel::kRightColumn);
    QVERIFY2(right + 30 < table.viewport()->width(),
             qPrintable(QStringLiteral("後 starts at %1 of %2").arg(right).arg(table.viewport()->width())));
    for (int column = 0; column < ContextModel::kRightColumn; ++column) QVERIFY(header->sectionSize(column) >= 30);
  }

  // On screen the text wraps at the view's width unless 表示 → 折り返し is
  // off: a one-line text is read without scrolling sideways.
  void theReadingViewWrapsAtItsWidth() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    std::string text;
    std::string piece = kText;
    std::replace_if(piece.begin(), piece.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    for (int i = 0; i < 40; ++i) text += piece + " ";
    Run(form, text);
    ReadingView& view = form.Reading().View();
    QAction* wrap = form.findChild<QAction*>(QStringLiteral("acWrapReading"));
    QVERIFY(wrap->isChecked());
    QCOMPARE(view.Lines().LineCount(), 1);
    QVERIFY(view.Rows().RowCount() > 5);
    QCOMPARE(view.horizontalScrollBar()->maximum(), 0);
    for (const ReadingView::WordPlace& place : view.VisibleWords()) {
      QVERIFY(place.rect.right() <= view.viewport()->width());
    }
    wrap->trigger();
    QVERIFY(!view.Wraps());
    QCOMPARE(view.Rows().RowCount(), 1);
    QVERIFY(view.horizontalScrollBar()->maximum() > 0);
  }
};

QTEST_MAIN(ReadingViewTest)
#include "reading_view_test.moc"
