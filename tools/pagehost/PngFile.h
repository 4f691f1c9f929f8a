// PNG files through the Windows Imaging Component, which every Windows (and Wine) has: the
// page renderer writes them, the page's golden-image tests read them back. COM must be
// initialised on the calling thread.
#pragma once

#include <filesystem>
#include <stdexcept>

#include "pagehost/RgbImage.h"

class PngError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// 24 bits per pixel. Written to a temporary file beside `path` and renamed when complete.
// Throws PngError (the encoder failed) or FileIoError (the file could not be written).
void WritePng(const std::filesystem::path& path, const RgbImage& image);

// Any image the component decodes, made opaque. Throws PngError or FileIoError, naming the
// file.
RgbImage ReadPng(const std::filesystem::path& path);
