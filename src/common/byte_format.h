// The one formatter for byte counts that the monitor shows or sends and the
// cleaner writes into its log. Bands and patterns are fixed: viewers and log
// readers depend on them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/number_format.h"

namespace skel {

// units true: "#,##0 Bytes" up to "###,###,##0.00 TB" by powers of 1024.
// units false: the grouped integer. A negative value (a 32-bit count read as
// signed) is first moved up by 4294967294.
std::string FormatByteSize(int64_t value, bool units, const LocaleSeparators& separators);
std::string FormatByteSize(int64_t value, bool units);

// The same for a value held as text; text that is not a number comes back as
// it stands.
std::string FormatByteSize(std::string_view value, bool units, const LocaleSeparators& separators);
std::string FormatByteSize(std::string_view value, bool units);

// The same for an exact decimal (fixed-point values with decimals).
std::string FormatByteSize(const Decimal& value, bool units, const LocaleSeparators& separators);

}  // namespace skel
