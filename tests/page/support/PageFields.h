// Settings by field name, as ExpectFields checks them: the settings a page case starts from.
#pragma once

#include "support/PageDrive.h"

inline void SetFields(ArpeggiatorParams& params, Fields fields) {
    for (const auto& [name, value] : fields) FindParamField(name)->In(params) = value;
}
