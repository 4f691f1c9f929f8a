// The settings image as a state value: two lowercase hexadecimal digits per byte. Strict, so
// that a damaged value is refused rather than read as other settings. [any thread; allocates]
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

std::string ToHex(std::span<const uint8_t> bytes);
// None when the text has an odd length or a character that is not a hexadecimal digit.
std::optional<std::vector<uint8_t>> FromHex(std::string_view text);
