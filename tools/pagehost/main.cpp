// pagehost: the Arpeggiator's editor page in the system's property frame, with the filter made
// from the registered Arpeggiator.dll, as a sequencer shows it.
#include <iostream>
#include <variant>

#include "pagehost/PageHost.h"

int main(int argc, char** argv) {
    auto parsed = ParsePageHostOptions(argc, argv);
    if (const int* code = std::get_if<int>(&parsed)) return *code;
    return RunPageHost(std::get<PageHostOptions>(parsed), std::cout, std::cerr);
}
