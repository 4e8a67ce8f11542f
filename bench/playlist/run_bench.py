#!/usr/bin/env python3
"""Times mirtal-cli over a generated disc of 2,000 PlayLists and 2,000 clips: the folder opening
(which lists the PlayLists and clips), the Find tool for a clip (which reads every PlayList) and
for a PlayList (which searches the movie objects), and one `playlist` and one `clip` listing per
file of the disc. Prints the median of each and the peak memory, then removes the disc.

usage: bench/playlist/run_bench.py BUILD_DIR [--playlists 2000] [--clips 2000] [--runs 5]
                                   [--work DIR] [--keep] [--upper]
BUILD_DIR is a build configured with -DMIRTAL_BUILD_BENCH=ON (Release), with the targets
mirtal-cli and bench_playlist_gen built. --upper also times a second disc whose files are
spelt in capitals (00001.MPLS), which are found without regard to case.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time


GNU_TIME = "/usr/bin/time" if os.access("/usr/bin/time", os.X_OK) else None
RSS_FILE = "/tmp/mirtal-pl-bench-rss.txt"


def run(cmd):
    """Runs cmd with its output discarded; returns (seconds, peak resident KiB, exit status)."""
    full = [GNU_TIME, "-f", "%M", "-o", RSS_FILE] + cmd if GNU_TIME else cmd
    t0 = time.perf_counter()
    p = subprocess.Popen(full, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(p.pid, 0)
    seconds = time.perf_counter() - t0
    rss = usage.ru_maxrss
    if GNU_TIME:
        try:
            with open(RSS_FILE) as f:
                rss = int(f.read().split()[-1])
        except (OSError, ValueError, IndexError):
            pass
    return seconds, rss, os.waitstatus_to_exitcode(status)


def sweep(cli, command, disc, names):
    """One invocation per name, without GNU time; returns (total seconds, failures)."""
    failures = 0
    t0 = time.perf_counter()
    for n in names:
        failures += subprocess.run([cli, command, disc, n], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL).returncode != 0
    return time.perf_counter() - t0, failures


def bench(cli, gen, work, label, a, upper):
    disc = os.path.join(work, label)
    args = [gen, disc, "--playlists", str(a.playlists), "--clips", str(a.clips)]
    if upper:
        args.append("--upper")
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL)
    playlists = [f"{i:05d}" for i in range(a.playlists)]
    clips = [f"{i:05d}" for i in range(a.clips)]
    clip = clips[7 % len(clips)]
    pl = playlists[len(playlists) // 2]
    cases = {
        "open": [cli, "open", disc],
        f"find clip {clip}": [cli, "find", "clip", disc, clip],
        f"find playlist {pl}": [cli, "find", "playlist", disc, pl],
        f"playlist {pl}": [cli, "playlist", disc, pl],
        f"playlist {pl} --json": [cli, "playlist", disc, pl, "--json"],
        f"clip {clip}": [cli, "clip", disc, clip],
    }
    for cmd in cases.values():    # warm the folder
        run(cmd)
    times = {k: [] for k in cases}
    peaks = {k: 0 for k in cases}
    failed = set()
    for _ in range(a.runs):
        for name, cmd in cases.items():
            s, rss, code = run(cmd)
            if code != 0:
                failed.add(name)
            times[name].append(s)
            peaks[name] = max(peaks[name], rss)
    sweeps = {}
    for command, names in (("playlist", playlists), ("clip", clips)):
        totals = []
        for _ in range(max(1, a.runs // 2)):
            total, failures = sweep(cli, command, disc, names)
            totals.append(total)
            if failures:
                failed.add(f"{command} over all")
        sweeps[command] = (statistics.median(totals), len(names))

    print(f"\n{label}: {a.playlists} PlayLists, {a.clips} clips"
          f"{' (names in capitals)' if upper else ''}; medians of {a.runs} runs (peak resident memory):")
    for name in cases:
        note = "  (exit status not 0)" if name in failed else ""
        print(f"  mirtal-cli {name:28s} {times[name] and statistics.median(times[name]):8.3f} s"
              f"   {peaks[name] / 1024:6.1f} MiB{note}")
    for command, (total, n) in sweeps.items():
        note = "  (exit status not 0)" if f"{command} over all" in failed else ""
        print(f"  mirtal-cli {command} over all {n} files   {total:8.3f} s   ({total / n * 1000:.2f} ms a file){note}")
    worst = max(statistics.median(v) for v in times.values())
    print(f"  slowest single command: {worst:.3f} s  (target well under 1 s)  {'met' if worst < 1 else 'NOT met'}")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build")
    ap.add_argument("--playlists", type=int, default=2000)
    ap.add_argument("--clips", type=int, default=2000)
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--work", default="/tmp/mirtal-pl-bench")
    ap.add_argument("--keep", action="store_true", help="keep the generated discs")
    ap.add_argument("--upper", action="store_true", help="also time a disc with file names in capitals")
    a = ap.parse_args()

    cli = os.path.join(a.build, "src/cli/mirtal-cli")
    gen = os.path.join(a.build, "bench/playlist/bench_playlist_gen")
    for tool in (cli, gen):
        if not os.access(tool, os.X_OK):
            sys.exit(f"{tool} is missing: build mirtal-cli and bench_playlist_gen with -DMIRTAL_BUILD_BENCH=ON")
    shutil.rmtree(a.work, ignore_errors=True)
    os.makedirs(a.work)
    try:
        bench(cli, gen, a.work, "disc", a, False)
        if a.upper:
            bench(cli, gen, a.work, "disc-upper", a, True)
    finally:
        if os.path.exists(RSS_FILE):
            os.remove(RSS_FILE)
        if not a.keep:
            shutil.rmtree(a.work, ignore_errors=True)


if __name__ == "__main__":
    main()
