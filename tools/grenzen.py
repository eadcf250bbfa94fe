#!/usr/bin/env python3
"""Holds the borders between the source folders.

The table "Who may include whom" in docs/architecture.md is the data: each folder, its library, its
kind and the folders whose headers it may include (those of the libraries it links). A folder may
always include its own headers. Logic and platform folders must not include QtGui, QtWidgets or
QtPrintSupport. Exit status 1 and one line per breach when a rule is broken.

    python3 tools/grenzen.py [WURZEL]
"""
import os
import re
import subprocess
import sys

WURZEL = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
ANFANG, ENDE = "<!-- grenzen:anfang -->", "<!-- grenzen:ende -->"
OHNE_OBERFLAECHE = {"logik", "plattform"}
OBERFLAECHENMODULE = {"QtGui", "QtWidgets", "QtPrintSupport", "QtOpenGL", "QtOpenGLWidgets"}


def tabelle():
    text = open(os.path.join(WURZEL, "docs/architecture.md"), encoding="utf-8").read()
    if ANFANG not in text or ENDE not in text:
        sys.exit("grenzen: the table markers are missing in docs/architecture.md")
    zeilen = text.split(ANFANG, 1)[1].split(ENDE, 1)[0].strip().splitlines()
    ordner = {}
    for zeile in zeilen[2:]:  # head and rule
        zellen = [z.strip().strip("`") for z in zeile.strip().strip("|").split("|")]
        if len(zellen) != 4:
            sys.exit("grenzen: a table row does not have four cells: " + zeile)
        pfad, _bibliothek, art, erlaubt = zellen
        ordner[pfad] = (art, {e.strip("`") for e in erlaubt.replace(",", " ").split() if e not in ("—", "-")})
    return ordner


def qt_kopfverzeichnis():
    try:
        aus = subprocess.run(["qtpaths6", "--query", "QT_INSTALL_HEADERS"], capture_output=True, text=True, check=True)
        return aus.stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        return "/usr/include/x86_64-linux-gnu/qt6"


def qt_modul(kopf, qtwurzel, merker={}):
    if kopf not in merker:
        merker[kopf] = next((m for m in sorted(os.listdir(qtwurzel)) if os.path.isfile(os.path.join(qtwurzel, m, kopf))), None)
    return merker[kopf]


def main():
    ordner = tabelle()
    qtwurzel = qt_kopfverzeichnis()
    eigen = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
    fremd = re.compile(r"^\s*#\s*include\s+<((?:Qt\w+/)?Q\w+)>")
    brueche = []
    quellen = os.path.join(WURZEL, "src")
    for verzeichnis, _unter, dateien in sorted(os.walk(quellen)):
        rel = os.path.relpath(verzeichnis, WURZEL)
        code = [d for d in sorted(dateien) if d.endswith((".cpp", ".h"))]
        if not code:
            continue
        if rel not in ordner:
            brueche.append(f"{rel}: folder missing from the table in docs/architecture.md")
            continue
        art, erlaubt = ordner[rel]
        selbst = os.path.relpath(verzeichnis, quellen)
        for datei in code:
            pfad = os.path.join(rel, datei)
            for nr, zeile in enumerate(open(os.path.join(verzeichnis, datei), encoding="utf-8", errors="replace"), 1):
                if m := eigen.match(zeile):
                    ziel = os.path.dirname(m.group(1))
                    if ziel and ziel != selbst and ziel not in erlaubt:
                        brueche.append(f"{pfad}:{nr}: includes {m.group(1)}; {rel} may include only {', '.join(sorted(erlaubt)) or 'its own headers'}")
                elif art in OHNE_OBERFLAECHE and (m := fremd.match(zeile)):
                    kopf = m.group(1)
                    modul = kopf.split("/")[0] if "/" in kopf else qt_modul(kopf, qtwurzel)
                    if modul in OBERFLAECHENMODULE:
                        brueche.append(f"{pfad}:{nr}: includes <{kopf}> of {modul}; {art} code links Qt Core only")
    for b in brueche:
        print(b)
    if brueche:
        print(f"grenzen: {len(brueche)} breach(es) of the include borders", file=sys.stderr)
        return 1
    print(f"grenzen: {len(ordner)} folders, every include within its borders")
    return 0


if __name__ == "__main__":
    sys.exit(main())
