// SPDX-License-Identifier: GPL-3.0-or-later
// Any text reads as a number without failing, and numbers written as text read back the same.
#include "shared/number_text.h"
#include "shared/rounding.h"

#include <cmath>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const tallisto::LeadingNumber n = tallisto::readLeadingNumber(text);
    if (!std::isfinite(n.value)) std::abort();

    const std::string written = tallisto::numberText(tallisto::roundTo2Places(n.value));
    if (written.find_first_of(",in") != std::string::npos) std::abort(); // no "inf", "nan", ","
    const double back = tallisto::numberValue(written);
    // 15 significant digits: the value read back lies within one part in 1E14.
    const double rounded = tallisto::roundTo2Places(n.value);
    if (std::fabs(back - rounded) > std::fabs(rounded) * 1e-14) std::abort();
    return 0;
}
