#!/usr/bin/env python3
"""Fails when a text of the Qt parts has no English translation.

1. lupdate runs over the sources into a copy of translations/tovrikeditor_en.ts, as `update_translations` would:
   every text it finds must already have a finished, non-empty translation with the same %1/%2 placeholders.
2. Czech string literals of those folders must go through Qt's translation (translate, tr, QT_TRANSLATE_NOOP) or the
   core's table (Translated); the few that are not words of the interface are named below.

usage: check_translations.py LUPDATE SOURCE_ROOT
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

FOLDERS = ["src/editor", "src/grid", "src/preview", "src/desktop"]
# Literals that are not interface words: the languages named in themselves, a decoration, a title separator, and the
# preview dialog's built-in captions in several languages (chosen by the system's language, not translated).
NOT_TRANSLATED = {"Čeština", "✦", " – "}
OWN_LANGUAGE_LISTS = {"src/preview/LocalizedList.cpp"}
WRAPPERS = ("translate", "tr", "QT_TRANSLATE_NOOP", "QT_TR_NOOP", "Translated")


def check_ts(lupdate, root):
    problems = []
    with tempfile.TemporaryDirectory() as work:
        ts = os.path.join(work, "tovrikeditor_en.ts")
        shutil.copy(os.path.join(root, "translations", "tovrikeditor_en.ts"), ts)
        subprocess.run([lupdate, "-silent", "-locations", "none", "-no-obsolete", "-source-language", "cs_CZ",
                        "-target-language", "en", *FOLDERS, "-ts", ts], cwd=root, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        tree = ET.parse(ts)
    count = 0
    for context in tree.getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            count += 1
            source = message.findtext("source") or ""
            translation = message.find("translation")
            text = translation.text if translation is not None else None
            if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete") or not text:
                problems.append(f"{name}: no English for {source!r}")
            elif sorted(re.findall(r"%\d", source)) != sorted(re.findall(r"%\d", text)) or \
                    source.count("%s") != text.count("%s"):
                problems.append(f"{name}: the placeholders of {source!r} differ in {text!r}")
    if count < 50:
        problems.append(f"lupdate found only {count} texts")
    return problems


def literals(source):
    """(text, word before the call that contains it) for each string literal outside comments."""
    pattern = re.compile(r'//[^\n]*|/\*.*?\*/|\'(?:\\.|[^\\\'])*\'|"((?:\\.|[^\\"])*)"', re.S)
    for match in pattern.finditer(source):
        if match.group(1) is None:
            continue
        before = source[:match.start()]
        call = re.search(r"([A-Za-z_][A-Za-z_0-9]*)\s*\(\s*(?:\"(?:\\.|[^\\\"])*\"\s*,\s*)?$", before)
        yield match.group(1), call.group(1) if call else ""


def check_literals(root):
    problems = []
    for folder in FOLDERS:
        for name in sorted(os.listdir(os.path.join(root, folder))):
            path = f"{folder}/{name}"
            if not name.endswith((".cpp", ".h")) or path in OWN_LANGUAGE_LISTS:
                continue
            with open(os.path.join(root, path), encoding="utf-8") as file:
                for text, caller in literals(file.read()):
                    if text.isascii() or text in NOT_TRANSLATED:
                        continue
                    if caller not in WRAPPERS:
                        problems.append(f"{path}: {text!r} does not go through a translation")
    return problems


def main():
    lupdate, root = sys.argv[1], sys.argv[2]
    problems = check_ts(lupdate, root) + check_literals(root)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
