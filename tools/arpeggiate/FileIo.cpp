#include "arpeggiate/FileIo.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string Reason() { return errno != 0 ? std::strerror(errno) : "I/O error"; }

// Beside the target so that the rename stays on one file system.
fs::path TemporaryBeside(const fs::path& path) {
    fs::path temporary = path;
    temporary += ".arpeggiate-partial";
    return temporary;
}

}  // namespace

std::vector<uint8_t> ReadWholeFile(const fs::path& path) {
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileIoError(path.string() + ": cannot open: " + Reason());
    std::vector<uint8_t> bytes;
    char block[65536];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        bytes.insert(bytes.end(), block, block + in.gcount());
    }
    if (in.bad()) throw FileIoError(path.string() + ": cannot read: " + Reason());
    return bytes;
}

void WriteFileAtomically(const fs::path& path, std::span<const uint8_t> bytes) {
    const fs::path temporary = TemporaryBeside(path);
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw FileIoError(path.string() + ": cannot create: " + Reason());
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            throw FileIoError(path.string() + ": cannot write: " + Reason());
        }
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw FileIoError(path.string() + ": cannot replace: " + error.message());
    }
}

void WriteFileAtomically(const fs::path& path, const std::string& text) {
    WriteFileAtomically(
        path, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}
