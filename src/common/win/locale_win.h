// Reads the user's number separators from the locale settings.
#pragma once

#include "common/number_format.h"

namespace skel::win {

LocaleSeparators UserLocaleSeparators();
// Makes the user's separators the process-wide ones.
void UseUserLocaleSeparators();

}  // namespace skel::win
