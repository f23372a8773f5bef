#!/usr/bin/python3
"""Prints the reference values that the tests of the normality, homogeneity and
comparison routines hold as constants. Run once, offline, with Debian bookworm's
python3-scipy 1.10.1, python3-numpy 1.24.2 and python3-mpmath 1.2.1:
/usr/bin/python3 make_test_refs.py  (nothing runs Python at test time)."""
from fractions import Fraction

import mpmath as mp
import numpy as np
from scipy import stats
from scipy.stats import _statlib

LENGTHS = [9.1, 9.4, 9.6, 9.7, 9.8, 9.9, 10.0, 10.0, 10.1, 10.2, 10.2, 10.3, 10.3, 10.4, 10.4,
           10.5, 10.5, 10.6, 10.7, 10.8, 10.9, 11.0, 11.1, 11.2, 11.4, 11.5, 11.8, 12.1, 12.6, 13.4]


def formula_sample(n):  # the same doubles in C++
    return [((37 * i * i + 11 * i) % 101) / 10 for i in range(1, n + 1)]


def homogeneity(values):
    """k, Ro and P of the best cut from the decimal texts, in exact rationals and 60 digits."""
    x = sorted(Fraction(v) for v in values)
    n, s = len(x), sum(x)
    crit = [sum(x[:k]) ** 2 / k + (s - sum(x[:k])) ** 2 / (n - k) for k in range(1, n)]
    k = crit.index(max(crit)) + 1
    ro2 = (sum(v * v for v in x) - max(crit)) / (sum(v * v for v in x) - s * s / n)
    with mp.workdps(60):
        ro = mp.sqrt(mp.mpf(ro2.numerator) / ro2.denominator)
        w = mp.mpf(1)
        for j in range(1, n - 1):
            w = j / w
        p = (mp.mpf(2) ** (n - 1) - 1) * ro ** (n - 2) / w * (mp.mpf("0.63662") if n % 2 else 1)
        return k, mp.nstr(ro, 17), mp.nstr(p, 17), float(max(crit))


def student_quantile(p, df):
    """The t with P(T <= t) = p, at 40 digits."""
    with mp.workdps(40):
        p, df = mp.mpf(p), mp.mpf(df)
        cdf = lambda t: mp.mpf(1) / 2 + t * mp.gamma((df + 1) / 2) / (mp.sqrt(mp.pi * df) * mp.gamma(df / 2)) \
            * mp.hyp2f1(mp.mpf(1) / 2, (df + 1) / 2, mp.mpf(3) / 2, -t * t / df)
        return mp.nstr(mp.findroot(lambda t: cdf(t) - p, 2), 20)


print("Shapiro-Wilk (scipy.stats.shapiro, single precision): n, W, p")
for n in (3, 5, 6, 11, 12, 100, 1000):
    print(n, *map(repr, stats.shapiro(formula_sample(n))))
y = np.sort(np.array(formula_sample(40), dtype=np.float32))
print("40, 30 smallest known:", _statlib.swilk(y, np.zeros(20, dtype=np.float32), 0, 30)[1:3])
print("D'Agostino (skewtest, kurtosistest, normaltest): Z1, Z2, K2, p")
for x in (LENGTHS, [5.0, 4.1, 4.9, 3.0, 4.8, 5.2, 4.7, 1.2], formula_sample(60), list(np.log(LENGTHS))):
    print(stats.skewtest(x).statistic, stats.kurtosistest(x).statistic, *stats.normaltest(x))
print("homogeneity: k, Ro, P, criterion")
print(homogeneity(["1", "2", "3", "10", "11", "12"]), homogeneity([repr(k / 100) for k in range(1, 1202)]))
print(homogeneity(["2.1", "2.4", "2.2", "2.6", "5.3", "5.9", "5.5"]), homogeneity([str(k) for k in range(1, 13)]))
se = 0.4 / np.sqrt(34)
t, z = (9.9 - 10) / se, stats.norm.ppf(0.95)
print("one sample: t, Phi(t), beta (Student, normal)", t, stats.norm.cdf(t), 1 - stats.t.cdf(abs(t) - z, 34),
      1 - stats.norm.cdf(abs(t) - z))
for args, equal, a in (((10.9, 1.2, 30, 10.5, 1.3, 30), True, 0.05), ((7.45, 0.55, 18, 7.1, 0.62, 42), False, 0.025)):
    r = stats.ttest_ind_from_stats(*args, equal_var=equal)
    v1, v2 = args[1] ** 2 / args[2], args[4] ** 2 / args[5]
    df = args[2] + args[5] - 2 if equal else (v1 + v2) ** 2 / (v2 * v2 / (args[5] - 1) + v1 * v1 / (args[2] - 1))
    print("two samples: t, df, two-sided p, beta", r.statistic, df, r.pvalue,
          1 - stats.t.cdf(abs(r.statistic) - stats.norm.ppf(1 - a), df))
print("Student:", stats.t.cdf(2.5, 7), 2 * stats.t.cdf(0.8, 5) - 1, student_quantile("0.95", 12),
      student_quantile("0.99", "3.5"), student_quantile("0.95", 10))
print("normal:", stats.norm.cdf(5.1 / 3), stats.norm.sf(5.1 / 3), 2 * stats.norm.cdf(5.1 / 3) - 1, stats.norm.ppf(0.9))
