// Typed reads from a parsed scenario. Every failure names the offending field by its path
// (for example `events[2].key`) so that the caller can put it in front of the call it is in.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

class ScenarioError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws ScenarioError "<path>: <problem>".
[[noreturn]] void FailAt(const std::string& path, const std::string& problem);

// A JSON integer within min..max (both included); a float, even a whole one, is refused.
int64_t ReadInteger(const nlohmann::json& value, const std::string& path, int64_t min, int64_t max);

// A string of hex digits (either case) whose digit count is one of `digitCounts`.
std::vector<uint8_t> ReadHex(const nlohmann::json& value, const std::string& path,
                             std::initializer_list<size_t> digitCounts);

// An object whose fields are read by name. Fields that no read asked for are refused by
// RejectUnknown, so that a misspelt field fails instead of silently reading as absent.
class ObjectReader {
public:
    // `path` is the object's own path; "" for the scenario or a call.
    ObjectReader(const nlohmann::json& object, std::string path);

    std::string PathOf(std::string_view key) const;
    // nullptr when absent.
    const nlohmann::json* Find(std::string_view key);
    const nlohmann::json& Require(std::string_view key);
    int64_t RequireInteger(std::string_view key, int64_t min, int64_t max);
    int64_t IntegerOr(std::string_view key, int64_t min, int64_t max, int64_t fallback);
    // An array field; its elements are addressed as key[i].
    const nlohmann::json& RequireArray(std::string_view key);
    void RejectUnknown() const;

private:
    const nlohmann::json& object;
    std::string path;
    std::vector<std::string> known;
};

// Bounds of the integer types that scenario fields stand for.
inline constexpr int64_t kInt32Min = INT32_MIN;
inline constexpr int64_t kInt32Max = INT32_MAX;
inline constexpr int64_t kUint32Max = UINT32_MAX;
inline constexpr int64_t kUint8Max = UINT8_MAX;
