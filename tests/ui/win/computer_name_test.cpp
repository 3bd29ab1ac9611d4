// GetComputerNameText against names the test writes into the registry of the
// test prefix (the value is put back afterwards).
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/win/computer_name_win.h"
#include "ui/win/scoped_registry_key_win.h"

namespace canopex {
namespace {

constexpr char kKeyPath[] = "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName";
constexpr char kValueName[] = "ComputerName";

struct StoredValue {
  DWORD type;
  std::vector<BYTE> bytes;
};

// Opens the key for writing and keeps its "ComputerName" value as found, to
// put it back (or remove it, or the key, if there was none) when it goes.
class ComputerNameKey {
 public:
  ComputerNameKey() {
    DWORD disposition = 0;
    const LONG opened = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0,
                                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                                        key_.receive(), &disposition);
    if (opened != ERROR_SUCCESS) {
      error_ = "cannot open HKLM\\" + std::string(kKeyPath) + " for writing, error " +
               std::to_string(opened);
      return;
    }
    created_key_ = disposition == REG_CREATED_NEW_KEY;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_.get(), kValueName, nullptr, &type, nullptr, &size) ==
        ERROR_SUCCESS) {
      StoredValue value{type, std::vector<BYTE>(size)};
      if (RegQueryValueExA(key_.get(), kValueName, nullptr, &value.type, value.bytes.data(),
                           &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        saved_ = std::move(value);
      }
    }
  }
  ~ComputerNameKey() {
    if (!key_.valid()) return;
    if (saved_) {
      Set(saved_->type, saved_->bytes);
    } else {
      RegDeleteValueA(key_.get(), kValueName);
    }
    key_.Close();
    if (created_key_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKeyPath);
  }
  ComputerNameKey(const ComputerNameKey&) = delete;
  ComputerNameKey& operator=(const ComputerNameKey&) = delete;

  // Empty when the key is open for writing.
  const std::string& error() const { return error_; }

  bool Set(DWORD type, const std::vector<BYTE>& bytes) {
    return RegSetValueExA(key_.get(), kValueName, 0, type, bytes.data(),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
  }
  bool Delete() { return RegDeleteValueA(key_.get(), kValueName) == ERROR_SUCCESS; }

 private:
  ScopedRegistryKey key_;
  bool created_key_ = false;
  std::optional<StoredValue> saved_;
  std::string error_;
};

std::vector<BYTE> Bytes(const std::string& text) {
  return std::vector<BYTE>(text.begin(), text.end());
}

class ComputerName : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!key_.error().empty()) GTEST_SKIP() << key_.error();
  }
  ComputerNameKey key_;
};

TEST_F(ComputerName, ReadsTheStoredNameUpToItsFirstNul) {
  const std::string nul(1, '\0');
  struct Case {
    const char* what;
    DWORD type;
    std::string bytes;
    std::string expected;
  };
  const Case cases[] = {
      {"one character", REG_SZ, "Q" + nul, "Q"},
      {"fifteen characters", REG_SZ, "FOREST-OFFICE-7" + nul, "FOREST-OFFICE-7"},
      {"127 characters, the most that fit with their NUL", REG_SZ,
       std::string(126, 'n') + "z" + nul, std::string(126, 'n') + "z"},
      {"128 bytes without a NUL: all of them and no more", REG_BINARY,
       std::string(127, 'A') + "Z", std::string(127, 'A') + "Z"},
      {"a NUL inside ends the name", REG_BINARY, "AB" + nul + "CD" + nul, "AB"},
      {"no NUL at all, short", REG_BINARY, "XYZ", "XYZ"},
      {"an empty name", REG_SZ, nul, ""},
      {"128 characters and a NUL do not fit", REG_SZ, std::string(128, 'L') + nul, ""},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(key_.Set(c.type, Bytes(c.bytes))) << c.what;
    EXPECT_EQ(GetComputerNameText(), c.expected) << c.what;
  }
}

TEST_F(ComputerName, AMissingValueGivesNoName) {
  ASSERT_TRUE(key_.Set(REG_SZ, Bytes(std::string("PRESENT") + '\0')));
  ASSERT_EQ(GetComputerNameText(), "PRESENT");
  ASSERT_TRUE(key_.Delete());
  EXPECT_EQ(GetComputerNameText(), "");
}

}  // namespace
}  // namespace canopex
