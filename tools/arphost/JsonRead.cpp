#include "arphost/JsonRead.h"

#include <algorithm>

using nlohmann::json;

void FailAt(const std::string& path, const std::string& problem) {
    throw ScenarioError(path + ": " + problem);
}

int64_t ReadInteger(const json& value, const std::string& path, int64_t min, int64_t max) {
    const std::string expected =
        "expected an integer " + std::to_string(min) + ".." + std::to_string(max);
    if (!value.is_number_integer()) FailAt(path, expected);
    if (value.is_number_unsigned()) {
        // Non-negative JSON integers arrive unsigned and may exceed int64.
        const auto unsignedValue = value.get<uint64_t>();
        if (max < 0 || unsignedValue > static_cast<uint64_t>(max)) FailAt(path, expected);
        const auto result = static_cast<int64_t>(unsignedValue);
        if (result < min) FailAt(path, expected);
        return result;
    }
    const auto result = value.get<int64_t>();
    if (result < min || result > max) FailAt(path, expected);
    return result;
}

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string DigitCountText(std::initializer_list<size_t> digitCounts) {
    std::string text;
    for (size_t count : digitCounts) {
        if (!text.empty()) text += " or ";
        text += std::to_string(count);
    }
    return text;
}

}  // namespace

std::vector<uint8_t> ReadHex(const json& value, const std::string& path,
                             std::initializer_list<size_t> digitCounts) {
    const std::string expected =
        "expected a string of " + DigitCountText(digitCounts) + " hex digits";
    if (!value.is_string()) FailAt(path, expected);
    const auto& text = value.get_ref<const std::string&>();
    if (std::find(digitCounts.begin(), digitCounts.end(), text.size()) == digitCounts.end()) {
        FailAt(path, expected + ", got " + std::to_string(text.size()) + " characters");
    }
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) FailAt(path, expected + ", got a non-hex character");
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    return bytes;
}

ObjectReader::ObjectReader(const json& value, std::string objectPath)
    : object(value), path(std::move(objectPath)) {
    if (!object.is_object()) {
        if (path.empty()) throw ScenarioError("expected an object");
        FailAt(path, "expected an object");
    }
}

std::string ObjectReader::PathOf(std::string_view key) const {
    return path.empty() ? std::string(key) : path + "." + std::string(key);
}

const json* ObjectReader::Find(std::string_view key) {
    known.emplace_back(key);
    const auto found = object.find(std::string(key));
    return found == object.end() ? nullptr : &*found;
}

const json& ObjectReader::Require(std::string_view key) {
    const json* value = Find(key);
    if (value == nullptr) FailAt(PathOf(key), "missing");
    return *value;
}

int64_t ObjectReader::RequireInteger(std::string_view key, int64_t min, int64_t max) {
    return ReadInteger(Require(key), PathOf(key), min, max);
}

int64_t ObjectReader::IntegerOr(std::string_view key, int64_t min, int64_t max, int64_t fallback) {
    const json* value = Find(key);
    return value == nullptr ? fallback : ReadInteger(*value, PathOf(key), min, max);
}

const json& ObjectReader::RequireArray(std::string_view key) {
    const json& value = Require(key);
    if (!value.is_array()) FailAt(PathOf(key), "expected an array");
    return value;
}

void ObjectReader::RejectUnknown() const {
    for (const auto& item : object.items()) {
        if (std::find(known.begin(), known.end(), item.key()) == known.end()) {
            FailAt(PathOf(item.key()), "unknown field");
        }
    }
}
