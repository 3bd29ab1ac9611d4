// GetComputerNameText against names the test writes into the registry of the
// test prefix (the value found is put back afterwards).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/win/computer_name_win.h"
#include "ui/win/scoped_registry_key_win.h"

namespace canopex {
namespace {

constexpr char kKeyPath[] = "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName";
constexpr char kValueName[] = "ComputerName";

class ComputerName : public ::testing::Test {
 protected:
  void SetUp() override {
    const LONG opened = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0,
                                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                                        key_.receive(), nullptr);
    if (opened != ERROR_SUCCESS) GTEST_SKIP() << "cannot write the key, error " << opened;
    DWORD size = 0;
    if (RegQueryValueExA(key_.get(), kValueName, nullptr, nullptr, nullptr, &size) ==
        ERROR_SUCCESS) {
      saved_.resize(size);
      auto* bytes = reinterpret_cast<BYTE*>(saved_.data());
      had_value_ = RegQueryValueExA(key_.get(), kValueName, nullptr, &saved_type_, bytes,
                                    &size) == ERROR_SUCCESS;
    }
  }
  void TearDown() override {
    if (!key_.valid()) return;
    if (!had_value_ || !Set(saved_type_, saved_)) RegDeleteValueA(key_.get(), kValueName);
  }
  bool Set(DWORD type, const std::string& bytes) {
    return RegSetValueExA(key_.get(), kValueName, 0, type,
                          reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
  }

  ScopedRegistryKey key_;
  bool had_value_ = false;
  DWORD saved_type_ = 0;
  std::string saved_;
};

TEST_F(ComputerName, ReadsTheStoredNameUpToItsFirstNul) {
  const std::string nul(1, '\0');
  const struct {
    const char* what;
    DWORD type;
    std::string bytes;
    std::string expected;
  } cases[] = {
      {"127 characters, the most that fit with their NUL", REG_SZ,
       std::string(126, 'n') + "z" + nul, std::string(126, 'n') + "z"},
      {"128 bytes without a NUL: all of them and no more", REG_BINARY,
       std::string(127, 'A') + "Z", std::string(127, 'A') + "Z"},
      {"a NUL inside ends the name", REG_BINARY, "AB" + nul + "CD" + nul, "AB"},
      {"128 characters and a NUL do not fit", REG_SZ, std::string(128, 'L') + nul, ""},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(Set(c.type, c.bytes)) << c.what;
    EXPECT_EQ(GetComputerNameText(), c.expected) << c.what;
  }
  ASSERT_EQ(RegDeleteValueA(key_.get(), kValueName), ERROR_SUCCESS);
  EXPECT_EQ(GetComputerNameText(), "") << "no value";
}

}  // namespace
}  // namespace canopex
