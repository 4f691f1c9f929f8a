// An IStream over bytes in memory, for whatever hands the filter's IPersistStream a stream: the
// native tools, the tests, the fuzz target and the benchmark. Read and Write work at one position,
// as on the system's memory stream, and a read past the end succeeds with the bytes there are.
// For tests it can misbehave: deliver a few bytes per Read, report another status or count, and
// take fewer bytes than offered or fail a Write.
//
// It lives with its owner (on the stack, or owned by a wrapper): Release never deletes it, and the
// count only shows a stray AddRef or Release. [any thread, one at a time]
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/SequentialStream.h"

class MemoryStream final : public SequentialStream {
public:
    // A stream that reads `image` from its start.
    explicit MemoryStream(std::span<const uint8_t> image = {});

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }

    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG size, ULONG* written) override;

    // Back to the first byte, for reading what was written or writing over it again. Keeps the
    // buffer, so a loop that rewinds and saves allocates only the first time.
    void Rewind() { position = 0; }
    ULONG Refs() const { return refs; }

    // The image and whatever was written over or after it.
    std::vector<uint8_t> bytes;
    size_t position = 0;

    // Misbehaviour on demand.
    ULONG readChunk = 0;                // at most this many bytes per Read; 0: no limit
    HRESULT readResult = S_OK;          // what every Read returns
    std::optional<ULONG> reportedRead;  // the count Read reports, whatever it moved
    HRESULT writeResult = S_OK;         // what every Write returns
    ULONG writeLimit = ~ULONG{0};       // at most this many bytes taken per Write

    int readCalls = 0;
    int writeCalls = 0;

private:
    ULONG refs = 1;
};
