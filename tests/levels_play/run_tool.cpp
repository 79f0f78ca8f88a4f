#include "run_tool.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>

ToolRun runTool(const std::string& folder, const std::string& commandLine) {
    ToolRun run;
    const std::string command = "cd '" + folder + "' && " + commandLine + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
