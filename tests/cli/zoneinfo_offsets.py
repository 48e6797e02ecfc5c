#!/usr/bin/env python3
"""The clock offset orvanta-cli resolves for 3,000 births in atlas cities,
compared with Python's zoneinfo on the same tz database.

A fixed sample (seeded): random cities of the generated atlas index, each
chosen by its number ("#id"), random local times 1901-2035, and 300 more in
the cities whose clocks the tz database leaves out (Mumbai, Kolkata and
their neighbours) and in Nepal before its standard time of 1920. Every birth
the program computes must carry zoneinfo's offset to the second, except for
the documented differences, each checked to the second:
- where zoneinfo gives LMT (the mean time of the zone's own city), the
  local mean time of the birth's own longitude to the minute of arc, four
  seconds of clock per minute of arc east;
- inside a city time's area and period, where zoneinfo gives the zone's
  standard time, the city's clock (the table of src/core/tz/city_times.cpp,
  repeated below).
Every birth it refuses must be a local time that zoneinfo reads two ways
(skipped or doubled), and the refusal must say so. The program's clock is
read from the record's Clock text ("UTC+5:35:52").

Usage: zoneinfo_offsets.py ORVANTA_CLI PLACES_INDEX
"""
import json
import math
import random
import re
import subprocess
import sys
from datetime import datetime, timedelta
from zoneinfo import ZoneInfo

BIRTHS = 3000
CITY_TIME_BIRTHS = 300
SEED = 20261208

# The city clocks of src/core/tz/city_times.cpp: name, tz zone, centre
# (degrees north, east), radius in km, offset in seconds, first year, the
# year it ended (1 January, local clock).
CITY_TIMES = [
    ("Bombay Time", "Asia/Kolkata", 18.9333, 72.8333, 30.0, 4 * 3600 + 51 * 60, 1884, 1955),
    ("Calcutta Time", "Asia/Kolkata", 22.5667, 88.3667, 30.0, 5 * 3600 + 53 * 60 + 20, 1884, 1948),
]
# Cities in or near the city times' areas, and Nepal's before 1920.
SPECIAL_CITIES = {"Mumbai", "Kolkata", "Howrah", "Thane", "Navi Mumbai", "Pokhara", "Kathmandu",
                  "Pune", "Bhaktapur", "Biratnagar"}
EARTH_RADIUS_KM = 6371.0


def atlas_cities(index_path):
    cities = []
    with open(index_path, encoding="utf-8") as index:
        next(index)  # header
        count = int(next(index).split()[0])  # the contents: the city lines come first
        for _ in range(count):
            f = next(index).split("\t")
            cities.append((f[0], f[4], float(f[5]), float(f[6])))
    return cities


def to_minute(degrees):
    """Degrees to whole minutes of arc, halves away from zero (the chart's)."""
    minutes = math.floor(abs(degrees) * 60 + 0.5)
    return minutes if degrees >= 0 else -minutes


def distance_km(lat1, lon1, lat2, lon2):
    d_lat = math.radians(lat2 - lat1)
    d_lon = math.radians(lon2 - lon1)
    a = (math.sin(d_lat / 2) ** 2 +
         math.cos(math.radians(lat1)) * math.cos(math.radians(lat2)) * math.sin(d_lon / 2) ** 2)
    return 2 * EARTH_RADIUS_KM * math.asin(math.sqrt(min(1.0, a)))


def expected_offset(zone, lat, lon, local, zoneinfo_offset):
    """The birth's documented clock: a city time, local mean time or zoneinfo's."""
    tz = local.replace(tzinfo=ZoneInfo(zone))
    lat_m, lon_m = to_minute(lat), to_minute(lon)
    if tz.dst() == timedelta(0):
        for _, city_zone, c_lat, c_lon, radius, offset, first, until in CITY_TIMES:
            if (city_zone == zone and datetime(first, 1, 1) <= local < datetime(until, 1, 1) and
                    distance_km(lat_m / 60, lon_m / 60, c_lat, c_lon) <= radius):
                return offset
    if tz.tzname() == "LMT":
        return lon_m * 4
    return zoneinfo_offset


def clock_seconds(text):
    """The offset of a Clock text's "UTC+5:35:52", in seconds east."""
    match = re.search(r"UTC([+-])(\d+):(\d\d)(?::(\d\d))?", text)
    if not match:
        return None
    seconds = int(match.group(2)) * 3600 + int(match.group(3)) * 60 + int(match.group(4) or 0)
    return seconds if match.group(1) == "+" else -seconds


def main():
    cli, index_path = sys.argv[1], sys.argv[2]
    cities = atlas_cities(index_path)
    special = [i for i, c in enumerate(cities) if c[0] in SPECIAL_CITIES]
    rng = random.Random(SEED)
    births = []
    rows = ["Place,Name,Date,Time"]
    for k in range(BIRTHS + CITY_TIME_BIRTHS):
        if k < BIRTHS:
            row = rng.randrange(len(cities))
            local = datetime(rng.randint(1901, 2035), rng.randint(1, 12), rng.randint(1, 28),
                             rng.randint(0, 23), rng.randint(0, 59))
        else:
            row = special[rng.randrange(len(special))]
            local = datetime(rng.randint(1901, 1960), rng.randint(1, 12), rng.randint(1, 28),
                             rng.randint(0, 23), rng.randint(0, 59))
        births.append((cities[row], local))
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
    documented = 0
    for k, ((name, zone, lat, lon), local) in enumerate(births):
        first = local.replace(tzinfo=ZoneInfo(zone), fold=0).utcoffset().total_seconds()
        second = local.replace(tzinfo=ZoneInfo(zone), fold=1).utcoffset().total_seconds()
        if k in computed:
            tz_reading = computed[k].get("ZoneResolved", {}).get("OffsetSeconds")
            got = clock_seconds(computed[k].get("Clock", {}).get("Text", ""))
            want = expected_offset(zone, lat, lon, local, first)
            if want != first:
                documented += 1
            if first != second or tz_reading != first or got != want:
                wrong += 1
                print(f"R{k} {name} {zone} {local}: zoneinfo {first}/{second}, "
                      f"expected {want}, program {got} (tz reading {tz_reading})")
        elif k in refused:
            if first == second or not ("happened twice" in refused[k] or
                                       "did not exist" in refused[k]):
                wrong += 1
                print(f"R{k} {zone} {local}: refused: {refused[k]}")
        else:
            wrong += 1
            print(f"R{k} {zone} {local}: neither computed nor refused")
    print(f"{len(computed)} computed, {len(refused)} refused as skipped or doubled, "
          f"{documented} on a city time or local mean time, {wrong} wrong")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
