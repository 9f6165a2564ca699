#pragma once

class QApplication;

namespace lexiscoop {

// Makes Qt's own texts Japanese (the standard buttons はい/いいえ/キャンセル,
// the file dialogs) with Qt's translations from QLibraryInfo's translations
// folder, and draws every window, dialogs included, in the program's window
// font, which holds the Latin and the Japanese glyphs alike. Returns false
// when Qt's Japanese translation is not installed; those texts then stay
// in English and nothing else changes.
bool InstallJapaneseInterface(QApplication& app);

}  // namespace lexiscoop
