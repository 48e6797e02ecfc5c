#!/usr/bin/env python3
"""Checks orvanta-cli --json output against docs/chart.schema.json.

Usage: check_chart_json.py SCHEMA < lines.json

Every line must validate against the schema (JSON Schema 2020-12, with
python3-jsonschema), and every position's text must agree with its
longitude to the minute: the whole degrees and minutes of the longitude
within its sign, worked out here from the number alone. Prints a summary
and exits 1 on the first few faults.
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
