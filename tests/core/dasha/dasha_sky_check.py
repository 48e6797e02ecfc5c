#!/usr/bin/python3
"""Checks the Vimshottari periods against an independent ephemeris's Moon.

The program's numbers come from the helper program dasha_values (built with
the tests): for each birth its sidereal Moon under the Lahiri ayanamsa, its
Universal Time and the start of the second mahadasha (Julian year). The sky
comes from PyEphem (Debian's python3-ephem), a modern ephemeris: its
apparent geocentric Moon of the date at the same instant, made sidereal
with the same Lahiri ayanamsa (the program's mean value plus the nutation,
since the ephemeris's longitude is apparent). The periods are then counted
again here, by the rule on its own (the lord of the nakshatra, the part of
its 13 deg 20' still to run times its years), from the ephemeris's Moon.

Both sides share the instant, the ayanamsa and the rule; the only thing
that differs is the Moon. So the script also checks that the rule counted
here from the program's own Moon gives the program's date to the second,
and that every difference in days equals the Moon's difference in arc
times the first lord's years over 800' (the rate at which a balance runs):
the residual of that relation is printed and bounded.

Where the two Moons lie on either side of a nakshatra's end, the program's
second mahadasha is the ephemeris's first: the same boundary is compared
(the start of the mahadasha of the same lord), and the relation is checked
on the other births.

Bounds over BIRTHS births 1901-2050: median difference at most 5 days,
largest at most 30 days. Usage: dasha_sky_check.py path/to/dasha_values
Exit status: 0 within bounds, 1 a bound broken or PyEphem missing, 2 the
helper failed.
"""

import math
import random
import statistics
import subprocess
import sys

SEED = 33  # fixed: the same births every run
BIRTHS = 2000
FIRST_YEAR, LAST_YEAR = 1901, 2050
MEDIAN_DAYS = 5.0
MAX_DAYS = 30.0
# The rule counted here against the program's, from the same Moon: only the
# rounding of each to the second.
RULE_SECONDS = 2.0
# The day difference against the Moon's arc difference times the rate:
# rounding to the second on both sides (a small fraction of a day).
RELATION_DAYS = 0.001

YEARS = [7, 20, 6, 10, 7, 18, 16, 19, 17]  # Ketu .. Mercury
NAMES = ["Ketu", "Venus", "Sun", "Moon", "Mars", "Rahu", "Jupiter", "Saturn", "Mercury"]
YEAR_S = 365.25 * 86400.0
DUBLIN_JD = 2415020.0  # PyEphem counts days from this Julian date
UNIX_JD = 2440587.5


def days_in_month(year, month):
    if month == 2:
        return 29 if year % 4 == 0 and (year % 100 != 0 or year % 400 == 0) else 28
    return 30 if month in (4, 6, 9, 11) else 31


def mahadasha_starts(moon_deg, birth_s):
    """Lord and start (unix seconds) of the nine mahadashas, by the rule."""
    nak = min(int(math.floor(moon_deg * 60.0 / 800.0)), 26)
    first = nak % 9
    elapsed = (moon_deg * 60.0 - 800.0 * nak) / 800.0
    start = birth_s - elapsed * YEARS[first] * YEAR_S
    out = []
    for i in range(9):
        lord = (first + i) % 9
        out.append((lord, start))
        start += YEARS[lord] * YEAR_S
    return out


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: dasha_sky_check.py path/to/dasha_values\n")
        return 2
    try:
        import ephem
    except ImportError:
        sys.stderr.write("dasha_sky_check: PyEphem is missing (Debian's python3-ephem)\n")
        return 1
    rng = random.Random(SEED)
    rows = []
    for _ in range(BIRTHS):
        year = rng.randint(FIRST_YEAR, LAST_YEAR)
        month = rng.randint(1, 12)
        lon = rng.randint(0, 179)
        east = rng.randint(0, 1)
        shift = -int(round((lon if east else -lon) / 15.0))
        rows.append((year, month, rng.randint(1, days_in_month(year, month)), rng.randint(0, 23),
                     rng.randint(0, 59), rng.randint(0, 59), lon, rng.randint(0, 59), east,
                     shift, 0, rng.randint(0, 1)))
    text = "".join(" ".join(str(v) for v in row) + "\n" for row in rows)
    done = subprocess.run([sys.argv[1]], input=text, capture_output=True, text=True, check=False)
    if done.returncode != 0:
        sys.stderr.write(done.stderr)
        return 2
    values = [line.split() for line in done.stdout.splitlines()]
    if len(values) != len(rows):
        sys.stderr.write("dasha_values gave %d lines for %d births\n" % (len(values), len(rows)))
        return 2

    diffs_days, moon_arcmin, relation, rule_s = [], [], [], []
    crossings = 0
    for v in values:
        birth_s, moon, lahiri, nutation = int(v[0]), float(v[1]), float(v[2]), float(v[3])
        first, second, second_s = int(v[4]), int(v[5]), int(v[6])
        # The rule here from the program's Moon: the program's date.
        own = mahadasha_starts(moon, birth_s)
        rule_s.append(abs(own[1][1] - second_s))
        # The ephemeris's Moon, apparent of the date, less the true Lahiri.
        date = ephem.Date(birth_s / 86400.0 + UNIX_JD - DUBLIN_JD)
        body = ephem.Moon()
        body.compute(date, epoch=date)
        eq = ephem.Equatorial(body.g_ra, body.g_dec, epoch=date)
        apparent = math.degrees(float(ephem.Ecliptic(eq, epoch=date).lon))
        sky = (apparent - nutation - lahiri) % 360.0
        starts = mahadasha_starts(sky, birth_s)
        same = [s for lord, s in starts[:2] if lord == second]
        straddles = starts[1][0] != second
        crossings += straddles
        sky_second = min(same, key=lambda s: abs(s - second_s))
        d_days = (second_s - sky_second) / 86400.0
        d_arcmin = ((moon - sky + 180.0) % 360.0 - 180.0) * 60.0
        diffs_days.append(abs(d_days))
        moon_arcmin.append(abs(d_arcmin))
        # A Moon further on leaves less of the first lord: an earlier date.
        # (Across a nakshatra's end each side runs at its own lord's rate.)
        if not straddles:
            predicted = -d_arcmin / 800.0 * YEARS[first] * 365.25
            relation.append(abs(d_days - predicted))

    median, largest = statistics.median(diffs_days), max(diffs_days)
    print("Start of the second mahadasha, %d births %d-%d, Lahiri ayanamsa, Julian year"
          % (BIRTHS, FIRST_YEAR, LAST_YEAR))
    print("  program minus ephemeris (days):  median %.3f  largest %.3f  mean %.3f"
          % (median, largest, statistics.mean(diffs_days)))
    print("  the Moon, program minus ephemeris (arcmin):  median %.3f  largest %.3f"
          % (statistics.median(moon_arcmin), max(moon_arcmin)))
    print("  days against the Moon's arc x years / 800': largest residual %.6f days"
          % max(relation))
    print("  the rule here against the program, same Moon: largest %.1f s" % max(rule_s))
    print("  births whose Moons straddle a nakshatra's end: %d (the same boundary compared)"
          % crossings)
    ok = True
    if median > MEDIAN_DAYS or largest > MAX_DAYS:
        print("FAILS: median <= %g days, largest <= %g days" % (MEDIAN_DAYS, MAX_DAYS))
        ok = False
    if max(relation) > RELATION_DAYS:
        print("FAILS: the difference is not the Moon's alone (residual <= %g days)"
              % RELATION_DAYS)
        ok = False
    if max(rule_s) > RULE_SECONDS:
        print("FAILS: the rule here and the program's differ (<= %g s)" % RULE_SECONDS)
        ok = False
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
