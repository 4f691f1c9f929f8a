// Whole-file reads and writes for the tool. A write goes to a temporary file beside the target
// and is renamed over it only when complete, so a failure never leaves a half-written file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// A file that could not be read or written; the message names the file.
class FileIoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws FileIoError.
std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path);

// Throws FileIoError; the temporary file is removed on every failure.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);
void WriteFileAtomically(const std::filesystem::path& path, const std::string& text);
