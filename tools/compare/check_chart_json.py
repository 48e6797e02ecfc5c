#!/usr/bin/env python3
"""Checks orvanta-cli --json output against docs/chart.schema.json.

Usage: check_chart_json.py SCHEMA < lines.json

Every line must validate against the schema (JSON Schema 2020-12, with
python3-jsonschema), and every position's text must agree with its
longitude to the minute: the whole degrees and minutes of the longitude
within its sign, worked out here from the number alone; its navamsa sign
must be the ninth of a sign (3 deg 20 min) it stands in, counted from
Aries; and the Navamsa's Indu Lagna must be the count of the kala values
from the navamsa signs of the ascendant and the Moon. Prints a summary and
exits 1 on the first few faults.
"""
import json
import math
import sys

try:
    import jsonschema
except ImportError:
    print("jsonschema is missing: install the Debian package python3-jsonschema "
          "(tools/install-deps.sh does)")
    sys.exit(1)

ABBR = ["Ari", "Tau", "Gem", "Can", "Leo", "Vir", "Lib", "Sco", "Sag", "Cap", "Aqu", "Pis"]
SIGNS = ["Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo", "Libra", "Scorpio",
         "Sagittarius", "Capricorn", "Aquarius", "Pisces"]

# Kala of the lord of the ninth sign from each sign, Aries first, Venus 10
# (this program's rule) and Venus 12 (the textbooks').
KALA = {"from-ascendant-venus-10": [10, 1, 1, 10, 6, 10, 8, 16, 30, 8, 10, 6]}
KALA["from-moon-venus-12"] = [12 if k == 10 and SIGNS[(i + 8) % 12] in ("Taurus", "Libra")
                              else k for i, k in enumerate(KALA["from-ascendant-venus-10"])]


def navamsa_of(lon):
    """The navamsa sign of a longitude: floor(lon / (10/3)) mod 12."""
    return SIGNS[math.floor(lon * 3 / 10) % 12]


def navamsa_indu_lagna(record):
    """The Navamsa's Indu Lagna, counted here from the navamsa signs."""
    rule = record["induLagna"]["rule"]
    asc = SIGNS.index(record["ascendant"]["navamsaSign"])
    moon = SIGNS.index(record["bodies"][1]["navamsaSign"])
    remainder = (KALA[rule][asc] + KALA[rule][moon]) % 12
    start = asc if rule == "from-ascendant-venus-10" else moon
    return SIGNS[(start + (remainder or 12) - 1) % 12]


def position_fault(p):
    lon = abs(p["longitudeDeg"])
    if lon >= 360:
        return None if p["sign"] is None else "a sign beyond 360"
    whole = math.floor(lon)
    sign = whole // 30
    degrees = whole - 30 * sign
    minutes = math.floor(60 * (lon - whole))
    expected = f"{degrees:02d} {ABBR[sign]} {minutes:02d}"
    if p["text"] != expected:
        return f"text {p['text']!r}, longitude {p['longitudeDeg']!r} gives {expected!r}"
    if p["sign"] != SIGNS[sign] or p["degrees"] != degrees or p["minutes"] != minutes:
        return f"numbers disagree with longitude {p['longitudeDeg']!r}"
    if p["navamsaSign"] != navamsa_of(lon):
        return f"navamsa {p['navamsaSign']!r}, longitude {p['longitudeDeg']!r} gives {navamsa_of(lon)!r}"
    return None


def main():
    schema = json.load(open(sys.argv[1], encoding="utf-8"))
    validator = jsonschema.Draft202012Validator(schema)
    charts = refusals = faults = 0
    for number, line in enumerate(sys.stdin, 1):
        record = json.loads(line)
        errors = list(validator.iter_errors(record))
        problems = []
        if errors:
            best = jsonschema.exceptions.best_match(errors)
            problems.append("/".join(str(p) for p in best.absolute_path) + ": " + best.message[:200])
        if record.get("valid"):
            charts += 1
            positions = record["bodies"] + [record["ascendant"]]
            if record["sunrise"]["sunAtSunrise"] is not None:
                positions.append(record["sunrise"]["sunAtSunrise"])
            for p in positions:
                fault = position_fault(p)
                if fault:
                    problems.append(p["name"] + ": " + fault)
            if record["induLagna"] is not None:
                expected = navamsa_indu_lagna(record)
                got = (record["navamsaInduLagna"] or {}).get("sign")
                if got != expected:
                    problems.append(f"navamsaInduLagna {got!r}, the count gives {expected!r}")
        else:
            refusals += 1
        if problems:
            faults += 1
            print(f"line {number}: " + "; ".join(problems))
            if faults >= 10:
                break
    print(f"{charts} charts, {refusals} refusals, {faults} faults")
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
