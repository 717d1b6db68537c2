#!/usr/bin/env python3
"""Builds the English user-interface text table from the design documents.

Usage:
    extract_uitexts.py [-o OUTPUT] PATH [PATH ...]

Each PATH is a Markdown file or a folder whose *.md files are all read.
The table is written as UTF-8, one line per id 1..1270: "<id>\\t<text>", the
text trimmed and escaped (\\\\ backslash, \\t tab, \\n line feed, \\r carriage
return).  Ids that no document quotes are written with an empty text.

Texts are picked up where a document ties a quoted text to an id:
    UI text 1066 "..."      UI 331 "..."       F(735) "..."
    "..." (UI text 1250)     "..." (1027)      1137 "..."
    "a" and "b" (1006, 1007)
Rules and list-style quotes that do not fit these forms are in the tables
below; they were checked by hand.  Ids quoted with different wordings are
reported; the decision for each is in DECISIONS.  PLATFORM_TEXTS replace the
texts that would not be true on this platform.
"""

import argparse
import collections
import pathlib
import re
import sys

FIRST_ID = 1
LAST_ID = 1270

# Ids the loader sets to the empty text.
EMPTY_IDS = (59, 60, 63, 67, 68, 69, 72, 74, 77, 78, 79, 124, 138, 139, 233,
             234, 241, 505, 507, 509, 511, 513, 515)

CLOSE_DIALOGUE = "Close Dialogue."
CHART_DATA_HEADINGS = ("Report Date", "Cut Off Date", "Chart Value",
                       "Project Title", "Project Number", "Project Client")

# Texts set in one loop over several ids.
LOOP_SETS = [
    ((119, 120), "Data Source Map"),
    ((128, 129), "Data Source Filter"),
    ((937, 938), "Shortcut: (Esc)"),
    (tuple(range(957, 960)), CLOSE_DIALOGUE),
    (tuple(range(967, 989)), CLOSE_DIALOGUE),
    (tuple(range(996, 1005)), CLOSE_DIALOGUE),
    (tuple(range(1211, 1214)), CLOSE_DIALOGUE),
    ((992, 994), "Overwrite the %s."),
    ((993, 995), "Do not overwrite the %s."),
    ((1033, 1034), "MS Excel Files (*.%s; *.%s)|*.%0:s; *.%1:s"),
] + [((572 + k, 578 + k), text) for k, text in enumerate(CHART_DATA_HEADINGS)]

# Ids worded like another id.
SAME_AS = {
    1268: 1091, 1269: 1092, 1270: 1093,   # index error texts of the Excel layer
    1180: 1177, 1183: 1177,               # missing document: second line
    1181: 1178, 1184: 1178,               # missing document: third line
    839: 827, 849: 827,                   # browse dialogs: Auto Size hint
    840: 828, 850: 828,                   # browse dialogs: Auto Align hint
    109: 98, 110: 99, 111: 100, 112: 101, # histogram axis captions
}

# List-style quotes (several texts against a range or a set of ids).
LISTED = {
    201: "ID", 202: "Tab", 203: "Field", 204: "Details", 205: "Field Value",
    857: "The following Configuration Errors were found.",
    858: "These must be corrected before the ZOL Definition can be processed.",
    859: "Shortcut: Double click to display the Error Field.",
    628: "Baseline Start Date", 629: "Baseline Finish Date",
    630: "Baseline Man Hours", 631: "Baseline Cost", 632: "Start Date",
    633: "Finish Date", 634: "Man Hours", 635: "Cost", 636: "% Complete",
    650: "Equals", 651: "Does Not Equal", 652: "Is Less Than",
    653: "Is Less Than Or Equal To", 654: "Is Greater Than",
    655: "Is Greater Than Or Equal To", 656: "Is Blank", 657: "Is Not Blank",
    658: "Starts With", 659: "Does Not Start With", 660: "Ends With",
    661: "Does Not End With", 662: "Contains", 663: "Does Not Contain",
    766: "Valid Range (%s Data Source File): %d..%d",
}
# The toolbar's Edit hints end in "Shortcut: "; the shortcut is appended when shown.
LISTED.update({i: "Shortcut: " for i in (741, 743, 745, 747)})
LISTED.update({i: "Maximum Length: %d characters."
               for i in (750, 752, 754, 759, 762, 772, 775, 779)})


# What the program tells its users where a quoted text would be false on this
# platform: the spreadsheet server is LibreOffice, the preferences live in a
# settings file, and no add-on or other program needs installing or closing by
# hand. "Excel" stays only as the name of the workbook file formats.
SETTINGS_FILE = "$XDG_CONFIG_HOME/Kelvane/Tarvo ZOL Lumo.ini"
PACKAGE = "libreoffice-calc"
PLATFORM_TEXTS = {
    10: "Initialising Workbook Formats...",
    160: "Spreadsheet Server",
    161: "File Format Add-on",
    222: "Default Excel File Extension",
    230: "Default xls: Excel 97-2003 Workbook",
    231: "Default xlsx: Excel Workbook",
    239: "Documents",
    381: "Opening LibreOffice...",
    390: "Closing LibreOffice...",
    # Paths have no drive here: the root "/" stands where a drive stood.
    691: "The %s full path contains the following illegal characters: %s",
    694: "The %s is not a valid full path.",
    722: "The %s is not a full path beginning with /.",
    696: "The selected %s is not a valid Excel file.",
    697: "Valid Excel Files have one of the following extensions: %s, %s",
    879: "Select the default Excel file extension to use when an extension",
    881: "Auto: The Excel file extension is based on the installed spreadsheet server.",
    884: "Auto: The default Template File is based on the installed spreadsheet server.",
    1027: "Select Excel Data Source File...",
    1028: "Select Excel Template File...",
    1029: "Select Excel Default Template File...",
    1030: "Select Excel Output File...",
    1031: "Excel Files (*.%s; *.%s)",
    1033: "Excel Files (*.%s; *.%s)|*.%0:s; *.%1:s",
    1034: "Excel Files (*.%s; *.%s)|*.%0:s; *.%1:s",
    1083: "Unable to initialise Workbook Formats.",
    # The desktop's opener failed (free ids: no document quotes them).
    1166: "The program for this kind of file could not open it.",  # xdg-open's exit code 4
    1167: "The desktop's opener, xdg-open, failed.",  # a bad call (1), another code, a signal
    1168: "Open the %s User Manual.",  # About's logo when no web address is set
    1169: "Unable to open the following %s.",
    1170: "No program to open it was found.",
    1171: "Please install the Debian package xdg-utils and a program for this kind of file.",
    1172: f"Unable to read from the settings file {SETTINGS_FILE}.",
    1173: "Please ensure the file and its folder can be read.",
    1174: f"Unable to write to the settings file {SETTINGS_FILE}.",
    1175: "Please ensure the file and its folder can be written.",
    1185: "None needed: *.xls and *.xlsx files open directly",
    1187: "%s requires a file format add-on to open the following %s.",
    1188: "The add-on does not appear to be installed.",
    1191: "b) Install the file format add-on, or",
    1192: f"c) Install the Debian package {PACKAGE}.",
    1197: "Unable to verify if the file format add-on is installed.",
    1208: "Attempt to close the spreadsheet server.",
    1209: "Cancel: The spreadsheet server will not be closed now.",
    1210: "It is ended when this program closes.",
    1214: "%s is busy, and not responding to %s.",
    1215: "Unable to close %s.",
    1216: "%s may still be working on the workbook.",
    1217: "Please wait a moment before you click Retry.",
    1218: "Your own LibreOffice documents are not affected.",
    1219: "Click Retry to close %s.",
    1223: "Unable to verify if LibreOffice is installed.",
    1224: "LibreOffice Calc is required to complete this operation.",
    1225: f"Unable to find LibreOffice Calc (Debian package {PACKAGE}).",
    1226: f"Please install it, for example with: sudo apt install {PACKAGE}",
    1227: "Unable to open %s.",
    1259: "Unable to close %s.",
    1261: "%s is busy, and is not responding to %s.",
    1262: "Unable to close %s.",
    1263: "%s will be ended when this program closes.",
    1264: "Unable to close %s.",
    1265: "This program ends the spreadsheet server it started",
    1266: "when the program closes; there is nothing",
    1267: "to end by hand.",
}


def percentage_step_texts():
    """Step texts of the percentage series: 347..350, 353..356 and so on."""
    texts = {}
    quantities = (("Man Hours", 0), ("Cost", 6))
    # Offsets within a quantity's block: histogram before S curve, Baseline
    # reference before Target reference.
    kinds = (("Histogram", "Baseline", 0), ("Histogram", "Target", 1),
             ("S Curve", "Baseline", 2), ("S Curve", "Target", 3))
    for curve_no, curve in enumerate(("Baseline", "Actual", "Target")):
        for quantity, q_offset in quantities:
            for kind, reference, k_offset in kinds:
                text_id = 347 + 12 * curve_no + q_offset + k_offset
                texts[text_id] = (f"Calculating {curve} %% {kind} {quantity} "
                                  f"({reference} = 100%%) for Day: %d of %d...")
    return texts


# Matches that tie a number to a text that is no UI text (codes, indexes).
REJECTED = {
    (995, "Overwrite the %s."),           # from "the pairs 992/993 and 994/995 ..."
    (65, "A"),                            # a column letter
    (7, "EXCEL.APPLICATION.15"),          # a version code
    (256, "IV"),                          # a column count and its letters
}
# Bare numbers below this are codes, item indexes and counts, not text ids.
MIN_BARE_ID = 7

# Ids quoted with different wordings, and the wording chosen.
DECISIONS = {}

QUOTED = r'"([^"]*)"'
STRONG_PATTERNS = [
    re.compile(r'\bUI(?: texts?)? (\d{1,4}) ' + QUOTED),
    re.compile(r'\bF\((\d{1,4})\) ' + QUOTED),
]
STRONG_POST_PATTERNS = [
    re.compile(QUOTED + r' \(UI texts? (\d{1,4})\)'),
]
WEAK_PATTERNS = [
    re.compile(r'(?<![\w.\-\[])(\d{1,4}) ' + QUOTED),
]
WEAK_POST_PATTERNS = [
    re.compile(QUOTED + r' \((\d{1,4})\)'),
]
PAIR_PATTERN = re.compile(QUOTED + r' and ' + QUOTED + r' \((\d{1,4}), (\d{1,4})\)')


def trim(text):
    """Removes characters up to U+0020 at both ends."""
    start, end = 0, len(text)
    while start < end and text[start] <= " ":
        start += 1
    while end > start and text[end - 1] <= " ":
        end -= 1
    return text[start:end]


def escape(text):
    return (text.replace("\\", "\\\\").replace("\t", "\\t")
            .replace("\n", "\\n").replace("\r", "\\r"))


def input_files(paths):
    files = []
    for p in map(pathlib.Path, paths):
        if p.is_dir():
            files.extend(sorted(p.glob("*.md")))
        elif p.is_file():
            files.append(p)
        else:
            sys.exit(f"no such file or folder: {p}")
    return files


def scan(files):
    """Returns {id: [(text, where, strong)]} of every quote tied to an id."""
    found = collections.defaultdict(list)
    for path in files:
        for line_no, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            where = f"{path.name}:{line_no}"
            taken = set()

            def add(text_id, text, pos, strong):
                if pos in taken:
                    return
                taken.add(pos)
                if not FIRST_ID <= text_id <= LAST_ID:
                    return
                if not strong and text_id < MIN_BARE_ID:
                    return
                if (text_id, trim(text)) in REJECTED:
                    return
                found[text_id].append((trim(text), where, strong))

            for pat in STRONG_PATTERNS:
                for m in pat.finditer(line):
                    add(int(m.group(1)), m.group(2), m.start(1), True)
            for pat in STRONG_POST_PATTERNS:
                for m in pat.finditer(line):
                    add(int(m.group(2)), m.group(1), m.start(2), True)
            for m in PAIR_PATTERN.finditer(line):
                add(int(m.group(3)), m.group(1), m.start(3), True)
                add(int(m.group(4)), m.group(2), m.start(4), True)
            for pat in WEAK_PATTERNS:
                for m in pat.finditer(line):
                    add(int(m.group(1)), m.group(2), m.start(1), False)
            for pat in WEAK_POST_PATTERNS:
                for m in pat.finditer(line):
                    add(int(m.group(2)), m.group(1), m.start(2), False)
    return found


def build(found):
    table = {}
    problems = []

    def disagree(text_id, text, origin):
        quoted = {t for t, _, _ in found.get(text_id, ())}
        others = quoted - {trim(text)}
        if others:
            problems.append(f"{text_id}: {origin} {trim(text)!r} differs from quoted "
                            + ", ".join(repr(o) for o in sorted(others)))

    for text_id, quotes in sorted(found.items()):
        wordings = collections.OrderedDict()
        for text, where, strong in quotes:
            wordings.setdefault(text, []).append(where)
        if len(wordings) == 1:
            table[text_id] = next(iter(wordings))
            continue
        detail = "; ".join(f"{t!r} at {', '.join(w)}" for t, w in wordings.items())
        if text_id in DECISIONS:
            table[text_id] = DECISIONS[text_id]
            print(f"conflict {text_id}: {detail} -> decided {DECISIONS[text_id]!r}")
        else:
            strong = [t for t, _, s in quotes if s]
            table[text_id] = strong[0] if strong else quotes[0][0]
            problems.append(f"{text_id}: undecided conflict: {detail}")

    for text_id, text in LISTED.items():
        disagree(text_id, text, "list")
        table[text_id] = trim(text)
    for text_id, text in percentage_step_texts().items():
        disagree(text_id, text, "rule")
        table[text_id] = text
    for ids, text in LOOP_SETS:
        for text_id in ids:
            disagree(text_id, text, "loop")
            table[text_id] = text
    for text_id, source in SAME_AS.items():
        if not table.get(source):
            problems.append(f"{text_id}: source {source} has no text")
            continue
        disagree(text_id, table[source], f"same as {source}")
        table[text_id] = table[source]
    for text_id, text in PLATFORM_TEXTS.items():
        table[text_id] = text
    for text_id in EMPTY_IDS:
        if text_id in found:
            problems.append(f"{text_id}: set empty, but quoted {found[text_id][0][0]!r}")
        table[text_id] = ""
    return table, problems


def main():
    repo = pathlib.Path(__file__).resolve().parents[2]
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("paths", nargs="+", help="Markdown files or folders")
    parser.add_argument("-o", "--output", type=pathlib.Path,
                        default=repo / "resources" / "uitext" / "uitext_en.tsv")
    args = parser.parse_args()

    table, problems = build(scan(input_files(args.paths)))
    for p in problems:
        print("check:", p)

    lines = []
    for text_id in range(FIRST_ID, LAST_ID + 1):
        lines.append(f"{text_id}\t{escape(trim(table.get(text_id, '')))}\n")
    args.output.parent.mkdir(parents=True, exist_ok=True)
    args.output.write_text("".join(lines), encoding="utf-8", newline="\n")
    filled = sum(1 for i in range(FIRST_ID, LAST_ID + 1) if trim(table.get(i, "")))
    print(f"{args.output}: {LAST_ID} ids, {filled} with text")
    return 1 if any("undecided" in p for p in problems) else 0


if __name__ == "__main__":
    sys.exit(main())
