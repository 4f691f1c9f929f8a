// Writes the help file's page of chord names from the chord recogniser's own dictionary, so the
// page cannot drift from what the left-hand window names. Built and run on the build machine by
// build-help.sh (host compiler, header-only table); writes HTML to standard output.
#include <cstdio>
#include <string>
#include <vector>

#include "chord/ChordDictionary.h"

namespace {

// Labels are Latin-1 bytes ("\xB0" is the degree sign): everything outside ASCII and the
// characters HTML reserves become character references.
std::string Html(const char* text) {
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) {
        const auto code = static_cast<unsigned char>(*p);
        if (code >= 0x80 || *p == '&' || *p == '<' || *p == '>') {
            out += "&#" + std::to_string(code) + ";";
        } else {
            out += *p;
        }
    }
    return out;
}

std::string Narrow(const wchar_t* text) {
    std::string out;
    for (const wchar_t* p = text; *p != L'\0'; ++p) out += static_cast<char>(*p);
    return out;
}

// The chord's notes with C as the root, lowest first.
std::string NotesOnC(uint32_t mask) {
    std::string out;
    for (int32_t k = 0; k < ChordPattern::kSlotCount; ++k) {
        if ((mask & (uint32_t{1} << k)) == 0) continue;
        if (!out.empty()) out += ' ';
        out += Narrow(ChordDictionary::rootNames[k]);
    }
    return out;
}

struct Name {
    const char* label;
    std::vector<uint32_t> shapes;
};

}  // namespace

int main() {
    // In table order; a row whose shape an earlier row already has is never recognised, so
    // it is left out.
    std::vector<Name> names;
    std::vector<uint32_t> seen;
    for (const ChordPattern& row : ChordDictionary::patterns) {
        bool repeated = false;
        for (uint32_t mask : seen) repeated = repeated || mask == row.intervalMask;
        if (repeated) continue;
        seen.push_back(row.intervalMask);
        Name* named = nullptr;
        for (Name& name : names) {
            if (std::string(name.label) == row.label) named = &name;
        }
        if (named == nullptr) named = &names.emplace_back(Name{row.label, {}});
        named->shapes.push_back(row.intervalMask);
    }

    std::printf(
        "<html>\n<head><title>Chord names</title><link rel=\"stylesheet\" "
        "href=\"style.css\"></head>\n<body>\n<h1>Chord names</h1>\n"
        "<p>These are the %zu chord names the <a href=\"chordwindow.htm\">left-hand window</a> "
        "knows. The display shows the root, the name and the inversion, for example "
        "\"G 7 1st inversion\". The table shows each chord built on C; where several sets of "
        "notes get the same name, each is listed.</p>\n",
        names.size());
    std::printf("<p>Roots:");
    for (const wchar_t* root : ChordDictionary::rootNames) std::printf(" %s", Narrow(root).c_str());
    std::printf(" (sharps only).</p>\n<p>Inversions: the lowest key held decides:");
    // The recogniser never names an inversion above the 4th.
    for (int32_t i = 0; i <= 4; ++i) {
        std::printf("%s \"%s\"", i == 0 ? "" : ",",
                    Narrow(ChordDictionary::inversionNames[i]).c_str());
    }
    std::printf(".</p>\n<table>\n<tr><th>Name</th><th>Notes with C as the root</th></tr>\n");
    for (const Name& name : names) {
        std::string shapes;
        for (uint32_t mask : name.shapes) shapes += (shapes.empty() ? "" : "; ") + NotesOnC(mask);
        std::printf("<tr><td>%s</td><td>%s</td></tr>\n", Html(name.label).c_str(), shapes.c_str());
    }
    std::printf(
        "</table>\n<p class=\"see\">See also: <a href=\"page.htm\">The editor page</a> &middot; "
        "<a href=\"index.htm\">Overview</a></p>\n</body>\n</html>\n");
    return 0;
}
