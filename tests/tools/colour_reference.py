#!/usr/bin/env python3
"""Second rendering, in Python, of the hue drift and of the run's ramp palette,
written from the algorithm's description and driven by the separate
generator rendering in ran3.py. It prints the expected values used by
tests/raster/ColorTest.cpp and tests/scene/ScenePaletteTest.cpp:
    python3 tests/tools/colour_reference.py"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from ran3 import Ran3, f32  # noqa: E402


def coin(r):
    return r.below(2)


def uniform_signed(r):
    return f32(r.uniform() * 2.0 - 1.0)


def drift(r, h, s, v, amount):
    if coin(r) == 1:
        h = h + uniform_signed(r) * 10.0 * amount
        if h < 0:
            h += 360.0
        elif h >= 360.0:
            h -= 360.0
        h = f32(h)
    if coin(r) == 1:
        s = f32(min(1.0, max(0.0, s + amount * (uniform_signed(r) * 0.1))))
    if coin(r) == 1:
        v = f32(min(1.0, max(0.0, v + amount * (uniform_signed(r) * 0.1))))
    return h, s, v


def greenish(c):
    r, g, b = c
    return g - r > 13 and g - b > 13


def magenta(c):
    r, g, b = c
    return r - g > 13 and b - g > 13 and abs(r - b) < 32


def grey(c):
    r, g, b = c
    a = (r + g + b) // 3
    return abs(r - a) < 16 and abs(g - a) < 16 and abs(b - a) < 16


def colourful(c):
    return not grey(c) and not magenta(c) and not greenish(c)


def cdiv(a, b):
    """C integer division, truncating toward zero."""
    q = abs(a) // abs(b)
    return q if (a >= 0) == (b > 0) else -q


BLACK, WHITE = (0, 0, 0), (255, 255, 255)


def palette(program_seed, n):
    program = Ran3(program_seed)
    r = Ran3(program.next())
    kr, kg, kb = r.below(5) - 3, r.below(4) - 2, r.below(4) - 2

    def rand_colour():
        return (r.skewed(256, kr), r.skewed(256, kg), r.skewed(256, kb))

    alternate = r.uniform() < 0.5
    bands = r.uniform() < 0.75
    while True:
        min_len = r.skewed(n, 4) + 2
        max_len = r.skewed(n, 3) + 2
        if max_len >= min_len:
            break
    if alternate or r.uniform() < 0.25:
        start = BLACK
    else:
        start = rand_colour()
        while magenta(start):
            start = rand_colour()
    st = {'magenta_used': magenta(start), 'colourful_seen': colourful(start)}

    def new_colour():
        for _ in range(12):
            c = rand_colour()
            if greenish(c) or magenta(c):
                if not st['magenta_used']:
                    st['magenta_used'] = magenta(c)
                    return c
                if magenta(c):
                    continue
                if st['colourful_seen']:
                    return c
            elif not grey(c):
                st['colourful_seen'] = True
                return c
        return c

    entries = [None] * n
    current, saved, i, ramps, targets = start, BLACK, 0, 0, []
    while i < n:
        if i > 0:
            i -= 1
        ln = min(max(r.below(max_len) + 1, min_len), n - i)
        if ramps > 2 and i + ln > n - min_len:
            ln = n - i
        frm = current
        ramps += 1
        if i + ln == n:
            current = start
        elif i == 0 and frm == BLACK and not alternate and r.uniform() < 0.5:
            current = WHITE
        elif alternate and bands:
            m = ramps % 4
            if m == 0:
                current = BLACK
            elif m == 1:
                current = saved = new_colour()
            elif m == 2:
                current = WHITE
            else:
                current = saved
        elif alternate:
            current = new_colour() if (ramps % 2 == 1 or frm == BLACK) else BLACK
        elif bands:
            m = ramps % 3
            if m == 0:
                current = saved = new_colour()
            elif m == 1:
                current = tuple(x + (255 - x) // 2 for x in saved)
            else:
                current = saved
        else:
            current = new_colour()
        targets.append((i, ln, current))
        d = ln - 1 if ln >= 2 else 1
        for j in range(ln):
            entries[i] = tuple(frm[c] + cdiv(j * (current[c] - frm[c]), d) for c in range(3))
            i += 1
    return {'alternate': alternate, 'bands': bands, 'min': min_len, 'max': max_len,
            'ramps': ramps, 'entries': entries, 'targets': targets, 'next_program': program.next()}


def colorref(c):
    return c[0] | (c[1] << 8) | (c[2] << 16)


if __name__ == '__main__':
    for seed, h, s, v, amount in ((7, 100.0, 0.5, 0.5, 1.0), (8, 355.0, 0.98, 0.02, 3.0), (2024, 2.0, 0.5, 0.5, 2.0)):
        r = Ran3(seed)
        h2, s2, v2 = drift(r, f32(h), f32(s), f32(v), amount)
        print('drift seed', seed, 'from', (h, s, v, amount), '->', repr(h2), repr(s2), repr(v2),
              'next raw', r.next())
    for seed, n in ((1, 256), (42, 256), (5, 236), (99, 236)):
        p = palette(seed, n)
        e = p['entries']
        print('palette seed', seed, 'n', n, 'alternate', p['alternate'], 'bands', p['bands'],
              'min', p['min'], 'max', p['max'], 'ramps', p['ramps'],
              'next program raw', p['next_program'])
        print('   entries 0,1,n/2,n-2,n-1 as 0x00BBGGRR:',
              ['0x%06X' % colorref(e[k]) for k in (0, 1, n // 2, n - 2, n - 1)])
        print('   sum of all colour refs:', sum(colorref(c) for c in e))
    for seed in range(1, 200):
        p = palette(seed, 256)
        if p['alternate'] and p['bands'] and p['ramps'] >= 6:
            print('first seed with alternate+bands and at least 6 ramps:', seed, 'ramps', p['ramps'])
            break
