#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>
#include "platform/bmp.h"
#include "platform/files.h"

namespace {

// One folder per process: ctest runs the tests of this file side by side.
const std::string folder = "files_test_tmp_" + std::to_string(getpid());

// Writes the file under the test folder and returns its game-style path.
std::string writeFile(const std::string& name, const std::string& content) {
    std::filesystem::create_directories(folder + "/sub");
    std::ofstream(folder + "/" + name, std::ios::binary) << content;
    return folder + "\\" + name;
}

struct FilesTest : ::testing::Test {
    void TearDown() override {
        closeAllFiles();
        std::filesystem::remove_all(folder);
    }
};

using Parts = std::vector<std::string>;

Parts readAll(const std::string& content, std::string (*read)(int)) {
    const int n = freeFileNumber();
    EXPECT_EQ(openTextFile(writeFile("all.txt", content), n), fileOk);
    Parts parts;
    while (!atEnd(n) && parts.size() < 100) parts.push_back(read(n));
    closeFile(n);
    return parts;
}

// Lines end at LF, CR or CR LF. Items end at a comma or a line end and lose
// the blanks before them, not after; quotes keep commas and line ends.
TEST_F(FilesTest, LinesAndItems) {
    const std::tuple<std::string (*)(int), std::string, Parts> cases[] = {
        {readLine, "a\nb\r\nc\rd", {"a", "b", "c", "d"}},
        {readLine, "\r\r\n", {"", ""}},
        {readLine, std::string("n\0ul\n", 5), {std::string("n\0ul", 4)}},
        {readItem, " \t10 , 20\t,30 \r\n40", {"10 ", "20\t", "30 ", "40"}},
        {readItem, ",,x", {"", "", "x"}},
        {readItem, "\"a,b\nc\" , d", {"a,b\nc", "d"}},
        {readItem, "\"open to the end", {"open to the end"}},
        {readItem, "\"a\"b,c", {"a", "b", "c"}},
        {readItem, "1,\r\n2", {"1", "", "2"}},
    };
    for (const auto& [reader, content, parts] : cases) EXPECT_EQ(readAll(content, reader), parts) << content;
}

// Nothing in a file can make a read grow without bound; the next read starts in place.
TEST_F(FilesTest, LongItemsAndLinesAreCut) {
    EXPECT_EQ(readAll(std::string(5000, 'a') + ",b", readItem),
              (Parts{std::string(4096, 'a'), std::string(904, 'a'), "b"}));
    EXPECT_EQ(readAll("\"" + std::string(5000, 'q') + "\",z", readItem), (Parts{std::string(4096, 'q'), "z"}));
    const Parts lines = readAll(std::string(5 << 20, 'L') + "\nnext", readLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), size_t{4} << 20);
    EXPECT_EQ(lines[1], "next");
}

TEST_F(FilesTest, FileNumbers) {
    const std::string path = writeFile("n.txt", "x");
    for (int bad : {0, 255}) {
        EXPECT_EQ(openTextFile(path, bad), fileBadNumber);
        EXPECT_EQ(readLine(bad), "");
    }
    EXPECT_EQ(openTextFile(path, 1), fileOk);
    EXPECT_EQ(openRawFile(path, 1), fileBadNumber);  // in use
    EXPECT_EQ(openTextFile(folder + "\\missing.txt", 2), fileCannotOpen);
    for (int n = 2; n <= 254; ++n) ASSERT_EQ(openRawFile(path, n), fileOk) << n;  // a failed open left 2 free
    EXPECT_EQ(freeFileNumber(), 0);
    closeFile(7);
    EXPECT_EQ(freeFileNumber(), 7);
}

// Levels and pictures made where file names ignore letter case still load;
// an exact name always wins.
TEST_F(FilesTest, BackslashPathsAndLetterCase) {
    writeFile("sub/Tiles.BMP", "upper");
    writeFile("sub/both.txt", "lower");
    writeFile("sub/BOTH.txt", "upper");
    EXPECT_FALSE(fileExists(folder + "\\sub"));  // a folder is not a readable file
    EXPECT_FALSE(fileExists(folder + "\\sub\\tiles.bmp\\x"));
    ASSERT_EQ(openTextFile(folder + "\\Sub\\TILES.bmp", 5), fileOk);
    EXPECT_EQ(readLine(5), "upper");
    ASSERT_EQ(openTextFile(folder + "\\sub\\both.txt", 6), fileOk);
    EXPECT_EQ(readLine(6), "lower");
}

// A named pipe with no writer, or a device, is refused like a missing file and
// never waited on: a level pack must not be able to stop the game. (A reader
// that waited would hang here.)
TEST_F(FilesTest, OnlyRegularFilesAreRead) {
    writeFile("sub/file.txt", "x");
    ASSERT_EQ(mkfifo((folder + "/sub/pipe.bmp").c_str(), 0600), 0);
    Image image{1, 1, {0x12345678}};
    const std::string pipe = folder + "\\sub\\pipe.bmp", sameIgnoringCase = folder + "\\sub\\PIPE.BMP";
    for (const std::string& path : {pipe, sameIgnoringCase, std::string("/dev/zero")}) {
        EXPECT_EQ(openTextFile(path, 3), fileCannotOpen) << path;
        EXPECT_EQ(openRawFile(path, 3), fileCannotOpen) << path;
        EXPECT_FALSE(fileExists(path)) << path;
        EXPECT_EQ(loadBmp(path, &image), bmpCannotOpen) << path;
        EXPECT_EQ(freeFileNumber(), 1);
    }
    EXPECT_EQ(image.pixels[0], 0x12345678u);
    EXPECT_TRUE(fileExists(folder + "\\sub\\file.txt"));
}

TEST_F(FilesTest, ReadBytesStopsAtTheEndAndTextContinuesInPlace) {
    ASSERT_EQ(openRawFile(writeFile("raw.bin", "BMhead\nrest"), 9), fileOk);
    EXPECT_EQ(readItem(9), "BMhead");
    uint8_t buffer[6] = {9, 9, 9, 9, 9, 9};
    EXPECT_EQ(readBytes(9, 0, buffer, 2), 2u);
    EXPECT_EQ(readLine(9), "st");
    EXPECT_EQ(readBytes(9, 10, buffer, 6), 2u);  // positions count from 1
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 6), (std::vector<uint8_t>{'s', 't', 9, 9, 9, 9}));
    EXPECT_TRUE(atEnd(9));
    EXPECT_EQ(readBytes(9, 0, nullptr, 4), 0u);
}

}  // namespace
