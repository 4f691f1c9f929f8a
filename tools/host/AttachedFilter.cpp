#include "host/AttachedFilter.h"

AttachedFilter::AttachedFilter(const HostSetup& setup)
    : converter(setup.ticksPerQuarter, setup.usPerQuarter),
      live(setup.lookAheadMs),
      host(setup.timeConverter ? &converter : nullptr, setup.aux ? &aux : nullptr,
           setup.live ? &live : nullptr),
      filter(new CArpeggiator) {
    Door().StopClock();
    Attach();
}

AttachedFilter::~AttachedFilter() {
    filter->DetachHost();
    filter->Release();
}

HRESULT AttachedFilter::Attach() {
    host.AddRef();  // AttachHost releases the reference it is handed
    return filter->AttachHost(&host);
}
