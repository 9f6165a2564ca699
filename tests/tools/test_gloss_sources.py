"""The hand-checked gloss table, the offensive list and FreeDict's articles
(tools/mkdict): what each reads, refuses and matches, and how the second
source moves the ranking. Run with tools/mkdict on the module path."""

import os
import tempfile
import unittest

import freedict
import gloss_groups
import hand_glosses
import offensive
import test_mkgloss


class HandTableTest(unittest.TestCase):
    def test_reads_good_lines_and_names_every_bad_one(self):
        lines = [
            "# comment",
            "close\tchecked\t動 閉じる; 閉める / 形 近い",
            "a\tchecked\t-",
            "light\ttodo\t名 光; 明かり / 形 明るい; 軽い / 動 火をつける",
            "bad1\tchecked",                          # two fields
            "bad2\tdone\t名 本",                      # unknown state
            "bad3\tchecked\t本",                      # no label
            "bad4\tchecked\t名詞 本",                 # not a label
            "bad5\tchecked\t名 本; 書物; 書籍; 図書",  # four glosses
            "bad6\tchecked\t名 本 / 名 書物",          # label twice
            "bad7\tchecked\t名 本;  書物",             # padded gloss
            "bad8\tchecked\t名 本; 本",               # repeated gloss
            "fine\tchecked\t名 \u2460",               # CP932 has ①
            "bad10\tchecked\t名 \u00e9t\u00e9",       # CP932 lacks é
            "close\tchecked\t動 閉める",               # headword twice
        ]
        with tempfile.TemporaryDirectory() as folder:
            os.mkdir(os.path.join(folder, "hand"))
            with open(os.path.join(folder, "hand", "x.txt"), "w", encoding="utf-8") as f:
                f.write("\n".join(lines) + "\n")
            entries, errors = hand_glosses.read_hand_files(os.path.join(folder, "hand"))
        self.assertEqual(entries["close"].groups, [("動", ["閉じる", "閉める"]), ("形", ["近い"])])
        self.assertEqual(entries["a"].groups, [])
        self.assertEqual(entries["light"].state, "todo")
        self.assertIn("fine", entries)
        bad = sorted(e.split(": ")[0].split(":")[-1] for e in errors)
        self.assertEqual(bad, ["10", "11", "12", "14", "15", "5", "6", "7", "8", "9"])
        self.assertEqual(hand_glosses.format_groups(entries["light"].groups),
                         "名 光; 明かり / 形 明るい; 軽い / 動 火をつける")

    def test_entries_of_no_headword_and_offensive_glosses_are_faults(self):
        entries = {"close": hand_glosses.HandEntry("close", "checked", [("動", ["閉める"])], "f", "f:1"),
                   "clsoe": hand_glosses.HandEntry("clsoe", "checked", [("名", ["乞食坊主"])], "f", "f:2")}
        with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".txt", delete=False) as f:
            f.write("乞食\n")
        try:
            errors = hand_glosses.check_against(entries, {"close"}, offensive.OffensiveList(f.name))
        finally:
            os.unlink(f.name)
        self.assertEqual(len(errors), 2)
        self.assertTrue(all(e.startswith("f:2") for e in errors))


class OffensiveListTest(unittest.TestCase):
    def test_whole_terms_match_alone_and_others_inside_a_gloss(self):
        path = os.path.join(os.path.dirname(os.path.abspath(offensive.__file__)), "offensive_ja.txt")
        terms = offensive.OffensiveList(path)
        for gloss, bad in [("朝鮮", True), ("北朝鮮", False), ("朝鮮半島", False),
                           ("盲", True), ("盲腸", False), ("盲点", False), ("気違い沙汰", True),
                           ("乞食", True), ("物乞い", False), ("ソープ", True), ("石鹸", False),
                           ("シナ", True), ("シナモン", False), ("土人", True), ("部落", True),
                           ("集落", False), ("淫売屋", True), ("ブルーボーイ", True),
                           ("ボロクソ", True), ("片輪", True), ("体の不自由な", False),
                           ("教える", False), ("中国", False), ("韓国", False)]:
            self.assertEqual(terms.matches(gloss) is not None, bad, gloss)


class FreeDictTest(unittest.TestCase):
    def test_an_article_gives_its_senses_translations_and_label(self):
        article = ("light //laɪt// <adj>\n1. 明るい, 光\nhaving light\n2. 軽い 2.\n"
                   "of low weight\n 3.\nlow in fat\n")
        self.assertEqual(freedict.parse_article(article),
                         ("light", "形", [["明るい", "光"], ["軽い"]]))
        self.assertEqual(freedict.parse_article("hi //haɪ// <interjection>\nこんにちは, やあ\n"),
                         ("hi", "間", [["こんにちは", "やあ"]]))
        self.assertEqual(freedict.decode_number("B"), 1)
        self.assertEqual(freedict.decode_number("BA"), 64)

    def test_agreement_raises_a_candidate_and_a_known_word_joins(self):
        with tempfile.TemporaryDirectory() as folder:
            index = test_mkgloss.GlossRankingTest.make_index(folder)
        nothing = offensive.OffensiveList(os.devnull)
        alone = [c.text for c in gloss_groups.ranked(index, None, "library", nothing)]
        self.assertEqual(alone[0], "図書館")
        second = gloss_groups.SecondSource(
            {"library": [freedict.Sense("名", ["文庫"])],
             "box": [freedict.Sense("名", ["車", "忽略"])]}, index.entries)
        self.assertEqual(gloss_groups.ranked(index, second, "library", nothing)[0].text, "文庫")
        # 車 is an EDICT word and joins box's candidates; 忽略 is not.
        texts = [c.text for c in gloss_groups.ranked(index, second, "box", nothing)]
        self.assertIn("車", texts)
        self.assertNotIn("忽略", texts)
        self.assertEqual(gloss_groups.grouped(index, second, "library", nothing)[0][0], "名")


if __name__ == "__main__":
    unittest.main()
