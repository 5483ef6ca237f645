#!/usr/bin/env python3
"""Redraws the structure pictures of the sample database with Open Babel.

For every row of data/reagents.csv whose StructureImage names a picture, the
SMILES column is drawn to data/<StructureImage> as a 300x220 PNG, black
bonds on white. Water of crystallisation is left out of the drawing (the
formula on the page already shows it). Pictures no row names any more are
removed. Needs obabel (Debian package openbabel); the build does not run it.

Usage: tools/draw-structures.py [CAS ...]   (no argument: redraw all)
"""
import csv
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DATA = ROOT / "data"
OBABEL_OPTIONS = [
    "--gen2d",   # SMILES carry no coordinates
    "-xw", "300", "-xh", "220",
    "-xd",       # no molecule name under the drawing
    "-xu",       # black atom labels, as in a printed catalogue
]


def without_water(smiles):
    return ".".join(f for f in smiles.split(".") if f != "O")


def draw(smiles, target):
    target.parent.mkdir(parents=True, exist_ok=True)
    result = subprocess.run(
        ["obabel", f"-:{without_water(smiles)}", "-O", str(target), *OBABEL_OPTIONS],
        capture_output=True, text=True)
    if result.returncode != 0 or not target.exists() or target.stat().st_size == 0:
        raise RuntimeError(f"obabel could not draw {smiles}: {result.stderr.strip()}")


def main(only):
    with (DATA / "reagents.csv").open(encoding="utf-8", newline="") as f:
        rows = [r for r in csv.DictReader(f) if r["StructureImage"]]
    wanted = {DATA / r["StructureImage"] for r in rows}
    drawn = 0
    for row in rows:
        if only and row["CasNumber"] not in only:
            continue
        draw(row["SMILES"], DATA / row["StructureImage"])
        drawn += 1
    stale = [p for p in (DATA / "structures").glob("*.png") if p not in wanted]
    for p in stale:
        p.unlink()
    print(f"drew {drawn} pictures, removed {len(stale)} no longer named")


if __name__ == "__main__":
    try:
        main(set(sys.argv[1:]))
    except RuntimeError as e:
        sys.exit(f"draw-structures: {e}")
