// A small client of the management service (WMI): one connection to a
// namespace, WQL queries over it, and properties read as ANSI text. The
// cleaner asks it for command lines; the monitor for its process queries.
#pragma once

#include <windows.h>
#include <wbemcli.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/win/unique_any.h"

namespace skel::win {

// Return at once and walk forward only: the objects are read once, in order.
inline constexpr long kWmiQueryFlags = WBEM_FLAG_RETURN_IMMEDIATELY | WBEM_FLAG_FORWARD_ONLY;
static_assert(kWmiQueryFlags == 48);

enum class WmiQueryResult {
  kFailed,    // the query could not be started
  kComplete,  // every object was read, or the visitor stopped the walk
  kTimedOut,  // one object did not arrive in time; the walk was abandoned
};

class WmiConnection {
 public:
  // COM must be initialised on the calling thread (see ComScope). Connects
  // to the namespace on the local machine; false when the service cannot be
  // reached.
  bool Connect(std::wstring_view namespacePath = L"\\\\.\\root\\cimv2");
  bool connected() const { return static_cast<bool>(services_); }
  IWbemServices* services() const { return services_.get(); }

  // Runs a WQL query and hands each returned object to `visit` until it
  // returns false or the objects run out. `timeoutMs` bounds the wait for
  // each single object so that a service that stops answering cannot hold
  // the caller.
  WmiQueryResult Query(std::string_view wql, const std::function<bool(IWbemClassObject&)>& visit,
                       long flags = kWmiQueryFlags, long timeoutMs = 5000) const;

 private:
  ComPtr<IWbemServices> services_;
};

// A property's value as text in the ANSI code page; nothing when the object
// has no such property or its value is empty or null.
std::optional<std::string> WmiPropertyText(IWbemClassObject& object, const wchar_t* name);

// Conversions between the ANSI code page and UTF-16.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

}  // namespace skel::win
