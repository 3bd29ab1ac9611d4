#include "ui/win/computer_name_win.h"

#include <windows.h>

#include <cstring>

#include "ui/win/scoped_registry_key_win.h"

namespace canopex {

std::string GetComputerNameText() {
  ScopedRegistryKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                    "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName", 0,
                    KEY_QUERY_VALUE, key.receive()) != ERROR_SUCCESS) {
    return "";
  }
  constexpr DWORD kCapacity = 128;
  // One zero byte beyond what the API may fill: a value stored without its
  // NUL still ends inside the buffer.
  char buffer[kCapacity + 1] = {};
  DWORD size = kCapacity;
  if (RegQueryValueExA(key.get(), "ComputerName", nullptr, nullptr,
                       reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
    return "";
  }
  if (size > kCapacity) size = kCapacity;
  const void* nul = std::memchr(buffer, '\0', size);
  return std::string(buffer, nul != nullptr ? static_cast<const char*>(nul) - buffer : size);
}

}  // namespace canopex
