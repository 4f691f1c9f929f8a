#include "controls/WElementSite.h"

#include <cwctype>

void CWElementSite::NameSite(std::string_view sourceFile, std::string_view qualifiedFunction) {
    std::string_view stem = sourceFile;
    const size_t slash = stem.find_last_of("\\/");
    if (slash != std::string_view::npos) {
        stem.remove_prefix(slash + 1);
    }
    const size_t dot = stem.rfind('.');
    if (dot != std::string_view::npos) {
        stem = stem.substr(0, dot);
    }
    if (stem.empty()) {
        stem = qualifiedFunction.substr(0, qualifiedFunction.rfind("::"));
    }
    siteName.clear();
    for (char ch : stem) {
        siteName += static_cast<wchar_t>(std::towupper(static_cast<unsigned char>(ch)));
    }
}
