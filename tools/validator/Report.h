// One line per check: PASS or FAIL, its name and its figures; a closing count.
#pragma once

#include <cstdio>
#include <string>

class Report {
public:
    void Check(const std::string& name, bool passed, const std::string& figures) {
        std::printf("%s  %-44s %s\n", passed ? "PASS" : "FAIL", name.c_str(), figures.c_str());
        std::fflush(stdout);
        (passed ? passedCount : failedCount) += 1;
    }
    int Failed() const { return failedCount; }
    int Passed() const { return passedCount; }

private:
    int passedCount = 0;
    int failedCount = 0;
};

// printf into a std::string, for the figures column.
template <typename... Args>
std::string Format(const char* format, Args... args) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}
