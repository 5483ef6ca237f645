#!/usr/bin/env python3
"""Redraws the structure pictures of the sample database with Open Babel.

For every row of data/reagents.csv whose StructureImage names a picture, the
SMILES column is drawn to data/<StructureImage> as a 300x220 greyscale PNG,
black bonds on white. All molecules are drawn at one scale (a bond is about
35 pixels), so a small molecule sits small in the middle of the picture
instead of being blown up to fill it; only molecules too large for that
scale are shrunk to fit. Water of crystallisation is left out of the drawing
(the formula on the page already shows it). Pictures no row names any more
are removed. Needs obabel (Debian package openbabel) and convert
(imagemagick); the build does not run this script.

Usage: tools/draw-structures.py [CAS ...]   (no argument: redraw all)
"""
import csv
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DATA = ROOT / "data"
WIDTH, HEIGHT = 300, 220
BOND_PIXELS = 35   # Open Babel lays bonds out 1.0 unit long
MARGIN = 31        # room obabel keeps around the atoms for labels
OBABEL_OPTIONS = [
    "--gen2d",   # SMILES carry no coordinates
    "-xd",       # no molecule name under the drawing
    "-xu",       # black atom labels, as in a printed catalogue
]


def without_water(smiles):
    return ".".join(f for f in smiles.split(".") if f != "O")


def run(command, what):
    result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"{what}: {result.stderr.strip()}")
    return result.stdout


def extent(smiles):
    """Width and height of the 2D layout, in bond lengths."""
    mol = run(["obabel", f"-:{smiles}", "--gen2d", "-omol"], f"no layout for {smiles}")
    lines = mol.splitlines()
    count = int(lines[3][:3])
    xs = [float(line[0:10]) for line in lines[4:4 + count]]
    ys = [float(line[10:20]) for line in lines[4:4 + count]]
    return max(xs) - min(xs), max(ys) - min(ys)


def draw(smiles, target):
    smiles = without_water(smiles)
    dx, dy = extent(smiles)
    width = round(dx * BOND_PIXELS) + 2 * MARGIN
    height = round(dy * BOND_PIXELS) + 2 * MARGIN
    if width > WIDTH or height > HEIGHT:
        width, height = WIDTH, HEIGHT
    target.parent.mkdir(parents=True, exist_ok=True)
    raw = target.with_suffix(".raw.png")
    try:
        run(["obabel", f"-:{smiles}", "-O", str(raw), "-xw", str(width), "-xh", str(height),
             *OBABEL_OPTIONS], f"obabel could not draw {smiles}")
        if not raw.exists() or raw.stat().st_size == 0:
            raise RuntimeError(f"obabel could not draw {smiles}")
        run(["convert", str(raw), "-gravity", "center", "-background", "white",
             "-extent", f"{WIDTH}x{HEIGHT}", "-colorspace", "Gray", "-strip", str(target)],
            f"convert could not pad the picture of {smiles}")
    finally:
        raw.unlink(missing_ok=True)


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
