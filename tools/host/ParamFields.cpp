#include "host/ParamFields.h"

#include <array>

namespace {

constexpr std::array<ParamField, 14> kFields = {{
    {"leftHandBottom", &ArpeggiatorParams::leftHandBottom},
    {"leftHandSpan", &ArpeggiatorParams::leftHandSpan},
    {"arpBottom", &ArpeggiatorParams::arpBottom},
    {"arpSpan", &ArpeggiatorParams::arpSpan},
    {"swing", &ArpeggiatorParams::swing},
    {"rateUnits", &ArpeggiatorParams::rateUnits},
    {"noteValue", &ArpeggiatorParams::noteValue},
    {"pathDirection", &ArpeggiatorParams::pathDirection},
    {"rateAmount", &ArpeggiatorParams::rateAmount},
    {"legato", &ArpeggiatorParams::legato},
    {"playOriginals", &ArpeggiatorParams::playOriginals},
    {"leftHandWindowOn", &ArpeggiatorParams::leftHandWindowOn},
    {"keepInRange", &ArpeggiatorParams::keepInRange},
    {"enabled", &ArpeggiatorParams::enabled},
}};

}  // namespace

std::span<const ParamField> ParamFields() { return kFields; }

const ParamField* FindParamField(std::string_view name) {
    for (const ParamField& field : kFields) {
        if (field.name == name) return &field;
    }
    return nullptr;
}
