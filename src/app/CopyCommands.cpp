#include "app/CopyCommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextEdit>

#include "app/ReadingPane.h"
#include "app/RunController.h"
#include "app/WordListController.h"
#include "platform/Cp932.h"
#include "views/CopyText.h"
#include "views/StatisticsReport.h"

namespace lexiscoop {
namespace {

void PutOnClipboard(const std::string& cp932) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(Utf8FromCp932(cp932)));
}

// Copies the selection of a text widget; false when it has none.
template <class TextWidget>
bool CopySelectedText(TextWidget& widget) {
  if (!widget.textCursor().hasSelection()) return false;
  widget.copy();
  return true;
}

}  // namespace

CopyCommands::CopyCommands(Sources sources, QAction& copyWords, QObject* parent)
    : QObject(parent), sources_(std::move(sources)), copyWords_(copyWords) {
  copyWords_.installEventFilter(this);
}

void CopyCommands::CopyWords() {
  PutOnClipboard(CopySelectedWords(sources_.words.Shown(), sources_.words.SelectedRows(), false));
}

void CopyCommands::CopyWordsWithCounts() {
  PutOnClipboard(CopySelectedWords(sources_.words.Shown(), sources_.words.SelectedRows(), true));
}

void CopyCommands::CopyStatisticsReport() {
  PutOnClipboard(JoinCrLf(BuildStatisticsReport(sources_.caption(), sources_.run.Result(), ReportForm::Clipboard)));
}

void CopyCommands::CopyPercentColumn() {
  std::vector<std::string> lines;
  for (const QString& line : sources_.statistics.toPlainText().split(QLatin1Char('\n'))) {
    lines.push_back(Cp932FromUtf8(line.toStdString()));
  }
  PutOnClipboard(lexiscoop::CopyPercentColumn(lines));
}

bool CopyCommands::CopyFocusedSelection() {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr) return false;
  if (auto* pane = qobject_cast<QPlainTextEdit*>(focus)) return CopySelectedText(*pane);
  if (auto* pane = qobject_cast<QTextEdit*>(focus)) return CopySelectedText(*pane);
  if (auto* box = qobject_cast<QLineEdit*>(focus)) {
    if (!box->hasSelectedText()) return false;
    box->copy();
    return true;
  }
  if (auto* label = qobject_cast<QLabel*>(focus)) {
    if (!label->hasSelectedText()) return false;
    QGuiApplication::clipboard()->setText(label->selectedText());
    return true;
  }
  QTableView& context = sources_.reading.ContextTable();
  if (focus == &context || context.isAncestorOf(focus)) {
    sources_.reading.CopyContext();
    return true;
  }
  return false;
}

bool CopyCommands::eventFilter(QObject* watched, QEvent* event) {
  // Ctrl+C copies what the focused widget has selected; the menu and the
  // button copy the selected words whatever has the focus.
  if (watched == &copyWords_ && event->type() == QEvent::Shortcut && CopyFocusedSelection()) return true;
  return QObject::eventFilter(watched, event);
}

}  // namespace lexiscoop
