#!/usr/bin/env python3
"""The clock offset orvanta-cli resolves for 3,000 births in atlas cities,
compared with Python's zoneinfo on the same tz database.

A fixed sample (seeded): random cities of the generated atlas index, each
chosen by its number ("#id"), random local times 1901-2035. Every birth the
program computes must carry zoneinfo's offset to the second; every birth it
refuses must be a local time that zoneinfo reads two ways (skipped or
doubled), and the refusal must say so.

Usage: zoneinfo_offsets.py ORVANTA_CLI PLACES_INDEX
"""
import json
import random
import re
import subprocess
import sys
from datetime import datetime
from zoneinfo import ZoneInfo

BIRTHS = 3000
SEED = 20261208


def atlas_zones(index_path):
    zones = []
    with open(index_path, encoding="utf-8") as index:
        next(index)  # header
        cities = int(next(index).split()[0])  # the contents: the city lines come first
        for _ in range(cities):
            zones.append(next(index).split("\t")[4])
    return zones


def main():
    cli, index_path = sys.argv[1], sys.argv[2]
    zones = atlas_zones(index_path)
    rng = random.Random(SEED)
    births = []
    rows = ["Place,Name,Date,Time"]
    for k in range(BIRTHS):
        row = rng.randrange(len(zones))
        local = datetime(rng.randint(1901, 2035), rng.randint(1, 12), rng.randint(1, 28),
                         rng.randint(0, 23), rng.randint(0, 59))
        births.append((zones[row], local))
        rows.append(f"#{row + 1},R{k},{local:%Y-%m-%d},{local:%H:%M}")
    run = subprocess.run([cli, "--batch", "-", "--json-record"], input="\n".join(rows) + "\n",
                         capture_output=True, text=True, check=False)
    computed = {}
    for line in run.stdout.splitlines():
        record = json.loads(line)
        computed[int(record["Name"][1:])] = record
    refused = {}
    for line in run.stderr.splitlines():
        match = re.match(r"orvanta-cli: line (\d+): (.*)", line)
        if match:
            refused[int(match.group(1)) - 2] = match.group(2)

    wrong = 0
    for k, (zone, local) in enumerate(births):
        first = local.replace(tzinfo=ZoneInfo(zone), fold=0).utcoffset().total_seconds()
        second = local.replace(tzinfo=ZoneInfo(zone), fold=1).utcoffset().total_seconds()
        if k in computed:
            got = computed[k].get("ZoneResolved", {}).get("OffsetSeconds")
            if first != second or got != first:
                wrong += 1
                print(f"R{k} {zone} {local}: zoneinfo {first}/{second}, program {got}")
        elif k in refused:
            if first == second or not ("happened twice" in refused[k] or
                                       "did not exist" in refused[k]):
                wrong += 1
                print(f"R{k} {zone} {local}: refused: {refused[k]}")
        else:
            wrong += 1
            print(f"R{k} {zone} {local}: neither computed nor refused")
    print(f"{len(computed)} computed, {len(refused)} refused as skipped or doubled, "
          f"{wrong} wrong")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
