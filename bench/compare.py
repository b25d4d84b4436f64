#!/usr/bin/env python3
"""Prints Liravox's benchmark medians beside ChordSheetJS's from the same run.

compare.py LIRAVOX_JSON [CHORDSHEETJS_JSON]
LIRAVOX_JSON is liravox_bench's --benchmark_out file (with repetitions, so that
medians exist); CHORDSHEETJS_JSON is results/chordsheetjs.json of
chordsheetjs_bench.js. MB are 10^6 bytes, as the ChordSheetJS script counts them.
"""
import json
import sys

MS_PER_UNIT = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
MAX_SONG_TARGET_MS = 1.0
RATIO_TARGET = 50.0


def medians(path):
    with open(path) as f:
        report = json.load(f)
    result = {}
    for run in report["benchmarks"]:
        if run.get("aggregate_name") == "median":
            name = run["run_name"].removesuffix("/real_time")
            result[name] = (run["real_time"] * MS_PER_UNIT[run["time_unit"]], run["bytes_per_second"] / 1e6)
    return result


def mb_per_s(size, ms):
    return size / 1e6 / (ms / 1e3)


def main():
    ours = medians(sys.argv[1])
    peer = None
    if len(sys.argv) > 2:
        with open(sys.argv[2]) as f:
            peer = json.load(f)
    corpus_bytes = peer["corpus"]["bytes"] if peer else None
    rows = []

    def row(work, our_run, size, their_ms):
        our_ms, our_mbs = ours[our_run]
        their_mbs = mb_per_s(size, their_ms) if their_ms else None
        ratio = their_ms / our_ms if their_ms else None
        rows.append((work, our_ms, our_mbs, their_ms, their_mbs, ratio))

    phases = peer["phases"] if peer else {}
    max_song = peer["max_song"] if peer else {}
    their = lambda *names: sum(phases[n]["median_ms"] for n in names) if peer else None
    max_bytes = max_song.get("bytes", 60000)
    row("60000-byte song read+write", "max_song/read_write", max_bytes,
        max_song["per_parse_ms"] + max_song["format_cp_ms"] if peer else None)
    row("60000-byte song read", "max_song/read", max_bytes, max_song.get("per_parse_ms"))
    row("60000-byte song write", "max_song/write", max_bytes, max_song.get("format_cp_ms"))
    row("corpus read+write", "corpus/read_write", corpus_bytes, their("parse", "format_cp"))
    row("corpus read", "corpus/read", corpus_bytes, their("parse"))
    row("corpus write", "corpus/write", corpus_bytes, their("format_cp"))
    row("corpus read+write with file I/O", "corpus/files_read_write", corpus_bytes, None)

    fmt = lambda x, pattern: format(x, pattern) if x is not None else format("-", ">" + pattern.split(".")[0])
    print(f"{'work':34} {'Liravox ms':>11} {'MB/s':>8} {'ChordSheetJS ms':>16} {'MB/s':>8} {'ratio':>7}")
    for work, our_ms, our_mbs, their_ms, their_mbs, ratio in rows:
        print(f"{work:34} {our_ms:11.3f} {fmt(our_mbs, '8.1f')} {fmt(their_ms, '16.2f')} "
              f"{fmt(their_mbs, '8.2f')} {fmt(ratio, '7.1f')}")

    max_ms = ours["max_song/read_write"][0]
    print(f"target: 60000-byte song read+write under {MAX_SONG_TARGET_MS:g} ms: "
          f"{'met' if max_ms < MAX_SONG_TARGET_MS else 'missed'} ({max_ms:.3f} ms)")
    if peer:
        ratio = rows[3][5]
        print(f"target: corpus read+write at least {RATIO_TARGET:g}x ChordSheetJS: "
              f"{'met' if ratio >= RATIO_TARGET else 'missed'} ({ratio:.1f}x)")


if __name__ == "__main__":
    main()
