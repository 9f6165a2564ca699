"""English spelling rules for regular inflections.

Each function returns every spelling the rules allow for one form, the one
the rules prefer first (for example "traveling", then "travelling"); the
generator keeps only the ones that a reference word list attests.
"""

VOWELS = set("aeiou")


def syllables(word):
    """Rough count of vowel groups, a final silent e not counted."""
    w = word.lower()
    if w.endswith("e") and not w.endswith(("ee", "ie", "ye", "oe")) and len(w) > 2:
        w = w[:-1]
    groups = 0
    prev = False
    for i, c in enumerate(w):
        vowel = c in VOWELS or (c == "y" and i > 0 and w[i - 1] not in VOWELS)
        if vowel and not prev:
            groups += 1
        prev = vowel
    return max(groups, 1)


def ends_cvc(word):
    """Single vowel letter followed by a single consonant (not w, x, y)."""
    w = word.lower()
    if len(w) < 2 or w[-1] in VOWELS or w[-1] in "wxy":
        return False
    if w[-2] not in VOWELS:
        return False
    if len(w) >= 3 and w[-3] in VOWELS:
        # "rain", "cook": two vowel letters; but "quit", "equip": u after q.
        return w[-3] == "u" and len(w) >= 4 and w[-4] == "q"
    return True


def _doubling(word):
    """Whether to double the final consonant: always for a one-syllable CVC
    word, maybe (both spellings offered) for a longer one."""
    if not ends_cvc(word):
        return "no"
    return "yes" if syllables(word) == 1 else "maybe"


def _with_suffix(word, suffix):
    """Suffix beginning with a vowel (-ing, -ed, -er, -est) under the
    doubling rule. Returns the candidate spellings."""
    d = _doubling(word)
    plain = word + suffix
    doubled = word + word[-1] + suffix
    if d == "yes":
        return [doubled]
    if d == "maybe":
        return [plain, doubled]
    return [plain]


def plural(word):
    """Plural and 3rd person singular, -s/-es/-ies."""
    w = word.lower()
    if w.endswith("man") and len(w) > 3:
        return [word[:-3] + "men", word + "s"]
    if w.endswith("ch"):
        return [word + "es", word + "s"]   # "churches"; "epochs", "stomachs"
    if w.endswith(("s", "x", "z", "sh")):
        return [word + "es"] + ([word + word[-1] + "es"] if w.endswith(("s", "z")) and ends_cvc(w) else [])
    if w.endswith("y") and len(w) > 1 and w[-2] not in VOWELS:
        return [word[:-1] + "ies"]
    if w.endswith("o") and len(w) > 1 and w[-2] not in VOWELS:
        return [word + "es", word + "s"]
    return [word + "s"]


def present_participle(word):
    w = word.lower()
    if w.endswith("ie"):
        return [word[:-2] + "ying"]
    if w.endswith(("ee", "ye", "oe")) or w == "be":
        return [word + "ing"]
    if w.endswith("e") and len(w) > 2:
        return [word[:-1] + "ing", word + "ing"]
    if w.endswith("c"):
        return [word + "king", word + "ing"]
    return _with_suffix(word, "ing")


def past(word):
    w = word.lower()
    if w.endswith("e"):
        return [word + "d"]
    if w.endswith("y") and len(w) > 1 and w[-2] not in VOWELS:
        return [word[:-1] + "ied"]
    if w.endswith("c"):
        return [word + "ked", word + "ed"]
    return _with_suffix(word, "ed")


def comparative(word):
    return _grade(word, "er")


def superlative(word):
    return _grade(word, "est")


def _grade(word, suffix):
    w = word.lower()
    if w.endswith("e"):
        return [word + suffix[1:]]
    if w.endswith("y") and len(w) > 1 and w[-2] not in VOWELS:
        return [word[:-1] + "i" + suffix]
    return _with_suffix(word, suffix)


def archaic(word):
    """Older English 3rd and 2nd person singular: "cometh", "knowest"."""
    w = word.lower()
    stem = word[:-1] if w.endswith("e") else word
    if w.endswith("y") and len(w) > 1 and w[-2] not in VOWELS:
        stem = word[:-1] + "i"
    return [stem + "eth", stem + "est"]
