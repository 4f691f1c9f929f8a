// Root of every windowless control.
#pragma once

#include <cstdint>

class CWElement {
public:
    CWElement() = default;
    CWElement(const CWElement&) = delete;
    CWElement& operator=(const CWElement&) = delete;
    virtual ~CWElement() = default;

    int32_t GetElementTag() const { return elementTag; }
    void SetElementTag(int32_t tag) { elementTag = tag; }

private:
    // A slot for the element's user; nothing in the toolkit reads it.
    int32_t elementTag = -1;
};
