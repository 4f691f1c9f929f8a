#include "propvalues/Property.h"

bool CProperty::WantsKey(uint32_t, uint32_t, uint32_t) const { return true; }

bool CProperty::GetLimits(std::unique_ptr<CProperty>& low, std::unique_ptr<CProperty>& high) const {
    low.reset();
    high.reset();
    return false;
}

bool CProperty::HasChoiceList() const { return false; }

bool CProperty::HasPicker() const { return false; }

bool CProperty::NeedsRefreshTimer() const { return false; }

void CProperty::GetEditText(std::wstring& text) const { Format(text); }
