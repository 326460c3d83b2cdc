// A modal input box: a prompt, one line of text, OK and Cancel. Built from
// an in-memory dialog template, so no resource script is needed.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace skel::monitor::win {

// The typed text, or nothing when the box was cancelled or closed.
std::optional<std::string> ShowInputBox(HWND owner, const std::string& prompt,
                                        const std::string& title, const std::string& defaultText);

// Control identifiers inside the box (tests drive it through them).
inline constexpr int kInputBoxEditId = 101;
inline constexpr int kInputBoxPromptId = 102;

}  // namespace skel::monitor::win
