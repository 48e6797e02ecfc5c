#!/usr/bin/env python3
"""Runs two builds of orvanta-cli over the same random births and compares
every output byte for byte.

Usage: outputs.py OLD_CLI NEW_CLI WORKDIR [--count N] [--text N]

Writes WORKDIR/plain.csv and WORKDIR/places.csv (random_births.py, without
and with atlas places and tz names), runs both programs over each in batch
mode for the CSV, --json and --json-record outputs, and the text report of
the first --text births of each file one run per birth. Prints, for each
output, how many lines differ, and lists the births that differ with the
clock each program printed for them (a clock with seconds is the one
expected difference). Exits 1 when anything differs.
"""
import argparse
import concurrent.futures
import csv
import json
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def batch(cli, births, mode, out):
    args = [cli, "--batch", births, "--jobs", "2"] + ([mode] if mode else [])
    with open(out, "wb") as o, open(out + ".err", "wb") as e:
        subprocess.run(args, stdout=o, stderr=e, check=False)


def options_of(row):
    opts = ["--name", row["name"], "--date", row["date"], "--time", row["time"]]
    for key in ("lat", "lon", "zone", "city", "state", "country", "place", "tz"):
        if row.get(key):
            opts += ["--" + key, row[key]]
    if row["dst"] == "1":
        opts.append("--dst")
    elif row.get("place") or row.get("tz"):
        opts.append("--no-dst")
    return opts


def text_report(cli, row):
    r = subprocess.run([cli] + options_of(row), capture_output=True, check=False)
    return r.returncode, r.stdout, r.stderr


def lines(path):
    with open(path, "rb") as f:
        return f.read().split(b"\n")


def clock_of(json_line):
    try:
        o = json.loads(json_line)
    except ValueError:
        return "?"
    clock = o.get("clock") or {}
    return clock.get("text", "?") if isinstance(clock, dict) else "?"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("old")
    ap.add_argument("new")
    ap.add_argument("workdir")
    ap.add_argument("--count", type=int, default=100000)
    ap.add_argument("--text", type=int, default=20000)
    args = ap.parse_args()
    os.makedirs(args.workdir, exist_ok=True)
    gen = os.path.join(HERE, "random_births.py")
    differs = False
    for kind, extra in (("plain", []), ("places", ["--places"])):
        births = os.path.join(args.workdir, kind + ".csv")
        with open(births, "w") as f:
            subprocess.run([sys.executable, gen] + extra + [str(args.count)], stdout=f, check=True)
        for mode in ("", "--json", "--json-record"):
            name = mode.strip("-") or "csv"
            outs = []
            for build, cli in (("old", args.old), ("new", args.new)):
                out = os.path.join(args.workdir, f"{kind}.{name}.{build}")
                batch(cli, births, mode, out)
                outs.append(out)
            for suffix in ("", ".err"):
                a, b = lines(outs[0] + suffix), lines(outs[1] + suffix)
                diff = [i for i in range(max(len(a), len(b)))
                        if (a[i] if i < len(a) else None) != (b[i] if i < len(b) else None)]
                print(f"{kind} {name}{suffix}: {len(a)} lines, {len(diff)} differ")
                if diff:
                    differs = True
                    for i in diff[:20]:
                        old = a[i] if i < len(a) else b""
                        new = b[i] if i < len(b) else b""
                        if mode == "--json":
                            print(f"  line {i + 1}: {clock_of(old)} -> {clock_of(new)}")
                        else:
                            print(f"  line {i + 1}: {old[:100]!r}")
        with open(births, newline="") as f:
            rows = list(csv.DictReader(f))[: args.text]
        with concurrent.futures.ThreadPoolExecutor(2) as pool:
            old = list(pool.map(lambda r: text_report(args.old, r), rows))
            new = list(pool.map(lambda r: text_report(args.new, r), rows))
        diff = [i for i in range(len(rows)) if old[i] != new[i]]
        print(f"{kind} text: {len(rows)} births, {len(diff)} differ")
        for i in diff[:40]:
            differs = True
            zone = [l for l in new[i][1].split(b"\n") if b"Time Zone" in l]
            print(f"  {rows[i]['name']}: {zone[0].decode().strip() if zone else new[i][2][:100]!r}")
    sys.exit(1 if differs else 0)


if __name__ == "__main__":
    main()
