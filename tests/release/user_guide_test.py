#!/usr/bin/python3
"""Holds the user's guide (docs/ReadMe.txt) to the program it describes, so that it cannot go stale:
every text it quotes is one the program shows, every caption of both launcher layouts and every
mode is in it, the variables and what sets each are those of the launch plan, and its version is
the program's. Then checks that it reads in Windows' own editor: ASCII, short lines, no markup,
and CRLF line ends in the release archive (scripts/make-archive.py), whose sums list it.
   tests/release/user_guide_test.py"""
import glob
import os
import re
import subprocess
import sys
import tempfile
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
GUIDE = os.path.join(ROOT, "docs", "ReadMe.txt")
LAUNCHER_TEMPLATES = ("IDD_NOXLAUNCHER_DIALOG", "IDD_NOXLAUNCHER_DEV_DIALOG")
failures = []


def read(*parts):
    with open(os.path.join(ROOT, *parts), encoding="utf-8") as file:
        return file.read()


def check(condition, message):
    if not condition:
        failures.append(message)


def templates(rc):
    """{template name: (caption, [(control id, caption)])} of the .rc's DIALOGEX templates."""
    found = {}
    for name, body in re.findall(r"^(\w+) DIALOGEX .*?\n(.*?)^END", rc, re.M | re.S):
        caption = re.search(r'^CAPTION "([^"]*)"', body, re.M).group(1)
        controls = re.findall(r'^\s+(?:PUSHBUTTON|DEFPUSHBUTTON|CONTROL|LTEXT)\s+"([^"]*)",\s*(\w+)', body, re.M)
        found[name] = (caption, [(control, text) for text, control in controls])
    return found


def program_texts(rc):
    """Every text the program shows: the resources' strings (menu mnemonics dropped), the launch's
    and the file dialog's wide strings, the Tools dialog's caption."""
    texts = {text.replace("&", "") for text in re.findall(r'"([^"]*)"', rc)}
    for source in ["launch/LaunchPlan.cpp", "launch/ProductLaunch.cpp"] + sorted(
            os.path.relpath(path, ROOT) for path in glob.glob(os.path.join(ROOT, "ui", "*.cpp"))):
        for literal in re.findall(r'L"((?:[^"\\]|\\.)*)"', read(source)):
            texts.update(literal.split("|"))  # file dialog filters: description|pattern|...
    (writer,) = glob.glob(os.path.join(ROOT, "*", "ToolsTemplateWriter.cpp"))
    texts.update(re.findall(r'CAPTION \\"([^"\\]*)\\"', open(writer, encoding="utf-8").read()))
    return texts


def launch_plan():
    """(mode texts in order, {setting text: variable it gives "1"}, the seven variables removed)."""
    plan = read("launch", "LaunchPlan.cpp")
    modes = re.findall(r'\{L"([^"]+)", (kMode\w+)\}', plan)
    text_of = {code: text for text, code in modes}
    sets = {text_of[code]: variable for code, variable in
            re.findall(r'modeCode == (kMode\w+)\)\s*plan\.variablesToSet\.push_back\(L"(\w+)"\)', plan)}
    (inject,) = re.findall(r'if \(injectChecked\)\s*plan\.variablesToSet\.push_back\(L"(\w+)"\)', plan)
    sets["Display inject message box"] = inject
    removed = re.findall(r'L"(NOX_\w+)"', plan.split("kLaunchVariables = {", 1)[1].split("};", 1)[0])
    return [text for text, _ in modes], sets, removed


def check_facts(guide):
    rc = read("res", "noxLauncher.rc")
    flat = " ".join(guide.split())  # a quoted caption may wrap
    quoted = re.findall(r'"([^"]+)"', flat)
    known = program_texts(rc)
    for text in quoted:
        check(text in known, 'quotes "%s", which the program does not show' % text)

    dialogs = templates(rc)
    for template in LAUNCHER_TEMPLATES:
        caption, controls = dialogs[template]
        check(caption in quoted, 'does not quote the window caption "%s"' % caption)
        for control, text in controls:
            if control.startswith("IDC_LAUNCH_"):  # product rows are listed by name
                check(re.search(r"\b%s\b" % re.escape(text.strip()), flat), "does not list the row %s" % text)
            else:
                check(text in quoted, 'does not quote the control "%s"' % text)

    modes, sets, removed = launch_plan()
    check(len(modes) == 3 and len(sets) == 3 and len(removed) == 7, "the launch plan no longer reads as expected")
    for mode in modes:
        check(mode in quoted, 'does not quote the mode "%s"' % mode)
    given = {}
    for line in guide.splitlines():
        for variable in re.findall(r"\b(NOX_\w+)=1\b", line):
            setting = re.findall(r'"([^"]+)"', line)
            check(len(setting) == 1, "sets %s without one quoted setting on its line" % variable)
            given[variable] = setting[0] if setting else None
    check(given == {variable: setting for setting, variable in sets.items()},
          "gives the variables as set %s; the launch plan sets %s" % (given, sets))
    named = re.findall(r"\bNOX_\w+", guide)
    check(set(named) == set(removed), "names the variables %s; the launch plan removes %s"
          % (sorted(set(named)), removed))
    check(", ".join(removed) in flat, "does not list the removed variables in the launch plan's order")

    version = re.search(r'VALUE "ProductVersion", "([\d.]+)"', rc).group(1)
    project = re.search(r"project\(noxLauncher VERSION ([\d.]+)", read("CMakeLists.txt")).group(1)
    check(version == project, "the resources' version %s is not the project's %s" % (version, project))
    versions = set(re.findall(r"\b\d+\.\d+\.\d+\.\d+\b", guide))
    check(versions == {version}, "gives the versions %s; the program is %s" % (sorted(versions), version))


def check_form(raw):
    check(b"\r" not in raw, "the tree keeps LF line ends (the archive writes CRLF)")
    check(all(byte < 0x80 for byte in raw), "holds non-ASCII text, which XP's Notepad shows as another code page")
    for number, line in enumerate(raw.decode("ascii", "replace").splitlines(), 1):
        check(len(line) <= 76, "line %d is %d characters wide" % (number, len(line)))
        check("\t" not in line, "line %d holds a tab" % number)
        check(not re.search(r"^#|`|\*\*|^\s*\||\]\(", line), "line %d holds markup: %s" % (number, line))


def check_archive():
    with tempfile.TemporaryDirectory() as folder:
        archive = os.path.join(folder, "guide.zip")
        subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "make-archive.py"), "--source", ROOT,
                        "--output", archive, GUIDE], check=True, env=dict(os.environ, SOURCE_DATE_EPOCH="0"))
        with zipfile.ZipFile(archive) as zipped:
            shipped = zipped.read("ReadMe.txt")
            sums = zipped.read("SHA256SUMS.txt")
    with open(GUIDE, "rb") as file:
        check(shipped == file.read().replace(b"\n", b"\r\n"), "the archive's guide is not the guide with CRLF")
    check(sums.endswith(b"  ReadMe.txt\r\n"), "the archive's sums do not list the guide")


def main():
    with open(GUIDE, "rb") as file:
        raw = file.read()
    check_form(raw)
    check_facts(raw.decode("ascii", "replace"))
    check_archive()
    for failure in failures:
        print("user_guide_test: docs/ReadMe.txt %s" % failure, file=sys.stderr)
    if not failures:
        print("user_guide_test: the guide matches the resources, the launch plan and the version")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
