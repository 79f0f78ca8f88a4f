// Reading files by number (1..254), as text or raw bytes. Backslashes in paths
// count as directory separators.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

enum : int { fileOk = 0, fileBadNumber = 1, fileCannotOpen = 2 };

int freeFileNumber();
int openTextFile(const std::string& path, int fileNumber);
int openRawFile(const std::string& path, int fileNumber);
std::string readLine(int fileNumber);
std::string readItem(int fileNumber);
bool atEnd(int fileNumber);
// Reads up to count bytes from the current position; bytes past the end are not
// written. Returns how many were read.
size_t readBytes(int fileNumber, int64_t position, uint8_t* buffer, size_t count);
void closeFile(int fileNumber);
void closeAllFiles();
bool fileExists(const std::string& path);
// The file open for reading bytes, found as the numbered files find theirs; null
// when it cannot be opened or is not a regular file (a folder, a pipe, a device).
std::FILE* openForReading(const std::string& path);
// The path with backslashes turned into the host's separator.
std::string hostPath(const std::string& path);
