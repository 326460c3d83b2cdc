// The process walk's own cost, without the system: a fake process table of
// 100 to 10,000 entries, with 0 to 100 of them on the log list. Each logged
// process costs one measurement pair and a second snapshot walk, so the
// logged count is expected to dominate at large tables.
#include <benchmark/benchmark.h>

#include <cctype>
#include <string>
#include <vector>

#include "cleaner/cleaning_run.h"

namespace skel::cleaner {
namespace {

class BenchSystem : public ProfileReader,
                    public ProcessTable,
                    public ProcessMemory,
                    public CommandLineQuery,
                    public Privileges,
                    public FileCache,
                    public LocaleText,
                    public LogAppender {
 public:
  BenchSystem(int processes, int logged) {
    for (int i = 0; i < processes; ++i) {
      std::string name = i < logged ? "Logged" + std::to_string(i) + ".exe"
                                    : "process" + std::to_string(i) + ".exe";
      table_.push_back(ProcessEntry{static_cast<uint32_t>(4 * (i + 1)), name});
    }
  }
  std::string ReadValue(std::string_view, size_t) override { return {}; }
  bool Snapshot(std::vector<ProcessEntry>& entries) override {
    entries = table_;
    return true;
  }
  WorkingSetReading ReadWorkingSet(uint32_t pid) override { return {true, pid * 4096ull}; }
  void TrimWorkingSet(uint32_t pid) override { benchmark::DoNotOptimize(pid); }
  std::string CommandLine(uint32_t) override { return "C:\\Program Files\\app\\app.exe /x"; }
  bool Enable(std::string_view) override { return true; }
  void RequestTrim() override {}
  LocalStamp Now() override { return {"11/12/2026", "12:00:00"}; }
  std::string Lower(std::string_view text) override {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
  }
  void AddToLog(const std::string&, const std::string& line) override {
    benchmark::DoNotOptimize(line.data());
  }

 private:
  std::vector<ProcessEntry> table_;
};

void BM_ReleaseSystemRam(benchmark::State& state) {
  const int processes = static_cast<int>(state.range(0));
  const int logged = static_cast<int>(state.range(1));
  BenchSystem sys(processes, logged);
  CleanerPorts ports{sys, sys, sys, sys, sys, sys, sys, sys};
  CleanerSettings s;
  s.allprocessenable = true;
  s.ignorelistenable = true;
  s.ignorelist = {"svchost", "csrss", "winlogon", "lsass", "smss"};
  s.logfileenabled = true;
  s.logfilepath = "v.log";
  for (int i = 0; i < logged; ++i) s.logfilelist.push_back("logged" + std::to_string(i) + ".");
  if (logged == 0) s.logfilelist = {"nothing-runs-by-this-name"};
  for (auto _ : state) {
    auto lines = ReleaseSystemRam(s, ports);
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetItemsProcessed(state.iterations() * processes);
}
BENCHMARK(BM_ReleaseSystemRam)
    ->ArgNames({"processes", "logged"})
    ->ArgsProduct({{100, 1000, 10000}, {0, 10, 100}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace skel::cleaner
