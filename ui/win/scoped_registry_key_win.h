// Sole owner of an open registry key: move-only, closes it in its destructor.
#pragma once

#include <windows.h>

namespace canopex {

class ScopedRegistryKey {
 public:
  ScopedRegistryKey() = default;
  explicit ScopedRegistryKey(HKEY key) : key_(key) {}
  ~ScopedRegistryKey() { Close(); }
  ScopedRegistryKey(const ScopedRegistryKey&) = delete;
  ScopedRegistryKey& operator=(const ScopedRegistryKey&) = delete;
  ScopedRegistryKey(ScopedRegistryKey&& other) noexcept : key_(other.key_) {
    other.key_ = nullptr;
  }
  ScopedRegistryKey& operator=(ScopedRegistryKey&& other) noexcept {
    if (this != &other) {
      Close();
      key_ = other.key_;
      other.key_ = nullptr;
    }
    return *this;
  }

  bool valid() const { return key_ != nullptr; }
  HKEY get() const { return key_; }
  // For the out parameter of RegOpenKeyExA and the like: closes any key
  // held first.
  HKEY* receive() {
    Close();
    return &key_;
  }
  void Close() {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
  }

 private:
  HKEY key_ = nullptr;
};

}  // namespace canopex
