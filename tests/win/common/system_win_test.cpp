// Runs under Wine: the privilege routine and the file cache record against
// the real token and native calls.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/win/privilege_win.h"
#include "common/win/system_file_cache_win.h"

namespace skel {
namespace {

TEST(EnablePrivilege, EnablesAHeldPrivilegeAndRefusesAnUnknownName) {
  EXPECT_TRUE(win::EnablePrivilege("SeIncreaseQuotaPrivilege"));
  EXPECT_FALSE(win::EnablePrivilege("SeNoSuchPrivilege"));
}

TEST(FileCache, QueryFillsTheRecordAndTheTrimRequestIsAccepted) {
  win::FileCacheRecord record;
  record.CurrentSize = 12345;  // must be overwritten
  EXPECT_TRUE(win::QueryFileCache(record));
  // The system answers in its own record width; the call is accepted.
  EXPECT_GE(win::RequestFileCacheTrim(record), 0);
}

}  // namespace
}  // namespace skel
