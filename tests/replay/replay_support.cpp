#include "replay_support.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/bmp.h"

namespace fs = std::filesystem;

namespace {

const Json emptyJson;

// The dump has no blanks, and no nulls: those would be floats gone wrong.
struct JsonReader {
    std::string_view s;
    size_t i = 0;

    bool eat(char c) { return i < s.size() && s[i] == c && ++i > 0; }
    bool string(std::string& out) {
        if (!eat('"')) return false;
        while (i < s.size() && s[i] != '"') {
            if (s[i] == '\\') ++i;  // our texts need no \u escapes
            if (i < s.size()) out += s[i++];
        }
        return eat('"');
    }
    bool value(Json& out) {
        if (eat('{') || eat('[')) {
            bool object = s[i - 1] == '{';
            char close = object ? '}' : ']';
            if (eat(close)) return true;
            do {
                std::string key;
                if (object && !(string(key) && eat(':'))) return false;
                out.items.emplace_back();
                if (!value(out.items.back())) return false;
                if (object) out.keys.push_back(key);
            } while (eat(','));
            return eat(close);
        }
        if (i < s.size() && s[i] == '"') return string(out.text);
        auto [end, error] = std::from_chars(s.data() + i, s.data() + s.size(), out.number);
        i = static_cast<size_t>(end - s.data());
        return error == std::errc{};
    }
};

}  // namespace

const Json& Json::operator[](std::string_view key) const {
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == key) return items[i];
    return emptyJson;
}

const Json& Json::operator[](size_t index) const { return index < items.size() ? items[index] : emptyJson; }

bool parseJson(std::string_view text, Json& value) {
    JsonReader reader{text};
    return reader.value(value) && reader.i == text.size();
}

const Json& ReplayRun::at(int pass) const {
    for (const Json& dump : dumps)
        if (dump["pass"].integer() == pass) return dump;
    ADD_FAILURE() << "no dump after pass " << pass << "; stderr: " << err;
    return emptyJson;
}

void expectDumpValues(const ReplayRun& run,
                      const std::vector<std::tuple<int, const char*, int64_t>>& values) {
    for (const auto& [pass, key, value] : values)
        EXPECT_EQ(run.at(pass)[key].integer(), value) << key << " after pass " << pass;
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

Image makeImage(int32_t width, int32_t height, uint32_t (*colour)(int32_t, int32_t)) {
    Image image{width, height, {}};
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) image.pixels.push_back(colour(x, y));
    return image;
}

bool readPicture(const std::string& path, Picture& picture) {
    std::string bytes = readFile(path);
    int32_t size[2] = {};  // the header's width and height, negative for top-down
    if (bytes.size() >= 26) std::memcpy(size, bytes.data() + 18, sizeof size);
    int32_t width = size[0], height = std::abs(size[1]);
    if (width < 1 || width > 4096 || height < 1 || height > 4096) return false;
    picture.image = Image{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
    auto data = reinterpret_cast<const uint8_t*>(bytes.data());
    return decodeBmp(data, bytes.size(), &picture.image) == bmpLoaded;
}

std::string prepareFolder(const std::string& name, const std::vector<LevelFiles>& levels) {
    fs::path folder = fs::path(BUILD_DIR) / "replay-work" / name;
    fs::remove_all(folder);
    for (const char* sub : {"data", "maps"}) fs::create_directories(folder / sub);
    auto sheet = [](int32_t x, int32_t y) { return sheetColour(x, y); };
    writeBmp32((folder / "data" / "main.bmp").string(), makeImage(290, 384, sheet));
    auto tiles = [](int32_t x, int32_t) { return tileColours[(x / 16) & 3]; };
    writeBmp32((folder / "data" / "tiles.bmp").string(), makeImage(64, 16, tiles));
    fs::path source = fs::path(TEST_DATA_DIR) / "replay";
    for (const LevelFiles& level : levels) {
        std::string stem = "map" + std::to_string(level.number);
        if (!level.map.empty()) fs::copy_file(source / level.map, folder / "maps" / (stem + ".tmx"));
        if (!level.data.empty()) fs::copy_file(source / level.data, folder / "maps" / (stem + ".dat"));
    }
    return folder.string();
}

namespace {

// With EGGSODUS_RECORD_RUNS set, each run's folder is kept as the harness finds
// it, with its arguments, so that another build of the harness can run it again.
void recordRun(const std::string& folder, const std::string& arguments) {
    const char* record = std::getenv("EGGSODUS_RECORD_RUNS");
    if (record == nullptr || *record == '\0') return;
    static int count = 0;
    fs::path copy = fs::path(record) / (fs::path(folder).filename().string() + "-" +
                                        std::to_string(getpid()) + "-" + std::to_string(++count));
    std::error_code error;
    fs::create_directories(copy, error);
    fs::copy(folder, copy, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
    std::ofstream(copy / "arguments") << arguments;
}

}  // namespace

ReplayRun runReplay(const std::string& folder, const std::string& script, const std::string& arguments) {
    std::ofstream(folder + "/script.txt") << script;
    recordRun(folder, arguments);
    ReplayRun run;
    run.dir = folder;
    std::string command = "cd '" + folder + "' && '" + std::string(BUILD_DIR) + "/eggsodus-replay' " +
                          arguments + " > out.txt 2> err.txt";
    int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readFile(folder + "/out.txt");
    run.err = readFile(folder + "/err.txt");
    std::istringstream lines(run.out);
    for (std::string text; std::getline(lines, text);)  // dump lines start with '{'
        EXPECT_TRUE(!text.starts_with('{') || parseJson(text, run.dumps.emplace_back()))
            << "not JSON: " << text.substr(0, 200);
    return run;
}

ReplayRun play(const std::string& name, const std::vector<LevelFiles>& levels, const std::string& script) {
    ReplayRun run = runReplay(prepareFolder(name, levels), script);
    EXPECT_EQ(run.status, 0) << name << ": " << run.err;
    return run;
}

std::string line(int pass, const std::string& command) { return std::to_string(pass) + " " + command + "\n"; }

std::string clickAt(int pass, int x, int y) {
    std::string move = "mouse " + std::to_string(x) + " " + std::to_string(y);
    return line(pass, move) + line(pass, "button down left") + line(pass + 1, "button up left");
}
