// Runs the built programs as a level author or the test suite would.
#pragma once
#include <string>

struct ToolRun {
    int status = -1;     // exit status, -1 when it could not be run
    std::string output;  // standard output and standard error together
};

ToolRun runTool(const std::string& folder, const std::string& commandLine);
// The last line of `output` that starts with '{' (the harness's last dump).
std::string lastDump(const std::string& output);
// The whole-number value of "key": in one dump line; fallback when absent.
long long dumpNumber(const std::string& dump, const std::string& key, long long fallback = -1);
// Entry `index` of the array "key": [..] in one dump line.
long long dumpArrayNumber(const std::string& dump, const std::string& key, size_t index, long long fallback = -1);
