#!/usr/bin/python3
"""Checks the Hora, Ghati and Bhava Lagnas against an independent sunrise and Sun.

The program's numbers come from the helper program wealth_values (built with
the tests): for each birth the last sunrise before it by the program's own
method, the Sun's sidereal longitude then (Lahiri ayanamsa), and the three
lagnas moving from it at 0.5, 1.25 and 0.25 degrees per minute. The sky
comes from two outside programs: the sunrise from PyEphem (Debian's
python3-ephem; the Sun's upper limb on the horizon with the standard 34'
of refraction, at sea level), the Sun's apparent longitude at that instant
from the Swiss Ephemeris (Debian's swetest, its built-in analytical
ephemeris), made sidereal with the program's own Lahiri ayanamsa and
nutation so that the ayanamsa is not what is compared. The lagnas are then
counted again here, by their definitions, from that sunrise and that Sun.

The program's sunrise is an almanac formula to the whole minute, so the
two sunrises differ by a minute or so, and a lagna that stands near the
end of a sign may fall on the other side: the Ghati Lagna moves 1.25
degrees a minute. Every birth whose signs differ is counted again from
the program's own sunrise instant with the outside Sun: it must then give
the program's sign, or stand within the two Suns' largest difference of
the sign's end, so the difference is the sunrise's minutes alone.

Births: BIRTHS random births 1901-2050 within +-60 degrees of latitude,
the zone the nearest whole hour of the longitude. Bounds: the signs agree
for at least 98 % (Hora), 95 % (Ghati) and 98.5 % (Bhava, see BOUNDS) of
the births with a sunrise; the Sun at one instant agrees within SUN_ARCMIN; every difference is the
sunrise's.
Usage: wealth_sky_check.py path/to/wealth_values
Exit status: 0 within bounds, 1 a bound broken or an outside program
missing, 2 the helper failed.
"""

import math
import random
import shutil
import statistics
import subprocess
import sys

SEED = 34  # fixed: the same births every run
BIRTHS = 2000
FIRST_YEAR, LAST_YEAR = 1901, 2050
RATES = {"hora": 0.5, "ghati": 1.25, "bhava": 0.25}
# The Bhava Lagna's bound is 98.5 %, not 99 %: on these births 21 of 2000
# (98.95 %) differ, every one by the almanac sunrise's minute (median 0.5,
# 95th percentile 2.2 minutes from the ephemeris's); a quarter degree a
# minute leaves about one birth in a hundred within that of a sign's end.
BOUNDS = {"hora": 0.98, "ghati": 0.95, "bhava": 0.985}
# The program's Sun (a short series) against the Swiss Ephemeris's at the
# same instant, the ayanamsa shared.
SUN_ARCMIN = 2.0
UNIX_JD = 2440587.5
DUBLIN_JD = 2415020.0  # PyEphem counts days from this Julian date


def days_in_month(year, month):
    if month == 2:
        return 29 if year % 4 == 0 and (year % 100 != 0 or year % 400 == 0) else 28
    return 30 if month in (4, 6, 9, 11) else 31


def swiss_sun(unix_s):
    """Apparent tropical longitude of the Sun at a Universal Time, degrees."""
    jd = unix_s / 86400.0 + UNIX_JD
    done = subprocess.run(["swetest", "-emos", "-bj%.8f" % jd, "-ut", "-p0", "-fl", "-head"],
                          capture_output=True, text=True, check=True)
    return float(done.stdout.split()[0])


def sign(deg):
    return int((deg % 360.0) // 30.0)


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: wealth_sky_check.py path/to/wealth_values\n")
        return 2
    try:
        import ephem
    except ImportError:
        sys.stderr.write("wealth_sky_check: PyEphem is missing (Debian's python3-ephem)\n")
        return 1
    if shutil.which("swetest") is None:
        sys.stderr.write("wealth_sky_check: swetest is missing (Debian's swetest)\n")
        return 1
    rng = random.Random(SEED)
    rows = []
    for _ in range(BIRTHS):
        year = rng.randint(FIRST_YEAR, LAST_YEAR)
        month = rng.randint(1, 12)
        lon, lon_min, east = rng.randint(0, 179), rng.randint(0, 59), rng.randint(0, 1)
        offset = 60 * int(round((lon if east else -lon) / 15.0))
        rows.append((year, month, rng.randint(1, days_in_month(year, month)), rng.randint(0, 23),
                     rng.randint(0, 59), rng.randint(0, 59), rng.randint(0, 59),
                     rng.randint(0, 59), rng.randint(0, 1), lon, lon_min, east, offset))
    text = "".join(" ".join(str(v) for v in row) + "\n" for row in rows)
    done = subprocess.run([sys.argv[1]], input=text, capture_output=True, text=True, check=False)
    if done.returncode != 0:
        sys.stderr.write(done.stderr)
        return 2
    values = [line.split() for line in done.stdout.splitlines()]
    if len(values) != len(rows):
        sys.stderr.write("wealth_values gave %d lines for %d births\n" % (len(values), len(rows)))
        return 2

    agree = {k: 0 for k in RATES}
    explained = {k: 0 for k in RATES}
    sunrise_min, sun_arcmin = [], []
    counted = no_sunrise = 0
    for row, v in zip(rows, values):
        lat = (row[6] + row[7] / 60.0) * (1 if row[8] else -1)
        lon = (row[9] + row[10] / 60.0) * (1 if row[11] else -1)
        if v[0] == "none":
            no_sunrise += 1
            continue
        birth_s, rise_s = int(v[0]), int(v[1])
        own_sun, lahiri, nutation = float(v[3]), float(v[7]), float(v[8])
        own = {"hora": float(v[4]), "ghati": float(v[5]), "bhava": float(v[6])}
        obs = ephem.Observer()
        obs.lat, obs.lon = math.radians(lat), math.radians(lon)
        obs.elevation, obs.pressure, obs.horizon = 0.0, 0.0, "-0:34"
        obs.date = ephem.Date(birth_s / 86400.0 + UNIX_JD - DUBLIN_JD)
        try:
            rise = obs.previous_rising(ephem.Sun())
        except (ephem.AlwaysUpError, ephem.NeverUpError):
            no_sunrise += 1
            continue
        sky_rise_s = (float(rise) + DUBLIN_JD - UNIX_JD) * 86400.0
        counted += 1
        # A day apart is a whole number of turns for all three rates: only
        # the part of a day counts.
        diff = (rise_s - sky_rise_s) % 86400.0
        sunrise_min.append(abs((diff + 43200.0) % 86400.0 - 43200.0) / 60.0)
        sky_sun = (swiss_sun(sky_rise_s) - nutation - lahiri) % 360.0
        same_instant_sun = (swiss_sun(rise_s) - nutation - lahiri) % 360.0
        sun_arcmin.append(abs((own_sun - same_instant_sun + 180.0) % 360.0 - 180.0) * 60.0)
        elapsed_min = (birth_s - sky_rise_s) / 60.0
        own_elapsed_min = (birth_s - rise_s) / 60.0
        for name, rate in RATES.items():
            sky = (sky_sun + rate * elapsed_min) % 360.0
            if sign(sky) == sign(own[name]):
                agree[name] += 1
            else:
                at_own_rise = (same_instant_sun + rate * own_elapsed_min) % 360.0
                near_end = min(at_own_rise % 30.0, 30.0 - at_own_rise % 30.0) * 60.0
                if sign(at_own_rise) == sign(own[name]) or near_end <= SUN_ARCMIN:
                    # From the program's sunrise the outside Sun gives the
                    # program's sign (or stands within the Suns' difference
                    # of the sign's end): the sunrise's minutes made the
                    # difference.
                    explained[name] += 1

    print("Hora, Ghati and Bhava Lagna signs, %d births %d-%d within 60 deg of latitude"
          % (BIRTHS, FIRST_YEAR, LAST_YEAR))
    print("  births with a sunrise before them: %d (none: %d)" % (counted, no_sunrise))
    print("  sunrise, program minus PyEphem (minutes): median %.2f  95th %.2f  largest %.2f"
          % (statistics.median(sunrise_min), sorted(sunrise_min)[int(0.95 * len(sunrise_min))],
             max(sunrise_min)))
    print("  Sun at the same instant, program minus Swiss Ephemeris (arcmin): median %.3f"
          "  largest %.3f" % (statistics.median(sun_arcmin), max(sun_arcmin)))
    ok = counted > BIRTHS * 9 // 10
    for name in RATES:
        share = agree[name] / counted
        rest = counted - agree[name]
        print("  %-5s Lagna: %.2f %% agree (bound %g %%); %d differ, %d of them by the sunrise's"
              " minutes" % (name.capitalize(), 100 * share, 100 * BOUNDS[name], rest,
                            explained[name]))
        if share < BOUNDS[name]:
            print("FAILS: %s Lagna agrees for fewer than %g %%" % (name, 100 * BOUNDS[name]))
            ok = False
        if explained[name] != rest:
            print("FAILS: %d %s Lagna differences are not the sunrise's" %
                  (rest - explained[name], name))
            ok = False
    if max(sun_arcmin) > SUN_ARCMIN:
        print("FAILS: the Sun differs by more than %g'" % SUN_ARCMIN)
        ok = False
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
