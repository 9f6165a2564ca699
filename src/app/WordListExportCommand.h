#pragma once

#include <QString>
#include <string_view>

class QWidget;

namespace lexiscoop {

class ExportPlace;
class ShownWordList;
class TDialogs;
struct AnalysisResult;

// ファイル → エクスポート…: asks for a file and writes the word list's rows as
// shown (with the run's headword and level, count, per cent and first
// sentence) in the
// format of its extension. A failure is shown with the file's name and
// why; nothing is written when the user cancels. `suggestedName` is the
// file name the dialog starts with; `place` refuses the loaded text as
// the output. A table over what the format holds is refused before any
// row is made. Returns the file written, or an empty string.
QString ExportShownWordList(QWidget* parent, TDialogs& dialogs, const ShownWordList& shown,
                            const AnalysisResult& result, std::string_view text, const ExportPlace& place,
                            const QString& suggestedName);

}  // namespace lexiscoop
