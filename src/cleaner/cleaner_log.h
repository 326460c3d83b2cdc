// The text the cleaner leaves in its log: one two-line entry per measured
// process, framed by a header, a column line and two rules. The monitor
// appends blocks with the same frame to the same file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cleaner/cleaner_ports.h"

namespace skel::cleaner {

inline constexpr std::string_view kLogColumnLine =
    "Process monitored - Memory usage - PID - Process path";

// 62 hyphen-minus characters.
std::string LogRule();

// "Vardolin stats: <date> <time>".
std::string LogHeader(const LocalStamp& stamp);

// "<entry>, <before>" — the part known before the trim.
std::string LogLineStart(std::string_view entry, uint64_t before);
// Appends " ==> <after>, PID: <pid>\r\n\t<command line>".
void FinishLogLine(std::string& line, uint64_t after, uint32_t pid, std::string_view commandLine);

// Every line of one block, in order, each meant for one AddToLog call.
std::vector<std::string> LogBlock(const LocalStamp& stamp, const std::vector<std::string>& lines);

// Appends the block line by line. A failed line is lost; the next is tried.
void AppendLogBlock(LogAppender& log, const std::string& path, const LocalStamp& stamp,
                    const std::vector<std::string>& lines);

}  // namespace skel::cleaner
