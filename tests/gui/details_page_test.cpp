// The 詳細データ page at every window size: the report memo and the coverage
// chart side by side where there is room, the chart under the memo where
// there is not, and never one drawn over the other: the chart keeps its
// least size, its key and verdict stand whole under it, and a page smaller
// than all that scrolls. The report's text is the same at every size.

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QtTest>

#include "TestSupport.h"
#include "views/widgets/CoverageChart.h"
#include "views/widgets/ReportPage.h"

using namespace lexiscoop;
using namespace lexiscoop::testing;

namespace {

// Names make the verdict long enough to wrap on a narrow page.
constexpr const char* kText =
    "Thomas and Mary wrote to the cat. Cats begin to write, and a dog left Kyoto with Hanako.\r\n"
    "The wife of Thomas was a writer. It was the dog.\r\n";

QRect RectIn(const QWidget* widget, const QWidget* ancestor) {
  return QRect(widget->mapTo(ancestor, QPoint(0, 0)), widget->size());
}

}  // namespace

class DetailsPageTest : public QObject {
  Q_OBJECT

 private:
  struct Page {
    ReportPage* page;
    QSplitter* splitter;
    QPlainTextEdit* memo;
    CoverageChart* chart;
    QWidget* view;
    QLabel* key;
    QLabel* verdict;
  };

  static Page Find(TForm1& form) {
    Page p{};
    p.page = form.findChild<ReportPage*>(QStringLiteral("ReportPage"));
    p.splitter = form.findChild<QSplitter*>(QStringLiteral("DatasSplitter"));
    p.memo = form.findChild<QPlainTextEdit*>(QStringLiteral("mmDatas"));
    p.chart = form.findChild<CoverageChart*>(QStringLiteral("CoverageChart"));
    p.view = form.findChild<QWidget*>(QStringLiteral("CoverageChartView"));
    p.key = form.findChild<QLabel*>(QStringLiteral("CoverageKey"));
    p.verdict = form.findChild<QLabel*>(QStringLiteral("CoverageVerdict"));
    return p;
  }

  static void Run(TForm1& form, QSize size) {
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Past the fitting of the window to the (small) offscreen screen that
    // follows the first show.
    QTest::qWait(400);
    form.resize(size);
    form.SetCurrentText(kText);
    form.findChild<QAction*>(QStringLiteral("acAnalize"))->trigger();
    auto* pages = form.findChild<QTabWidget*>(QStringLiteral("pcMemo"));
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("tsDatas"));
    QTRY_COMPARE(form.size(), size);
    QCoreApplication::processEvents();
  }

  // The widest line of the memo, in its font.
  static int WidestLine(const QPlainTextEdit* memo) {
    const QFontMetrics metrics(memo->font());
    int widest = 0;
    for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
      widest = std::max(widest, metrics.horizontalAdvance(block.text()));
    }
    return widest;
  }

  // Nothing of the page is drawn over anything else, and every part has at
  // least the room it needs.
  static void CheckNothingOverlaps(const Page& p, const QString& size) {
    QVERIFY2(p.page != nullptr && p.splitter != nullptr && p.chart != nullptr, qPrintable(size));
    const QRect memo = RectIn(p.memo, p.splitter);
    const QRect chart = RectIn(p.chart, p.splitter);
    QVERIFY2(!memo.intersects(chart), qPrintable(size));
    QVERIFY2(p.splitter->rect().contains(memo) && p.splitter->rect().contains(chart), qPrintable(size));
    // Inside the chart: the chart itself at its least size, then the key,
    // then the verdict, each whole and inside the chart's own rectangle.
    const QRect view = RectIn(p.view, p.chart);
    const QRect key = RectIn(p.key, p.chart);
    const QRect verdict = RectIn(p.verdict, p.chart);
    QVERIFY2(view.height() >= p.view->minimumHeight() && view.width() >= p.view->minimumWidth(), qPrintable(size));
    QVERIFY2(!view.intersects(key) && !view.intersects(verdict) && !key.intersects(verdict), qPrintable(size));
    QVERIFY2(key.top() >= view.bottom() && verdict.top() >= key.bottom(), qPrintable(size));
    for (const QRect& part : {view, key, verdict}) {
      QVERIFY2(p.chart->rect().contains(part), qPrintable(size));
    }
    for (const QLabel* label : {p.key, p.verdict}) {
      QVERIFY2(label->height() >= label->heightForWidth(label->width()),
               qPrintable(size + QLatin1Char(' ') + label->text()));
    }
    // Every part can be brought into sight: where the page is smaller than
    // its content, it scrolls as far as the content reaches.
    const QSize seen = p.page->viewport()->size();
    QVERIFY2(p.page->horizontalScrollBar()->maximum() >= p.splitter->width() - seen.width(), qPrintable(size));
    QVERIFY2(p.page->verticalScrollBar()->maximum() >= p.splitter->height() - seen.height(), qPrintable(size));
  }

 private slots:
  void sideBySideWhereThereIsRoomWithEveryReportLineWhole() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Run(form, QSize(1600, 1000));
    const Page p = Find(form);
    QVERIFY(p.page != nullptr);
    QCOMPARE(p.page->Orientation(), Qt::Horizontal);
    QVERIFY(RectIn(p.chart, p.splitter).left() >= RectIn(p.memo, p.splitter).right());
    // The report's widest line is whole without scrolling the memo.
    QVERIFY2(p.memo->viewport()->width() >= WidestLine(p.memo),
             qPrintable(QStringLiteral("%1 < %2").arg(p.memo->viewport()->width()).arg(WidestLine(p.memo))));
    QCOMPARE(p.memo->horizontalScrollBar()->maximum(), 0);
    CheckNothingOverlaps(p, QStringLiteral("1600x1000"));
  }

  void chartUnderTheMemoOnANarrowPage() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Run(form, QSize(743, 500));
    const Page p = Find(form);
    QVERIFY(p.page != nullptr);
    QCOMPARE(p.page->Orientation(), Qt::Vertical);
    QVERIFY(RectIn(p.chart, p.splitter).top() >= RectIn(p.memo, p.splitter).bottom());
    // At the default size the page needs no scrolling of its own.
    QCOMPARE(p.page->verticalScrollBar()->maximum(), 0);
    QCOMPARE(p.page->horizontalScrollBar()->maximum(), 0);
    CheckNothingOverlaps(p, QStringLiteral("743x500"));
  }

  void nothingOverlapsAtAnySizeAndTheReportStaysTheSame() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Run(form, QSize(1600, 1000));
    const Page p = Find(form);
    QVERIFY(p.page != nullptr);
    const QString report = p.memo->toPlainText();
    QCOMPARE(report.count(QLatin1Char('\n')) + 1, 37);
    QVERIFY(p.verdict->text().contains(U("固有名詞")));
    // Down to the smallest window and up again, through the width where
    // the orientation turns.
    for (const QSize size : {QSize(1600, 1000), QSize(1000, 600), QSize(900, 700), QSize(743, 500), QSize(600, 400),
                             form.minimumSize(), QSize(743, 300), QSize(1200, 800)}) {
      form.resize(size);
      QTRY_COMPARE(form.size(), size);
      QCoreApplication::processEvents();
      CheckNothingOverlaps(p, QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
      QCOMPARE(p.memo->toPlainText(), report);
    }
  }

  // Each stage's name stands beside its own figure, 基本 first from the top.
  void eachBarStandsBesideItsStagesName() {
    ProgramFolder folder;
    TForm1 form(folder.Options());
    Run(form, QSize(1000, 600));
    const Page p = Find(form);
    const CoverageFigures& figures = p.chart->Figures();
    auto* chartView = qobject_cast<QChartView*>(p.view);
    QVERIFY(chartView != nullptr);
    QHorizontalBarSeries* series = nullptr;
    for (QAbstractSeries* s : chartView->chart()->series()) {
      if (auto* bars = qobject_cast<QHorizontalBarSeries*>(s)) series = bars;
    }
    QVERIFY(series != nullptr && series->count() == 1);
    QBarSet* set = series->barSets().front();
    QBarCategoryAxis* names = nullptr;
    for (QAbstractAxis* axis : series->attachedAxes()) {
      if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis)) names = categories;
    }
    QVERIFY(names != nullptr);
    const QStringList stageNames = {U("基本"), U("中学"), U("大学受験"), U("一般")};
    QCOMPARE(names->count(), 4);
    // A bar axis counts upwards: the last category stands on top.
    QCOMPARE(names->at(names->count() - 1), stageNames.front());
    for (int bar = 0; bar < names->count(); ++bar) {
      const int stage = static_cast<int>(stageNames.indexOf(names->at(bar)));
      QVERIFY2(stage >= 0, qPrintable(names->at(bar)));
      QCOMPARE(set->at(bar), figures.PerMille(static_cast<CoverageStage>(stage)) / 10.0);
    }
    // The figures differ from stage to stage, so a bar beside the wrong
    // name shows.
    QVERIFY(figures.PerMille(CoverageStage::Basic) != figures.PerMille(CoverageStage::Junior));
  }
};

QTEST_MAIN(DetailsPageTest)
#include "details_page_test.moc"
