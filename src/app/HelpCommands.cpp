#include "app/HelpCommands.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QWidget>

#include "analysis/NumberFormat.h"
#include "app/AppTexts.h"
#include "app/BuildInfo.h"
#include "app/HelpWindow.h"
#include "dictionary/ConjugationDictionary.h"
#include "dictionary/Lexicon.h"
#include "ui/Dialogs.h"

namespace lexiscoop {
namespace {

QString Thousands(int value) { return QString::fromStdString(FormatThousands(value)); }

}  // namespace

HelpCommands::HelpCommands(std::string programFolder, QWidget& window, TDialogs& dialogs,
                           const ConjugationDictionary& dictionary)
    : QObject(&window),
      programFolder_(std::move(programFolder)),
      window_(window),
      dialogs_(dialogs),
      dictionary_(dictionary) {}

void HelpCommands::ShowInformation() {
  const QString crlf = QStringLiteral("\r\n");
  const QString cr = QStringLiteral("\r");
  const QString program = QCoreApplication::applicationFilePath();
  const QFileInfo programFile(program);
  QString text;
  text += crlf + crlf + Qs("活用辞典に登録されている語数") + crlf + crlf;
  // 活用 counts every indexed spelling: the headwords' own and their inflected ones.
  const std::shared_ptr<const Lexicon> lexicon = dictionary_.CurrentLexicon();
  text += Qs("単語: ") + QStringLiteral("%1").arg(Thousands(lexicon->HeadwordCount()), 10) + crlf + crlf;
  text += Qs("活用: ") + QStringLiteral("%1").arg(Thousands(lexicon->HeadwordCount() + lexicon->FormCount()), 10);
  text += cr + cr + cr + Qs("----- バージョン情報 -----") + cr + cr + cr;
  text += Qs("名前： ") + Qs(build::kProductName) + cr + cr;
  text += Qs("会社名： ") + Qs(build::kCompanyName) + cr + cr;
  text += Qs("バージョン： ") + Qs(build::kVersion) + cr + cr;
  text += Qs("作成日： ") + programFile.lastModified().toString(QStringLiteral("yyyy/MM/dd hh:mm")) + cr + cr;
  text += Qs("実行ファイル： ") + QDir::toNativeSeparators(program) + cr + cr;
  // The glosses come from EDICT and FreeDict, whose licences ask for this acknowledgement.
  text += Qs(texts::kGlossAttribution) + cr + cr;
  dialogs_.Inform(&window_, text);
}

void HelpCommands::OpenHelp() {
  OpenDocument(QString::fromStdString(programFolder_) + QLatin1Char('/') + Qs(texts::kHelpIndex), QString());
}

void HelpCommands::OpenDocument(const QString& path, const QString& suffix) {
  if (!QFileInfo(path).isFile()) {
    dialogs_.Inform(&window_, Qs(texts::kNoFile) + QStringLiteral("\r\n\r\n") + path);
    return;
  }
  QUrl url = QUrl::fromLocalFile(path);
  // A suffix such as "#section" names a place in the document.
  if (suffix.startsWith(QLatin1Char('#'))) url.setFragment(suffix.mid(1));
  else if (!suffix.isEmpty()) url = QUrl::fromLocalFile(path + suffix);
  if (dialogs_.OpenUrl(url)) return;
  // No program is registered for the page: the program shows it itself.
  if (helpWindow_ == nullptr) helpWindow_ = new HelpWindow(&window_);
  helpWindow_->ShowPage(url);
}

}  // namespace lexiscoop
