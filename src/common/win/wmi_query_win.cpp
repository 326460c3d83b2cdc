#include "common/win/wmi_query_win.h"

#include <oleauto.h>

namespace skel::win {
namespace {

struct BstrTraits {
  using Type = BSTR;
  static Type Invalid() { return nullptr; }
  static void Close(Type s) { ::SysFreeString(s); }
};
using UniqueBstr = UniqueAny<BstrTraits>;

UniqueBstr MakeBstr(std::wstring_view text) {
  return UniqueBstr(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

// Calls through a proxy need to impersonate, or the provider refuses them
// when the program did not set process-wide security itself.
void AllowImpersonation(IUnknown* proxy) {
  ::CoSetProxyBlanket(proxy, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                      RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
}

}  // namespace

std::wstring AnsiToWide(std::string_view text) {
  if (text.empty()) return {};
  int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string WideToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  int n = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
  return out;
}

bool WmiConnection::Connect(std::wstring_view namespacePath) {
  services_.reset();
  ComPtr<IWbemLocator> locator;
  if (FAILED(::CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                reinterpret_cast<void**>(locator.put())))) {
    return false;
  }
  UniqueBstr path = MakeBstr(namespacePath);
  if (!path) return false;
  ComPtr<IWbemServices> services;
  if (FAILED(locator.get()->ConnectServer(path.get(), nullptr, nullptr, nullptr, 0, nullptr,
                                          nullptr, services.put())) ||
      !services) {
    return false;
  }
  AllowImpersonation(services.get());
  services_ = std::move(services);
  return true;
}

WmiQueryResult WmiConnection::Query(std::string_view wql,
                                    const std::function<bool(IWbemClassObject&)>& visit, long flags,
                                    long timeoutMs) const {
  if (!services_) return WmiQueryResult::kFailed;
  UniqueBstr language = MakeBstr(L"WQL");
  UniqueBstr text = MakeBstr(AnsiToWide(wql));
  if (!language || !text) return WmiQueryResult::kFailed;
  ComPtr<IEnumWbemClassObject> objects;
  if (FAILED(
          services_.get()->ExecQuery(language.get(), text.get(), flags, nullptr, objects.put())) ||
      !objects) {
    return WmiQueryResult::kFailed;
  }
  AllowImpersonation(objects.get());
  for (;;) {
    ComPtr<IWbemClassObject> object;
    ULONG returned = 0;
    HRESULT hr = objects.get()->Next(timeoutMs, 1, object.put(), &returned);
    if (hr == WBEM_S_TIMEDOUT) return WmiQueryResult::kTimedOut;
    if (FAILED(hr) || returned == 0 || !object) return WmiQueryResult::kComplete;
    if (!visit(*object.get())) return WmiQueryResult::kComplete;
  }
}

std::optional<std::string> WmiPropertyText(IWbemClassObject& object, const wchar_t* name) {
  VARIANT value;
  ::VariantInit(&value);
  if (FAILED(object.Get(name, 0, &value, nullptr, nullptr))) return std::nullopt;
  std::optional<std::string> text;
  if (value.vt == VT_BSTR) {
    if (value.bstrVal)
      text = WideToAnsi(std::wstring_view(value.bstrVal, ::SysStringLen(value.bstrVal)));
  } else if (value.vt != VT_NULL && value.vt != VT_EMPTY) {
    VARIANT converted;
    ::VariantInit(&converted);
    if (SUCCEEDED(::VariantChangeType(&converted, &value, 0, VT_BSTR)) && converted.bstrVal) {
      text = WideToAnsi(std::wstring_view(converted.bstrVal, ::SysStringLen(converted.bstrVal)));
    }
    ::VariantClear(&converted);
  }
  ::VariantClear(&value);
  if (text && text->empty()) text.reset();
  return text;
}

}  // namespace skel::win
