// Counts the global operator new calls made while a call runs. A program that links
// CountingNew.cpp has its global allocation functions replaced by counting ones, and so has a
// library it loads that allocates through them (the LV2 plug-in, loaded with dlopen).
#pragma once

class AllocationCounter {
public:
    template <typename Call>
    static long During(Call call) {
        Start();
        call();
        return Stop();
    }

private:
    static void Start();
    static long Stop();
};
