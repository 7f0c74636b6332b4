#!/usr/bin/env python3
"""Writes the small seed corpora of the fuzz targets into fuzz/corpus/<target>/.

Each seed is a well-formed input of its reader (a wave file, records, a pattern and a subject,
a sample); the fuzzer mutates from there. Run it again after changing an input's layout.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def chunk(code, body):
    pad = b"\0" if len(body) % 2 else b""
    return code + struct.pack("<I", len(body)) + body + pad


def fmt(channels=1, rate=8000, bits=8):
    align = channels * bits // 8
    return chunk(b"fmt ", struct.pack("<hhiihh", 1, channels, rate, rate * align, align, bits))


def riff(*chunks, form=b"WAVE"):
    body = form + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def square(n, period=50, high=188, low=68):
    return bytes(high if (i // (period // 2)) % 2 else low for i in range(n))


def speech(silence=800, loud=1200, tail=800):
    return bytes([128]) * silence + square(loud) + bytes([128]) * tail


# Wave files.
write("fuzz_wave_file", "mono8", riff(fmt(), chunk(b"data", speech(100, 300, 100))))
write("fuzz_wave_file", "stereo16-list", riff(chunk(b"LIST", b"INFOabc"), fmt(2, 22050, 16),
                                              chunk(b"data", bytes(range(256)))))
write("fuzz_wave_file", "data-before-fmt", riff(chunk(b"data", b"\x80" * 33), fmt()))
write("fuzz_wave_file", "cut-short", riff(fmt(), chunk(b"data", b"\x80" * 400))[:200])
write("fuzz_wave_file", "long-fmt", riff(chunk(b"fmt ", struct.pack("<hhiihh", 1, 1, 8000, 8000,
                                                                     1, 8) + b"\0\0\x10\0"),
                                         chunk(b"data", b"\x40\xc0" * 20)))


# Vocabulary records: RefNo, Name (20), 1201 doubles, ValleyCount.
def vocabulary(ref, name, valleys):
    vs = list(valleys) + [0.0] * (1201 - len(valleys))
    return (struct.pack("<i", ref) + name.encode().ljust(20, b" ") + struct.pack("<1201d", *vs) +
            struct.pack("<h", len(valleys)))


ladder = [10.0 + 10 * i for i in range(12)]
write("fuzz_vocabulary_file", "one", vocabulary(1, "ka", ladder) + bytes([12, 3, 0x1e]))
write("fuzz_vocabulary_file", "two",
      vocabulary(1, "ka", ladder) + vocabulary(2, "  ga  ", [5.0, 15.0, float("nan")]) + bytes([3, 1]))
write("fuzz_vocabulary_file", "partial", vocabulary(1, "ta", ladder)[:5000])
write("fuzz_vocabulary_file", "blanked", vocabulary(1, " " * 20, []) + vocabulary(2, "x" * 20, [1e300]))


# Language records: RefNo, Name (40), FontName (40), 100 ratings, DivisionCount, TotalTimeLength,
# EntryCount, 100 protocols of 40.
def language(ref, name, time, protocols, font="Arial"):
    ratings = [r for _, r in protocols] + [0] * (100 - len(protocols))
    texts = b"".join(p.encode().ljust(40, b" ") for p, _ in protocols)
    texts += b" " * 40 * (100 - len(protocols))
    return (struct.pack("<i", ref) + name.encode().ljust(40, b" ") + font.encode().ljust(40, b" ") +
            struct.pack("<100h", *ratings) + struct.pack("<hih", 1, time, len(protocols)) + texts)


write("fuzz_language_file", "words",
      language(1, "BAT", 2000, [("B?T*", 90), ("a[L-P]#b", 70)]) +
      language(2, "EASE", 6000, [("ee*ss", 100), ("[!a-c]*", 40)]) + b"\x00\x10\x27\x00\x00" + b"BAT123khg\\ ")
write("fuzz_language_file", "deleted", language(1, "", 0, []) + b"\x01")
write("fuzz_language_file", "overfull", language(1, "MANY", 100, [("*", 1)] * 100)[:4400])


# Lexbench's settings record: a record number and thirty fields of 50.
def settings(values):
    fields = [v.encode().ljust(50, b" ")[:50] for v in values] + [b" " * 50] * (30 - len(values))
    return struct.pack("<i", 1) + b"".join(fields)


write("fuzz_settings_file", "typical",
      settings(["NO", "NO", "YES", "start.wav", "stop.wav", "NO", "YES", "NO", "20000", "1000",
                "1500", "Middle", "FLEXIBLE", "HIGH", "Demo", "Demo", "", "", "", "", "NO", "NO",
                "NO", "YES", "NO", "NO", "Demo", "Demo", "NO", "1"]) + b"\x05\xe0")
write("fuzz_settings_file", "odd-numbers",
      settings(["maybe", "", "yes", "", "", "", "", "", "0", "abc", "-5", "Top", "", "", "", "", "",
                "", "", "", "", "", "", "NO", "", "", "", "", "", "99999999999"]) + b"\x00\x02")


# String protocols: pattern and subject as FuzzedDataProvider's escaped strings.
def two(pattern, text):
    esc = lambda s: s.replace("\\", "\\\\")
    return (esc(pattern) + "\\ " + esc(text) + "\\ ").encode("latin-1")


for i, (p, t) in enumerate([("B?T*", "BAT123khg"), ("a[L-P]#b", "aM5b"), ("ee*ss", "eeuuucss"),
                            ("*[!a-z]*[*]", "xyzQ*"), ("[]", ""), ("[[]#?", "[7x"),
                            ("a*b*c*d", "aXbYcZd"), ("[z-a]", "q"), ("[-!]", "!")]):
    write("fuzz_string_protocol", "seed%d" % i, two(p, t))


# Samples for the analysis: a word of square wave in silence, and a decaying tone.
tone = bytes(128 + int(60 * math.exp(-i / 900) * math.sin(i / 3)) for i in range(4000))
for target in ("fuzz_division_finder", "fuzz_segment_analysis", "fuzz_sample_processing"):
    write(target, "word", speech())
    write(target, "two-words", speech(900, 700, 600) + square(900, 40) + bytes([128]) * 900)
    write(target, "tone", tone)
# Runs for the drivers: value, length (as FuzzedDataProvider reads from the end), square flag.
write("fuzz_sample_processing", "runs", b"\x00" + bytes([128, 188, 60, 128]) * 40 + b"\x00\x01")
