#!/usr/bin/python3
"""Checks the committed retrograde station tables against the real sky.

On a few hundred dates spread over 1900-2050 the direction in which each
planet moved during the day, taken from an independent ephemeris (PyEphem,
Debian's python3-ephem), must agree with the tables: the planets the tables
call retrograde move backwards in geocentric ecliptic longitude of date, the
others forwards. Days next to a station are left out, since the planet hardly
moves there and two ephemerides may put the turn on either side of midnight,
and so are dates outside a planet's tables (before its first station
retrograde or after its last station direct), where the tables say nothing.

Usage: retrograde_sky_check.py path/to/src/core/engine/stations.cpp
Exit status: 0 all agree, 1 disagreements or PyEphem missing (Debian's
python3-ephem), 2 table unreadable.
"""

import datetime
import random
import re
import sys

DATES = 400  # sample size, spread over 1900-2050
SEED = 19000316  # fixed: the same dates every run
FIRST_DATE = datetime.date(1900, 1, 1)
LAST_DATE = datetime.date(2050, 12, 31)
# Dates within this many days of a station date are not judged.
STATION_MARGIN_DAYS = 1
PLANETS = ["Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"]
ROWS = {"Mercury": 476, "Venus": 95, "Mars": 71, "Jupiter": 139, "Saturn": 146,
        "Uranus": 150, "Neptune": 150, "Pluto": 151}

RECORD = re.compile(r'"(\d+),(\d+),(\d+),(\d+),(\d+),"')


def read_tables(path):
    """{planet: [(start date, end date), ...]} from the generated source."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    tables = {}
    for planet in PLANETS:
        columns = []
        for side in ("Start", "End"):
            m = re.search(r"\b%sRetro%s\s*=\s*\{(.*?)\};" % (planet, side), text, re.S)
            if not m:
                raise ValueError("no table %sRetro%s" % (planet, side))
            columns.append([datetime.date(int(y), int(mo), int(d))
                            for mo, d, y, _h, _mi in RECORD.findall(m.group(1))])
        if not len(columns[0]) == len(columns[1]) == ROWS[planet]:
            raise ValueError("%s: %d and %d rows, %d expected"
                             % (planet, len(columns[0]), len(columns[1]), ROWS[planet]))
        tables[planet] = list(zip(columns[0], columns[1]))
    return tables


def table_says_retrograde(periods, day):
    return any(start < day < end for start, end in periods)


def inside_span(periods, day):
    return periods[0][0] <= day <= periods[-1][1]


def near_station(periods, day):
    return any(abs((station - day).days) <= STATION_MARGIN_DAYS
               for period in periods for station in period)


def longitude_of_date_deg(ephem, body, when):
    """Geocentric ecliptic longitude of date, degrees."""
    body.compute(when, epoch=when)
    return float(ephem.Ecliptic(body, epoch=when).lon) * 180.0 / 3.141592653589793


def daily_motion_deg(ephem, planet, day):
    """Change of longitude from 0h to 24h UT of the day, degrees, in -180..180."""
    body = getattr(ephem, planet)()
    start = ephem.Date(day.strftime("%Y/%m/%d"))
    change = (longitude_of_date_deg(ephem, body, ephem.Date(start + 1))
              - longitude_of_date_deg(ephem, body, start))
    return (change + 180.0) % 360.0 - 180.0


def main(argv):
    if len(argv) != 2:
        print(__doc__)
        return 2
    try:
        import ephem
    except ImportError:
        print("PyEphem is missing: install the Debian package python3-ephem "
              "(tools/install-deps.sh does); the retrograde tables were not "
              "checked against the sky.")
        return 1
    try:
        tables = read_tables(argv[1])
    except (OSError, ValueError) as e:
        print("cannot read the station tables: %s" % e)
        return 2

    rng = random.Random(SEED)
    span = (LAST_DATE - FIRST_DATE).days
    days = sorted(FIRST_DATE + datetime.timedelta(days=rng.randint(0, span))
                  for _ in range(DATES))
    judged = {"retrograde": 0, "direct": 0}
    skipped = 0
    outside = 0
    failures = []
    for day in days:
        for planet in PLANETS:
            periods = tables[planet]
            if not inside_span(periods, day):
                outside += 1
                continue
            if near_station(periods, day):
                skipped += 1
                continue
            retrograde = table_says_retrograde(periods, day)
            motion = daily_motion_deg(ephem, planet, day)
            judged["retrograde" if retrograde else "direct"] += 1
            if (motion < 0.0) != retrograde:
                failures.append("%s %s: tables say %s, sky moves %+.5f deg/day"
                                % (day, planet, "retrograde" if retrograde else "direct",
                                   motion))
    print("PyEphem %s: %d dates 1900-2050, %d planet-days judged (%d retrograde, %d direct), "
          "%d next to a station and %d outside the tables left out, %d disagreements"
          % (ephem.__version__, len(days), judged["retrograde"] + judged["direct"],
             judged["retrograde"], judged["direct"], skipped, outside, len(failures)))
    for line in failures:
        print("  " + line)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
