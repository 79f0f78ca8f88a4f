// CPU the running game takes: the real program in a real window under Xvfb, on
// the play screen of a pen that keeps 100 creatures walking, measured from the
// process's own CPU clock over 10 wall seconds once all 100 are in play (that
// takes about 100 s: one enters a second). Beside it, the floor: a loop doing
// what any 50-a-second game must at least do, sleep 20 ms and then memset and
// memcpy one 640x480 screen, measured the same way in the same run.
//
// Runs itself under xvfb-run (with openbox when there is one). Skipped when the
// windowed game was not built. EGGSODUS_CPU_FILL_SECONDS shortens the wait for
// the creatures to enter.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string buildDir = fs::canonical("/proc/self/exe").parent_path().parent_path().string();
constexpr double measureSeconds = 10.0;

void put16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A 64x16 tileset of four 16x16 tiles: two grounds, then the entrance and exit markers.
void writeTileset(const fs::path& path) {
    const uint32_t colours[4] = {0x996633, 0x556677, 0x00FF00, 0x0000FF};
    std::string out = "BM";
    put32(out, 54 + 64 * 3 * 16);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, 64);
    put32(out, 16);
    put16(out, 1);
    put16(out, 24);
    for (int i = 0; i < 6; ++i) put32(out, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            uint32_t c = colours[x / 16];
            out += static_cast<char>(c & 0xFF);
            out += static_cast<char>((c >> 8) & 0xFF);
            out += static_cast<char>((c >> 16) & 0xFF);
        }
    std::ofstream(path, std::ios::binary) << out;
}

// A 640x400 pen: floor, two walls 240 px apart, the exit out of reach.
void writePen(const fs::path& folder) {
    std::string rows;
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 40; ++x) {
            int tile = y >= 20 ? 1 : ((x == 4 || x == 20) && y >= 10) ? 2 : 0;
            if (x == 8 && y == 17) tile = 3;
            if (x == 36 && y == 2) tile = 4;
            rows += std::to_string(tile);
            if (x < 39 || y < 24) rows += ',';
        }
        rows += '\n';
    }
    std::ofstream(folder / "maps" / "map1.tmx")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<map version=\"1.8\" orientation=\"orthogonal\" renderorder=\"right-down\" width=\"40\" height=\"25\" "
           "tilewidth=\"16\" tileheight=\"16\" infinite=\"0\">\n"
           " <tileset firstgid=\"1\" name=\"pen\" tilewidth=\"16\" tileheight=\"16\" tilecount=\"4\" columns=\"4\">\n"
           "  <image source=\"bench-pen.png\" width=\"64\" height=\"16\"/>\n"
           " </tileset>\n"
           " <layer id=\"1\" name=\"pen\" width=\"40\" height=\"25\">\n"
           "  <data encoding=\"csv\">\n"
        << rows << "</data>\n </layer>\n</map>\n";
    std::ofstream(folder / "maps" / "map1.dat") << "99,1,0,0,0,0,0,0,0,0\n";
}

std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

// User plus system CPU seconds of a process, from /proc.
double processCpuSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    size_t close = text.rfind(')');
    if (close == std::string::npos) return 0;
    std::vector<std::string> fields;
    std::string field;
    for (char c : text.substr(close + 2)) {
        if (c == ' ') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    if (fields.size() < 13) return 0;
    // Fields 14 and 15 of the line (utime, stime) are 11 and 12 after the name.
    return (std::stod(fields[11]) + std::stod(fields[12])) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double ownCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void xdotool(const std::string& arguments) { std::system(("xdotool " + arguments + " > /dev/null 2>&1").c_str()); }

void GameOnPlayScreenWith100Creatures(benchmark::State& state) {
    std::string game = buildDir + "/eggsodus";
    if (!fs::exists(game) || std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("needs the windowed game and a display (run it plainly: it starts Xvfb itself)");
        for (auto _ : state) {}
        return;
    }
    fs::path folder = fs::path(buildDir) / "bench-work" / "game-cpu";
    fs::remove_all(folder);
    fs::create_directories(folder / "data");
    fs::create_directories(folder / "maps");
    fs::copy_file(fs::path(buildDir) / "data" / "main.bmp", folder / "data" / "main.bmp");
    writeTileset(folder / "data" / "bench-pen.bmp");
    writePen(folder);
    double fillSeconds = 103;
    if (const char* fill = std::getenv("EGGSODUS_CPU_FILL_SECONDS")) fillSeconds = std::atof(fill);

    for (auto _ : state) {
        pid_t pid = fork();
        if (pid == 0) {
            if (chdir(folder.c_str()) != 0) _exit(127);
            execl(game.c_str(), game.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        std::string window = commandOutput("timeout 10 xdotool search --sync --name '^eggsodus$' | head -n 1");
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        auto clickAt = [&](int x, int y) {
            xdotool("mousemove --sync --window " + window + " " + std::to_string(x) + " " + std::to_string(y) +
                    " click 1");
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        };
        clickAt(300, 165);  // Play Game
        clickAt(300, 265);  // Play level
        xdotool("key space");
        xdotool("mousemove --sync --window " + window + " 600 200");  // over the level, over no creature
        std::this_thread::sleep_for(std::chrono::duration<double>(fillSeconds));
        double cpuBefore = processCpuSeconds(pid);
        auto wallBefore = Clock::now();
        std::this_thread::sleep_for(std::chrono::duration<double>(measureSeconds));
        double cpu = processCpuSeconds(pid) - cpuBefore;
        double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        state.SetIterationTime(wall);
        state.counters["cpu_percent_of_a_core"] = 100.0 * cpu / wall;
    }
}

// The floor: sleep 20 ms, then clear and copy one screen, for 10 s.
void FloorSleepAndScreenCopy(benchmark::State& state) {
    std::vector<uint32_t> source(640 * 480, 0x12345678), target(640 * 480);
    for (auto _ : state) {
        double cpuBefore = ownCpuSeconds();
        auto start = Clock::now();
        while (Clock::now() - start < std::chrono::duration<double>(measureSeconds)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            std::memset(target.data(), 0x5A, target.size() * 4);
            std::memcpy(target.data(), source.data(), source.size() * 4);
            benchmark::DoNotOptimize(target.data());
            benchmark::ClobberMemory();
        }
        double wall = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(wall);
        state.counters["cpu_percent_of_a_core"] = 100.0 * (ownCpuSeconds() - cpuBefore) / wall;
    }
}

BENCHMARK(FloorSleepAndScreenCopy)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(GameOnPlayScreenWith100Creatures)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    // Not under Xvfb yet: run this very program there, with a window manager if one is installed.
    if (std::getenv("EGGSODUS_UNDER_XVFB") == nullptr && std::system("command -v xvfb-run > /dev/null") == 0) {
        std::string command = "EGGSODUS_UNDER_XVFB=1 xvfb-run -a -n " + std::to_string(100 + getpid() % 800) +
                              " -s '-screen 0 1280x800x24' sh -c '"
                              "if command -v openbox > /dev/null; then openbox > /dev/null 2>&1 & sleep 1; fi; "
                              "exec \"" + fs::canonical("/proc/self/exe").string() + "\" \"$@\"' bench";
        for (int i = 1; i < argc; ++i) command += " '" + std::string(argv[i]) + "'";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
