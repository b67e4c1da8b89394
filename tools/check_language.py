#!/usr/bin/env python3
"""Checks that the window speaks the user's language.

1. Every shipped language (assets/lang/*.txt) has a text for every entry the
   program uses: the entries of the original design that the program shows
   (tests/fixtures/used_language_entries.txt) and every entry named in
   src/model/text_entries.h. A translation also keeps every "%n" placeholder
   of the English text, and no language has an entry English lacks.
2. No source file of the window (src/app with the macro manager in src/app/macro, and src/ui) holds a
   literal English sentence, which would reach a control untranslated. What
   is deliberately not translated (command-line help, terminal output, shell
   commands, style sheets) is listed in tools/language_allow.txt.
3. No source file of the window takes the core's English-only texts: a
   reason worded by EnglishText (velmaroctl's wording) or a `.Problem`
   field (a sentence the core keeps in English beside its reason) would
   reach a control in English whatever the user's language; the window
   words the reason itself (RenderReason, through its language table).

Usage: check_language.py [REPOSITORY]   (default: the folder above tools/)
Exit status 0 when everything holds, 1 with one line per fault otherwise.
"""

import fnmatch
import glob
import os
import re
import sys

WINDOW_SOURCES = [
    "src/app/*.cpp", "src/app/*.h",
    "src/app/macro/*.cpp", "src/app/macro/*.h",
    "src/ui/*.cpp", "src/ui/*.h",
]
REFERENCE = "en.txt"


def read_language(path):
    """Entry number -> text of a language source ("n=text", "#" comments)."""
    entries = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            number, sep, text = line.partition("=")
            if sep and number.isdigit():
                entries[int(number)] = text
    return entries


def used_entries(root):
    used = set()
    fixture = os.path.join(root, "tests/fixtures/used_language_entries.txt")
    with open(fixture, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            first, _, last = line.partition("-")
            used.update(range(int(first), int(last or first) + 1))
    header = os.path.join(root, "src/model/text_entries.h")
    with open(header, encoding="utf-8") as f:
        for m in re.finditer(r"constexpr\s+uint16_t\s+\w+\s*=\s*(\d+)\s*;", f.read()):
            used.add(int(m.group(1)))
    return used


def placeholders(text):
    return sorted(set(re.findall(r"%[1-9]", text)))


def check_languages(root):
    faults = []
    folder = os.path.join(root, "assets/lang")
    languages = {os.path.basename(p): read_language(p)
                 for p in sorted(glob.glob(os.path.join(folder, "*.txt")))}
    if REFERENCE not in languages:
        return [f"assets/lang/{REFERENCE}: missing"]
    english = languages[REFERENCE]
    used = used_entries(root)
    for name, entries in languages.items():
        for n in sorted(used):
            if not entries.get(n):
                faults.append(f"assets/lang/{name}: entry {n} is used by the program but missing")
        for n in sorted(set(entries) - set(english)):
            faults.append(f"assets/lang/{name}: entry {n} is not in {REFERENCE}")
        if name == REFERENCE:
            continue
        for n, text in sorted(english.items()):
            if n not in entries:
                faults.append(f"assets/lang/{name}: entry {n} of {REFERENCE} is missing")
            elif placeholders(entries[n]) != placeholders(text):
                faults.append(f"assets/lang/{name}: entry {n} has placeholders "
                              f"{placeholders(entries[n])}, English has {placeholders(text)}")
    return faults


def string_literals(source):
    """(line, text) of each string literal outside comments; adjacent
    literals are joined, as the compiler joins them."""
    out = []
    i, n, line = 0, len(source), 1
    last_end = None
    while i < n:
        c = source[i]
        if source.startswith("//", i):
            j = source.find("\n", i)
            i = n if j < 0 else j
            continue
        if source.startswith("/*", i):
            j = source.find("*/", i + 2)
            j = n if j < 0 else j + 2
            line += source.count("\n", i, j)
            i = j
            continue
        if c == "\n":
            line += 1
            i += 1
            continue
        if c == "'":
            j = i + 1
            while j < n and source[j] != "'":
                j += 2 if source[j] == "\\" else 1
            i = j + 1
            continue
        if c == '"':
            if i > 0 and source[i - 1] == "R":
                m = re.match(r'"([^(\s]*)\(', source[i:])
                delim = m.group(1)
                end = source.find(")" + delim + '"', i)
                text = source[i + len(delim) + 2:end]
                stop = end + len(delim) + 2
            else:
                j = i + 1
                while j < n and source[j] != '"':
                    j += 2 if source[j] == "\\" else 1
                text = source[i + 1:j]
                stop = j + 1
            between = source[last_end:i] if last_end is not None else None
            if between is not None and re.fullmatch(r"\s*(u8|u|U|L)?", between) and out:
                out[-1] = (out[-1][0], out[-1][1] + text)
            else:
                out.append((line, text))
            line += text.count("\n")
            last_end = stop
            i = stop
            continue
        i += 1
    return out


def looks_like_english(text):
    text = re.sub(r"\\[nt\"\\]", " ", text)
    text = re.sub(r"%\d|%[-0-9.]*[dsfxXu]", " ", text)
    # Two words in a row, one of them with small letters: a phrase for people.
    return re.search(r"\b[A-Za-z][a-z']+[,:;.!?]?\s+[A-Za-z]{2,}\b", text) is not None


# The core's texts that are English whatever the language: EnglishText()
# words a reason for velmaroctl; a `.Problem` field holds the same in English.
ENGLISH_ONLY = re.compile(r"\bEnglishText\s*\(|\.Problem\b(?!\s*\()")


def code_only(source):
    """The source with comments and string and character literals blanked,
    newlines kept so that line numbers stay."""
    def blank(m):
        return re.sub(r"[^\n]", " ", m.group(0))
    pattern = r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\''
    return re.sub(pattern, blank, source, flags=re.S)


def read_allow(root):
    rules = []
    with open(os.path.join(root, "tools/language_allow.txt"), encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            parts = [p.strip() for p in line.split("|")]
            if len(parts) < 3 or not parts[2]:
                raise SystemExit(f"language_allow.txt: needs 'path | text | why': {line}")
            rules.append((parts[0], parts[1]))
    return rules


def allowed(rules, path, text):
    for pattern, piece in rules:
        if fnmatch.fnmatch(path, pattern) and (piece == "*" or piece in text):
            return True
    return False


def check_sources(root):
    faults = []
    rules = read_allow(root)
    for pattern in WINDOW_SOURCES:
        for full in sorted(glob.glob(os.path.join(root, pattern))):
            path = os.path.relpath(full, root)
            with open(full, encoding="utf-8") as f:
                source = f.read()
            for line, text in string_literals(source):
                if looks_like_english(text) and not allowed(rules, path, text):
                    faults.append(f"{path}:{line}: English text for a control: \"{text[:70]}\" "
                                  "(use the language table, or allow it in "
                                  "tools/language_allow.txt)")
            code = code_only(source)
            for m in ENGLISH_ONLY.finditer(code):
                if allowed(rules, path, m.group(0)):
                    continue
                line = code.count("\n", 0, m.start()) + 1
                faults.append(f"{path}:{line}: the core's English-only text "
                              f"\"{m.group(0).strip()}\" (render the reason with RenderReason "
                              "in the user's language)")
    return faults


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(
        os.path.dirname(os.path.abspath(__file__)))
    faults = check_languages(root) + check_sources(root)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
