#!/usr/bin/env python3
"""Random births in the orvanta-cli batch format, for before/after comparisons.

Usage: random_births.py [--places] COUNT [SEED] > births.csv

Covers 1901-2050, every day of the month (impossible dates included, so that
refusals are compared too), all 71 zones by index, both hemispheres, latitudes
to 89 degrees 59 minutes and the daylight-saving tick on and off. With
--places, one row in five instead names an atlas place (the `place` column)
or a tz zone by name for its coordinates (the `tz` column), so that the zone
histories and the atlas are compared too. Compare two
builds with:

    tools/compare/random_births.py 100000 > /tmp/b.csv
    old/orvanta-cli --batch /tmp/b.csv --json > /tmp/old.json 2> /tmp/old.err
    new/orvanta-cli --batch /tmp/b.csv --json > /tmp/new.json 2> /tmp/new.err
    cmp /tmp/old.json /tmp/new.json && cmp /tmp/old.err /tmp/new.err
"""
import random
import sys


PLACES = ["Pune, India", "Kathmandu, Nepal", "Madrid, Spain", "New York, United States",
          "Sydney, Australia", "Reykjavik, Iceland", "Santiago, Chile", "Tokyo, Japan",
          "Cairo, Egypt", "Moscow, Russia", "Honolulu, United States", "London, United Kingdom"]
ZONES = ["Asia/Kolkata", "Europe/Madrid", "America/New_York", "Australia/Sydney",
         "America/Santiago", "Asia/Kathmandu", "Europe/Moscow", "Africa/Cairo",
         "Pacific/Honolulu", "Europe/London", "America/St_Johns", "Asia/Tehran"]


def main() -> None:
    args = sys.argv[1:]
    places = "--places" in args
    args = [a for a in args if a != "--places"]
    count = int(args[0]) if args else 100000
    rng = random.Random(int(args[1]) if len(args) > 1 else 20261208)
    out = sys.stdout
    if places:
        out.write("name,date,time,lat,lon,zone,dst,city,state,country,place,tz\n")
        for i in range(count):
            year = rng.randint(1901, 2050)
            month = rng.randint(1, 12)
            day = rng.randint(1, 28)
            time = f"{rng.randint(0, 23):02d}:{rng.randint(0, 59):02d}:{rng.randint(0, 59):02d}"
            lat = f"{rng.randint(0, 89)}{rng.choice('NS')}{rng.randint(0, 59):02d}"
            lon = f"{rng.randint(0, 179)}{rng.choice('EW')}{rng.randint(0, 59):02d}"
            dst = rng.choice(("0", "1"))
            kind = rng.randint(0, 9)
            if kind == 0:
                place = rng.choice(PLACES)
                out.write(f"B{i},{year}-{month:02d}-{day:02d},{time},,,,{dst},,,,\"{place}\",\n")
            elif kind == 1:
                zone = rng.choice(ZONES)
                out.write(f"B{i},{year}-{month:02d}-{day:02d},{time},{lat},{lon},,{dst},C,S,K,,{zone}\n")
            else:
                zone = rng.randint(0, 70)
                out.write(f"B{i},{year}-{month:02d}-{day:02d},{time},{lat},{lon},{zone},{dst},C,S,K,,\n")
        return
    out.write("name,date,time,lat,lon,zone,dst,city,state,country\n")
    for i in range(count):
        year = rng.randint(1901, 2050)
        month = rng.randint(1, 12)
        day = rng.randint(1, 31)
        time = f"{rng.randint(0, 23):02d}:{rng.randint(0, 59):02d}:{rng.randint(0, 59):02d}"
        lat = f"{rng.randint(0, 89)}{rng.choice('NS')}{rng.randint(0, 59):02d}"
        lon = f"{rng.randint(0, 179)}{rng.choice('EW')}{rng.randint(0, 59):02d}"
        zone = rng.randint(0, 70)
        dst = rng.choice(("0", "1"))
        out.write(f"B{i},{year}-{month:02d}-{day:02d},{time},{lat},{lon},{zone},{dst},C,S,K\n")


if __name__ == "__main__":
    main()
