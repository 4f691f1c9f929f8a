// Root of every site: the site's name, which diagnostics and accessibility show.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CWElementSite {
public:
    CWElementSite() = default;
    CWElementSite(const CWElementSite&) = delete;
    CWElementSite& operator=(const CWElementSite&) = delete;
    virtual ~CWElementSite() = default;

    const std::wstring& GetSiteName() const { return siteName; }
    int32_t GetSiteTag() const { return siteTag; }
    void SetSiteTag(int32_t tag) { siteTag = tag; }

protected:
    // The naming operation a host calls from its SetSiteName with its source file name and
    // the qualified name of the calling function. The name is the file name without folder
    // and extension, in upper case; a host without a file name is named after its class.
    void NameSite(std::string_view sourceFile, std::string_view qualifiedFunction);

private:
    std::wstring siteName;
    // A slot for the site's user; nothing in the toolkit reads it.
    int32_t siteTag = -1;
};
