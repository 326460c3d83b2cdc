// Window positions, kept in the registry of the current user under
// "Software\Quorbelta\Vardolin Skelvane": per window two REG_SZ values named
// after its form, "<form>_x" holding the window's TOP and "<form>_y" its
// LEFT, both in twips as single-precision decimal text (e.g. "4560").
//
// A position is saved and restored only when the window lies within the
// virtual desktop, by a test that uses the desktop's width and height as the
// right and bottom limits (not its right and bottom edges).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skel::monitor {

// The registry of the current user, as far as window positions need it.
// Paths are below HKEY_CURRENT_USER, with backslashes.
class Registry {
 public:
  virtual ~Registry() = default;
  // Opens or creates the key; false when it cannot.
  virtual bool CreateKey(std::string_view path) = 0;
  // The text of a string value; nothing when the key or value is missing,
  // not a string, or unreadable.
  virtual std::optional<std::string> ReadString(std::string_view path, std::string_view name) = 0;
  // Sets a REG_SZ value of an existing key (data length: the text's length,
  // without a terminating zero). False on failure.
  virtual bool WriteString(std::string_view path, std::string_view name,
                           std::string_view value) = 0;
  // Deletes the key with everything below it. True when the key is gone
  // afterwards, including when it never existed.
  virtual bool DeleteTree(std::string_view path) = 0;
};

inline constexpr std::string_view kMakerKey = "Software\\Quorbelta";
inline constexpr std::string_view kPositionsKey = "Software\\Quorbelta\\Vardolin Skelvane";

// Twips per pixel and the virtual desktop (the rectangle spanning every
// monitor) in pixels.
struct DesktopGeometry {
  double twipsPerPixelX = 15;
  double twipsPerPixelY = 15;
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

// Left, top, width and height of a window, in twips.
struct WindowRectTwips {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

// The bounds test shared by saving and restoring.
bool IsWithinDesktop(double left, double top, double width, double height,
                     const DesktopGeometry& desktop);

// Writes "<form>_x" = topText and "<form>_y" = leftText when the window
// (given by the numbers in those texts and its size in twips) lies within the
// desktop, creating the keys as needed. A text that is not a number writes
// nothing. True when both values were written.
bool SaveWindowPosition(Registry& registry, std::string_view formName, std::string_view topText,
                        std::string_view leftText, double widthTwips, double heightTwips,
                        const DesktopGeometry& desktop);

// The stored position of a window of the given size (twips) when at least
// one of its two values is present and not empty and the position passes
// the bounds test; a missing or non-numeric value counts as 0. Otherwise
// nothing, and the window stays where it placed itself.
struct RestoredPosition {
  double left = 0;
  double top = 0;
};
std::optional<RestoredPosition> RestoreWindowPosition(Registry& registry, std::string_view formName,
                                                      double widthTwips, double heightTwips,
                                                      const DesktopGeometry& desktop);

// Creates "Software\Quorbelta" if missing and deletes "Vardolin Skelvane"
// with every stored position. True when the positions are gone.
bool ResetWindowPositions(Registry& registry);

}  // namespace skel::monitor
