#include "cleaner/cleaner_log.h"

#include "common/byte_format.h"

namespace skel::cleaner {
namespace {

// Sizes are unsigned: a working set past 2 GB must not read as negative.
std::string FormatSize(uint64_t bytes) {
  return FormatByteSize(Decimal::FromUnsigned(bytes), true, CurrentSeparators());
}

}  // namespace

std::string LogRule() {
  return std::string(62, '-');
}

std::string LogHeader(const LocalStamp& stamp) {
  return "Vardolin stats: " + stamp.date + " " + stamp.time;
}

std::string LogLineStart(std::string_view entry, uint64_t before) {
  std::string line(entry);
  line += ", ";
  line += FormatSize(before);
  return line;
}

void FinishLogLine(std::string& line, uint64_t after, uint32_t pid, std::string_view commandLine) {
  line += " ==> ";
  line += FormatSize(after);
  line += ", PID: ";
  line += std::to_string(pid);
  line += "\r\n\t";
  line += commandLine;
}

std::vector<std::string> LogBlock(const LocalStamp& stamp, const std::vector<std::string>& lines) {
  std::vector<std::string> block;
  block.reserve(lines.size() + 6);
  block.push_back(LogHeader(stamp));
  block.emplace_back(kLogColumnLine);
  block.push_back(LogRule());
  block.insert(block.end(), lines.begin(), lines.end());
  block.push_back(LogRule());
  block.emplace_back();
  return block;
}

void AppendLogBlock(LogAppender& log, const std::string& path, const LocalStamp& stamp,
                    const std::vector<std::string>& lines) {
  for (const auto& line : LogBlock(stamp, lines)) log.AddToLog(path, line);
}

}  // namespace skel::cleaner
