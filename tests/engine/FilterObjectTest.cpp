// The filter object's identity and attachment to the host. Its initial state is FilterRestTest's
// (a rested filter against a new one); its default block PersistStreamTest's;
// the live-object count behind DllCanUnloadNow Wine's ClassObjectTest.
#include <gtest/gtest.h>

#include <memory>

#include "engine/Arpeggiator.h"
#include "engine/FilterAccess.h"
#include "engine/FilterTestView.h"
#include "engine/InterfaceIds.h"
#include "host/HostObjects.h"
#include "support/FilterFixture.h"

namespace {

const ArpeggiatorState& State(CArpeggiator& filter) { return FilterTestView(filter).State(); }

}  // namespace

// A new filter holds the one reference its maker hands out, and runs its own clock: the host
// never starts it.
TEST(FilterObject, ANewFilterHoldsOneReferenceAndRunsItsClock) {
    FilterPtr filter(new CArpeggiator);
    EXPECT_EQ(filter->AddRef(), 2u);
    EXPECT_EQ(filter->Release(), 1u);
    EXPECT_EQ(State(*filter).timerRunning, 1u);
    EXPECT_NE(State(*filter).timerId, 0u);
}

TEST(FilterObject, QueryInterfaceHandsOutEachFaceAndRefusesOthers) {
    FilterPtr filter = NewFilter();
    CArpeggiator* object = filter.get();
    struct Case {
        const char* name;
        IID iid;
        void* expected;
    };
    const Case cases[] = {
        {"IUnknown", ids::Unknown, static_cast<IMfxEventFilter*>(object)},
        {"IMfxEventFilter", ids::MfxEventFilter, static_cast<IMfxEventFilter*>(object)},
        {"ISpecifyPropertyPages", ids::SpecifyPropertyPages,
         static_cast<ISpecifyPropertyPages*>(object)},
        {"IPersistStream", ids::PersistStream, static_cast<IPersistStream*>(object)},
        {"IVeskarEnablePlugin", ids::VeskarEnablePlugin, static_cast<IVeskarEnablePlugin*>(object)},
        {"IPersist", ids::Persist, nullptr},
        {"IClassFactory", ids::ClassFactory, nullptr},
        {"IHostTimeConverter", ids::HostTimeConverter, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        void* out = reinterpret_cast<void*>(0xdeadbeef);
        const HRESULT hr = object->QueryInterface(c.iid, &out);
        EXPECT_EQ(out, c.expected);
        if (c.expected == nullptr) {
            EXPECT_EQ(hr, E_NOINTERFACE);
            EXPECT_EQ(State(*object).refCount.load(), 1u);
        } else {
            EXPECT_EQ(hr, S_OK);
            EXPECT_EQ(State(*object).refCount.load(), 2u);
            // Every face releases through the one count.
            EXPECT_EQ(static_cast<IUnknown*>(out)->Release(), 1u);
        }
    }
    EXPECT_EQ(object->QueryInterface(ids::Unknown, nullptr), E_POINTER);
}

// Every branch of AttachHost: which services the host offers, what comes back, what the filter
// then holds, and that the host's own reference was released in every case.
TEST(FilterObject, AttachHostTakesWhatTheHostOffersAndAlwaysReleasesTheHost) {
    struct Case {
        const char* name;
        bool converter, aux, live;
        HRESULT expected;
        bool holdsConverter, holdsAux, holdsLive;
    };
    const Case cases[] = {
        {"all services", true, true, true, S_OK, true, true, true},
        {"no time converter", false, true, true, E_FAIL, false, false, false},
        {"no aux service", true, false, true, S_OK, true, false, false},
        {"no live service", true, true, false, S_OK, true, true, false},
        {"time converter only", true, false, false, S_OK, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConstantTempoConverter converter(960, 500000);
        HostAuxService aux;
        HostLiveService live(120);
        SimHost host(c.converter ? &converter : nullptr, c.aux ? &aux : nullptr,
                     c.live ? &live : nullptr);
        FilterPtr filter = NewFilter();

        host.AddRef();
        EXPECT_EQ(filter->AttachHost(&host), c.expected);
        EXPECT_EQ(host.ForeignRefs(), 0);
        EXPECT_EQ(State(*filter).timeConverter != nullptr, c.holdsConverter);
        EXPECT_EQ(State(*filter).auxService != nullptr, c.holdsAux);
        EXPECT_EQ(State(*filter).liveService != nullptr, c.holdsLive);
        EXPECT_EQ(converter.ForeignRefs(), c.holdsConverter ? 1 : 0);
        EXPECT_EQ(aux.ForeignRefs(), c.holdsAux ? 1 : 0);
        EXPECT_EQ(live.ForeignRefs(), c.holdsLive ? 1 : 0);
        EXPECT_EQ(State(*filter).lookAheadMs, c.holdsLive ? 120u : 0u);

        EXPECT_EQ(filter->DetachHost(), S_OK);
        EXPECT_EQ(converter.ForeignRefs(), 0);
        EXPECT_EQ(aux.ForeignRefs(), 0);
        EXPECT_EQ(live.ForeignRefs(), 0);
        EXPECT_EQ(live.endCount, 0) << "EndLive without BeginLive";
    }
}

TEST(FilterObject, DetachEndsLiveOnceAfterItBeganAndTheObjectCanAttachAgain) {
    ConstantTempoConverter converter(960, 500000);
    HostAuxService aux;
    HostLiveService live(40);
    SimHost host(&converter, &aux, &live);
    FilterPtr filter = NewFilter();

    for (int round = 0; round < 2; ++round) {
        host.AddRef();
        ASSERT_EQ(filter->AttachHost(&host), S_OK);
        MessageQueue input;
        MessageQueue output;
        filter->FilterLiveInput(&input, &output);
        filter->FilterLiveInput(&input, &output);
        EXPECT_EQ(live.beginCount, round + 1);
        filter->DetachHost();
        EXPECT_EQ(live.endCount, round + 1);
        EXPECT_EQ(State(*filter).liveBegun, 0u);
        EXPECT_EQ(live.ForeignRefs(), 0);
    }
    EXPECT_EQ(filter->AttachHost(nullptr), E_POINTER);
    MessageQueue queue;
    EXPECT_EQ(filter->FilterLiveInput(nullptr, &queue), E_POINTER);
    EXPECT_EQ(filter->FilterLiveInput(&queue, nullptr), E_POINTER);
}
