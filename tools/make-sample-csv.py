#!/usr/bin/env python3
"""Builds data/reagents.csv from the hand-written tables in data/source/*.txt.

Each table line describes one reagent as 18 fields separated by "|":

  name|english|alias|cas|formula|purity|storage|flash|boil|melt|rotation|
  vapour|solubility|toxicity|appearance|use|remarks|smiles

Short forms keep the tables readable and the catalogue wording uniform:
  purity    "AR 99.5" -> "分析纯(AR)，≥99.5%" (also GR, CP, BR, HPLC; "PT" and
            "IND" stand alone); anything else is taken as written
  storage   one of the codes in STORAGE, or free text
  flash/boil/melt  a bare number or range gets "℃" ("78.3", "166～168",
            "233(分解)" -> "233℃(分解)"); anything else is taken as written
  vapour    "5.33@19" -> "5.33kPa(19℃)"
  toxicity  "r7060;text" -> "LD50：7060mg/kg(大鼠经口)；text"
  remarks   "d0.789;text" -> "相对密度：0.789；text"
  formula   plain ("CuSO4.5H2O"); the CSV gets the "<sub>" markers and the
            molecular weight is computed from it
  smiles    a leading "!" keeps the SMILES but asks for no picture (for
            molecules Open Babel draws misleadingly, such as linear HgCl2)

The script checks every row (CAS check digit, formula against the SMILES
column, GBK encodability, duplicate names) and stops on the first table
error. Only the committed CSV is needed to build the database.
"""
import csv
import re
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SOURCE = ROOT / "data" / "source"
OUTPUT = ROOT / "data" / "reagents.csv"

# Standard atomic weights (IUPAC, conventional values).
ATOMIC_WEIGHT = {
    "H": 1.008, "Li": 6.94, "B": 10.81, "C": 12.011, "N": 14.007, "O": 15.999,
    "F": 18.998, "Na": 22.990, "Mg": 24.305, "Al": 26.982, "Si": 28.085,
    "P": 30.974, "S": 32.06, "Cl": 35.45, "K": 39.098, "Ca": 40.078,
    "Ti": 47.867, "Cr": 51.996, "Mn": 54.938, "Fe": 55.845, "Co": 58.933,
    "Ni": 58.693, "Cu": 63.546, "Zn": 65.38, "As": 74.922, "Se": 78.971,
    "Br": 79.904, "Sr": 87.62, "Mo": 95.95, "Ag": 107.868, "Cd": 112.414,
    "Sn": 118.710, "I": 126.904, "Ba": 137.327, "Ce": 140.116, "W": 183.84,
    "Hg": 200.592, "Pb": 207.2, "Bi": 208.980,
}

STORAGE = {
    "F": "密封，储存于阴凉、通风的库房，远离火种、热源",
    "G": "密封，阴凉干燥处保存",
    "H": "密封，干燥处保存，防止受潮",
    "L": "避光，密封，阴凉干燥处保存",
    "C": "2～8℃冷藏，密封保存",
    "LC": "避光，2～8℃冷藏，密封保存",
    "O": "密封，阴凉干燥处保存，与还原剂、易燃物及有机物分开存放",
    "A": "密封，阴凉通风处保存，与碱类、金属粉末及易燃物分开存放",
    "B": "密封，防潮，与酸类分开存放",
    "W": "充惰性气体密封，储存于干燥处，远离水源、火种",
    "T": "剧毒品，密封，专柜双人双锁保存",
}

GRADE = {
    "AR": "分析纯(AR)", "GR": "优级纯(GR)", "CP": "化学纯(CP)",
    "BR": "生化试剂(BR)", "HPLC": "色谱纯(HPLC)",
}

COLUMNS = [
    "ChineseName", "EnglishName", "Alias", "CasNumber", "MolecularWeight",
    "Formula", "Purity", "Storage", "FlashPoint", "BoilingPoint",
    "MeltingPoint", "SpecificRotation", "VapourPressure", "Solubility",
    "Toxicity", "Appearance", "Remarks", "Use", "StructureImage", "Vendor",
    "SMILES",
]


class TableError(Exception):
    pass


def parse_formula(text):
    """Returns {element: count} for a formula such as "K3[Fe(CN)6]" or
    "CuSO4.5H2O" (a number after "." multiplies the part it leads)."""
    total = {}
    for part in text.split("."):
        m = re.match(r"(\d*)(.*)", part)
        factor = int(m.group(1)) if m.group(1) else 1
        for el, n in parse_group(m.group(2)).items():
            total[el] = total.get(el, 0) + n * factor
    return total


def parse_group(text):
    stack = [{}]
    i = 0
    while i < len(text):
        c = text[i]
        if c in "([":
            stack.append({})
            i += 1
        elif c in ")]":
            i += 1
            m = re.match(r"\d*", text[i:])
            n = int(m.group(0)) if m.group(0) else 1
            i += len(m.group(0))
            group = stack.pop()
            for el, k in group.items():
                stack[-1][el] = stack[-1].get(el, 0) + k * n
        else:
            m = re.match(r"([A-Z][a-z]?)(\d*)", text[i:])
            if not m or m.group(1) not in ATOMIC_WEIGHT:
                raise TableError(f"formula {text!r}: cannot read {text[i:]!r}")
            n = int(m.group(2)) if m.group(2) else 1
            stack[-1][m.group(1)] = stack[-1].get(m.group(1), 0) + n
            i += len(m.group(0))
    if len(stack) != 1:
        raise TableError(f"formula {text!r}: unbalanced brackets")
    return stack[0]


def formula_weight(text):
    return sum(ATOMIC_WEIGHT[el] * n for el, n in parse_formula(text).items())


def mark_subscripts(text):
    # A digit run right after "." is the hydrate multiplier and stays full size.
    return re.sub(r"(?<![.\d])(\d+)", r"<sub>\1</sub>", text)


def cas_valid(cas):
    m = re.fullmatch(r"(\d{2,7})-(\d{2})-(\d)", cas)
    if not m:
        return False
    digits = (m.group(1) + m.group(2))[::-1]
    return sum((i + 1) * int(d) for i, d in enumerate(digits)) % 10 == int(m.group(3))


def expand_purity(text):
    if text == "PT":
        return "基准试剂(PT)，99.95%～100.05%"
    if text == "IND":
        return "指示剂(IND)"
    m = re.fullmatch(r"(AR|GR|CP|BR|HPLC)(?: ([\d.]+))?", text)
    if m:
        grade = GRADE[m.group(1)]
        return f"{grade}，≥{m.group(2)}%" if m.group(2) else grade
    return text


def expand_temperature(text):
    m = re.fullmatch(r"([>约]?-?[\d.]+(?:～-?[\d.]+)?)(\(.*\))?", text)
    if m:
        return m.group(1) + "℃" + (m.group(2) or "")
    return text


def expand_vapour(text):
    m = re.fullmatch(r"([\d.]+)@(-?[\d.]+)", text)
    if m:
        return f"{m.group(1)}kPa({m.group(2)}℃)"
    return text


def expand_toxicity(text):
    head, sep, rest = text.partition(";")
    m = re.fullmatch(r"r([\d.]+)", head)
    if m:
        head = f"LD50：{m.group(1)}mg/kg(大鼠经口)"
        return head + ("；" + rest if sep else "")
    return text.replace(";", "；")


def expand_remarks(text):
    head, sep, rest = text.partition(";")
    m = re.fullmatch(r"d([\d.]+)", head)
    if m:
        head = f"相对密度：{m.group(1)}"
        return head + ("；" + rest if sep else "")
    return text.replace(";", "；")


def smiles_formula(smiles):
    out = subprocess.run(
        ["obabel", f"-:{smiles}", "-h", "-otxt", "--append", "formula"],
        capture_output=True, text=True, check=True).stdout.strip()
    return out


def hill_counts(formula):
    counts = {}
    for el, n in re.findall(r"([A-Z][a-z]?)(\d*)", formula):
        counts[el] = counts.get(el, 0) + (int(n) if n else 1)
    return counts


def drawable(smiles):
    """A picture helps when, water of crystallisation aside, some fragment
    has two or more atoms (a bond to draw); single ions are left out."""
    atom = r"\[[^\]]+\]|Br|Cl|[BCNOPSFIbcnops]"
    for frag in smiles.split("."):
        if frag == "O":
            continue
        if len(re.findall(atom, frag)) >= 2:
            return True
    return False


def picture_name(cas):
    return f"structures/{cas}.png"


def build_row(fields, where):
    (name, english, alias, cas, formula, purity, storage, flash, boil, melt,
     rotation, vapour, solubility, toxicity, appearance, use, remarks,
     smiles) = fields
    want_picture = not smiles.startswith("!")
    smiles = smiles.lstrip("!")
    if not cas_valid(cas):
        raise TableError(f"{where}: {name}: bad CAS number {cas}")
    weight = formula_weight(formula)
    if smiles:
        want = parse_formula(formula)
        got = hill_counts(smiles_formula(smiles))
        if want != got:
            raise TableError(f"{where}: {name}: formula {formula} {want} "
                             f"but SMILES gives {got}")
    row = {
        "ChineseName": name,
        "EnglishName": english,
        "Alias": alias.replace(";", "；"),
        "CasNumber": cas,
        "MolecularWeight": f"{weight:.2f}",
        "Formula": mark_subscripts(formula),
        "Purity": expand_purity(purity),
        "Storage": STORAGE.get(storage, storage),
        "FlashPoint": expand_temperature(flash),
        "BoilingPoint": expand_temperature(boil),
        "MeltingPoint": expand_temperature(melt),
        "SpecificRotation": rotation,
        "VapourPressure": expand_vapour(vapour),
        "Solubility": solubility,
        "Toxicity": expand_toxicity(toxicity),
        "Appearance": appearance,
        "Remarks": expand_remarks(remarks),
        "Use": use,
        "StructureImage": (picture_name(cas)
                           if want_picture and smiles and drawable(smiles) else ""),
        "Vendor": "",
        "SMILES": smiles,
    }
    for key, value in row.items():
        try:
            value.encode("gbk")
        except UnicodeEncodeError as e:
            raise TableError(f"{where}: {name}: {key} has {value[e.start]!r}, "
                             "which code page 936 cannot hold")
    return row


def main():
    rows, names, numbers = [], set(), set()
    for table in sorted(SOURCE.glob("*.txt")):
        for lineno, line in enumerate(table.read_text("utf-8").splitlines(), 1):
            if not line.strip() or line.startswith("#"):
                continue
            where = f"{table.name}:{lineno}"
            fields = [f.strip() for f in line.split("|")]
            if len(fields) != 18:
                raise TableError(f"{where}: {len(fields)} fields, want 18")
            row = build_row(fields, where)
            if row["ChineseName"] in names:
                raise TableError(f"{where}: duplicate name {row['ChineseName']}")
            if row["CasNumber"] in numbers:
                raise TableError(f"{where}: duplicate CAS {row['CasNumber']}")
            names.add(row["ChineseName"])
            numbers.add(row["CasNumber"])
            rows.append(row)
    with OUTPUT.open("w", encoding="utf-8", newline="") as f:
        writer = csv.DictWriter(f, fieldnames=COLUMNS, lineterminator="\r\n")
        writer.writeheader()
        writer.writerows(rows)
    pictures = sum(1 for r in rows if r["StructureImage"])
    print(f"{OUTPUT.relative_to(ROOT)}: {len(rows)} reagents, {pictures} with a picture")


if __name__ == "__main__":
    try:
        main()
    except TableError as e:
        sys.exit(f"make-sample-csv: {e}")
