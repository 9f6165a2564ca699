#pragma once

// The main window's own texts, written once here in UTF-8. Qt widgets take
// them through Qs(); texts that reach the core go through Cp932FromUtf8.
// The texts both windows show are in ui/UiTexts.h.

#include "ui/UiTexts.h"

namespace lexiscoop::texts {

inline constexpr char kOmittedLine[] = "----- 以下の表示は省略 -----";
inline constexpr char kDropOneFile[] = "ファイルを１つだけ D&D してください";
inline constexpr char kNoFile[] = "ファイルがありません";
// Shown while another program holds the lock on the user's dictionary files.
inline constexpr char kDictionaryBusy[] = "辞書を更新中です…";
// A change of the user's files that another program left unfinished and
// this one may not finish; %1 says why.
inline constexpr char kInterruptedChangeFormat[] = "中断された辞書の変更を完了できません。ファイルは今のまま読み込みました。\r\n%1";
inline constexpr char kLoadingFormat[] = "%1 を読み込んでいます… %2%  (中止で取りやめ)";
inline constexpr char kRecentFileGoneFormat[] =
    "ファイル %1 が見つかりません。\r\n最近使ったファイルの一覧から外しました。";
inline constexpr char kNoDictionaryFormat[] = "活用辞典 < %1 > がありません";
inline constexpr char kNeedDictionaryFormat[] = "%1 を利用するには %2 がフォルダ %3 に必要です";
inline constexpr char kSelectionFormat[] = "%1 個選択";
inline constexpr char kHelpIndex[] = "help/lxindex.html";
inline constexpr char kHelpEditor[] = "help/lxedit.html";
inline constexpr char kSettingsFileName[] = "lexiscoop.ini";
inline constexpr char kSettingsSection[] = "system";
// The acknowledgement the gloss data's licences ask for (information box).
inline constexpr char kGlossAttribution[] =
    "訳語 (LxGloss.dat) は EDICT (Electronic Dictionary Research and Development Group, "
    "https://www.edrdg.org/) と FreeDict の英日辞書 (FreeDict contributors, "
    "Wiktionary より WikDict が作成, https://freedict.org/) をもとに作成し、"
    "CC BY-SA 3.0 で提供しています (licenses/EDICT.txt, licenses/FreeDict-eng-jpn.txt)";

// The lines of the sample text shown at start-up, joined with CR LF.
inline constexpr const char* kSampleLines[] = {
    "以下は、単語抽出の例文集です。",
    "メニューパネルにあるモード切り替えながら",
    "「抽出」ボタンをクリックしてみましょう。",
    "",
    "1) The dog is running after foure cats.",
    "2) Thomas wrote a letter to his wife in Japan.",
    "3) I'm here!",
    "4) I've got it.",
    "5) You'd like that, wouldn't you?",
    "",
    "cat cats, cats, caat",
    "wrote, write",
    "begins, beginning, began, begun, begins",
    "",
};

}  // namespace lexiscoop::texts
