#include "arphost/ArphostRunner.h"

#include <cstdio>

#include "host/MemoryStream.h"
#include "arphost/JsonRead.h"
#include "arphost/RecordJson.h"

void RecordingPageLink::PostChordNotification() {
    // Called under the filter's lock, right after it stored the text in chordName.
    char text[ChordText::kUtf8Capacity];
    filter.CopyChordName().ToUtf8(text, sizeof text);
    notified = text;
}

std::optional<std::string> RecordingPageLink::TakeNotification() {
    std::optional<std::string> text;
    text.swap(notified);
    return text;
}

ArphostRunner::ArphostRunner(const ScenarioSetup& setup)
    : filter(setup.host), page(*filter.filter) {
    filter.Door().BindEditorPage(&page);
    if (setup.paramsImage) LoadImage(*setup.paramsImage);
    WriteParams(setup.params);
}

ArphostRunner::~ArphostRunner() { filter.Door().UnbindEditorPage(&page); }

void ArphostRunner::LoadImage(const std::vector<uint8_t>& image) {
    MemoryStream stream(image);
    const HRESULT hr = filter->Load(&stream);
    if (FAILED(hr)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<uint32_t>(hr));
        FailAt("paramsHex", std::string("rejected by IPersistStream::Load (hr ") + code + ")");
    }
}

// As the editor page writes a setting: under the lock, and without clamping.
void ArphostRunner::WriteParams(const std::vector<ParamSetting>& settings) {
    filter.Door().EditParams([&settings](ArpeggiatorParams& params) {
        for (const ParamSetting& setting : settings) setting.field->In(params) = setting.value;
    });
}

namespace {

void AppendEvents(const EventQueue& queue, CallResult& result) {
    for (const EventRecord& record : queue.records) result.out.push_back(EventToJson(record));
}

}  // namespace

CallResult ArphostRunner::Run(const Call& call) {
    CallResult result;
    switch (call.op) {
        case CallOp::FilterEvents: {
            EventQueue input;
            EventQueue output;
            input.records = call.events;
            result.hr = filter->FilterEvents(call.from, call.thru, &input, &output);
            AppendEvents(output, result);
            break;
        }
        case CallOp::FilterLiveInput: {
            MessageQueue input;
            MessageQueue output;
            input.records = call.messages;
            result.hr = filter->FilterLiveInput(&input, &output);
            for (const ShortMessageRecord& message : output.records) {
                result.out.push_back(MessageToJson(message));
            }
            break;
        }
        // The transport operations get a queue so that anything they put there shows.
        case CallOp::PlaybackStarted: {
            EventQueue queue;
            result.hr = filter->PlaybackStarted(call.time, &queue);
            AppendEvents(queue, result);
            break;
        }
        case CallOp::PlaybackLooped: {
            EventQueue queue;
            result.hr = filter->PlaybackLooped(0, 0, &queue);
            AppendEvents(queue, result);
            break;
        }
        case CallOp::PlaybackStopped: {
            EventQueue queue;
            result.hr = filter->PlaybackStopped(0, &queue);
            AppendEvents(queue, result);
            break;
        }
        case CallOp::SetClock:
            filter.Door().SetClock(call.ms);
            break;
        case CallOp::AdvanceClock:
            filter.Door().AdvanceClock(call.ms);
            break;
        case CallOp::SetParams:
            WriteParams(call.params);
            break;
        case CallOp::FlushHeld:
            filter.Door().RequestFlushHeld();
            break;
        case CallOp::Detach:
            result.hr = filter->DetachHost();
            break;
        case CallOp::Attach:
            result.hr = filter.Attach();
            break;
    }
    result.chord = page.TakeNotification();
    return result;
}

nlohmann::ordered_json ResultLine(size_t index, CallOp op, const CallResult& result) {
    nlohmann::ordered_json line;
    line["call"] = index;
    line["op"] = std::string(CallOpName(op));
    line["hr"] = result.hr;
    line["out"] = result.out;
    if (result.chord) line["chord"] = *result.chord;
    return line;
}
