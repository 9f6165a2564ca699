"""Glosses of number words made by rule: twenty-one → 二十一,
twenty-first → 第二十一, five-day → 5日間の, ten-year-old → 10歳の."""

ONES = ["one", "two", "three", "four", "five", "six", "seven", "eight", "nine"]
TEENS = ["ten", "eleven", "twelve", "thirteen", "fourteen", "fifteen", "sixteen",
         "seventeen", "eighteen", "nineteen"]
TENS = ["twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety"]
ORDINAL_ONES = ["first", "second", "third", "fourth", "fifth", "sixth", "seventh", "eighth",
                "ninth"]
ORDINAL_TEENS = ["tenth", "eleventh", "twelfth", "thirteenth", "fourteenth", "fifteenth",
                 "sixteenth", "seventeenth", "eighteenth", "nineteenth"]
ORDINAL_TENS = ["twentieth", "thirtieth", "fortieth", "fiftieth", "sixtieth", "seventieth",
                "eightieth", "ninetieth"]
KANJI_DIGITS = "一二三四五六七八九"
# Number-unit words: the gloss of «five-day» and so on; N is the number.
UNITS = {"day": "N日間の", "hour": "N時間の", "minute": "N分間の", "month": "Nか月の",
         "second": "N秒の", "week": "N週間の", "year": "N年間の",
         "day-old": "生後N日の", "week-old": "生後N週の", "month-old": "生後Nか月の",
         "year-old": "N歳の"}


def cardinal(words):
    """The value of number words («twenty», «one»), or None."""
    if len(words) == 1:
        w = words[0]
        for table, base in ((ONES, 1), (TEENS, 10)):
            if w in table:
                return base + table.index(w)
        if w in TENS:
            return 20 + 10 * TENS.index(w)
        return {"hundred": 100, "thousand": 1000}.get(w)
    if len(words) == 2 and words[0] in TENS and words[1] in ONES:
        return 20 + 10 * TENS.index(words[0]) + 1 + ONES.index(words[1])
    return None


def ordinal(words):
    last = words[-1]
    for table, base in ((ORDINAL_ONES, 1), (ORDINAL_TEENS, 10)):
        if last in table:
            value = base + table.index(last)
            break
    else:
        if last in ORDINAL_TENS:
            value = 20 + 10 * ORDINAL_TENS.index(last)
        else:
            return None
    if len(words) == 1:
        return value
    if len(words) == 2 and words[0] in TENS and value < 10:
        return 20 + 10 * TENS.index(words[0]) + value
    return None


def kanji_number(n):
    """1 … 1000 in kanji numerals: 二十一, 百, 千."""
    if n == 1000:
        return "千"
    if n == 100:
        return "百"
    tens, ones = divmod(n, 10)
    text = ""
    if tens:
        text += ("" if tens == 1 else KANJI_DIGITS[tens - 1]) + "十"
    if ones:
        text += KANJI_DIGITS[ones - 1]
    return text


def number_glosses(word):
    """Glosses of number words and number-unit words made by rule: twenty-one
    → 二十一, twenty-first → 第二十一, five-day → 5日間の, ten-year-old → 10歳の."""
    parts = word.split("-")
    out = []
    value = cardinal(parts)
    if value is not None:
        out.append(kanji_number(value))
    value = ordinal(parts)
    if value is not None:
        out.append("第" + kanji_number(value))
    for unit, pattern in UNITS.items():
        unit_parts = unit.split("-")
        if len(parts) > len(unit_parts) and parts[-len(unit_parts):] == unit_parts:
            value = cardinal(parts[:-len(unit_parts)])
            if value is not None:
                out.append(pattern.replace("N", str(value)))
    return out
