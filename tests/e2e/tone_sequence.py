#!/usr/bin/env python3
"""Prints the order in which test tones appear in a WAV file the player's
audio went into: one frequency per line, repeats collapsed, silence skipped.

usage: tone_sequence.py FILE.wav FREQ [FREQ...]
"""
import math
import struct
import sys


def read_wav(path):
    data = open(path, 'rb').read()
    pos = 12
    fmt = None
    while pos + 8 <= len(data):
        tag, size = data[pos:pos + 4], struct.unpack('<I', data[pos + 4:pos + 8])[0]
        body = pos + 8
        if tag == b'fmt ':
            fmt = struct.unpack('<HHIIHH', data[body:body + 16])
        elif tag == b'data':
            # A recording cut short may leave the size unwritten: take what is there.
            end = len(data) if size == 0 or body + size > len(data) else body + size
            return fmt, data[body:end]
        pos = body + size + (size & 1)
    raise SystemExit('no data chunk in %s' % path)


def mono_samples(fmt, pcm):
    _, channels, rate, _, align, bits = fmt
    width = bits // 8
    code = {2: 'h', 4: 'i'}[width]
    frames = len(pcm) // align
    values = struct.unpack('<%d%s' % (frames * channels, code), pcm[:frames * align])
    scale = float(1 << (bits - 1))
    return rate, [values[i * channels] / scale for i in range(frames)]


def power(block, rate, freq):
    k = 2.0 * math.cos(2.0 * math.pi * freq / rate)
    s1 = s2 = 0.0
    for x in block:
        s1, s2 = x + k * s1 - s2, s1
    return s1 * s1 + s2 * s2 - k * s1 * s2


def main():
    path, freqs = sys.argv[1], [float(f) for f in sys.argv[2:]]
    rate, samples = mono_samples(*read_wav(path))
    step = rate // 20  # 50 ms blocks
    sequence = []
    for start in range(0, len(samples) - step, step):
        block = samples[start:start + step]
        energy = sum(x * x for x in block)
        if energy < 1e-3 * len(block) * 0.01:
            continue
        best = max(freqs, key=lambda f: power(block, rate, f))
        # A block counts only when the tone clearly dominates it.
        if power(block, rate, best) < 0.25 * energy * len(block):
            continue
        if not sequence or sequence[-1] != best:
            sequence.append(best)
    for f in sequence:
        print(int(f))


if __name__ == '__main__':
    main()
