#include "monitor/server/stats_service.h"

#include <gtest/gtest.h>

#include "common/stats_reply.h"
#include "server_fakes.h"

namespace skel::monitor {
namespace {

using testing::FixedFileCache;
using testing::FixedPerformance;
using testing::TypicalRecord;

const LocaleSeparators kEnglish{".", ","};

struct ServiceFixture : ::testing::Test {
  FixedPerformance performance;
  FixedFileCache fileCache;
  StatsSampler sampler{performance};
  int cleanerRuns = 0;
  int pumps = 0;
  std::function<void()> duringPump;
  std::string upTime = "0 Days 05:12:33";

  StatsService Make(const LocaleSeparators& separators = kEnglish) {
    StatsServicePorts ports;
    ports.sampler = &sampler;
    ports.fileCache = &fileCache;
    ports.upTimeText = [this] { return upTime; };
    ports.runCleaner = [this] { ++cleanerRuns; };
    ports.processMessages = [this] {
      ++pumps;
      if (duringPump) {
        auto once = std::move(duringPump);
        duringPump = nullptr;
        once();
      }
    };
    return StatsService(std::move(ports), separators);
  }
};

TEST_F(ServiceFixture, ReplyHasSixteenLabelledFieldsInOrder) {
  performance.record = TypicalRecord();
  fileCache.currentSize = 980;
  StatsService service = Make();
  EXPECT_EQ(service.GetAllData(),
            "Commit Total: 1.00 GB|Commit Limit: 2.00 GB|Commit Peak: 1.50 GB|File Cache: 980 "
            "Bytes|Handle Count: 23581|Kernel Total: 200.00 MB|Kernel Paged: 150.00 MB|Kernel "
            "Non Paged: 50.00 MB|Memory Avail.: 256.00 MB|Memory Total: 1.00 GB|Memory Used: "
            "768.00 MB|Memory Used %: 75|Process Count: 71|System Cache: 100.00 MB|Thread Count: "
            "1024|Up Time: 0 Days 05:12:33");
  // Messages run between consecutive fields.
  EXPECT_EQ(pumps, 15);
}

TEST_F(ServiceFixture, PercentInShortestFormWithTheLocaleSeparator) {
  struct Case {
    int32_t available, total;
    LocaleSeparators separators;
    const char* field;
  } cases[] = {
      {40, 100, kEnglish, "Memory Used %: 60"},
      {3, 7, kEnglish, "Memory Used %: 57.1429"},
      {3, 7, {",", "."}, "Memory Used %: 57,1429"},
      {85, 200, kEnglish, "Memory Used %: 57.5"},
  };
  for (const Case& c : cases) {
    performance.record = TypicalRecord();
    performance.record.PhysicalAvailable = c.available;
    performance.record.PhysicalTotal = c.total;
    std::string reply = Make(c.separators).GetAllData();
    EXPECT_NE(reply.find(std::string("|") + c.field + "|"), std::string::npos) << reply;
  }
}

TEST_F(ServiceFixture, EveryReplyTakesAFreshSampleAndFileCacheQuery) {
  performance.record = TypicalRecord();
  StatsService service = Make();
  service.GetAllData();
  performance.record.ProcessCount = 99;
  fileCache.currentSize = 2048;
  std::string second = service.GetAllData();
  EXPECT_EQ(performance.queries, 2);
  EXPECT_EQ(fileCache.queries, 2);
  EXPECT_NE(second.find("|Process Count: 99|"), std::string::npos);
  EXPECT_NE(second.find("|File Cache: 2.00 KB|"), std::string::npos);
}

TEST_F(ServiceFixture, FailedQueriesStillGiveACompleteReply) {
  performance.record = TypicalRecord();
  StatsService service = Make();
  service.GetAllData();
  // The performance query fails: the previous sample's values remain. The
  // file cache query fails: 0 Bytes.
  performance.fails = true;
  fileCache.currentSize = 4096;
  fileCache.fails = true;
  std::string reply = service.GetAllData();
  EXPECT_NE(reply.find("|Process Count: 71|"), std::string::npos);
  EXPECT_NE(reply.find("|File Cache: 0 Bytes|"), std::string::npos);
  StatsReplyRows rows = ReadStatsReply(reply);
  for (const auto& row : rows) EXPECT_TRUE(row.has_value());
}

TEST_F(ServiceFixture, UpTimeIsTheLastTickTextNotANewReading) {
  StatsService service = Make();
  upTime = "01 Day 00:00:05";
  EXPECT_TRUE(service.GetAllData().ends_with("|Up Time: 01 Day 00:00:05"));
  // Without the callback the snapshot's text (set by the tick) is used.
  StatsServicePorts ports;
  ports.sampler = &sampler;
  sampler.SetUpTimeText("0 Days 00:10:00");
  EXPECT_TRUE(StatsService(ports, kEnglish).GetAllData().ends_with("|Up Time: 0 Days 00:10:00"));
}

TEST_F(ServiceFixture, OnlyTheExactCommandInAnyCaseIsServed) {
  struct Case {
    std::string arrival;
    int replies;
    int cleanerRuns;
  } cases[] = {
      {"getalldata", 1, 0},
      {"GETALLDATA", 1, 0},
      {"GetAllData", 1, 0},
      {"getalldata\r\n", 0, 0},
      {"getalldata ", 0, 0},
      {" getalldata", 0, 0},
      {"get", 0, 0},
      {"getalldatagetalldata", 0, 0},
      {"", 0, 0},
      {std::string("getall\0data", 11), 0, 0},
      {std::string(2'000'000, 'x'), 0, 0},
      {"vardolin", 0, 1},
      {"VARDOLIN", 0, 1},
      {"vardolin\r\n", 0, 0},
      {"vardolinvardolin", 0, 0},
  };
  for (const Case& c : cases) {
    cleanerRuns = 0;
    int replies = 0;
    std::string sent;
    Make().HandleRequest(c.arrival, [&](const std::string& reply) {
      ++replies;
      sent = reply;
    });
    EXPECT_EQ(replies, c.replies) << c.arrival.substr(0, 30);
    EXPECT_EQ(cleanerRuns, c.cleanerRuns) << c.arrival.substr(0, 30);
    if (replies) {
      EXPECT_TRUE(sent.starts_with("Commit Total: "));
    }
  }
}

TEST_F(ServiceFixture, ARequestServedWhileAReplyIsBuiltGetsItsOwnCompleteReply) {
  performance.record = TypicalRecord();
  StatsService service = Make();
  std::vector<std::string> sent;
  auto send = [&](const std::string& reply) { sent.push_back(reply); };
  duringPump = [&] {
    performance.record.ThreadCount = 2048;
    service.HandleRequest("getalldata", send);
  };
  service.HandleRequest("getalldata", send);
  ASSERT_EQ(sent.size(), 2u);
  for (const auto& reply : sent) {
    StatsReplyRows rows = ReadStatsReply(reply);
    for (const auto& row : rows) EXPECT_TRUE(row.has_value()) << reply;
  }
  // The outer reply carries the nested sample from where it resumed.
  EXPECT_NE(sent[1].find("|Thread Count: 2048|"), std::string::npos);
  EXPECT_EQ(performance.queries, 2);
}

}  // namespace
}  // namespace skel::monitor
