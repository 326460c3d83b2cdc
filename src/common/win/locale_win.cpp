#include "common/win/locale_win.h"

#include <windows.h>

namespace skel::win {
namespace {

std::string LocaleText(LCTYPE type, const char* fallback) {
  char buf[16] = {};
  int n = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
  if (n <= 1) return fallback;
  return std::string(buf, static_cast<size_t>(n - 1));
}

}  // namespace

LocaleSeparators UserLocaleSeparators() {
  LocaleSeparators s;
  s.decimal = LocaleText(LOCALE_SDECIMAL, ".");
  s.thousands = LocaleText(LOCALE_STHOUSAND, ",");
  return s;
}

void UseUserLocaleSeparators() { SetCurrentSeparators(UserLocaleSeparators()); }

}  // namespace skel::win
