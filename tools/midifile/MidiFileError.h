// Why a file could not be read, and where: the byte offset from the start of the file at which
// the reader found the problem.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace midi {

class FileError : public std::runtime_error {
public:
    FileError(size_t byteOffset, const std::string& what)
        : std::runtime_error(what), offset(byteOffset) {}

    size_t offset;
};

}  // namespace midi
