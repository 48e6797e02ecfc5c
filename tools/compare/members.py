#!/usr/bin/env python3
"""Compares chosen JSON members of two batch outputs, birth by birth.

Usage: members.py BIRTHS.csv OLD.json NEW.json [--max-lat DEG] [--dst 0|1|any]
                  [--members NAME,...]

BIRTHS.csv is the batch input (see random_births.py), OLD.json and NEW.json
are `orvanta-cli --batch BIRTHS.csv --json` of two builds. Only the births
whose latitude lies below --max-lat (default 66.56, the polar circles) and
whose daylight-saving tick matches --dst (default 0) are compared. Each
member is compared as the exact text the program wrote, so equal means
bit-identical. Entries of a list member are named with an index, for example
PositionText[1] (the Moon) or PositionText[9] (the ascendant).

Prints how many births were selected and compared, and for every member how
many differ; exits 1 when any member differs, 0 otherwise.
"""
import argparse
import csv
import json
import re
import sys

# The Moon, the ascendant, the universal time and the Indu Lagna with its
# sign-table row: what must not move when only the planets and the sunrise
# change. (FirstLordSign is left out: it is the sign of the ascendant's lord,
# a planet, and moves with the planets.)
DEFAULT_MEMBERS = [
    "UniversalTime", "JulianDay", "CenturiesT", "AyanCorr",
    "AscendantDeg", "AscendantInt", "AscendantText", "PositionText[9]", "AscSignIndex",
    "MoonTropical", "MoonSidereal", "NakStartDeg", "MoonText", "PositionText[1]",
    "HouseCount", "LagnaSign", "AscKala", "MoonKala", "InduLagnaIndex",
    "Attributes",
]

MEMBER = re.compile(r"^(\w+)(?:\[(\d+)\])?$")


def latitude_deg(text):
    """'51N28' -> 51.4667 (the hemisphere does not matter here)."""
    m = re.match(r"^(\d+)[NS](\d+)$", text)
    return int(m.group(1)) + int(m.group(2)) / 60.0


def read_lines(path):
    """{name: object} with every number kept as the text the program wrote."""
    out = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            obj = json.loads(line, parse_float=str, parse_int=str)
            out[obj["Name"]] = obj
    return out


def member(obj, wanted):
    name, index = MEMBER.match(wanted).groups()
    value = obj.get(name)
    if index is not None and value is not None:
        value = value[int(index)]
    return json.dumps(value, sort_keys=True, ensure_ascii=False)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("births")
    ap.add_argument("old")
    ap.add_argument("new")
    ap.add_argument("--max-lat", type=float, default=66.56)
    ap.add_argument("--dst", choices=("0", "1", "any"), default="0")
    ap.add_argument("--members", default=",".join(DEFAULT_MEMBERS))
    args = ap.parse_args()
    members = args.members.split(",")

    selected = []
    with open(args.births, encoding="utf-8", newline="") as f:
        for row in csv.DictReader(f):
            if latitude_deg(row["lat"]) >= args.max_lat:
                continue
            if args.dst != "any" and row["dst"] != args.dst:
                continue
            selected.append(row["name"])

    old, new = read_lines(args.old), read_lines(args.new)
    compared = 0
    differing = {m: 0 for m in members}
    refused_mismatch = 0
    for name in selected:
        a, b = old.get(name), new.get(name)
        if a is None or b is None:
            # Refused by one build only: a difference in itself.
            refused_mismatch += (a is None) != (b is None)
            continue
        compared += 1
        for m in members:
            if member(a, m) != member(b, m):
                differing[m] += 1
    print("selected %d births (latitude below %.2f deg, tick %s), %d computed by both, "
          "%d refused by one build only" % (len(selected), args.max_lat, args.dst, compared,
                                            refused_mismatch))
    for m in members:
        print("  %-16s %6d differ" % (m, differing[m]))
    sys.exit(1 if refused_mismatch or any(differing.values()) else 0)


if __name__ == "__main__":
    main()
