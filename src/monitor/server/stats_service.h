// The monitor's side of the statistics protocol: GetAllData builds one reply
// from a fresh sample, and HandleRequest decides what an arrival asks for.
// Both listeners (the local UDP socket and every remote TCP slot) hand their
// arrivals to the same HandleRequest, so the two transports cannot drift.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/number_format.h"
#include "monitor/core/stats_sampler.h"

namespace skel::monitor {

enum class StatsRequest { kNone, kGetAllData, kRunCleaner };

// The whole arrival, lower-cased, must equal a command word: a trailing
// blank, a line end or a doubled command matches nothing.
StatsRequest ClassifyRequest(std::string_view arrival);

struct StatsServicePorts {
  StatsSampler* sampler = nullptr;
  FileCacheSource* fileCache = nullptr;
  // The up-time text of the last main tick; when unset, the snapshot's.
  std::function<std::string()> upTimeText;
  // RunCleaner of the automation part.
  std::function<void()> runCleaner;
  // Lets pending window messages run (between reply fields).
  std::function<void()> processMessages;
};

class StatsService {
 public:
  explicit StatsService(StatsServicePorts ports,
                        const LocaleSeparators& separators = CurrentSeparators());

  // The sixteen-field reply, from a sample taken now and a file cache query
  // made now; the up time is the last tick's, not a new reading.
  std::string GetAllData();

  // "getalldata": builds the reply and passes it to `send`, then lets
  // messages run. "vardolin": starts the cleaner and sends nothing.
  // Anything else is dropped without an answer.
  void HandleRequest(std::string_view arrival, const std::function<void(const std::string&)>& send);

  // For the benchmarks and diagnostics.
  long long RepliesBuilt() const { return repliesBuilt_; }

 private:
  void Pump() const;

  StatsServicePorts ports_;
  LocaleSeparators separators_;
  long long repliesBuilt_ = 0;
};

}  // namespace skel::monitor
