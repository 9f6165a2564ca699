#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include "dictionary/CompressStringList.h"
#include "platform/Cp932.h"

namespace lexiscoop::testing {
namespace {

void Save(const QString& path, std::initializer_list<const char*> lines) {
  TCompressStringList list;
  for (const char* line : lines) list.Add(line);
  list.SaveToFile(QFile::encodeName(path).toStdString());
}

}  // namespace

ProgramFolder::ProgramFolder(bool withDictionary) {
  if (!withDictionary) return;
  Save(FilePath(QStringLiteral("LxScoop.dat")),
       {"be\t2am,2is,2are,2was,2were,en,ing", "begin\ts,ning,2an,2un", "cat\ts", "dog\ts",
        "go\tes,ing,ne,2went", "like\ts,d,1ing", "letter\ts", "run\ts,ning,2an", "write\ts,1ing,3ote,1ten",
        "wife\t2ves", "have\ts,2d,1ing", "do\tes,ne,2id,ing", "would\t", "you\t", "that\t", "the\t",
        "after\t", "here\t", "it\t", "I\t", "a\t", "to\t", "his\t", "in\t", "get\ts,ting,2ot,2otten",
        "left\t", "leave\ts,1ing,3ft", "Japan\t"});
  Save(FilePath(QStringLiteral("LXBasics.dat")),
       {"be", "cat", "dog", "go", "I", "a", "the", "to", "you", "it", "in", "his", "have", "do"});
  Save(FilePath(QStringLiteral("LXJunior.dat")),
       {"begin", "like", "letter", "run", "write", "here", "after", "that", "would", "get"});
  Save(FilePath(QStringLiteral("LXToUnuvercity.dat")), {"wife", "leave"});
}

TForm1Options ProgramFolder::Options() {
  TForm1Options options;
  options.programFolder = QFile::encodeName(Path()).toStdString();
  options.settingsPath = SettingsPath();
  options.dialogs = &dialogs;
  return options;
}

QString ProgramFolder::WriteFile(const QString& name, const std::string& bytes) const {
  const QString path = FilePath(name);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  return path;
}

std::string ProgramFolder::ReadSettings() const {
  QFile file(QString::fromStdString(SettingsPath()));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

std::string Sjis(const char* utf8) { return Cp932FromUtf8(utf8); }

}  // namespace lexiscoop::testing
