// Every address the monitor opens or fetches, in one place: whoever
// distributes the suite changes them here.
#pragma once

namespace skel::monitor {

inline constexpr const char* kMakerSocialPage = "https://www.facebook.com/quorbelta";
inline constexpr const char* kOnlineHelpPage = "https://www.quorbelta.example/skelvane/help/";
inline constexpr const char* kProductPage = "https://www.quorbelta.example/skelvane/";
// Used by the update check.
inline constexpr const char* kUpdateVersionPage =
    "https://www.quorbelta.example/skelvane/version.txt";
inline constexpr const char* kDownloadPage = "https://www.quorbelta.example/skelvane/download/";

}  // namespace skel::monitor
