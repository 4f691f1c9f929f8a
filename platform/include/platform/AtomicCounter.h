// Reference counts and the module's object and lock counts: changed from any thread, so every
// change is one atomic read-modify-write that reports the value it produced, as the interlocked
// operations of the system do.
#pragma once

#include <atomic>
#include <cstdint>

class AtomicCounter {
public:
    constexpr explicit AtomicCounter(uint32_t initial = 0) : value(initial) {}

    uint32_t Increment() { return value.fetch_add(1, std::memory_order_acq_rel) + 1; }
    uint32_t Decrement() { return value.fetch_sub(1, std::memory_order_acq_rel) - 1; }
    uint32_t Get() const { return value.load(std::memory_order_acquire); }

private:
    std::atomic<uint32_t> value;
};
