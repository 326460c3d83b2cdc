// Runs under Wine: the formatter with the separators that the real locale
// functions report, and the handle owner against real kernel objects.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/byte_format.h"
#include "common/win/locale_win.h"
#include "common/win/unique_any.h"

namespace skel {
namespace {

TEST(LocaleWin, SeparatorsComeFromTheUserLocale) {
  char decimal[8] = {}, thousands[8] = {};
  ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, sizeof decimal), 0);
  ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousands, sizeof thousands), 0);
  win::UseUserLocaleSeparators();
  EXPECT_EQ(CurrentSeparators().decimal, decimal);
  EXPECT_EQ(CurrentSeparators().thousands, thousands);

  const std::string d = decimal, t = thousands;
  EXPECT_EQ(FormatByteSize(1048575, true), "1" + t + "024" + d + "00 KB");
  EXPECT_EQ(FormatByteSize(2415919104LL, true), "2" + d + "25 GB");
  EXPECT_EQ(FormatByteSize(123456789, false), "123" + t + "456" + t + "789");
}

TEST(LocaleWin, AgreesWithThePlatformNumberFormatter) {
  // GetNumberFormatA groups and rounds with the same locale; for values whose
  // third decimal is not 5 both must agree.
  win::UseUserLocaleSeparators();
  std::string decimal = CurrentSeparators().decimal, thousands = CurrentSeparators().thousands;
  NUMBERFMTA format{};
  format.NumDigits = 2;
  format.LeadingZero = 1;
  format.Grouping = 3;
  format.lpDecimalSep = decimal.data();
  format.lpThousandSep = thousands.data();
  format.NegativeOrder = 1;
  char buf[64] = {};
  ASSERT_GT(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "1234567.891", &format, buf, sizeof buf), 0);
  EXPECT_EQ(FormatNumber(1234567.891, "###,###,##0.00"), buf);
}

TEST(UniqueAny, ClosesWhatItOwns) {
  HANDLE raw = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(raw, nullptr);
  HANDLE duplicate = nullptr;
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), raw, GetCurrentProcess(), &duplicate, 0, FALSE,
                              DUPLICATE_SAME_ACCESS));
  {
    win::UniqueHandle owner(raw);
    win::UniqueHandle moved(std::move(owner));
    EXPECT_FALSE(owner);
    EXPECT_TRUE(moved);
  }
  // The original handle is gone; the duplicate still works.
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(raw, &flags));
  EXPECT_TRUE(SetEvent(duplicate));
  CloseHandle(duplicate);
}

}  // namespace
}  // namespace skel
