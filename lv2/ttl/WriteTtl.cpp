// arp_lv2_ttl: writes the bundle's Turtle files at build time.
// Usage: arp_lv2_ttl BUNDLE_DIR BINARY_NAME   (exit status 1 when a file cannot be written)
#include <cstdio>
#include <fstream>
#include <string>

#include "ttl/TtlText.h"

namespace {

bool WriteFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (file) return true;
    std::fprintf(stderr, "arp_lv2_ttl: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: arp_lv2_ttl BUNDLE_DIR BINARY_NAME\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool written = WriteFile(dir + "/manifest.ttl", ManifestTtl(argv[2])) &&
                         WriteFile(dir + "/arpeggiator.ttl", PluginTtl()) &&
                         WriteFile(dir + "/presets.ttl", PresetsTtl());
    return written ? 0 : 1;
}
