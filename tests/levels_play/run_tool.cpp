#include "run_tool.h"
#include <sys/wait.h>
#include <cstdio>
#include <cstdlib>

ToolRun runTool(const std::string& folder, const std::string& commandLine) {
    ToolRun run;
    const std::string command = "cd '" + folder + "' && " + commandLine + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

std::string lastDump(const std::string& output) {
    std::string last;
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        if (output[start] == '{') last = output.substr(start, end - start);
        start = end + 1;
    }
    return last;
}

long long dumpNumber(const std::string& dump, const std::string& key, long long fallback) {
    const std::string marker = "\"" + key + "\":";
    const size_t at = dump.find(marker);
    if (at == std::string::npos) return fallback;
    return std::strtoll(dump.c_str() + at + marker.size(), nullptr, 10);
}

long long dumpArrayNumber(const std::string& dump, const std::string& key, size_t index, long long fallback) {
    const std::string marker = "\"" + key + "\":[";
    size_t at = dump.find(marker);
    if (at == std::string::npos) return fallback;
    at += marker.size();
    for (size_t i = 0; i < index; ++i) {
        at = dump.find(',', at);
        if (at == std::string::npos) return fallback;
        ++at;
    }
    return std::strtoll(dump.c_str() + at, nullptr, 10);
}
