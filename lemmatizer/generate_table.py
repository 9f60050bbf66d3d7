#!/usr/bin/env python3
"""Build sys/lemma-en.tsv, the English table read by MyDLL.so.

Sources (Debian packages, needed only to regenerate, never to build):
  wordnet-base  /usr/share/wordnet/index.{noun,verb,adj,adv}   lemmas
                /usr/share/wordnet/{noun,verb,adj,adv}.exc      irregular forms
                /usr/share/wordnet/cntlist.rev                  sense frequencies
  wamerican     /usr/share/dict/american-english                confirms regular forms

Usage: generate_table.py [--wordnet DIR] [--words FILE] [--out FILE] [--report FILE]

The output format and the policy for forms of several lemmas are described in
lemmatizer/README.md.
"""

import argparse
import collections
import os
import re
import sys

POS_FILES = (("v", "verb"), ("a", "adj"), ("n", "noun"), ("r", "adv"))
# A form derived by several lemmas goes to the first part of speech here.
POS_RANK = {"v": 0, "a": 1, "n": 2, "r": 3}
# cntlist.rev sense keys number the parts of speech; 5 is an adjective satellite.
SENSE_POS = {"1": "n", "2": "v", "3": "a", "4": "r", "5": "a"}

WORD = re.compile(r"^[a-z][a-z'-]*$")
VOWELS = set("aeiou")
IRREGULAR, REGULAR = 0, 1


def valid(word):
    return bool(WORD.match(word)) and not word.endswith("-")


def read_lemmas(wordnet):
    """{pos: set(lemma)} for the single-word lemmas of each index file."""
    lemmas = {}
    for pos, name in POS_FILES:
        found = set()
        with open(os.path.join(wordnet, "index." + name), encoding="latin-1") as f:
            for line in f:
                if line.startswith(" "):  # licence header
                    continue
                word = line.split(" ", 1)[0]
                if valid(word):
                    found.add(word)
        lemmas[pos] = found
    return lemmas


def read_frequencies(wordnet):
    """{(lemma, pos): tagged occurrences} summed over the senses in cntlist.rev."""
    freq = collections.Counter()
    path = os.path.join(wordnet, "cntlist.rev")
    with open(path, encoding="latin-1") as f:
        for line in f:
            parts = line.split()
            if len(parts) != 3 or "%" not in parts[0]:
                continue
            lemma, key = parts[0].split("%", 1)
            pos = SENSE_POS.get(key[:1])
            if pos:
                freq[(lemma.lower(), pos)] += int(parts[2])
    return freq


def read_exceptions(wordnet, lemmas):
    """[(form, lemma, pos)] in file order, for bases that are lemmas of that part of speech."""
    out = []
    for pos, name in POS_FILES:
        with open(os.path.join(wordnet, name + ".exc"), encoding="latin-1") as f:
            for line in f:
                parts = line.split()
                if len(parts) < 2 or not valid(parts[0]):
                    continue
                # "feed feed fee": a form listed as its own base keeps that
                # reading among the irregular ones.
                for base in parts[1:]:
                    if base in lemmas[pos] and (base != parts[0] or len(parts) > 2):
                        out.append((parts[0], base, pos))
    return out


def read_words(path):
    """The ASCII words of the list as {lower-case word: set of spellings}.

    Spellings are kept so that a form is confirmed only in the lemma's own
    casing: "Americans" confirms "american", but "Weller" does not make a
    comparative of "well".
    """
    words = collections.defaultdict(set)
    with open(path, encoding="utf-8") as f:
        for line in f:
            w = line.strip()
            if w.isascii() and valid(w.lower()):
                words[w.lower()].add(w)
    return words


def confirmed(form, lemma, words):
    """True when the word list holds the form spelled as it holds the lemma."""
    found = words.get(form, ())
    k = len(os.path.commonprefix([lemma, form]))
    return any(s[:k] + form[k:] in found for s in words.get(lemma, ()))


def doubles(word):
    """True when the last consonant may double before a suffix (stop, run, big)."""
    return (len(word) >= 2 and word[-1] not in VOWELS and word[-1] not in "wxy"
            and word[-2] in VOWELS)


def s_forms(word):
    if len(word) >= 2 and word[-1] == "y" and word[-2] not in VOWELS:
        return [word[:-1] + "ies"]
    if word.endswith(("s", "x", "z", "ch", "sh")):
        out = [word + "es"]
        if word[-1] in "sz" and doubles(word):
            out.append(word + word[-1] + "es")  # quizzes, busses
        return out
    if word.endswith("o"):
        return [word + "es", word + "s"]
    return [word + "s"]


def third_person_forms(word):
    if len(word) >= 2 and word[-1] == "o":
        return [word + "s"] if word[-2] in VOWELS else [word + "es"]  # tattoos; goes, does
    return s_forms(word)


def plural_forms(word):
    out = s_forms(word)
    if word.endswith("man"):
        out.append(word[:-3] + "men")  # woman, policeman: few are in noun.exc
    return out


def ed_forms(word):
    if word.endswith("e"):
        return [word + "d"]
    if len(word) >= 2 and word[-1] == "y" and word[-2] not in VOWELS:
        return [word[:-1] + "ied"]
    out = [word + "ed"]
    if doubles(word):
        out.append(word + word[-1] + "ed")
    if word.endswith("c"):
        out.append(word + "ked")  # panicked
    return out


def ing_forms(word):
    if word.endswith("ie"):
        return [word[:-2] + "ying"]
    if word.endswith("e"):
        return [word[:-1] + "ing", word + "ing"]  # make → making; agree → agreeing
    out = [word + "ing"]
    if doubles(word):
        out.append(word + word[-1] + "ing")
    if word.endswith("c"):
        out.append(word + "king")
    return out


def comparative_forms(word):
    """Pairs (comparative, superlative); both must be confirmed, which keeps
    agent nouns out: "owner" has no "ownest", "southerner" no "southernest"."""
    if word.endswith("e"):
        return [(word + "r", word + "st")]
    if len(word) >= 2 and word[-1] == "y" and word[-2] not in VOWELS:
        return [(word[:-1] + "ier", word[:-1] + "iest")]
    out = [(word + "er", word + "est")]
    if doubles(word):
        out.append((word + word[-1] + "er", word + word[-1] + "est"))
    return out


def single(rule):
    return lambda word: [(form,) for form in rule(word)]


# Each rule gives groups of forms; a group is kept only when all of it is confirmed.
REGULAR_RULES = {
    "v": (("s", single(third_person_forms)), ("ed", single(ed_forms)), ("ing", single(ing_forms))),
    "n": (("s", single(plural_forms)),),
    "a": (("er", comparative_forms),),
    "r": (),  # adverb comparatives come from adv.exc only: "in" → "inner" is wrong
}


def build(lemmas, freq, exceptions, words):
    """Returns (forms_of, chosen, irregular, overrides).

    forms_of:  {lemma: [form, ...]} every form derived from the lemma, in a
               stable order: by part of speech, irregular forms, then the
               regular rules in order.
    chosen:    {form: lemma} the lemma each inflected form resolves to (the
               form itself when its own reading wins over the others).
    irregular: set of (form, lemma) pairs that come from the .exc files.
    overrides: [(form, lemma, self_freq, base_freq)] regular forms that beat
               the form being a lemma itself, for review.
    """
    all_lemmas = set().union(*lemmas.values())
    candidates = collections.defaultdict(list)  # form -> [(rank key, lemma, pos, kind)]
    forms_of = collections.defaultdict(list)
    irregular = {(form, lemma) for form, lemma, _ in exceptions}
    irregular_verb_forms = collections.defaultdict(list)
    for form, lemma, pos in exceptions:
        if pos == "v":
            irregular_verb_forms[lemma].append(form)

    def add(form, lemma, pos, kind, doubtful=False):
        if form != lemma and form not in forms_of[lemma]:
            forms_of[lemma].append(form)
        key = (doubtful, POS_RANK[pos], kind, -freq[(lemma, pos)], lemma)
        candidates[form].append((key, lemma, pos, kind))

    def doubtful_forms(lemma, suffix, found):
        """A regular past or -ing form is doubtful when the verb has another
        spelling for it: an irregular one from verb.exc (see: saw, so not
        "seed"; be: not "bed"; can: canning, so not "caning") or a confirmed
        doubled one (hop: hopped, so not "hoped"). Doubtful forms rank after
        every other reading, yet a form nobody else claims keeps them
        (learned, burned, traveled)."""
        if suffix not in ("ed", "ing"):
            return set()
        listed = [f for f in irregular_verb_forms[lemma] if f.endswith("ing") == (suffix == "ing")]
        return set(found) if listed else set(found[:-1])

    by_pos = collections.defaultdict(list)
    for form, lemma, pos in exceptions:
        by_pos[pos].append((form, lemma))
    for pos, _ in sorted(POS_FILES, key=lambda p: POS_RANK[p[0]]):
        for form, lemma in sorted(by_pos[pos], key=lambda fl: (fl[1], fl[0])):
            add(form, lemma, pos, IRREGULAR)
        for lemma in sorted(lemmas[pos]):
            if len(lemma) < 2:  # "a" → "as", "i" → "is"
                continue
            for suffix, rule in REGULAR_RULES[pos]:
                groups = [g for g in rule(lemma) if all(confirmed(f, lemma, words) for f in g)]
                found = [f for g in groups for f in g]
                doubtful = doubtful_forms(lemma, suffix, found) if pos == "v" else set()
                for form in found:
                    if form != lemma:
                        add(form, lemma, pos, REGULAR, form in doubtful)

    chosen, overrides = {}, []
    for form, cands in candidates.items():
        cands.sort()
        if cands[0][0][0] and form in lemmas["v"]:
            continue  # only doubtful readings, and a verb of its own: "seed", "bed"
        if form in all_lemmas:
            self_freq = sum(freq[(form, p)] for p in POS_RANK)
            # A regular form that is also a lemma keeps its own reading unless
            # the deriving lemma is at least as common (building → build, but
            # evening stays evening rather than going to the verb "even").
            cands = [c for c in cands
                     if c[3] == IRREGULAR or freq[(c[1], c[2])] >= self_freq]
            if not cands:
                continue
            if cands[0][3] == REGULAR:
                overrides.append((form, cands[0][1], self_freq, freq[(cands[0][1], cands[0][2])]))
        chosen[form] = cands[0][1]
    return forms_of, chosen, irregular, overrides


def write_table(path, all_lemmas, forms_of, chosen, irregular):
    """One line per lemma: the forms that resolve to it, then with a "~" its
    irregular forms that resolve to another lemma (leaf: ~leaves). Regular
    forms that resolve elsewhere are left out: they are mostly accidents of
    spelling (hop: "hoped", found: "founder")."""
    lines = []
    for lemma in sorted(all_lemmas | set(forms_of)):
        forms = [f if chosen.get(f) == lemma else "~" + f
                 for f in forms_of.get(lemma, [])
                 if chosen.get(f) == lemma or (f, lemma) in irregular]
        if not forms and chosen.get(lemma, lemma) != lemma:
            continue  # resolves to another lemma and has no forms of its own
        lines.append(lemma + ("\t" + " ".join(forms) if forms else ""))
    header = [
        "# English lemma table for MyDLL.so, made by lemmatizer/generate_table.py",
        "# from WordNet 3.0 (see WordNet-LICENSE.txt) and the SCOWL word list of",
        "# Debian's wamerican. Line: lemma<TAB>forms separated by spaces; a form",
        "# marked ~ belongs to the lemma but its own lemma is given on another line.",
    ]
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(header + lines) + "\n")
    return len(lines)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--wordnet", default="/usr/share/wordnet")
    ap.add_argument("--words", default="/usr/share/dict/american-english")
    ap.add_argument("--out", default=os.path.normpath(os.path.join(here, "..", "sys", "lemma-en.tsv")))
    ap.add_argument("--report", help="write the regular forms that beat a lemma of their own here")
    args = ap.parse_args()

    lemmas = read_lemmas(args.wordnet)
    freq = read_frequencies(args.wordnet)
    exceptions = read_exceptions(args.wordnet, lemmas)
    words = read_words(args.words)
    forms_of, chosen, irregular, overrides = build(lemmas, freq, exceptions, words)
    all_lemmas = set().union(*lemmas.values())
    n = write_table(args.out, all_lemmas, forms_of, chosen, irregular)
    if args.report:
        with open(args.report, "w", encoding="ascii") as f:
            for form, lemma, self_freq, base_freq in sorted(overrides):
                f.write(f"{form}\t{lemma}\t{self_freq}\t{base_freq}\n")
    print(f"{args.out}: {n} lemmas, {sum(f != l for f, l in chosen.items())} inflected forms", file=sys.stderr)


if __name__ == "__main__":
    main()
