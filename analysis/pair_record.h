#pragma once

// One paired observation as read from a data file.
struct PairRecord {
    double First = 0.0;
    double Second = 0.0;
    double Difference = 0.0;  // First - Second
};
