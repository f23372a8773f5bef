#!/usr/bin/python3
"""Writes the reference tables of the statistical-law tests into this folder.

Run once, offline, with Debian bookworm's python3-scipy 1.10.1, python3-numpy 1.24.2
and python3-mpmath 1.2.1:  /usr/bin/python3 make_tables.py
The tests only read the tables it writes; nothing runs Python at test time.
Every real is written with repr(), the shortest text that reads back as the same double;
grid points are written as whole numbers k and stand for k / 100 or k / 20, which the
tests form by the same correctly rounded division.
"""
import mpmath as mp
import numpy as np
from scipy import special, stats

HEADER = "# {}\n# Made by make_tables.py ({}); columns: {}\n"


def write(name, source, columns, rows):
    with open(name, "w") as f:
        f.write(HEADER.format(name, source, columns))
        for r in rows:
            f.write(" ".join(r) + "\n")


def student_cdf_40(t, df):
    """P(T <= t) to 40 digits: I_x(df/2, 1/2) / 2 for the tail, x = df / (df + t^2).

    Near x = 1 the tail is one minus I_(1-x)(1/2, df/2), worked at 400 digits so that
    tails down to 1e-300 keep 40 of them.
    """
    with mp.workdps(400):
        t, df = mp.mpf(t), mp.mpf(df)
        x = df / (df + t * t)
        if x < 0.5:
            tail = mp.betainc(df / 2, mp.mpf(1) / 2, 0, x, regularized=True) / 2
        else:
            tail = (1 - mp.betainc(mp.mpf(1) / 2, df / 2, 0, t * t / (df + t * t), regularized=True)) / 2
        return tail if t < 0 else 1 - tail


def main():
    # Normal law: x = k / 100, k = -3700 .. 3700.
    write("normal_cdf.txt", "scipy.stats.norm.cdf", "k  P(Z <= k/100)",
          ([str(k), repr(float(stats.norm.cdf(k / 100)))] for k in range(-3700, 3701)))

    # Normal quantile: 10^-k, 0.001 .. 0.999 by 0.001, 1 - 10^-k.
    ps = [float("1e-%d" % k) for k in range(1, 301)]
    ps += [k / 1000 for k in range(1, 1000)]
    ps += [1 - float("1e-%d" % k) for k in range(1, 16)]
    write("normal_quantile.txt", "scipy.special.ndtri", "p  z",
          ([repr(p), repr(float(special.ndtri(p)))] for p in ps))

    # Student law: df list, t = k / 20 for k = -200 .. 200.
    dfs = [0.1, 0.2, 0.3, 0.5, 0.7, 0.9, 1, 1.5, 2, 2.5, 3, 4, 5, 7.3, 10, 23.7, 30, 58, 100,
           1000, 1e5]
    rows = []
    for df in dfs:
        for k in range(-200, 201):
            rows.append([repr(float(df)), str(k), repr(float(stats.t.cdf(k / 20, df)))])
    write("student_cdf.txt", "scipy.stats.t.cdf", "df  k  P(T <= k/20)", rows)

    # Student law far out: |t| = 10^(e/4), e = 4 .. 24, both signs, mpmath at 40 digits.
    rows = []
    for df in dfs:
        for e in range(4, 25):
            for sign in (-1, 1):
                t = sign * float(mp.mpf(10) ** (mp.mpf(e) / 4))
                p = student_cdf_40(t, df)
                if p > 1e-300:
                    rows.append([repr(float(df)), repr(t), mp.nstr(p, 20)])
    write("student_cdf_far.txt", "mpmath.betainc at 40 digits", "df  t  P(T <= t), rows below 1e-300 left out", rows)

    # Incomplete beta on the power-series route: a = 0.5, b = kb / 100 (kb = 1 .. 49),
    # z = kz / 100 (kz = 1 .. 99); I_z(0.5, b), its complement, I_z(b, 0.5), its complement.
    rows = []
    for kb in range(1, 50):
        b = kb / 100
        for kz in range(1, 100):
            z = kz / 100
            rows.append([str(kb), str(kz),
                         repr(float(special.betainc(0.5, b, z))),
                         repr(float(special.betainc(b, 0.5, 1 - z))),
                         repr(float(special.betainc(b, 0.5, z))),
                         repr(float(special.betainc(0.5, b, 1 - z)))])
    write("beta_series.txt", "scipy.special.betainc",
          "kb  kz  I(0.5,b)  1-I(0.5,b)  I(b,0.5)  1-I(b,0.5) at z = kz/100, b = kb/100", rows)

    # Incomplete beta on a grid of shapes, z = kz / 20 (kz = 1 .. 19).
    shapes = [0.3, 0.7, 1, 1.5, 2, 3, 5, 10, 30, 60, 100, 200]
    rows = []
    for a in shapes:
        for b in shapes:
            for kz in range(1, 20):
                z = kz / 20
                rows.append([repr(float(a)), repr(float(b)), str(kz),
                             repr(float(special.betainc(a, b, z))),
                             repr(float(special.betainc(b, a, 1 - z)))])
    write("beta_grid.txt", "scipy.special.betainc", "a  b  kz  I_z(a,b)  1-I_z(a,b) at z = kz/20", rows)


if __name__ == "__main__":
    np.seterr(all="ignore")
    main()
