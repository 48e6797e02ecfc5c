#!/usr/bin/env python3
"""Independent hand derivation of the chart position texts of one birth.

Plain Python floats (IEEE doubles) following the published formulas step by
step, written separately from the C++ engine, so that the engine's tests can
compare against numbers that were not produced by the code under test.

Default birth: 15 June 1980, 10:30 local time on "Indian Time, IST, +5.3"
(correction -5 h -30 min), 28 deg 36' N, 77 deg 12' E, no daylight saving.

    python3 tools/skycheck/derive_positions.py
"""
import datetime
import math

DEG2RAD = 0.0174532925199433
RAD2DEG = 57.2957795130823
PI = 3.14159265358979
TWO_PI = 6.28318530717958
SIGNS = "AriTauGemCanLeoVirLibScoSagCapAquPis"

# Birth
YEAR, MONTH, DAY, HOUR, MINUTE = 1980, 6, 15, 10, 30
SHIFT_H, SHIFT_M = -5, -30  # local + shift = UT
LAT_D, LAT_M, SOUTH = 28, 36, False
LON_D, LON_M, EAST = 77, 12, True
DST = False


def floor(x):
    return math.floor(x)


def jdn(m, d, y):
    mm = 12 * (y + 4800) + m - 3
    t = (2 * (mm - 12 * floor(mm / 12)) + 7 + 365 * mm) / 12
    j = floor(t) + d + floor(mm / 48) - 32083
    if j > 2299171:
        j = j + floor(mm / 4800) - floor(mm / 1200) + 38
    return float(j)


def dms(a):
    """Degrees within the sign, minutes, seconds and the sign letters."""
    a = abs(a)
    d = floor(a)
    f = a - d
    mp = 60 * f
    m = floor(mp)
    s = floor(60 * (mp - m))
    k = floor(d / 30)
    d = d % 30
    return d, m, s, SIGNS[3 * k:3 * k + 3]


def chart(a):
    d, m, _s, sign = dms(a)
    return "%02d %s %02d" % (d, sign, m)


def birth_moment(epoch_jd):
    """Universal time (zone direction from the zone's own sign) and T."""
    local = HOUR + MINUTE / 60
    zone = abs(SHIFT_H) + abs(SHIFT_M) / 60
    east_zone = SHIFT_H < 0 or SHIFT_M < 0
    if DST:
        zone = zone + 1 if east_zone else zone - 1
    ut = local - zone if east_zone else local + zone
    jd = jdn(MONTH, DAY, YEAR)
    return ut, ((jd - epoch_jd) + ut / 24 - 0.5) / 36525


def arctan2(y, x):
    sgn = (y > 0) - (y < 0)
    if x > 0:
        return math.atan(y / x)
    if x < 0:
        return (PI - math.atan(abs(y / x))) * sgn
    return sgn * PI / 2


def ayanamsa_1900(T):
    om = (933060 - 6962911 * T + 7.5 * (T * T)) / 3600
    while om >= 360:
        om -= 360
    two_l = (2013816 + 259205536 * T) / 3600
    n = 17.23 * math.sin(om * DEG2RAD) + 1.27 * math.sin(two_l * DEG2RAD)
    return (n - (5025.64 + 1.11 * T) * T - 80861.27) / 3600


def ayanamsa_2000(T):
    om = 125.044555 - 1934.1361849 * T + 0.0020762 * (T * T)
    l = 280.466449 + 36000.7698231 * T + 0.0003106 * (T * T)
    n = 17.23 * math.sin(om * DEG2RAD) + 1.27 * math.sin(2 * l * DEG2RAD)
    return (n - (5025.64 + 1.11 * T) * T - 85886.27) / 3600


def ascendant():
    ut, T = birth_moment(2415020)
    lon = LON_D + LON_M / 60
    lon = -lon if EAST else lon
    lat = LAT_D + LAT_M / 60
    lat = -lat if SOUTH else lat
    ayan = ayanamsa_1900(T)
    s = 15 * (6.6460656 + 2400.0513 * T + 0.0000258 * (T * T) + ut) - lon
    while s >= 360:
        s -= 360
    ramc = s * DEG2RAD
    eps = DEG2RAD * (23.452294 - 0.0130125 * T)
    a = arctan2(math.cos(ramc),
                -math.sin(ramc) * math.cos(eps) - math.sin(eps) * math.tan(lat * DEG2RAD))
    if a < 0:
        a += PI
    if math.cos(ramc) < 0:
        a += PI
    # The rising point: a point west of the meridian is the setting one.
    alpha = math.atan2(math.sin(a) * math.cos(eps), math.cos(a))
    if math.sin(ramc - alpha) > 0:
        a += PI
    a = a * RAD2DEG
    while a >= 360:
        a -= 360
    sid = a + ayan
    if sid < 0:
        sid += 360
    if sid > 360:
        sid -= 360
    return dict(ut=ut, T=T, ayan=ayan, lst_deg=s, asc_trop=a, asc_sid=sid)


MOON_TERMS = [  # (D, M, M', F, coefficient, times E)
    (0, 0, 1, 0, 6.288774, 0), (2, 0, -1, 0, 1.274027, 0), (2, 0, 0, 0, 0.658314, 0),
    (0, 0, 2, 0, 0.213618, 0), (0, 1, 0, 0, -0.185116, 1), (0, 0, 0, 2, -0.114332, 0),
    (2, 0, -2, 0, 0.058793, 0), (2, -1, -1, 0, 0.057066, 1), (2, 0, 1, 0, 0.053322, 0),
    (2, -1, 0, 0, 0.045758, 1), (0, 1, -1, 0, -0.040923, 1), (1, 0, 0, 0, -0.034720, 0),
    (0, 1, 1, 0, -0.030383, 1), (2, 0, 0, -2, 0.015327, 0), (0, 0, 1, 2, -0.012528, 0),
    (0, 0, 1, -2, 0.010980, 0), (4, 0, -1, 0, 0.010675, 0), (0, 0, 3, 0, 0.010034, 0),
    (4, 0, -2, 0, 0.008548, 0), (2, 1, -1, 0, -0.007888, 1), (2, 1, 0, 0, -0.006766, 1),
    (1, 0, -1, 0, -0.005163, 0), (1, 1, 0, 0, 0.004987, 1), (2, -1, 1, 0, 0.004036, 1),
    (2, 0, 2, 0, 0.003994, 0),
]


def moon():
    _ut, T = birth_moment(2451545)
    lp = 218.3164591 + 481267.88134236 * T
    D = (297.8502042 + 445267.1115168 * T) * DEG2RAD
    M = (357.5291092 + 35999.0502909 * T) * DEG2RAD
    Mp = (134.9634114 + 477198.8676313 * T) * DEG2RAD
    F = (93.2720993 + 483202.0175273 * T) * DEG2RAD
    E = 1 - 0.002516 * T - 0.0000074 * (T * T)
    total = 0.0
    for d, m, mp, f, c, te in MOON_TERMS:
        arg = None
        for mult, val in ((d, D), (m, M), (mp, Mp), (f, F)):
            if mult == 0:
                continue
            part = val if abs(mult) == 1 else abs(mult) * val
            if arg is None:
                arg = part if mult > 0 else -part
            else:
                arg = arg + part if mult > 0 else arg - part
        total += (c * E * math.sin(arg)) if te else (c * math.sin(arg))
    trop = lp + total
    while trop < 0:
        trop += 360
    while trop > 360:
        trop -= 360
    ayan = ayanamsa_2000(T)
    sid = trop + ayan
    if sid < 0:
        sid += 360
    return dict(T=T, trop=trop, ayan=ayan, sid=sid, nak=floor(60 * sid / 800))


ELEMENTS = [  # a, da, e, de, i, di", node, dnode", peri, dperi", L, dL"
    (0.38709893, 0.00000066, 0.20563069, 0.00002527, 7.00487, -23.51, 48.33167, -446.3,
     77.45645, 573.57, 252.25084, 538101628.29),
    (0.72333199, 0.00000092, 0.00677323, -0.00004938, 3.39471, -2.86, 76.68069, -996.89,
     131.53298, -108.8, 181.97973, 210664136.06),
    (1.00000011, -0.00000005, 0.01671022, -0.00003804, 0.00005, -46.94, -11.26064, -18228.25,
     102.94719, 1198.28, 100.46435, 129597740.63),
    (1.52366231, -0.00007221, 0.09341233, 0.00011902, 1.85061, -25.47, 49.57854, -1020.19,
     336.04084, 1560.78, 355.45332, 68905103.78),
    (5.20336301, 0.00060737, 0.04839266, -0.0001288, 1.3053, -4.15, 100.55615, 1217.17,
     14.75385, 839.93, 34.40438, 10925078.35),
    (9.53707032, -0.0030153, 0.0541506, -0.00036762, 2.48446, 6.11, 113.71504, -1591.05,
     92.43194, -1948.89, 49.94432, 4401052.95),
]


def elements(i, d):
    T = d / 36525
    r = ELEMENTS[i]
    ang = lambda base, rate: (base + rate * T / 3600) * DEG2RAD
    return (r[0] + r[1] * T, r[2] + r[3] * T, ang(r[4], r[5]), ang(r[6], r[7]),
            ang(r[8], r[9]), ang(r[10], r[11]))


def mean_anomaly(x):
    q = x / TWO_PI
    f = q - (floor(q) if q >= 0 else floor(q) + 1)
    res = f * TWO_PI
    return res + TWO_PI if res < 0 else res


def true_anomaly(M, e):
    E = M + e * math.sin(M) * (1 + e * math.cos(M))
    while True:
        E0 = E
        E = E0 - (E0 - e * math.sin(E0) - M) / (1 - e * math.cos(E0))
        if abs(E - E0) <= 1.0e-12:
            break
    v = 2 * math.atan(math.sqrt((1 + e) / (1 - e)) * math.tan(E / 2))
    return v + TWO_PI if v < 0 else v


def geo_longitude(i, d):
    x = y = 0.0
    if i != 2:
        a, e, inc, node, peri, L = elements(i, d)
        v = true_anomaly(mean_anomaly(L - peri), e)
        r = a * (1 - e * e) / (1 + e * math.cos(v))
        u = v + peri - node
        x = r * (math.cos(node) * math.cos(u) - math.sin(u) * math.sin(node) * math.cos(inc))
        y = r * (math.sin(node) * math.cos(u) + math.sin(u) * math.cos(node) * math.cos(inc))
    a, e, _inc, _node, peri, L = elements(2, d)
    v = true_anomaly(mean_anomaly(L - peri), e)
    r = a * (1 - e * e) / (1 + e * math.cos(v))
    xe, ye = r * math.cos(v + peri), r * math.sin(v + peri)
    lam = arctan2(y - ye, x - xe) * 180 / PI
    while lam > 360:
        lam -= 360
    while lam < 0:
        lam += 360
    return lam


def precession(d):
    """General precession in longitude from J2000 to d days after it, degrees."""
    T = d / 36525
    return (5028.796195 * T + 1.1054348 * T * T) / 3600


def day_number(Y, M, D, H, Mi):
    return (367 * Y - floor(7 * (Y + floor((M + 9) / 12)) / 4) + floor(275 * M / 9) + D
            - 730531.5 + (H + Mi / 60) / 24)


def main():
    asc = ascendant()
    mo = moon()
    ut = datetime.datetime(YEAR, MONTH, DAY, HOUR, MINUTE) + datetime.timedelta(
        hours=SHIFT_H) + datetime.timedelta(minutes=SHIFT_M)
    d = day_number(ut.year, ut.month, ut.day, ut.hour, ut.minute)
    ayan = abs(asc["ayan"])
    lon = {}
    for i in range(6):
        l = geo_longitude(i, d) + precession(d) - ayan
        while l < 0:
            l += 360
        lon[i] = l
    n = (125.1228 - 0.0529538083 * d) * DEG2RAD
    n = n - TWO_PI * math.trunc(n / TWO_PI)
    if n < 0:
        n += TWO_PI
    rahu = n * 180 / 3.1416 - 1 - ayan
    while rahu < 0:
        rahu += 360
    ketu = rahu + 180
    while ketu > 360:
        ketu -= 360
    rows = [("Sun", lon[2]), ("Moon", mo["sid"]), ("Mercury", lon[0]), ("Venus", lon[1]),
            ("Mars", lon[3]), ("Jupiter", lon[4]), ("Saturn", lon[5]), ("Rahu", rahu),
            ("Ketu", abs(ketu)), ("Asc", asc["asc_sid"])]
    print("UT %s  d = %.10f" % (ut, d))
    print("ascendant: UT %.6f h, T1900 %.12f, AyanCorr %.10f, LST %.8f deg, tropical %.8f" %
          (asc["ut"], asc["T"], asc["ayan"], asc["lst_deg"], asc["asc_trop"]))
    print("moon: T2000 %.12f, tropical %.8f, ayanamsa %.10f, nakshatra %d" %
          (mo["T"], mo["trop"], mo["ayan"], mo["nak"]))
    for name, value in rows:
        d_, m_, s_, sign = dms(value)
        print("%-8s %14.9f  %-9s  %d\u00b0 %d' %d\" %s" % (name, value, chart(value), d_, m_, s_,
                                                     sign))


if __name__ == "__main__":
    main()
