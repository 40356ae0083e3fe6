#!/usr/bin/env python3
"""Collects the seed corpus of every fuzz target from the tests' fixtures: the string
literals of the tests that feed each reader (adjacent literals joined, as the compiler
joins them), the rows of table-driven tests, and the sample Projects' files. Writes
fuzz/corpus/<target>/seed-<hash>; run again after the tests change. Inputs that the
fuzzers found stay beside these seeds under their own names."""
import hashlib
import pathlib
import re

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORPUS = ROOT / "fuzz" / "corpus"
MAX_SEED = 8192

# A C++ string literal, raw ones included, with an optional u8/L prefix.
LITERAL = re.compile(r'(?:u8|L)?(?:R"([^(\s]*)\((.*?)\)\1"|"((?:[^"\\\n]|\\.)*)")', re.S)
ESCAPES = {"n": b"\n", "r": b"\r", "t": b"\t", "0": b"\0", "\\": b"\\", '"': b'"', "'": b"'",
           "a": b"\a", "b": b"\b", "f": b"\f", "v": b"\v", "?": b"?"}


def unescape(body):
    out = bytearray()
    i = 0
    while i < len(body):
        c = body[i]
        if c != "\\":
            out += c.encode("utf-8")
            i += 1
            continue
        nxt = body[i + 1]
        if nxt == "x":
            digits = re.match(r"[0-9a-fA-F]+", body[i + 2:]).group(0)
            out.append(int(digits, 16) & 0xFF)
            i += 2 + len(digits)
        elif nxt in "01234567":
            digits = re.match(r"[0-7]{1,3}", body[i + 1:]).group(0)
            out.append(int(digits, 8) & 0xFF)
            i += 1 + len(digits)
        else:
            out += ESCAPES.get(nxt, nxt.encode())
            i += 2
    return bytes(out)


def strip_comments(code):
    # Line comments and includes only: the tests hold no block comments in their
    # fixtures, and a "//" inside a literal is kept by skipping literals first.
    code = re.sub(r'("(?:[^"\\\n]|\\.)*")|//[^\n]*', lambda m: m.group(1) or "", code)
    return re.sub(r"^#include[^\n]*", "", code, flags=re.M)


def literals(path):
    """Every literal of the file, adjacent ones joined; with their spans."""
    code = strip_comments(path.read_text(encoding="utf-8", errors="replace"))
    joined = []
    for m in LITERAL.finditer(code):
        value = m.group(2).encode() if m.group(2) is not None else unescape(m.group(3))
        if joined and code[joined[-1][2]:m.start()].strip() == "":
            joined[-1] = (joined[-1][0] + value, joined[-1][1], m.end())
        else:
            joined.append((value, m.start(), m.end()))
    return code, joined


def rows(path):
    """Rows of table-driven tests: each innermost {...} with two literals or more, as
    (literals, booleans)."""
    code, found = literals(path)
    result = []
    for m in re.finditer(r"\{([^{}]*)\}", code):
        inside = [v for v, s, e in found if m.start() < s and e < m.end()]
        if len(inside) >= 2:
            flags = re.findall(r"\b(true|false)\b", m.group(1))
            result.append((inside, [f == "true" for f in flags]))
    return result


def tests(*names):
    return [ROOT / "tests" / n for n in names]


def from_literals(paths, keep):
    return [v for p in paths for v, _, _ in literals(p)[1] if keep(v)]


def samples(pattern):
    return [p.read_bytes() for p in sorted((ROOT / "samples").rglob(pattern))]


def occurrence_rows():
    seeds = []
    for texts, flags in rows(ROOT / "tests/search/search_test.cc"):
        bits = sum(1 << i for i, f in enumerate(flags[:2]) if f)
        seeds.append(bytes([bits]) + b"\n".join(texts[:3]))
    return seeds


def expand_lines():
    lines = from_literals(tests("engine/expand_line_test.cc", "engine/conditional_test.cc",
                                "engine/macro_lookup_test.cc", "engine/document_assembly_test.cc"),
                          lambda v: b"[@" in v)
    seeds = [b"\0" + v for v in lines]
    seeds += [b"\0" + v for v in samples("*.tpl")]
    # The same lines in the other tag sets the target knows (see expand_line_fuzzer.cc).
    for n, (start, end, pstart, pend) in enumerate(
            [(b"{{", b"}}", b"((", b"))"), (b"@", b"@", b"(", b")"), (b"<<", b"<", b"<(", b")<")], 1):
        for v in lines[:40]:
            v = v.replace(b"[@", b"\1").replace(b"(@", b"\2").replace(b"]", b"\3").replace(b")", b"\4")
            v = v.replace(b"\1", start).replace(b"\2", pstart).replace(b"\3", end).replace(b"\4", pend)
            seeds.append(bytes([n]) + v)
    return seeds


HISTORY = [b"5|P:\\a.web|1\r\n5|P:/b.web|2\r\n", b"5|P:\\noname.web|2\r\n5|P:\\a.web|1\r\n",
           b"5.0|P:/a.web|2|extra\n", b".\r\n", b"5|P:/gone.web|2\r\n\r\n5|P:/a.web|1\r\n"]

TARGETS = {
    "key_value_file": lambda: from_literals(
        tests("project/key_value_file_test.cc", "project/project_settings_test.cc",
              "project/program_options_test.cc", "project/options_import_test.cc"),
        lambda v: b"=" in v),
    "project_definition": lambda: from_literals(
        tests("project/project_definition_test.cc", "engine/reader_fuzz_test.cc",
              "views/file_listing_test.cc"),
        lambda v: len(v) > 2) + samples("project.txt") + samples("overview.txt"),
    "content_file": lambda: from_literals(
        tests("engine/content_file_test.cc", "engine/reader_fuzz_test.cc"),
        lambda v: b":" in v) + samples("*.par"),
    "expand_line": expand_lines,
    "project_history": lambda: HISTORY + from_literals(
        tests("project/project_history_test.cc", "views/history_browser_test.cc"),
        lambda v: b"|" in v),
    "command_line": lambda: from_literals(tests("generation/command_line_test.cc", "common/shell_words_test.cc"),
                                          lambda v: len(v) > 0),
    "occurrences": occurrence_rows,
}


def main():
    # Every target's seeds are collected before any folder changes: a test file that
    # moved must not leave a corpus half replaced.
    collected = {t: {s for s in c() if 0 < len(s) <= MAX_SEED} for t, c in TARGETS.items()}
    for target, seeds in collected.items():
        folder = CORPUS / target
        folder.mkdir(parents=True, exist_ok=True)
        for old in folder.glob("seed-*"):
            old.unlink()
        for seed in seeds:
            name = "seed-" + hashlib.sha1(seed).hexdigest()[:16]
            (folder / name).write_bytes(seed)
        print(f"{target}: {len(seeds)} seeds")


if __name__ == "__main__":
    main()
