#include <gtest/gtest.h>

#include <optional>

#include "app/Tfsweep.h"
#include "harness/hub_fixture.h"
#include "win/registry_key.h"

namespace kestova::test {
namespace {

constexpr const wchar_t* kCacheKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";

// Sets "Persistent" for one test and puts back what was there.
class PersistentValue {
 public:
  PersistentValue() {
    if (auto key = win::RegistryKey::open(HKEY_CURRENT_USER, kCacheKey)) saved_ = key->value(L"Persistent");
  }
  ~PersistentValue() {
    auto key = win::RegistryKey::create(HKEY_CURRENT_USER, kCacheKey);
    if (saved_) {
      key.setValue(L"Persistent", saved_->type, saved_->data);
    } else {
      RegDeleteValueW(key.get(), L"Persistent");
    }
  }
  void set(DWORD type, std::vector<BYTE> data) {
    win::RegistryKey::create(HKEY_CURRENT_USER, kCacheKey).setValue(L"Persistent", type, data);
  }
  void remove() {
    if (auto key = win::RegistryKey::open(HKEY_CURRENT_USER, kCacheKey, KEY_SET_VALUE)) {
      RegDeleteValueW(key->get(), L"Persistent");
    }
  }

 private:
  std::optional<win::RegistryValue> saved_;
};

class HubCacheSetting : public HubFixture {
 protected:
  HubCacheSetting() { ship(L"config.TXT"); }
  PersistentValue persistent;
};

TEST_F(HubCacheSetting, CheckedWhenTheNumberIsZero) {
  persistent.set(REG_DWORD, {0, 0, 0, 0});
  EXPECT_TRUE(startHub().checked(L"ac1"));
}

TEST_F(HubCacheSetting, UncheckedWhenTheNumberIsOne) {
  persistent.set(REG_DWORD, {1, 0, 0, 0});
  EXPECT_FALSE(startHub().checked(L"ac1"));
}

TEST_F(HubCacheSetting, BinaryValuesCountTheirFirstFourBytes) {
  persistent.set(REG_BINARY, {0, 0, 0, 0, 7});
  EXPECT_TRUE(startHub().checked(L"ac1"));
}

TEST_F(HubCacheSetting, UncheckedWithoutTheValue) {
  persistent.remove();
  EXPECT_FALSE(startHub().checked(L"ac1"));
}

}  // namespace
}  // namespace kestova::test
