#include "arphost/ScenarioParser.h"

#include <cstring>
#include <string>

using nlohmann::json;

namespace {

// Record times are int32 song positions, but a host may hand any 32-bit pattern: both the
// signed and the unsigned spelling of it are accepted.
constexpr int64_t kRecordTimeMin = kInt32Min;
constexpr int64_t kRecordTimeMax = kUint32Max;

constexpr size_t kRecordDigits = 2 * sizeof(EventRecord);
constexpr size_t kParamsDigits = 2 * sizeof(ArpeggiatorParams);
constexpr size_t kShortParamsDigits = 2 * kParamsShortFormSize;

std::string Indexed(const std::string& path, size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

std::vector<ParamSetting> ReadParamSettings(const json& value, const std::string& path) {
    if (!value.is_object()) FailAt(path, "expected an object of parameter fields");
    std::vector<ParamSetting> settings;
    for (const auto& item : value.items()) {
        const std::string fieldPath = path + "." + item.key();
        const ParamField* field = FindParamField(item.key());
        if (field == nullptr) FailAt(fieldPath, "unknown parameter field");
        const auto number = ReadInteger(item.value(), fieldPath, kInt32Min, kInt32Max);
        settings.push_back({field, static_cast<int32_t>(number)});
    }
    return settings;
}

HostSetup ReadHost(const json& value) {
    ObjectReader reader(value, "host");
    HostSetup host;
    // Bounds that keep the converter's 64-bit products from overflowing for any 32-bit input.
    host.ticksPerQuarter =
        static_cast<int32_t>(reader.IntegerOr("ticksPerQuarter", 0, 1000000, 960));
    host.usPerQuarter = reader.IntegerOr("usPerQuarter", 0, 4000000000, 500000);
    host.lookAheadMs = static_cast<uint32_t>(reader.IntegerOr("lookAheadMs", 0, kUint32Max, 0));
    if (const json* services = reader.Find("services")) {
        const std::string path = reader.PathOf("services");
        if (!services->is_array()) FailAt(path, "expected an array of service names");
        host.timeConverter = host.aux = host.live = false;
        for (size_t i = 0; i < services->size(); ++i) {
            const json& name = (*services)[i];
            if (name == "timeConverter") {
                host.timeConverter = true;
            } else if (name == "aux") {
                host.aux = true;
            } else if (name == "live") {
                host.live = true;
            } else {
                FailAt(Indexed(path, i), "expected \"timeConverter\", \"aux\" or \"live\"");
            }
        }
    }
    reader.RejectUnknown();
    return host;
}

EventRecord ReadEvent(const json& value, const std::string& path) {
    ObjectReader reader(value, path);
    EventRecord record{};
    if (const json* raw = reader.Find("raw")) {
        const std::vector<uint8_t> bytes = ReadHex(*raw, reader.PathOf("raw"), {kRecordDigits});
        std::memcpy(&record, bytes.data(), sizeof record);
    }
    // Named fields override the raw image; absent ones keep it (0 without one).
    record.time = static_cast<uint32_t>(
        reader.IntegerOr("time", kRecordTimeMin, kRecordTimeMax, record.time));
    record.kind = static_cast<uint32_t>(reader.IntegerOr("kind", 0, kUint32Max, record.kind));
    record.key = static_cast<uint8_t>(reader.IntegerOr("key", 0, kUint8Max, record.key));
    record.velocity =
        static_cast<uint8_t>(reader.IntegerOr("velocity", 0, kUint8Max, record.velocity));
    record.duration =
        static_cast<uint32_t>(reader.IntegerOr("duration", 0, kUint32Max, record.duration));
    reader.RejectUnknown();
    return record;
}

ShortMessageRecord ReadMessage(const json& value, const std::string& path) {
    ObjectReader reader(value, path);
    ShortMessageRecord message{};
    message.time =
        static_cast<uint32_t>(reader.IntegerOr("time", kRecordTimeMin, kRecordTimeMax, 0));
    message.status = static_cast<uint8_t>(reader.IntegerOr("status", 0, kUint8Max, 0));
    message.data1 = static_cast<uint8_t>(reader.IntegerOr("data1", 0, kUint8Max, 0));
    message.data2 = static_cast<uint8_t>(reader.IntegerOr("data2", 0, kUint8Max, 0));
    reader.RejectUnknown();
    return message;
}

void ReadCallFields(ObjectReader& reader, Call& call) {
    switch (call.op) {
        case CallOp::FilterEvents: {
            call.from = static_cast<int32_t>(reader.RequireInteger("from", kInt32Min, kInt32Max));
            call.thru = static_cast<int32_t>(reader.RequireInteger("thru", kInt32Min, kInt32Max));
            const json& events = reader.RequireArray("events");
            for (size_t i = 0; i < events.size(); ++i) {
                call.events.push_back(ReadEvent(events[i], Indexed("events", i)));
            }
            break;
        }
        case CallOp::FilterLiveInput: {
            const json& messages = reader.RequireArray("messages");
            for (size_t i = 0; i < messages.size(); ++i) {
                call.messages.push_back(ReadMessage(messages[i], Indexed("messages", i)));
            }
            break;
        }
        case CallOp::PlaybackStarted:
            call.time = static_cast<int32_t>(reader.RequireInteger("time", kInt32Min, kInt32Max));
            break;
        case CallOp::SetClock:
        case CallOp::AdvanceClock:
            // The clock is an unsigned 32-bit counter; a negative advance moves it back.
            call.ms = static_cast<uint32_t>(reader.RequireInteger("ms", kInt32Min, kUint32Max));
            break;
        case CallOp::SetParams:
            call.params = ReadParamSettings(reader.Require("params"), "params");
            break;
        case CallOp::PlaybackLooped:
        case CallOp::PlaybackStopped:
        case CallOp::FlushHeld:
        case CallOp::Detach:
        case CallOp::Attach:
            break;
    }
}

}  // namespace

ScenarioSetup ParseSetup(const json& document) {
    if (!document.is_object()) throw ScenarioError("the scenario: expected a JSON object");
    ObjectReader reader(document, "");
    ScenarioSetup setup;
    reader.Find("comment");  // free text for the reader of the scenario
    if (const json* image = reader.Find("paramsHex")) {
        setup.paramsImage = ReadHex(*image, "paramsHex", {kParamsDigits, kShortParamsDigits});
    }
    if (const json* params = reader.Find("params")) {
        setup.params = ReadParamSettings(*params, "params");
    }
    if (const json* host = reader.Find("host")) setup.host = ReadHost(*host);
    if (const json* calls = reader.Find("calls"); calls != nullptr && !calls->is_array()) {
        FailAt("calls", "expected an array");
    }
    reader.RejectUnknown();
    return setup;
}

const json& CallList(const json& document) {
    static const json kNoCalls = json::array();
    const auto found = document.find("calls");
    return found == document.end() ? kNoCalls : *found;
}

Call ParseCall(const json& value, size_t index) {
    std::string where = "call " + std::to_string(index);
    Call call;
    try {
        ObjectReader reader(value, "");
        const json& op = reader.Require("op");
        if (!op.is_string() || !FindCallOp(op.get_ref<const std::string&>(), call.op)) {
            FailAt("op", "unknown operation " + op.dump());
        }
        where += " (" + std::string(CallOpName(call.op)) + ")";
        reader.Find("comment");
        ReadCallFields(reader, call);
        reader.RejectUnknown();
    } catch (const ScenarioError& error) {
        throw ScenarioError(where + ": " + error.what());
    }
    return call;
}
