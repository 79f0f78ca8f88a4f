// Files by number (1..254), read as text or raw bytes through a small buffer.
// Nothing read from a file can make us allocate without bound: a line is cut
// at maxLineLength and an item at maxItemLength.
#include "files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

constexpr int firstFileNumber = 1;
constexpr int lastFileNumber = 254;
constexpr size_t maxItemLength = 4096;
constexpr size_t maxLineLength = size_t{4} << 20;
constexpr size_t bufferSize = 64 * 1024;

struct OpenFile {
    std::FILE* handle = nullptr;
    std::unique_ptr<uint8_t[]> buffer;
    size_t bufferPos = 0;
    size_t bufferEnd = 0;
};

std::array<OpenFile, lastFileNumber + 1> files;

OpenFile* openFileFor(int fileNumber) {
    if (fileNumber < firstFileNumber || fileNumber > lastFileNumber) return nullptr;
    OpenFile& file = files[static_cast<size_t>(fileNumber)];
    return file.handle != nullptr ? &file : nullptr;
}

bool refill(OpenFile& file) {
    if (file.bufferPos < file.bufferEnd) return true;
    file.bufferPos = 0;
    file.bufferEnd = std::fread(file.buffer.get(), 1, bufferSize, file.handle);
    return file.bufferEnd > 0;
}

// The next byte without taking it, or -1 at the end of the file.
int peekByte(OpenFile& file) {
    if (!refill(file)) return -1;
    return file.buffer[file.bufferPos];
}

int takeByte(OpenFile& file) {
    int c = peekByte(file);
    if (c >= 0) ++file.bufferPos;
    return c;
}

void skipBlanks(OpenFile& file) {
    for (int c = peekByte(file); c == ' ' || c == '\t'; c = peekByte(file)) ++file.bufferPos;
}

// Takes a line end if one is next: LF, CR, or CR LF.
bool takeLineEnd(OpenFile& file) {
    int c = peekByte(file);
    if (c == '\n') {
        ++file.bufferPos;
        return true;
    }
    if (c == '\r') {
        ++file.bufferPos;
        if (peekByte(file) == '\n') ++file.bufferPos;
        return true;
    }
    return false;
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The entry of `folder` whose name matches `name` but for letter case; empty when none.
std::string entryIgnoringCase(const std::string& folder, const std::string& name) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    if (error) return {};
    for (auto it = entries; it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (error) return {};
        std::string entry = it->path().filename().string();
        if (sameIgnoringCase(entry, name)) return entry;
    }
    return {};
}

// Levels and pictures are often made where file names ignore letter case, so
// "data\Tiles.bmp" also finds data/tiles.bmp. An exact match always wins.
std::string findHostPath(const std::string& path) {
    std::string host = hostPath(path);
    std::error_code error;
    if (host.empty() || std::filesystem::exists(host, error)) return host;
    std::string found = host[0] == '/' ? "/" : "";
    size_t start = host[0] == '/' ? 1 : 0;
    while (start <= host.size()) {
        size_t end = host.find('/', start);
        if (end == std::string::npos) end = host.size();
        std::string name = host.substr(start, end - start);
        std::string prefix = found.empty() || found.back() == '/' ? found : found + "/";
        if (!name.empty() && name != "." && name != ".." &&
            !std::filesystem::exists(prefix + name, error)) {
            std::string entry = entryIgnoringCase(found, name);
            if (entry.empty()) return host;
            name = entry;
        }
        found = prefix + name;
        start = end + 1;
    }
    return found;
}

int openFile(const std::string& path, int fileNumber) {
    if (fileNumber < firstFileNumber || fileNumber > lastFileNumber) return fileBadNumber;
    OpenFile& file = files[static_cast<size_t>(fileNumber)];
    if (file.handle != nullptr) return fileBadNumber;
    std::FILE* handle = openForReading(path);
    if (handle == nullptr) return fileCannotOpen;
    file.handle = handle;
    if (!file.buffer) file.buffer = std::make_unique<uint8_t[]>(bufferSize);
    file.bufferPos = file.bufferEnd = 0;
    return fileOk;
}

}  // namespace

int freeFileNumber() {
    for (int n = firstFileNumber; n <= lastFileNumber; ++n)
        if (files[static_cast<size_t>(n)].handle == nullptr) return n;
    return 0;
}

int openTextFile(const std::string& path, int fileNumber) { return openFile(path, fileNumber); }
int openRawFile(const std::string& path, int fileNumber) { return openFile(path, fileNumber); }

std::string readLine(int fileNumber) {
    OpenFile* file = openFileFor(fileNumber);
    if (file == nullptr) return {};
    std::string line;
    while (refill(*file)) {
        const uint8_t* start = file->buffer.get() + file->bufferPos;
        size_t available = file->bufferEnd - file->bufferPos;
        size_t run = 0;
        while (run < available && start[run] != '\n' && start[run] != '\r') ++run;
        size_t room = maxLineLength - line.size();
        line.append(reinterpret_cast<const char*>(start), run < room ? run : room);
        file->bufferPos += run;
        if (run < available) break;  // a line end is next
    }
    takeLineEnd(*file);
    return line;
}

std::string readItem(int fileNumber) {
    OpenFile* file = openFileFor(fileNumber);
    if (file == nullptr) return {};
    std::string item;
    skipBlanks(*file);
    if (peekByte(*file) == '"') {
        ++file->bufferPos;
        // A quoted item runs to the closing quote; beyond maxItemLength the
        // characters are passed over so the next item still starts in place.
        for (int c = takeByte(*file); c >= 0 && c != '"'; c = takeByte(*file))
            if (item.size() < maxItemLength) item += static_cast<char>(c);
    } else {
        for (int c = peekByte(*file); c >= 0 && c != ',' && c != '\n' && c != '\r';
             c = peekByte(*file)) {
            if (item.size() >= maxItemLength) break;
            item += static_cast<char>(c);
            ++file->bufferPos;
        }
    }
    skipBlanks(*file);
    if (peekByte(*file) == ',')
        ++file->bufferPos;
    else
        takeLineEnd(*file);
    return item;
}

bool atEnd(int fileNumber) {
    OpenFile* file = openFileFor(fileNumber);
    return file == nullptr || peekByte(*file) < 0;
}

size_t readBytes(int fileNumber, int64_t position, uint8_t* buffer, size_t count) {
    OpenFile* file = openFileFor(fileNumber);
    if (file == nullptr || buffer == nullptr || position < 0) return 0;
    if (position > 0) {
        // A position counts bytes from 1, like positions in texts.
        if (std::fseek(file->handle, static_cast<long>(position - 1), SEEK_SET) != 0) return 0;
        file->bufferPos = file->bufferEnd = 0;
    }
    size_t done = 0;
    size_t buffered = file->bufferEnd - file->bufferPos;
    if (buffered > 0) {
        done = buffered < count ? buffered : count;
        std::memcpy(buffer, file->buffer.get() + file->bufferPos, done);
        file->bufferPos += done;
    }
    if (done < count) done += std::fread(buffer + done, 1, count - done, file->handle);
    return done;
}

void closeFile(int fileNumber) {
    OpenFile* file = openFileFor(fileNumber);
    if (file == nullptr) return;
    std::fclose(file->handle);
    file->handle = nullptr;
    file->bufferPos = file->bufferEnd = 0;
}

void closeAllFiles() {
    for (int n = firstFileNumber; n <= lastFileNumber; ++n) closeFile(n);
}

bool fileExists(const std::string& path) {
    std::FILE* handle = openForReading(path);
    if (handle == nullptr) return false;
    std::fclose(handle);
    return true;
}

// Opened without blocking and refused unless it is a regular file: a named pipe
// with no writer, or a device, would otherwise stop the game for good.
std::FILE* openForReading(const std::string& path) {
    const int fd = open(findHostPath(path).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return nullptr;
    struct stat info {};
    std::FILE* handle = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? fdopen(fd, "rb") : nullptr;
    if (handle == nullptr) close(fd);
    return handle;
}

std::string hostPath(const std::string& path) {
    std::string host = path;
    for (char& c : host)
        if (c == '\\') c = '/';
    return host;
}
