#include "monitor/server/stats_service.h"

#include "common/byte_format.h"
#include "common/stats_reply.h"

namespace skel::monitor {
namespace {

bool EqualsLowerCased(std::string_view arrival, std::string_view word) {
  if (arrival.size() != word.size()) return false;
  for (size_t i = 0; i < arrival.size(); ++i) {
    char c = arrival[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
  }
  return true;
}

}  // namespace

StatsRequest ClassifyRequest(std::string_view arrival) {
  if (EqualsLowerCased(arrival, kRequestGetAllData)) return StatsRequest::kGetAllData;
  if (EqualsLowerCased(arrival, kRequestRunCleaner)) return StatsRequest::kRunCleaner;
  return StatsRequest::kNone;
}

StatsService::StatsService(StatsServicePorts ports, const LocaleSeparators& separators)
    : ports_(std::move(ports)), separators_(separators) {}

void StatsService::Pump() const {
  if (ports_.processMessages) ports_.processMessages();
}

std::string StatsService::GetAllData() {
  StatsSampler& sampler = *ports_.sampler;
  sampler.SampleStats();
  std::string reply;
  reply.reserve(512);
  // Each field is read from the snapshot as it stands when the field is
  // appended: a request served while messages run in between takes its own
  // sample, and this reply then carries values of both, as it always has.
  auto field = [&](int position, auto value) {
    if (position > 0) {
      Pump();
      reply += '|';
    }
    reply += kStatsReplyLabels[position];
    reply += value();
  };
  auto bytes = [&](int64_t value) { return FormatByteSize(value, true, separators_); };
  field(kFieldCommitTotal, [&] { return bytes(sampler.Snapshot().CommitTotal); });
  field(kFieldCommitLimit, [&] { return bytes(sampler.Snapshot().CommitLimit); });
  field(kFieldCommitPeak, [&] { return bytes(sampler.Snapshot().CommitPeak); });
  field(kFieldFileCache, [&] {
    // A failed query leaves 0, sent as "0 Bytes".
    if (ports_.fileCache) {
      sampler.GetFileCacheInfo(*ports_.fileCache);
    } else {
      return bytes(0);
    }
    return bytes(static_cast<int64_t>(sampler.Snapshot().FileCacheSize));
  });
  field(kFieldHandleCount, [&] { return CountText(sampler.Snapshot().HandleCount); });
  field(kFieldKernelTotal, [&] { return bytes(sampler.Snapshot().KernelTotal); });
  field(kFieldKernelPaged, [&] { return bytes(sampler.Snapshot().KernelPaged); });
  field(kFieldKernelNonPaged, [&] { return bytes(sampler.Snapshot().KernelNonPaged); });
  field(kFieldMemoryAvailable, [&] { return bytes(sampler.Snapshot().MemoryAvailable); });
  field(kFieldMemoryTotal, [&] { return bytes(sampler.Snapshot().MemoryTotal); });
  field(kFieldMemoryUsed, [&] { return bytes(sampler.Snapshot().MemoryUsed); });
  field(kFieldMemoryUsedPercent,
        [&] { return PercentText(sampler.Snapshot().UsedPercentDecimal, separators_); });
  field(kFieldProcessCount, [&] { return CountText(sampler.Snapshot().ProcessCount); });
  field(kFieldSystemCache, [&] { return bytes(sampler.Snapshot().SystemCache); });
  field(kFieldThreadCount, [&] { return CountText(sampler.Snapshot().ThreadCount); });
  field(kFieldUpTime,
        [&] { return ports_.upTimeText ? ports_.upTimeText() : sampler.Snapshot().UpTimeText; });
  ++repliesBuilt_;
  return reply;
}

void StatsService::HandleRequest(std::string_view arrival,
                                 const std::function<void(const std::string&)>& send) {
  // The two tests are independent, as the protocol describes them; at most
  // one can match.
  StatsRequest request = ClassifyRequest(arrival);
  if (request == StatsRequest::kGetAllData) {
    std::string reply = GetAllData();
    if (send) send(reply);
    Pump();
  }
  if (request == StatsRequest::kRunCleaner && ports_.runCleaner) ports_.runCleaner();
}

}  // namespace skel::monitor
