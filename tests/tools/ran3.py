#!/usr/bin/env python3
"""Second, independent rendering of the subtractive generator, in Python,
used to work out the expected values of the C++ tests. Run it to reprint
them: python3 tests/tools/ran3.py"""
import struct

MBIG, MSEED = 1000000000, 161803398


def f32(x):
    return struct.unpack('f', struct.pack('f', x))[0]


class Ran3:
    def __init__(self, seed):
        ma = [0] * 56
        mj = (MSEED - abs(seed))
        mj = mj - int(mj / MBIG) * MBIG  # C remainder: truncating division
        if mj < 0:
            mj += MBIG
        ma[55] = mj
        mk = 1
        for i in range(1, 55):
            ii = (21 * i) % 55
            ma[ii] = mk
            mk = mj - mk
            if mk < 0:
                mk += MBIG
            mj = ma[ii]
        for _ in range(4):
            for i in range(1, 56):
                ma[i] -= ma[1 + (i + 30) % 55]
                if ma[i] < 0:
                    ma[i] += MBIG
        self.ma, self.inext, self.inextp = ma, 0, 31

    def next(self):
        self.inext = 1 if self.inext + 1 == 56 else self.inext + 1
        self.inextp = 1 if self.inextp + 1 == 56 else self.inextp + 1
        v = self.ma[self.inext] - self.ma[self.inextp]
        if v < 0:
            v += MBIG
        self.ma[self.inext] = v
        return v

    def uniform(self):
        return f32(self.next() * 1e-9)

    def below(self, n):
        return int(f32(self.uniform() * n))

    def skewed(self, n, k):
        if k == 0:
            k = 1
        c = self.below(n)
        for _ in range(abs(k) - 1):
            c = self.below(c + 1)
        return c if k > 0 else n - 1 - c


if __name__ == '__main__':
    for s in (0, 1, 42, -42, 161803398, 2**31 - 1):
        r = Ran3(s)
        print('seed', s, 'next', [r.next() for _ in range(5)])
    r = Ran3(7)
    print('seed 7 uniform', [repr(r.uniform()) for _ in range(3)])
    r = Ran3(7)
    print('seed 7 below(10)', [r.below(10) for _ in range(10)])
    r = Ran3(99)
    print('seed 99 skewed(256,3)', [r.skewed(256, 3) for _ in range(6)])
    r = Ran3(99)
    print('seed 99 skewed(10,-2)', [r.skewed(10, -2) for _ in range(6)])
    # the first value of next() after seeding, for a raw value at the top of the range
    r = Ran3(12345)
    print('seed 12345 after 1000 draws', [r.next() for _ in range(1000)][-3:])
