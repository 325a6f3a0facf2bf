"""The same job done the way a Python user would: load the paired data file
with NumPy, then scipy.stats.ttest_rel. Prints the pairs and t for checking,
and the process's peak memory.

    python3 ttest_scipy.py DATA_FILE
"""
import sys

import numpy as np
from scipy import stats

first, second = np.loadtxt(sys.argv[1], delimiter=",", skiprows=1, unpack=True, ndmin=2)
result = stats.ttest_rel(first, second)
print(f"Pairs: {first.size}")
print(f"t: {result.statistic!r}")
print(f"p: {result.pvalue!r}")

# The kernel's count for this process image (Linux); see duvora_ttest.cpp.
with open("/proc/self/status", encoding="ascii") as status:
    print("Peak:" + next(line for line in status if line.startswith("VmHWM:"))[6:].rstrip())
