"""The same job done the way a Python user would: load the paired data file
with NumPy, then scipy.stats.ttest_rel. Prints the pairs and t for checking.

    python3 ttest_scipy.py DATA_FILE
"""
import sys

import numpy as np
from scipy import stats

first, second = np.loadtxt(sys.argv[1], delimiter=",", skiprows=1, unpack=True, ndmin=2)
print(f"Pairs: {first.size}")
print(f"t: {stats.ttest_rel(first, second).statistic!r}")
