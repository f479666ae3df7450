// How the in-process benchmarks print a figure, for bench/run-benchmarks:
//     NAME median M worst W UNIT
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

inline void PrintFigure(const std::string& name, std::vector<double> values, const char* unit) {
    std::sort(values.begin(), values.end());
    std::printf("%s median %.2f worst %.2f %s\n", name.c_str(), values[values.size() / 2],
                values.back(), unit);
}
