#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

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

std::vector<std::string> readAll(const std::string& content, std::string (*read)(int)) {
    std::string path = writeFile("all.txt", content);
    int n = freeFileNumber();
    EXPECT_EQ(openTextFile(path, n), fileOk);
    std::vector<std::string> parts;
    while (!atEnd(n) && parts.size() < 100) parts.push_back(read(n));
    closeFile(n);
    return parts;
}

using Parts = std::vector<std::string>;

TEST_F(FilesTest, ReadLineEndsAtLfCrAndCrLf) {
    struct Case {
        std::string content;
        Parts lines;
    } cases[] = {
        {"a\nb\r\nc\rd", {"a", "b", "c", "d"}},
        {"last line without end", {"last line without end"}},
        {"x\n\n\r\ny\n", {"x", "", "", "y"}},
        {"\r\r\n", {"", ""}},
        {"", {}},
        {std::string("n\0ul\n", 5), {std::string("n\0ul", 4)}},
    };
    for (const Case& c : cases) EXPECT_EQ(readAll(c.content, readLine), c.lines) << c.content;
}

TEST_F(FilesTest, ReadItemSplitsOnCommasAndLineEnds) {
    struct Case {
        std::string content;
        Parts items;
    } cases[] = {
        {"1,2,3\n4,5", {"1", "2", "3", "4", "5"}},
        {" \t10 , 20\t,30 \r\n40", {"10 ", "20\t", "30 ", "40"}},
        {",,x", {"", "", "x"}},
        {"\"a,b\nc\" , d", {"a,b\nc", "d"}},
        {"\"\",\"q\"", {"", "q"}},
        {"\"open to the end", {"open to the end"}},
        {"\"a\"b,c", {"a", "b", "c"}},
        {"1,\r\n2", {"1", "", "2"}},
        {"1 2,3", {"1 2", "3"}},
    };
    for (const Case& c : cases) EXPECT_EQ(readAll(c.content, readItem), c.items) << c.content;
}

TEST_F(FilesTest, LongItemsAndLinesAreCut) {
    Parts items = readAll(std::string(5000, 'a') + ",b", readItem);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].size(), 4096u);
    EXPECT_EQ(items[1].size(), 904u);
    EXPECT_EQ(items[2], "b");

    items = readAll("\"" + std::string(5000, 'q') + "\",z", readItem);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].size(), 4096u);
    EXPECT_EQ(items[1], "z");

    Parts lines = readAll(std::string(5 << 20, 'L') + "\nnext", readLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), size_t{4} << 20);
    EXPECT_EQ(lines[1], "next");
}

TEST_F(FilesTest, FileNumbers) {
    std::string path = writeFile("n.txt", "x");
    for (int bad : {-1, 0, 255, 1000}) {
        EXPECT_EQ(openTextFile(path, bad), fileBadNumber);
        EXPECT_TRUE(atEnd(bad));
        EXPECT_EQ(readLine(bad), "");
        closeFile(bad);
    }
    EXPECT_EQ(freeFileNumber(), 1);
    EXPECT_EQ(openTextFile(path, 1), fileOk);
    EXPECT_EQ(openRawFile(path, 1), fileBadNumber) << "number in use";
    EXPECT_EQ(freeFileNumber(), 2);
    EXPECT_EQ(openTextFile(folder + "\\missing.txt", 2), fileCannotOpen);
    EXPECT_TRUE(atEnd(2));
    closeFile(2);
    EXPECT_EQ(freeFileNumber(), 2) << "a failed open leaves the number free";
    for (int n = 2; n <= 254; ++n) ASSERT_EQ(openRawFile(path, n), fileOk) << n;
    EXPECT_EQ(freeFileNumber(), 0);
    closeFile(7);
    EXPECT_EQ(freeFileNumber(), 7);
    closeAllFiles();
    EXPECT_EQ(freeFileNumber(), 1);
}

TEST_F(FilesTest, PathsWithBackslashesAndFolders) {
    std::string path = writeFile("sub/deep.txt", "deep");
    EXPECT_EQ(path, folder + "\\sub/deep.txt");
    EXPECT_TRUE(fileExists(folder + "\\sub\\deep.txt"));
    EXPECT_TRUE(fileExists(folder + "/sub/deep.txt"));
    EXPECT_FALSE(fileExists(folder + "\\sub\\nothing.txt"));
    EXPECT_FALSE(fileExists(folder + "\\sub")) << "a folder is not a readable file";
    EXPECT_EQ(openTextFile(folder + "\\sub", 3), fileCannotOpen);
    EXPECT_EQ(hostPath("data\\main.bmp"), "data/main.bmp");
}

TEST_F(FilesTest, LetterCaseOfNamesIsForgivenButExactNamesWin) {
    writeFile("sub/Tiles.BMP", "upper");
    writeFile("sub/both.txt", "lower");
    writeFile("sub/BOTH.txt", "upper");
    EXPECT_TRUE(fileExists(folder + "\\SUB\\tiles.bmp"));
    ASSERT_EQ(openTextFile(folder + "\\Sub\\TILES.bmp", 5), fileOk);
    EXPECT_EQ(readLine(5), "upper");
    ASSERT_EQ(openTextFile(folder + "\\sub\\both.txt", 6), fileOk);
    EXPECT_EQ(readLine(6), "lower");
    EXPECT_FALSE(fileExists(folder + "\\sub\\tiles.bmp\\x"));
    EXPECT_FALSE(fileExists(""));
}

TEST_F(FilesTest, ReadBytesStopsAtTheEnd) {
    std::string path = writeFile("raw.bin", std::string("\x01\x02\x03\x04\x05", 5));
    ASSERT_EQ(openRawFile(path, 9), fileOk);
    uint8_t buffer[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    EXPECT_EQ(readBytes(9, 0, buffer, 3), 3u);
    EXPECT_EQ(readBytes(9, 0, buffer + 3, 5), 2u);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 8), (std::vector<uint8_t>{1, 2, 3, 4, 5, 9, 9, 9}));
    EXPECT_TRUE(atEnd(9));
    EXPECT_EQ(readBytes(9, 2, buffer, 2), 2u) << "position counts from 1";
    EXPECT_EQ(buffer[0], 2);
    EXPECT_EQ(readBytes(9, 0, nullptr, 4), 0u);
    EXPECT_EQ(readBytes(10, 0, buffer, 4), 0u);
}

TEST_F(FilesTest, TextAfterBytesContinuesInPlace) {
    std::string path = writeFile("mixed.txt", "BMhead\nrest");
    ASSERT_EQ(openTextFile(path, 4), fileOk);
    EXPECT_EQ(readItem(4), "BMhead");
    uint8_t two[2] = {};
    EXPECT_EQ(readBytes(4, 0, two, 2), 2u);
    EXPECT_EQ(two[0], 'r');
    EXPECT_EQ(readLine(4), "st");
}

}  // namespace
