#include "monitor/server/address_lists.h"

#include <gtest/gtest.h>

#include <random>

#include "server_fakes.h"

namespace skel::monitor {
namespace {

using Entries = std::vector<std::string>;

TEST(AddressFile, NonEmptyLinesLoadUnchangedAndSaveWithCrLf) {
  struct Case {
    std::string file;
    Entries entries;
  } cases[] = {
      {"\r\n10.0.0.5\r\n", {"10.0.0.5"}},
      {"10.0.0.5", {"10.0.0.5"}},  // last line without its end
      {"b\nA\rc\r\n\r\n\n", {"A", "b", "c"}},
      {" 10.0.0.5 \r\n10.0.0.5\r\n", {" 10.0.0.5 ", "10.0.0.5"}},  // no trimming
      {"x\r\nx\r\n", {"x", "x"}},                                  // no duplicate check
      {"", {}},
  };
  for (const Case& c : cases) {
    AddressList list;
    list.AddFileText(c.file);
    EXPECT_EQ(list.Entries(), c.entries) << c.file;
  }
  AddressList list;
  list.AddFileText("\r\n10.0.0.5\r\n");
  EXPECT_EQ(list.ToFileText(), "10.0.0.5\r\n");
  EXPECT_EQ(AddressList().ToFileText(), "");
}

TEST(AddressFile, AnyBytesRoundTripWithoutLoss) {
  std::mt19937 random(9);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(random() % 300, '\0');
    for (char& b : bytes) b = static_cast<char>(random() % 256);
    AddressList first;
    first.AddFileText(bytes);
    AddressList second;
    second.AddFileText(first.ToFileText());
    EXPECT_EQ(second.Entries(), first.Entries());
    for (const auto& entry : first.Entries()) {
      EXPECT_FALSE(entry.empty());
      EXPECT_EQ(entry.find_first_of("\r\n"), std::string::npos);
    }
  }
}

TEST(AddressList, SortedLikeAListBoxAndMatchedExactly) {
  AddressList list;
  for (const char* entry : {"10.0.0.9", "Host", "10.0.0.10", "alpha", "host"}) list.Add(entry);
  EXPECT_EQ(list.Entries(), (Entries{"10.0.0.10", "10.0.0.9", "alpha", "Host", "host"}));
  EXPECT_TRUE(list.Contains("Host"));
  EXPECT_FALSE(list.Contains("HOST"));
  EXPECT_FALSE(list.Contains("10.0.0.9 "));
  EXPECT_FALSE(AddressList().Contains(""));

  list.Add("alpha");
  list.Add("10.0.0.9");
  list.RemoveDuplicates();
  EXPECT_EQ(list.Entries(), (Entries{"10.0.0.10", "10.0.0.9", "alpha", "Host", "host"}));
  list.RemoveEvery("Host");
  list.RemoveAt(99);  // out of range: nothing
  EXPECT_EQ(list.Entries(), (Entries{"10.0.0.10", "10.0.0.9", "alpha", "host"}));
}

TEST(AddressFile, PathsAndMissingFiles) {
  EXPECT_EQ(AddressFilePath("C:\\Program Files\\Skelvane", kBannedFileName),
            "C:\\Program Files\\Skelvane\\banned.dat");
  EXPECT_EQ(AddressFilePath("D:\\", kAllowedFileName), "D:\\allowed.dat");
  testing::MemoryFiles files;
  AddressList list;
  LoadAddressFile(list, files, "C:\\missing.dat");
  EXPECT_TRUE(list.Empty());
  files.writesFail = true;
  list.Add("1.2.3.4");
  EXPECT_FALSE(SaveAddressFile(list, files, "C:\\x.dat"));
  EXPECT_EQ(list.Entries(), (Entries{"1.2.3.4"}));
}

}  // namespace
}  // namespace skel::monitor
