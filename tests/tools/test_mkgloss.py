"""The gloss generator (tools/mkdict/mkgloss.py) on small made-up sources:
how it reads EDICT, libkkc's vocabulary and WordNet's derivations, and what
its ranking makes of them. Run with tools/mkdict on the module path."""

import contextlib
import io
import os
import struct
import tempfile
import unittest

import edict
import gloss_signals
import measure_gloss
import mkgloss

# EDICT lines as the dictionary writes them, after its header line.
EDICT_LINES = [
    "？？？？ /EDICT, EDRDG/",
    "箱 [はこ] /(n) (1) box/case/chest/(n) (2) car (of a train, etc.)/(n) (3) shamisen case/(P)/",
    "車 [くるま] /(n) (1) car/automobile/vehicle/(n) (2) wheel/(P)/",
    "赤い [あかい] /(adj-i) (1) red/crimson/(adj-i) (2) Red/communist/(P)/",
    "紅い [あかい] /(adj-i) (1) red/crimson/(adj-i) (2) Red/communist/(P)/",
    "書く [かく] /(v5k,vt) (1) to write/to compose/(v5k,vt) (2) to draw/(P)/",
    "著す [あらわす] /(v5s,vt) to write/to publish/(P)/",
    "図書館 [としょかん] /(n) library/(P)/",
    "文庫 [ぶんこ] /(n) (1) library/book collection/(n) (2) (abbr) paperback book/(P)/",
    "説明 [せつめい] /(n,vs) explanation/exposition/(P)/",
    "釈明書 [しゃくめいしょ] /(n) explanation/written apology/",
    "箸 [はし] /(n) chopsticks/(P)/",
    "蠢く [うごめく] /(v5k,vi) (arch) to squirm/",
    "容易 [ようい] /(adj-na,n) easy/simple/plain/(P)/",
    "イージー /(adj-na) easy/(P)/",
    "同様 [どうよう] /(adj-na,n) identical/equal to/same (kind)/like/similar/(P)/",
    "月 [つき] /(n) (1) month/(n) (2) moon/(n) (3) Monday/",
    "ルナー /(adj-f) lunar/(P)/",
    "となる /(exp,v5r) to become/to amount to/(P)/",
    "成る [なる] /(v5r,vi) (1) (uk) to become/to get/to grow/(P)/",
]

# The language model's vocabulary: «reading/spelling» and its unigram cost.
VOCABULARY = {
    "くるま/車": 34000, "はこ/箱": 38000, "あか/赤": 33000, "あか/紅": 44000,
    "か/書": 33600, "あらわ/著": 42100, "としょ/図書": 36000, "かん/館": 35000,
    "ぶんこ/文庫": 39000, "せつめい/説明": 33000, "はし/箸": 40000,
    "ようい/容易": 37000, "いーじー/イージー": 41000, "どうよう/同様": 36000, "つき/月": 34000,
    "るなー/ルナー": 33000, "とな/とな": 30000, "な/成": 36000,
}


def write_edict(folder):
    path = os.path.join(folder, "edict")
    with open(path, "wb") as f:
        f.write("\n".join(EDICT_LINES).encode("euc_jp") + b"\n")
    return path


def write_vocabulary(folder, costs):
    """The «id TAB token» lines and the 6-byte unigram records of COSTS."""
    ids = os.path.join(folder, "vocabulary.tsv")
    unigram = os.path.join(folder, "data.1gram")
    with open(ids, "w", encoding="utf-8") as f, open(unigram, "wb") as g:
        for number, (token, cost) in enumerate(costs.items()):
            f.write("%d\t%s\n" % (number, token))
            g.write(struct.pack("<HHH", cost, 1000, 0))
    return ids, unigram


class GlossRankingTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.index = cls.make_index(cls.folder.name)

    @staticmethod
    def make_index(folder):
        """The index of the made-up sources, written into FOLDER."""
        ids, unigram = write_vocabulary(folder, VOCABULARY)
        return mkgloss.GlossIndex(
            edict.read_edict(write_edict(folder)),
            common_kanji=set("箱車赤紅書著図館文庫説明釈容易同様月"),
            pos_counts={"explain": {"verb": 50}, "likely": {"adj": 60, "adv": 9}},
            verb_nouns={"explain": ["explanation"]},
            corpus=gloss_signals.read_kkc_commonness(ids, unigram),
            lemma_kinds={"easily": {"adv"}, "likely": {"adj", "adv"}, "lunar": {"adj"}},
            adjective_nouns={"lunar": ["moon"]},
            adverb_adjectives={"easily": ["easy"]})

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def first(self, word):
        chosen = mkgloss.choose(self.index.candidates(word))
        return chosen[0].text if chosen else None

    def test_the_sense_an_entry_leads_with_beats_a_later_one(self):
        # 箱 is commonly a box; car is only its second sense.
        self.assertEqual(self.first("car"), "車")

    def test_the_common_word_beats_the_bookish_one(self):
        # Both lead with «to write»; 書く is far commoner in running text,
        # found by its stem か/書.
        self.assertEqual(self.first("write"), "書く")
        self.assertGreater(self.index.corpus_commonness(self.index.candidates("write")[0].entry),
                           2.0)

    def test_a_verb_in_kana_alone_is_not_looked_up_by_a_cut_short_stem(self):
        # となる cut short is the token とな, nothing to do with the verb;
        # 成る has a stem of its own (な/成).
        entries = {c.text: c.entry for c in self.index.candidates("become")}
        self.assertIsNone(self.index.corpus_commonness(entries["となる"]))
        self.assertIsNotNone(self.index.corpus_commonness(entries["なる"]))
        self.assertEqual(self.first("become"), "なる")

    def test_a_word_the_model_splits_counts_as_its_rarest_part(self):
        commonness = self.index.token_commonness("としょかん", "図書館")
        self.assertAlmostEqual(commonness, (gloss_signals.KKC_RAREST - 36000) / 5000.0
                               - mkgloss.COMPOUND)
        self.assertIsNone(self.index.token_commonness("としょかん", "図書室"))
        self.assertEqual(self.first("library"), "図書館")

    def test_spellings_of_one_word_show_as_the_commonest(self):
        cands = self.index.candidates("red")
        self.assertEqual([c.text for c in cands].count("赤い"), 1)
        self.assertNotIn("紅い", [c.text for c in cands])

    def test_a_verb_takes_the_suru_noun_of_its_derived_noun(self):
        texts = [c.text for c in self.index.candidates("explain")]
        self.assertEqual(texts[0], "説明する")
        # A noun without a する sense is no verb's translation.
        self.assertNotIn("釈明書する", texts)
        self.assertNotIn("釈明書", texts)

    def test_a_noun_glossed_only_in_the_plural_borrows_it(self):
        # 箸 is not among the common kanji given here, so it shows in kana.
        self.assertEqual(self.first("chopstick"), "はし")
        self.assertIn("boxes", mkgloss.plurals("box"))
        self.assertIn("cities", mkgloss.plurals("city"))
        self.assertNotIn("daies", mkgloss.plurals("day"))
        self.assertEqual(mkgloss.plurals("glass"), [])

    def test_an_adverb_takes_its_adjective_made_an_adverb(self):
        texts = [c.text for c in self.index.candidates("easily")]
        self.assertEqual(texts[0], "容易に")
        # A loanword made an adverb is not Japanese.
        self.assertNotIn("イージーに", texts)

    def test_a_word_mostly_an_adjective_in_ly_is_no_adverb(self):
        # likely is not like + ly: WordNet knows it as an adjective.
        self.assertNotIn("同様に", [c.text for c in self.index.candidates("likely")])
        # Were it tagged mostly as an adverb, it would be one.
        adverb = mkgloss.GlossIndex(self.index.entries, self.index.common_kanji,
                                    pos_counts={"likely": {"adj": 1, "adv": 9}},
                                    lemma_kinds={"likely": {"adj", "adv"}})
        self.assertIn("同様に", [c.text for c in adverb.candidates("likely")])
        # Without WordNet's word classes the spelling alone is followed.
        bare = mkgloss.GlossIndex(self.index.entries, self.index.common_kanji)
        self.assertIn("同様に", [c.text for c in bare.candidates("likely")])

    def test_an_adjective_of_relation_is_its_noun_with_no(self):
        # Only a loanword glosses lunar itself; the moon's 月 comes first.
        self.assertEqual(self.first("lunar"), "月の")
        self.assertIn("ルナー", [c.text for c in self.index.candidates("lunar")])

    def test_an_obscure_sense_alone_gets_no_gloss(self):
        self.assertTrue(self.index.candidates("squirm"))
        self.assertIsNone(self.first("squirm"))
        self.assertIsNone(self.first("nothing-glosses-this"))


class ChooseTest(unittest.TestCase):
    @staticmethod
    def candidate(text, score):
        return mkgloss.Candidate(text, score, None, "", None)

    def test_keeps_close_glosses_and_one_of_a_noun_and_its_suru_form(self):
        chosen = mkgloss.choose([self.candidate("改修", 6.0), self.candidate("改修する", 5.9),
                                 self.candidate("点検", 5.0), self.candidate("整備", 1.0)])
        self.assertEqual([c.text for c in chosen], ["改修", "点検"])

    def test_the_shortest_of_equally_good_glosses_leads(self):
        chosen = mkgloss.choose([self.candidate("ありがとう", 5.0), self.candidate("謝意", 5.0)])
        self.assertEqual([c.text for c in chosen], ["謝意", "ありがとう"])

    def test_nothing_above_the_floor_gives_nothing(self):
        self.assertEqual(mkgloss.choose([self.candidate("何か", mkgloss.FLOOR - 0.1)]), [])


class SourceReadingTest(unittest.TestCase):
    def test_commonness_is_distance_below_a_word_seen_once(self):
        with tempfile.TemporaryDirectory() as folder:
            ids, unigram = write_vocabulary(folder, {
                "の/の": gloss_signals.KKC_RAREST - 35000,
                "まれ/稀": gloss_signals.KKC_RAREST,
                "もっと/もっと": gloss_signals.KKC_RAREST + 2000})
            with open(ids, "a", encoding="utf-8") as f:
                f.write("99\tない/無い\n")  # past the end of the unigram file
            commonness = gloss_signals.read_kkc_commonness(ids, unigram)
        self.assertEqual(commonness, {"の/の": 7.0, "まれ/稀": 0.0, "もっと/もっと": 0.0})

    def test_derivations_follow_the_pointers_between_word_numbers(self):
        verbs = ("00000010 32 v 02 explain 0 excuse 0 002 + 00000020 n 0101 "
                 "+ 00000030 n 0201 | make plain\n")
        nouns = ("00000020 09 n 01 explanation 0 001 + 00000010 v 0101 | a statement\n"
                 "00000030 09 n 02 account 0 excuse 0 001 + 00000010 v 0102 | a reason\n")
        with tempfile.TemporaryDirectory() as folder:
            for name, text in (("data.verb", "  licence header\n" + verbs),
                               ("data.noun", nouns), ("data.adj", "")):
                with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
                    f.write(text)
            found = gloss_signals.read_derivations(folder, "verb", "noun")
        # Word 2 of the verb synset (excuse) points at word 1 of the noun
        # synset (account), not at the synset's other words.
        self.assertEqual(found, {"explain": ["explanation"], "excuse": ["account"]})

    def test_pertainyms_link_an_adverb_to_its_adjective(self):
        adverbs = ("00000040 02 r 01 easily 0 001 \\ 00000050 a 0101 | with ease\n"
                   "00000041 02 r 01 likely 0 000 | probably\n")
        adjectives = "00000050 00 a 01 easy 0 001 \\ 00000060 n 0101 | not hard\n"
        with tempfile.TemporaryDirectory() as folder:
            for name, text in (("data.adv", adverbs), ("data.adj", adjectives)):
                with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
                    f.write(text)
            found = gloss_signals.read_derivations(folder, "adv", "adj", "\\")
            # The adjective's own pointer goes to a noun: no adjective.
            self.assertEqual(gloss_signals.read_derivations(folder, "adj", "adv", "\\"), {})
        self.assertEqual(found, {"easily": ["easy"]})

    def test_lemma_kinds_gather_every_index(self):
        with tempfile.TemporaryDirectory() as folder:
            for pos, text in (("noun", "  licence header\nwell n 1 0 1 0 00000001  \n"),
                              ("verb", "well v 1 0 1 0 00000002  \n"), ("adj", ""),
                              ("adv", "well r 1 0 1 0 00000003  \nice_cold r 1 0 1 0 4  \n")):
                with open(os.path.join(folder, "index." + pos), "w", encoding="utf-8") as f:
                    f.write(text)
            kinds = gloss_signals.read_lemma_kinds(folder)
        self.assertEqual(kinds, {"well": {"noun", "verb", "adv"}, "ice cold": {"adv"}})


class ChangeReviewTest(unittest.TestCase):
    def test_lists_changed_first_glosses_of_the_first_levels_only(self):
        old = {"fall": ["陥る", "落ちる"], "shop": ["店"], "cat": ["猫"], "zenith": ["天頂点"],
               "gone": ["去った"]}
        new = {"fall": ["落ちる", "陥る"], "shop": ["店", "店舗"], "cat": ["ねこ"],
               "zenith": ["天頂"], "slowly": ["遅く"]}
        levels = {"fall": 1, "shop": 2, "cat": 1, "zenith": 4, "slowly": 3, "gone": 2}
        out = io.StringIO()
        with contextlib.redirect_stdout(out):
            measure_gloss.print_changes(old, new, levels, left_out={"cat"})
        lines = out.getvalue().splitlines()
        # A second gloss added (shop), a test-list word (cat) and a word of
        # the fourth level (zenith) are not shown; a gloss gained or lost is.
        self.assertEqual(lines, ["  first gloss changed (levels 1-3, test list left out): 3",
                                 "    fall | 陥る; 落ちる -> 落ちる; 陥る",
                                 "    gone | 去った -> -",
                                 "    slowly | - -> 遅く"])


if __name__ == "__main__":
    unittest.main()
