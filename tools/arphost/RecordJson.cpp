#include "arphost/RecordJson.h"

using nlohmann::ordered_json;

std::string ToHex(const void* bytes, size_t size) {
    static constexpr char kDigits[] = "0123456789abcdef";
    const auto* data = static_cast<const uint8_t*>(bytes);
    std::string text;
    text.reserve(2 * size);
    for (size_t i = 0; i < size; ++i) {
        text += kDigits[data[i] >> 4];
        text += kDigits[data[i] & 0x0F];
    }
    return text;
}

ordered_json EventToJson(const EventRecord& record) {
    ordered_json object;
    object["time"] = static_cast<int32_t>(record.time);
    object["kind"] = static_cast<uint32_t>(record.kind);
    object["key"] = record.key;
    object["velocity"] = record.velocity;
    object["duration"] = static_cast<uint32_t>(record.duration);
    object["raw"] = ToHex(&record, sizeof record);
    return object;
}

ordered_json MessageToJson(const ShortMessageRecord& message) {
    ordered_json object;
    object["time"] = static_cast<int32_t>(message.time);
    object["status"] = message.status;
    object["data1"] = message.data1;
    object["data2"] = message.data2;
    return object;
}
