#include "replay_support.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const Json nullJson;

struct JsonReader {
    std::string_view text;
    size_t at = 0;

    void blanks() {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    }
    bool take(char c) {
        blanks();
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    bool string(std::string& out) {
        if (!take('"')) return false;
        while (at < text.size() && text[at] != '"') {
            if (text[at] == '\\') {
                if (++at >= text.size()) return false;
                char c = text[at];
                if (c == 'u') {
                    if (at + 4 >= text.size()) return false;
                    out += static_cast<char>(std::stoi(std::string(text.substr(at + 1, 4)), nullptr, 16));
                    at += 4;
                } else {
                    out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
                }
            } else {
                out += text[at];
            }
            ++at;
        }
        return take('"');
    }
    bool value(Json& out) {
        blanks();
        if (at >= text.size()) return false;
        char c = text[at];
        if (c == '{') {
            out.type = Json::Type::object;
            ++at;
            if (take('}')) return true;
            do {
                std::string key;
                Json item;
                if (!string(key) || !take(':') || !value(item)) return false;
                out.fields.emplace_back(std::move(key), std::move(item));
            } while (take(','));
            return take('}');
        }
        if (c == '[') {
            out.type = Json::Type::array;
            ++at;
            if (take(']')) return true;
            do {
                Json item;
                if (!value(item)) return false;
                out.items.push_back(std::move(item));
            } while (take(','));
            return take(']');
        }
        if (c == '"') {
            out.type = Json::Type::string;
            return string(out.text);
        }
        if (text.substr(at, 4) == "null") {
            at += 4;
            return true;
        }
        size_t end = text.find_first_of(",]} ", at);
        std::string number(text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        char* stop = nullptr;
        out.type = Json::Type::number;
        out.number = std::strtod(number.c_str(), &stop);
        if (number.empty() || *stop != '\0') return false;
        at += number.size();
        return true;
    }
};

uint32_t read32(const std::string& bytes, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24;
}

void put16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

uint32_t testSheet(int32_t x, int32_t y) { return sheetColour(x, y); }
uint32_t testTiles(int32_t x, int32_t) { return tileColours[(x / 16) & 3]; }

}  // namespace

const Json& Json::operator[](std::string_view key) const {
    for (const auto& [name, value] : fields)
        if (name == key) return value;
    return nullJson;
}

const Json& Json::operator[](size_t index) const { return index < items.size() ? items[index] : nullJson; }

std::vector<std::string> Json::keys() const {
    std::vector<std::string> out;
    for (const auto& field : fields) out.push_back(field.first);
    return out;
}

bool parseJson(std::string_view text, Json& value) {
    JsonReader reader{text};
    if (!reader.value(value)) return false;
    reader.blanks();
    return reader.at == text.size();
}

const Json& ReplayRun::at(int pass) const {
    for (const Json& dump : dumps)
        if (dump["pass"].integer() == pass) return dump;
    ADD_FAILURE() << "no dump after pass " << pass << "; stderr: " << err;
    return nullJson;
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool writeBmp24(const std::string& path, int32_t width, int32_t height, uint32_t (*colour)(int32_t, int32_t)) {
    uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    std::string out = "BM";
    put32(out, 54 + rowBytes * static_cast<uint32_t>(height));
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));
    put16(out, 1);
    put16(out, 24);
    for (int i = 0; i < 6; ++i) put32(out, 0);
    for (int32_t y = height - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int32_t x = 0; x < width; ++x) {
            uint32_t c = colour(x, y);
            out += static_cast<char>(c & 0xFF);
            out += static_cast<char>((c >> 8) & 0xFF);
            out += static_cast<char>((c >> 16) & 0xFF);
        }
        out.resize(start + rowBytes, '\0');
    }
    std::ofstream file(path, std::ios::binary);
    file << out;
    return static_cast<bool>(file);
}

bool readPicture(const std::string& path, Picture& picture) {
    std::string bytes = readFile(path);
    if (bytes.size() < 70 || bytes.compare(0, 2, "BM") != 0) return false;
    uint32_t offset = read32(bytes, 10);
    int32_t width = static_cast<int32_t>(read32(bytes, 18));
    int32_t height = static_cast<int32_t>(read32(bytes, 22));
    uint32_t bitsAndPlanes = read32(bytes, 26);
    // Top-down 32-bit bit fields with the masks that keep 0xAARRGGBB whole.
    if (height >= 0 || width <= 0 || bitsAndPlanes != (32u << 16 | 1u) || read32(bytes, 30) != 3 ||
        read32(bytes, 54) != 0x00FF0000 || read32(bytes, 58) != 0x0000FF00 ||
        read32(bytes, 62) != 0x000000FF || read32(bytes, 66) != 0xFF000000)
        return false;
    picture.width = width;
    picture.height = -height;
    size_t count = static_cast<size_t>(width) * static_cast<size_t>(picture.height);
    if (bytes.size() < offset + count * 4) return false;
    picture.pixels.resize(count);
    for (size_t i = 0; i < count; ++i) picture.pixels[i] = read32(bytes, offset + i * 4);
    return true;
}

std::string prepareFolder(const std::string& name, const std::vector<LevelFiles>& levels, bool withSheet) {
    fs::path folder = fs::path(BUILD_DIR) / "replay-work" / name;
    fs::remove_all(folder);
    fs::create_directories(folder / "data");
    fs::create_directories(folder / "maps");
    if (withSheet) {
        writeBmp24((folder / "data" / "main.bmp").string(), 290, 384, testSheet);
        writeBmp24((folder / "data" / "tiles.bmp").string(), 64, 16, testTiles);
    }
    fs::path source = fs::path(TEST_DATA_DIR) / "replay";
    for (const LevelFiles& level : levels) {
        std::string stem = "map" + std::to_string(level.number);
        if (!level.map.empty())
            fs::copy_file(source / level.map, folder / "maps" / (stem + ".tmx"));
        if (!level.data.empty())
            fs::copy_file(source / level.data, folder / "maps" / (stem + ".dat"));
    }
    return folder.string();
}

ReplayRun runArguments(const std::string& folder, const std::string& arguments) {
    ReplayRun run;
    run.dir = folder;
    std::string command = "cd '" + folder + "' && '" + std::string(BUILD_DIR) +
                          "/eggsodus-replay' " + arguments + " > out.txt 2> err.txt";
    int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readFile(folder + "/out.txt");
    run.err = readFile(folder + "/err.txt");
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] != '{') continue;
        Json dump;
        EXPECT_TRUE(parseJson(line, dump)) << "not JSON: " << line.substr(0, 200);
        run.dumps.push_back(std::move(dump));
    }
    return run;
}

ReplayRun runScript(const std::string& folder, const std::string& script) {
    std::ofstream(folder + "/script.txt") << script;
    return runArguments(folder, "script.txt");
}

std::string clickAt(int pass, int x, int y) {
    return std::to_string(pass) + " mouse " + std::to_string(x) + " " + std::to_string(y) + "\n" +
           std::to_string(pass) + " button down left\n" + std::to_string(pass + 1) + " button up left\n";
}
