// Runs the built programs as a level author or the test suite would.
#pragma once
#include <filesystem>
#include <string>

inline const std::string buildDir = BUILD_DIR;
inline const std::string solutionsDir = std::string(TEST_DATA_DIR) + "/../levels_play/solutions";
constexpr int shippedLevels = 30;

struct ToolRun {
    int status = -1;     // exit status, -1 when it could not be run
    std::string output;  // standard output and standard error together
};

ToolRun runTool(const std::string& folder, const std::string& commandLine);
std::string contents(const std::filesystem::path& path);
