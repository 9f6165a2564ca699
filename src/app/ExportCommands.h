#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace lexiscoop {

class ConjugationDictionary;
class ExportPlace;
class RunController;
class ShownWordList;
class TDialogs;
class TextInputController;
class TfrmProfile;
namespace tagging {
class TaggerModel;
}

// The commands that take results out of the main window: the word-list
// exports, which start where the last file was saved and propose a name made
// from the text's, and the compare-texts window.
class ExportCommands : public QObject {
  Q_OBJECT

 public:
  // What the commands read and keep; all must outlive this object, which
  // `window` owns.
  struct Parts {
    QWidget& window;
    TDialogs& dialogs;
    const RunController& run;
    const TextInputController& input;
    ExportPlace& place;
  };

  explicit ExportCommands(Parts parts);

  // Whether the run's results may be exported now (shown, and no run or
  // rebuild writing them).
  bool CanExport() const;
  // Asks where and exports `rows` of the run's result; the name proposed is
  // the text's base name followed by `nameSuffix`, or `fallback` for a text
  // without a file. Nothing unless CanExport().
  void ExportRows(const ShownWordList& rows, const QString& nameSuffix, const QString& fallback);
  // Shows the compare-texts window over `dictionary`, made on first use;
  // its runs read words in context with the model `contextModel` gives.
  void ShowCompareWindow(const ConjugationDictionary& dictionary,
                         std::function<std::shared_ptr<const tagging::TaggerModel>()> contextModel);

 private:
  Parts parts_;
  TfrmProfile* compareWindow_ = nullptr;
};

}  // namespace lexiscoop
