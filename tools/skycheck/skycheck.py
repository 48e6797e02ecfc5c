#!/usr/bin/env python3
"""Throwaway comparison of the program's formulas with a modern ephemeris.

Needs /usr/bin/python3 with python3-ephem (Debian). Never run by the tests.
Takes the program's sidereal longitudes from derive_positions.py (which the
engine's tests check digit for digit), takes tropical apparent longitudes of
date from ephem, applies the program's own ayanamsa for each body to the
ephem side, and prints the differences in degrees.

    /usr/bin/python3 tools/skycheck/skycheck.py
"""
import math

import ephem

import derive_positions as prog


def wrap180(x):
    return (x + 180.0) % 360.0 - 180.0


def ecliptic_of_date(body, date):
    eq = ephem.Equatorial(body.g_ra, body.g_dec, epoch=date)
    return math.degrees(float(ephem.Ecliptic(eq, epoch=date).lon))


def main():
    ut = "%04d/%02d/%02d %02d:%02d" % (prog.YEAR, prog.MONTH, prog.DAY, prog.HOUR, prog.MINUTE)
    local = ephem.Date(ut)
    date = ephem.Date(local + (prog.SHIFT_H + prog.SHIFT_M / 60.0) * ephem.hour)
    obs = ephem.Observer()
    lat = prog.LAT_D + prog.LAT_M / 60.0
    lon = prog.LON_D + prog.LON_M / 60.0
    obs.lat = str(-lat if prog.SOUTH else lat)
    obs.lon = str(lon if prog.EAST else -lon)
    obs.date = date
    obs.pressure = 0
    obs.epoch = date

    sun = ephem.Sun(date)
    moon = ephem.Moon(date)
    sun_trop = ecliptic_of_date(sun, date)
    moon_trop = ecliptic_of_date(moon, date)

    # Ascendant from the apparent sidereal time and the obliquity of date
    # (the declination of the ecliptic point at longitude 90 deg).
    ramc = float(obs.sidereal_time())
    solstice = ephem.Equatorial(ephem.Ecliptic(math.radians(90), 0, epoch=date), epoch=date)
    eps = float(solstice.dec)
    phi = float(obs.lat)
    asc_trop = math.degrees(math.atan2(
        math.cos(ramc), -(math.sin(ramc) * math.cos(eps) + math.tan(phi) * math.sin(eps)))) % 360

    a = prog.ascendant()
    m = prog.moon()
    # The program's sidereal values, as its chart shows them.
    d = None
    import datetime
    utc = datetime.datetime(prog.YEAR, prog.MONTH, prog.DAY, prog.HOUR, prog.MINUTE) + \
        datetime.timedelta(hours=prog.SHIFT_H, minutes=prog.SHIFT_M)
    d = prog.day_number(utc.year, utc.month, utc.day, utc.hour, utc.minute)
    sun_sid = prog.geo_longitude(2, d) + prog.precession(d) - abs(a["ayan"])
    sun_sid = sun_sid + 360 if sun_sid < 0 else sun_sid

    rows = [
        ("Sun", sun_sid, sun_trop + a["ayan"], a["ayan"]),
        ("Moon", m["sid"], (moon_trop + m["ayan"]) % 360, m["ayan"]),
        ("Ascendant", a["asc_sid"], (asc_trop + a["ayan"]) % 360, a["ayan"]),
    ]
    print("UT %s; ephem obliquity of date %.5f deg, apparent LST %.5f deg" %
          (date, math.degrees(eps), math.degrees(ramc)))
    print("%-10s %12s %12s %12s %10s" % ("body", "program", "ephem+ayan", "ayanamsa", "diff deg"))
    for name, p, e, ayan in rows:
        print("%-10s %12.5f %12.5f %12.5f %+10.4f" % (name, p, e, ayan, wrap180(p - e)))
    for name, idx, cls in (("Mercury", 0, ephem.Mercury), ("Venus", 1, ephem.Venus),
                           ("Mars", 3, ephem.Mars), ("Jupiter", 4, ephem.Jupiter),
                           ("Saturn", 5, ephem.Saturn)):
        p = prog.geo_longitude(idx, d) + prog.precession(d) - abs(a["ayan"])
        p = p + 360 if p < 0 else p
        e = ecliptic_of_date(cls(date), date) + a["ayan"]
        print("%-10s %12.5f %12.5f %12.5f %+10.4f" % (name, p, e % 360, a["ayan"],
                                                      wrap180(p - e)))


if __name__ == "__main__":
    main()
