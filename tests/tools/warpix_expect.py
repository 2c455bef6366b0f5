#!/usr/bin/env python3
"""Works out, independently of the C++ code, the expected parameters and
mapped points of the distortions and the sine pattern used by
tests/effects/WarpixTest.cpp and PatternSinTest.cpp. Single precision is
emulated by rounding every operation's result to a 32-bit float; the sine
and friends are taken in double precision and rounded, so each mapped point
is printed with the value before truncation, to show that it is not close
to an integer boundary. Run: python3 tests/tools/warpix_expect.py"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ran3 import Ran3, f32  # noqa: E402

PI = f32(math.pi)
TWO_PI = f32(2 * math.pi)
HALF_PI = f32(math.pi / 2)
SQRT2 = f32(math.sqrt(2))


def mul(*v):
    r = v[0]
    for x in v[1:]:
        r = f32(r * x)
    return r


def add(a, b): return f32(a + b)
def sub(a, b): return f32(a - b)
def div(a, b): return f32(a / b)
def fsin(a): return f32(math.sin(a))
def fcos(a): return f32(math.cos(a))
def fsqrt(a): return f32(math.sqrt(a))


def uniform_signed(r): return sub(mul(r.uniform(), 2.0), 1.0)
def coin(r): return r.below(2)
def sign(r): return 1 if r.below(2) != 0 else -1


def trunc(v): return int(v)  # toward zero


def clamp_t(v, size):
    """value before truncation, truncated and clamped"""
    t = trunc(v)
    return min(max(t, 0), size - 1)


def keep_t(v, size, own):
    t = trunc(v)
    return t if 0 <= t < size else own


def norm(i, size): return sub(mul(div(float(i), float(size)), 2.0), 1.0)


def atan2z(a, b): return 0.0 if a == 0 and b == 0 else f32(math.atan2(a, b))


def grid_axis(r, length, count):
    c = length // count
    start = [c * i for i in range(count)] + [0]
    size = [1.0] * (count + 1)
    for i in range(1, count):
        start[i] += r.below(c) - int(c / 2)
        s = start[i] - start[i - 1]
        size[i - 1] = float(s) if s > 0 else 1.0
    start[count] = 2 * length
    last = length - start[count - 1]
    size[count - 1] = float(last) if last > 0 else 1.0
    size[count] = 1.0
    return start, size


def grid(r, w, h):
    rows = 1 << r.skewed(7, 2)
    cols = 1 << r.skewed(7, 2)
    rs, rz = grid_axis(r, h, rows)
    cs, cz = grid_axis(r, w, cols)
    return dict(rows=rows, cols=cols, rowStart=rs, rowSize=rz, colStart=cs, colSize=cz)


def cell(start, p):
    i = 0
    while not (start[i] <= p < start[i + 1]):  # scan from the left
        i += 1
    return i


def local(g, x, y):
    i = cell(g['colStart'], x)
    j = cell(g['rowStart'], y)
    fx = div(float(x - g['colStart'][i]), g['colSize'][i])
    fy = div(float(y - g['rowStart'][j]), g['rowSize'][j])
    return i, j, fx, fy, sub(mul(2.0, fx), 1.0), sub(mul(2.0, fy), 1.0)


def back(g, px, py, i, j):
    bx = add(mul(add(mul(px, 0.5), 0.5), g['colSize'][i]), float(g['colStart'][i]))
    by = add(mul(add(mul(py, 0.5), 0.5), g['rowSize'][j]), float(g['rowStart'][j]))
    return bx, by


def pattern_setup(r):
    coin(r)
    k = [r.skewed(6, 2) + 1 for _ in range(2)] + [0]
    k += [r.skewed(6, 2) + 1 for _ in range(2)] + [0]
    return [float(v) for v in k]


def pattern_eval(K, x, y):
    K1, K2, K3, K4, K5, K6 = K
    m = fsin(mul(add(mul(K5, y), K6), PI))
    k1, k2, k3 = mul(K1, K4, m), mul(K2, K4, m), mul(K3, K4, m)
    w = fsin(mul(add(mul(K2, x), K3), PI))
    k4, k5, k6 = mul(w, K4, K1), mul(w, K5, K1), mul(w, K6, K1)
    s1 = mul(fsin(mul(add(mul(k2, x), k3), PI)), k1)
    s2 = mul(fsin(mul(add(mul(k5, y), k6), PI)), k4)
    s = add(abs(k1), abs(k4))
    c = 0.0 if s == 0 else div(add(s1, s2), s)
    return add(mul(c, 0.5), 0.5)


def show(name, params, pts):
    print(name, params)
    for (x, y), (vx, vy), (sx, sy) in pts:
        print('   (%d, %d) -> (%d, %d)   before truncation %r, %r' % (x, y, sx, sy, vx, vy))


def whirlpool(seed, W, H, points):
    r = Ran3(seed)
    s = uniform_signed(r)
    twist = mul(r.uniform(), s, PI)
    wobble = coin(r)
    a = mul(0.2, r.uniform(), r.uniform(), r.uniform(), r.uniform())
    freq = float(r.below(200) + 1)
    out = []
    for x, y in points:
        e = div(norm(x, W), SQRT2)
        f = div(norm(y, H), SQRT2)
        rr = fsqrt(add(mul(e, e), mul(f, f)))
        phi = add(mul(rr, twist), atan2z(e, f))
        if wobble:
            phi = add(phi, mul(fsin(mul(freq, rr)), a))
        p = min(max(mul(fsin(phi), rr), -1.0), 1.0)
        q = min(max(mul(fcos(phi), rr), -1.0), 1.0)
        vx = mul(float(W), add(mul(p, 0.5), 0.5))
        vy = mul(float(H), add(mul(q, 0.5), 0.5))
        out.append(((x, y), (vx, vy), (clamp_t(vx, W), clamp_t(vy, H))))
    show('Whirlpool seed %d %dx%d' % (seed, W, H), dict(twist=twist, wobble=wobble, a=a, freq=freq), out)


def stretch(seed, W, H, points):
    r = Ran3(seed)
    g = grid(r, W, H)
    ex = add(mul(r.uniform(), 1.5), 0.5)
    ey = add(mul(r.uniform(), 1.5), 0.5)
    out = []
    for x, y in points:
        i, j, fx, fy, cx, cy = local(g, x, y)
        px = math.copysign(f32(abs(cx) ** ex), cx) if cx != 0 else 0.0
        py = math.copysign(f32(abs(cy) ** ey), cy) if cy != 0 else 0.0
        vx, vy = back(g, px, py, i, j)
        out.append(((x, y), (vx, vy), (clamp_t(vx, W), clamp_t(vy, H))))
    show('Stretch seed %d %dx%d' % (seed, W, H), dict(grid=g, expX=ex, expY=ey), out)


def radial_stretch(seed, W, H, points):
    r = Ran3(seed)
    g = grid(r, W, H)
    p = add(mul(uniform_signed(r), 0.2), 1.0)
    wobble = coin(r)
    a = mul(0.2, r.uniform(), r.uniform(), r.uniform(), r.uniform())
    freq = float(r.below(10) + 1)
    out = []
    for x, y in points:
        i, j, fx, fy, cx, cy = local(g, x, y)
        l = fsqrt(add(mul(cx, cx), mul(cy, cy)))
        if l > 1:
            out.append(((x, y), ('keep', 'keep'), (x, y)))
            continue
        th = atan2z(cx, cy)
        if wobble:
            l = max(0.0, add(l, mul(fsin(mul(freq, th)), a)))
            if l > 1:
                out.append(((x, y), ('keep', 'keep'), (x, y)))
                continue
        rho = f32(l ** p)
        vx, vy = back(g, mul(fsin(th), rho), mul(fcos(th), rho), i, j)
        out.append(((x, y), (vx, vy), (clamp_t(vx, W), clamp_t(vy, H))))
    show('RadialStretch seed %d %dx%d' % (seed, W, H), dict(grid=g, p=p, wobble=wobble, a=a, freq=freq), out)


def glassy(seed, W, H, points):
    r = Ran3(seed)
    g = grid(r, W, H)
    gg = div(float(r.below(W) + 100), float(W))
    out = []
    for x, y in points:
        i, j, fx, fy, cx, cy = local(g, x, y)
        t = div(sub(f32(math.tan(mul(TWO_PI, fx))), f32(math.tan(mul(TWO_PI, fy)))), mul(gg, g['colSize'][i]))
        vx = add(mul(sub(fx, t), g['colSize'][i]), float(g['colStart'][i]))
        vy = add(mul(sub(fy, t), g['rowSize'][j]), float(g['rowStart'][j]))
        out.append(((x, y), (vx, vy), (keep_t(vx, W, x), keep_t(vy, H, y))))
    show('Glassy seed %d %dx%d' % (seed, W, H), dict(grid=g, g=gg), out)


def radial_wave(seed, W, H, points):
    r = Ran3(seed)
    grid(r, W, H)
    cx0, cy0 = r.uniform(), r.uniform()
    a1 = add(mul(r.uniform(), 0.5), 0.1)
    a2 = add(mul(r.uniform(), 0.5), 0.1)
    f1 = mul(float(r.below(100)), TWO_PI)
    f2 = mul(float(r.below(20)), TWO_PI)
    damp = mul(r.uniform(), 20.0)
    out = []
    for x, y in points:
        e, gy = div(float(x), float(W)), div(float(y), float(H))
        de, dg = sub(e, cx0), sub(gy, cy0)
        d = div(fsqrt(add(mul(de, de), mul(dg, dg))), SQRT2)
        num = mul(fsin(mul(mul(2.0, TWO_PI), d)), mul(fsin(mul(f2, d)), a2), mul(fcos(mul(f1, d)), a1))
        u = div(num, add(mul(fsqrt(d), damp), 1.0))
        vx, vy = mul(float(W), add(e, u)), mul(float(H), add(gy, u))
        out.append(((x, y), (vx, vy), (clamp_t(vx, W), clamp_t(vy, H))))
    show('RadialWave seed %d %dx%d' % (seed, W, H),
         dict(cx0=cx0, cy0=cy0, a1=a1, a2=a2, f1=f1, f2=f2, damping=damp), out)


def shatter(seed, W, H, points):
    r = Ran3(seed)
    g = grid(r, W, H)
    n = r.below(32) + 4
    fac = [mul(uniform_signed(r), 0.05) for _ in range(n)]
    out = []
    for x, y in points:
        i, j, fx, fy, cx, cy = local(g, x, y)
        l = fsqrt(add(mul(cx, cx), mul(cy, cy)))
        th = atan2z(cx, cy)
        full = add(th, TWO_PI) if th < 0 else th
        k = min(trunc(div(mul(float(n), full), TWO_PI)), n - 1)
        phi = mul(th, add(1.0, fac[k]))
        vx, vy = back(g, mul(fsin(phi), l), mul(fcos(phi), l), i, j)
        out.append(((x, y), (vx, vy), (clamp_t(vx, W), clamp_t(vy, H))))
    show('Shatter seed %d %dx%d' % (seed, W, H), dict(grid=g, n=n, first_factors=fac[:3]), out)


def lens_axis(u, z, z2, eta, convex):
    nn = fsqrt(add(mul(u, u), mul(z, z)))
    c = div(u, nn) if nn > 0 else 0.0
    c = min(max(c, -1.0), 1.0)
    alpha = sub(HALF_PI, f32(math.acos(c)))
    beta = f32(math.asin(div(fsin(alpha), eta)))
    t = f32(math.tan(sub(alpha, beta)))
    return sub(u, mul(t, z)) if convex else add(u, mul(t, z2, z2))


def lens(seed, W, H, points):
    r = Ran3(seed)
    g = grid(r, W, H)
    u1 = sub(1.0, r.uniform())
    eta = add(mul(sub(1.0, r.uniform()), u1, 4.0), 1.0)
    convex = coin(r)
    out = []
    for x, y in points:
        i, j, fx, fy, cx, cy = local(g, x, y)
        w, h = g['colSize'][i], g['rowSize'][j]
        m = trunc(min(w, h))
        dx = trunc(sub(float(x - g['colStart'][i]), div(w, 2.0)))
        dy = trunc(sub(float(y - g['rowStart'][j]), div(h, 2.0)))
        R = m // 2
        u, v = div(float(dx), float(R)), div(float(dy), float(R))
        if m <= 1 or fsqrt(add(mul(u, u), mul(v, v))) > 1:
            out.append(((x, y), ('keep', 'keep'), (x, y)))
            continue
        z2 = sub(sub(1.0, mul(u, u)), mul(v, v))
        z = fsqrt(z2)
        vx = add(add(float(g['colStart'][i]), div(w, 2.0)), mul(float(R), lens_axis(u, z, z2, eta, convex)))
        vy = add(add(float(g['rowStart'][j]), div(h, 2.0)), mul(float(R), lens_axis(v, z, z2, eta, convex)))
        out.append(((x, y), (vx, vy), (clamp_t(vx, W), clamp_t(vy, H))))
    show('Lens seed %d %dx%d' % (seed, W, H), dict(grid=g, eta=eta, convex=convex), out)


def tile_shrinker(seed, W, H, points):
    r = Ran3(seed)
    grid(r, W, H)
    tw = 1 << (r.below(4) + 5)
    th = 1 << (r.below(4) + 5)
    out = []
    for x, y in points:
        bx, by = x // tw * tw, y // th * th
        vx = add(sub(float(bx), float(tw)), mul(div(float(x - bx), float(tw)), float(tw), 2.0))
        vy = add(sub(float(by), float(th)), mul(div(float(y - by), float(th)), float(th), 2.0))
        out.append(((x, y), (vx, vy), (keep_t(vx, W, x), keep_t(vy, H, y))))
    show('TileShrinker seed %d %dx%d' % (seed, W, H), dict(tw=tw, th=th), out)


def bulb(seed, W, H, points):
    r = Ran3(seed)
    r.below(32), r.below(32)
    kx = div(mul(float(r.below(100) + 50), TWO_PI), float(W))
    ky = div(mul(float(r.below(100) + 50), TWO_PI), float(H))
    out = []
    for x, y in points:
        nx, ny = norm(x, W), norm(y, H)
        rr = fsqrt(add(mul(nx, nx), mul(ny, ny)))
        u = sub(sub(sub(fsin(div(mul(TWO_PI, rr), SQRT2)), fsin(atan2z(nx, ny))), fsin(mul(kx, float(x)))),
                fsin(mul(ky, float(y))))
        vx, vy = sub(float(x), u), sub(float(y), u)
        out.append(((x, y), (vx, vy), (clamp_t(vx, W), clamp_t(vy, H))))
    show('Bulb seed %d %dx%d' % (seed, W, H), dict(kx=kx, ky=ky), out)


def sin_family(seed, W, H, points):
    r = Ran3(seed)
    r.below(32), r.below(32)
    ampx = r.skewed(16, -2) + 4
    ampy = r.skewed(16, -2) + 4
    K = pattern_setup(r)
    absolute = r.uniform() < 0.25
    side = sign(r)
    print('Sin family seed %d %dx%d' % (seed, W, H), dict(ampX=ampx, ampY=ampy, K=K, absolute=absolute, side=side))

    def disp(px, py):
        e = sub(mul(2.0, pattern_eval(K, px, py)), 1.0)
        return mul(abs(e), float(side)) if absolute else e
    for x, y in points:
        nx, ny = norm(x, W), norm(y, H)
        vals = {
            'SinX': add(float(x), mul(float(ampx), disp(nx, ny))),
            'SinY': add(float(y), mul(float(ampy), disp(nx, ny))),
            'SinX1': add(float(x), mul(float(ampx), disp(1.0, ny))),
            'SinY1': add(float(y), mul(float(ampy), disp(nx, 1.0))),
        }
        print('   (%d, %d):' % (x, y), ', '.join('%s %d (%r)' % (k, clamp_t(v, W if 'X' in k else H), v)
                                                 for k, v in vals.items()))


def radial_blend(seed, W, H, points):
    r = Ran3(seed)
    g = grid(r, W, H)
    k = r.skewed(64, -3) + 1
    a = mul(r.uniform(), 0.01)
    while True:
        spin, shrink = coin(r), coin(r)
        if spin or shrink:
            break
    signed = coin(r)
    out = []
    for x, y in points:
        i, j, fx, fy, cx, cy = local(g, x, y)
        l = fsqrt(add(mul(cx, cx), mul(cy, cy)))
        th = atan2z(cx, cy)
        if shrink:
            d = fsqrt(add(mul(g['colSize'][i], g['colSize'][i]), mul(g['rowSize'][j], g['rowSize'][j])))
            l = sub(l, div(mul(sub(1.0, r.uniform()), float(k)), d))
        if spin:
            v = uniform_signed(r) if signed else sub(1.0, r.uniform())
            th = mul(add(mul(a, v), 1.0), th)
        vx, vy = back(g, mul(fsin(th), l), mul(fcos(th), l), i, j)
        out.append(((x, y), (vx, vy), (clamp_t(vx, W), clamp_t(vy, H))))
    show('RadialBlend seed %d %dx%d' % (seed, W, H),
         dict(grid=g, k=k, a=a, spin=spin, shrink=shrink, signedSpin=signed), out)


def blend(seed, W, H, points):
    r = Ran3(seed)
    ax, ay = r.below(32) + 1, r.below(32) + 1
    out = []
    for x, y in points:
        jx, jy = r.below(ax), r.below(ay)
        out.append(((x, y), ('-', '-'), (min(max(x + jx - ax // 2, 0), W - 1), min(max(y + jy - ay // 2, 0), H - 1))))
    show('Blend seed %d %dx%d' % (seed, W, H), dict(ampX=ax, ampY=ay), out)


if __name__ == '__main__':
    P = [(0, 0), (100, 50), (320, 240), (639, 479), (500, 400), (37, 411)]
    blend(11, 640, 480, P)
    whirlpool(3, 640, 480, P)
    stretch(5, 640, 480, P)
    radial_stretch(7, 640, 480, P)
    radial_blend(8, 640, 480, P)
    glassy(9, 640, 480, P)
    radial_wave(10, 640, 480, P)
    shatter(12, 640, 480, P)
    lens(36, 640, 480, [(320, 240), (400, 300), (200, 150), (500, 260), (330, 400), (100, 50)])
    lens(20, 640, 480, [(320, 240), (400, 300), (200, 150), (500, 260), (330, 400), (100, 50)])
    for seed, w, h in ((42, 7, 5), (42, 100, 50), (5, 640, 480)):
        g = grid(Ran3(seed), w, h)
        print('grid seed %d %dx%d' % (seed, w, h), g)
        print('   column cells', [cell(g['colStart'], x) for x in range(min(w, 12))])
        print('   row cells', [cell(g['rowStart'], y) for y in range(min(h, 12))])
    tile_shrinker(14, 640, 480, P)
    bulb(15, 640, 480, P)
    sin_family(16, 640, 480, P)
