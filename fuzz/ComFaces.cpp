#include "fuzz/ComFaces.h"

#include <cstring>

#include "engine/InterfaceIds.h"
#include "host/HostObjects.h"
#include "host/MemoryStream.h"

namespace {

// The filter's faces, interfaces it must refuse (IPersist among them), and one made of input.
void QueryAnyInterface(FuzzFilter& filter, FuzzedDataProvider& in) {
    IID any{};
    any.Data1 = in.ConsumeIntegral<uint32_t>();
    const IID iids[] = {ids::Unknown,
                        ids::MfxEventFilter,
                        ids::PersistStream,
                        ids::SpecifyPropertyPages,
                        ids::VeskarEnablePlugin,
                        ids::Persist,
                        ids::ClassFactory,
                        ids::HostTimeConverter,
                        any};
    const IID& iid = in.PickValueInArray(iids);
    void* face = reinterpret_cast<void*>(uintptr_t{0xdeadbeef});
    const HRESULT hr = filter->QueryInterface(iid, &face);
    if (hr != S_OK) {
        FUZZ_CHECK(hr == E_NOINTERFACE && face == nullptr);
        return;
    }
    FUZZ_CHECK(face != nullptr);
    FUZZ_CHECK(static_cast<IUnknown*>(face)->Release() == 1);
}

void ListPages(FuzzFilter& filter) {
    CAUUID pages{};
    FUZZ_CHECK(filter->GetPages(&pages) == S_OK);
    FUZZ_CHECK(pages.cElems == 1 && pages.pElems[0] == ids::ArpeggiatorPropPage);
    CoTaskMemFree(pages.pElems);
}

// Saving writes the block as it stands; loading those bytes back keeps it, whether the tag
// lets them in or not.
void SaveAndLoad(FuzzFilter& filter) {
    static MemoryStream stream;
    const ArpeggiatorParams before = filter.Door().ReadParams();
    stream.bytes.clear();
    stream.Rewind();
    FUZZ_CHECK(filter->Save(&stream, 1) == S_OK);
    FUZZ_CHECK(stream.bytes.size() == sizeof before);
    FUZZ_CHECK(std::memcmp(stream.bytes.data(), &before, sizeof before) == 0);
    stream.Rewind();
    const HRESULT hr = filter->Load(&stream);
    const bool tagged = std::memcmp(&before.formatTag, &kParamsFormatTag, sizeof(GUID)) == 0;
    FUZZ_CHECK(hr == (tagged ? S_OK : E_FAIL));
    const ArpeggiatorParams after = filter.Door().ReadParams();
    FUZZ_CHECK(std::memcmp(&after, &before, sizeof before) == 0);
}

// Every face refuses a missing argument with E_POINTER and changes nothing.
void PassNothing(FuzzFilter& filter, FuzzedDataProvider& in) {
    static EventQueue events;
    static MessageQueue messages;
    const ArpeggiatorParams before = filter.Door().ReadParams();
    switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0:
            FUZZ_CHECK(filter->FilterEvents(0, 100, nullptr, &events) == E_POINTER);
            FUZZ_CHECK(filter->FilterEvents(0, 100, &events, nullptr) == E_POINTER);
            break;
        case 1:
            FUZZ_CHECK(filter->FilterLiveInput(nullptr, &messages) == E_POINTER);
            FUZZ_CHECK(filter->FilterLiveInput(&messages, nullptr) == E_POINTER);
            break;
        case 2:
            FUZZ_CHECK(filter->QueryInterface(ids::PersistStream, nullptr) == E_POINTER);
            break;
        case 3:
            FUZZ_CHECK(filter->GetPages(nullptr) == E_POINTER);
            break;
        case 4:
            FUZZ_CHECK(filter->Load(nullptr) == E_POINTER && filter->Save(nullptr, 0) == E_POINTER);
            break;
        default:
            // AttachHost's refusal leaves the attachment as it was.
            FUZZ_CHECK(filter->AttachHost(nullptr) == E_POINTER);
            break;
    }
    FUZZ_CHECK(events.records.empty() && messages.records.empty());
    const ArpeggiatorParams after = filter.Door().ReadParams();
    FUZZ_CHECK(std::memcmp(&after, &before, sizeof before) == 0);
}

}  // namespace

void CallComFaces(FuzzFilter& filter, FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0:
            return QueryAnyInterface(filter, in);
        case 1:
            return ListPages(filter);
        case 2:
            return filter.CheckSaveQueries();
        case 3:
            return PassNothing(filter, in);
        case 4: {
            const ArpeggiatorParams before = filter.Door().ReadParams();
            FUZZ_CHECK(filter->SetPluginEnabled(in.ConsumeBool() ? VARIANT_TRUE : VARIANT_FALSE) ==
                       S_OK);
            const ArpeggiatorParams after = filter.Door().ReadParams();
            FUZZ_CHECK(std::memcmp(&after, &before, sizeof before) == 0);
            return;
        }
        default:
            return SaveAndLoad(filter);
    }
}
