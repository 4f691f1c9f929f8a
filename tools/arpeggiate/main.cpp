// arpeggiate: Standard MIDI Files through the Arpeggiator filter.
#include <iostream>
#include <variant>

#include "arpeggiate/Arpeggiate.h"
#include "arpeggiate/CommandLine.h"

int main(int argc, char** argv) {
    auto parsed = ParseCommandLine(argc, argv, std::cout, std::cerr);
    if (const int* code = std::get_if<int>(&parsed)) return *code;
    return RunArpeggiate(std::get<Options>(parsed), std::cout, std::cerr);
}
