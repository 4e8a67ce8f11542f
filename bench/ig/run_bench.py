#!/usr/bin/env python3
"""Times mirtal-cli's IG menu load and PID extraction on a generated clip of at least 1 GiB
against `cat FILE > /dev/null`, `cat FILE > OUT` and ffmpeg's stream copy of the same PID, in
one run on the same warm file. Prints each median, the ratios against the targets and the peak
memory of every command, then removes the generated file.

usage: bench/ig/run_bench.py BUILD_DIR [--size-mib 1100] [--runs 3] [--work DIR] [--keep]
BUILD_DIR is a build configured with -DMIRTAL_BUILD_BENCH=ON (Release), with the targets
mirtal-cli, ig_gen_m2ts and ig_rle_bench built.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time


GNU_TIME = "/usr/bin/time" if os.access("/usr/bin/time", os.X_OK) else None
RSS_FILE = "/tmp/mirtal-ig-bench-rss.txt"


def run(cmd, stdout=None):
    """Runs cmd; returns (seconds, peak resident KiB, exit status). The peak is measured by GNU
    time when present (a child forked from Python would inherit Python's own resident size)."""
    out = subprocess.DEVNULL
    opened = None
    if stdout is not None:
        opened = open(stdout, "wb")
        out = opened
    full = [GNU_TIME, "-f", "%M", "-o", RSS_FILE] + cmd if GNU_TIME else cmd
    t0 = time.perf_counter()
    p = subprocess.Popen(full, stdout=out, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(p.pid, 0)
    seconds = time.perf_counter() - t0
    if opened:
        opened.close()
    rss = usage.ru_maxrss
    if GNU_TIME:
        try:
            with open(RSS_FILE) as f:
                rss = int(f.read().split()[-1])
        except (OSError, ValueError, IndexError):
            pass
    return seconds, rss, os.waitstatus_to_exitcode(status)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build")
    ap.add_argument("--size-mib", type=int, default=1100)
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--work", default="/tmp/mirtal-ig-bench")
    ap.add_argument("--keep", action="store_true", help="keep the generated disc")
    ap.add_argument("--check", action="store_true",
                    help="afterwards compare mirtal-cli's video extraction with ffmpeg's copy byte for byte")
    a = ap.parse_args()

    cli = os.path.join(a.build, "src/cli/mirtal-cli")
    gen = os.path.join(a.build, "bench/ig/ig_gen_m2ts")
    rle = os.path.join(a.build, "bench/ig/ig_rle_bench")
    for tool in (cli, gen):
        if not os.access(tool, os.X_OK):
            sys.exit(f"{tool} is missing: build mirtal-cli and ig_gen_m2ts with -DMIRTAL_BUILD_BENCH=ON")
    ffmpeg = shutil.which("ffmpeg")

    work = a.work
    disc = os.path.join(work, "disc")
    outdir = os.path.join(work, "out")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(outdir)
    try:
        gen_args = [gen, disc, str(a.size_mib)]
        if ffmpeg:
            # Real elementary streams to loop: 8 s of 1080p H.264 at 20 Mbit/s, AC-3 448 kbit/s.
            v, au = os.path.join(work, "v.h264"), os.path.join(work, "a.ac3")
            subprocess.run([ffmpeg, "-v", "error", "-y", "-f", "lavfi", "-i",
                            "testsrc2=size=1920x1080:rate=24000/1001", "-t", "8", "-c:v", "libx264",
                            "-preset", "ultrafast", "-bf", "0", "-g", "48", "-b:v", "20M",
                            "-x264-params", "aud=1", "-f", "h264", v], check=True)
            subprocess.run([ffmpeg, "-v", "error", "-y", "-f", "lavfi", "-i",
                            "sine=frequency=440:sample_rate=48000", "-t", "8", "-ac", "2", "-c:a", "ac3",
                            "-b:a", "448k", "-f", "ac3", au], check=True)
            gen_args += ["--video", v, "--audio", au]
        subprocess.run(gen_args, check=True)
        m2ts = os.path.join(disc, "BDMV", "STREAM", "00001.m2ts")
        size = os.path.getsize(m2ts)
        print(f"file: {m2ts}, {size / 2**20:.0f} MiB ({size // 192} source packets)")

        cases = {
            "cat FILE > /dev/null": ([ "cat", m2ts], "/dev/null"),
            "cat FILE > OUT": (["cat", m2ts], os.path.join(outdir, "cat.m2ts")),
            "mirtal-cli menu (IG 1400)": ([cli, "menu", disc, "00001"], None),
            "mirtal-cli extract PG 1200": ([cli, "extract", disc, "00001", "--pid", "1200", "--out", outdir], None),
            "mirtal-cli extract audio 1100": ([cli, "extract", disc, "00001", "--pid", "1100", "--out", outdir], None),
            "mirtal-cli extract video 1011": ([cli, "extract", disc, "00001", "--pid", "1011", "--out", outdir], None),
        }
        if ffmpeg:
            cases["ffmpeg copy PG 1200"] = ([ffmpeg, "-v", "error", "-y", "-i", m2ts, "-map", "0:i:0x1200",
                                             "-c", "copy", "-f", "sup", os.path.join(outdir, "ff.sup")], None)
            cases["ffmpeg copy video 1011"] = ([ffmpeg, "-v", "error", "-y", "-i", m2ts, "-map", "0:i:0x1011",
                                                "-c", "copy", "-f", "h264", os.path.join(outdir, "ff.h264")], None)

        run(["cat", m2ts], "/dev/null")    # warm the file
        times = {k: [] for k in cases}
        peaks = {k: 0 for k in cases}
        failed = set()
        for _ in range(a.runs):
            for name, (cmd, stdout) in cases.items():
                os.sync()
                s, rss, code = run(cmd, stdout)
                if code != 0:
                    failed.add(name)
                times[name].append(s)
                peaks[name] = max(peaks[name], rss)
                for f in os.listdir(outdir):
                    os.remove(os.path.join(outdir, f))

        med = {k: statistics.median(v) for k, v in times.items()}
        print(f"\nmedians of {a.runs} runs (peak resident memory):")
        for name in cases:
            note = "  (exit status not 0)" if name in failed else ""
            print(f"  {name:32s} {med[name]:8.3f} s   {peaks[name] / 1024:7.1f} MiB{note}")

        def ratio(label, num, den, limit, below=True):
            r = med[num] / med[den]
            ok = r <= limit if below else r >= limit
            print(f"  {label:58s} {r:6.2f}  (target {'<=' if below else '>='} {limit})  {'met' if ok else 'NOT met'}")

        print("\nratios:")
        dev_null, to_out = "cat FILE > /dev/null", "cat FILE > OUT"
        ratio("menu load / cat > /dev/null", "mirtal-cli menu (IG 1400)", dev_null, 1.5)
        ratio("sparse extract / cat > /dev/null", "mirtal-cli extract PG 1200", dev_null, 1.1)
        ratio("sparse audio extract (2 % of the packets) / cat > /dev/null", "mirtal-cli extract audio 1100",
              dev_null, 1.1)
        ratio("dense extract / cat > OUT", "mirtal-cli extract video 1011", to_out, 1.5)
        if ffmpeg:
            r1 = med["ffmpeg copy PG 1200"] / med["mirtal-cli menu (IG 1400)"]
            print(f"  {'ffmpeg PG copy / menu load (times as fast)':58s} {r1:6.2f}  (target >= 2.5)  "
                  f"{'met' if r1 >= 2.5 else 'NOT met'}")
            ratio("ffmpeg PG copy / sparse extract (times as fast)", "ffmpeg copy PG 1200",
                  "mirtal-cli extract PG 1200", 2.5, below=False)
            ratio("ffmpeg video copy / dense extract (times as fast)", "ffmpeg copy video 1011",
                  "mirtal-cli extract video 1011", 1.5, below=False)
        mem = max(peaks[k] for k in cases if k.startswith("mirtal")) / 1024
        print(f"  {'peak memory of mirtal-cli (MiB)':58s} {mem:6.1f}  (target < 64)  {'met' if mem < 64 else 'NOT met'}")
        if a.check and ffmpeg:
            run(cases["mirtal-cli extract video 1011"][0])
            mine = [f for f in os.listdir(outdir) if "1011" in f]
            run(cases["ffmpeg copy video 1011"][0])
            same = len(mine) == 1 and subprocess.run(
                ["cmp", "-s", os.path.join(outdir, mine[0]), os.path.join(outdir, "ff.h264")]).returncode == 0
            print(f"\ncheck: mirtal-cli's video extraction {'equals' if same else 'DIFFERS FROM'} ffmpeg's copy")
            for f in os.listdir(outdir):
                os.remove(os.path.join(outdir, f))
        if os.access(rle, os.X_OK):
            print()
            subprocess.run([rle, "9"])
    finally:
        if os.path.exists(RSS_FILE):
            os.remove(RSS_FILE)
        if not a.keep:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
