#include <gtest/gtest.h>

#include "platform/win32/win32_registry.h"
#include "platform_test_support.h"

using platform::RegistryRoot;
using platform::win32::wide;
using platform::win32::Win32Registry;

namespace {

class Win32RegistryTest : public ::testing::TestWithParam<RegistryRoot> {
  protected:
    void SetUp() override {
        key_ = "Software\\VeilorTest\\" + platform::win32::narrow(platform_test::uniqueName(L"键"));
    }
    void TearDown() override {
        RegDeleteTreeW(root(), wide(key_).c_str());
        RegDeleteKeyW(root(), L"Software\\VeilorTest");  // only once no other run uses it
    }
    HKEY root() const {
        return GetParam() == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    }
    // Stores a value as another program would, bypassing Win32Registry.
    void putRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
        HKEY k = nullptr;
        ASSERT_EQ(RegCreateKeyExW(root(), wide(key_).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &k, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(k, name, 0, type, static_cast<const BYTE*>(data), bytes),
                  ERROR_SUCCESS);
        RegCloseKey(k);
    }
    std::string key_;
    Win32Registry reg_;
};

TEST_P(Win32RegistryTest, StringRoundTripCreatesTheKeyAndStoresTheTerminator) {
    const std::string path = "\"C:\\Program Files\\隐身\\Veilor.exe\"";
    EXPECT_EQ(reg_.readString(GetParam(), key_, "Veilor"), std::nullopt);
    ASSERT_TRUE(reg_.writeString(GetParam(), key_, "Veilor", path));
    EXPECT_EQ(reg_.readString(GetParam(), key_, "Veilor"), path);
    EXPECT_EQ(reg_.readString(GetParam(), key_, "VEILOR"), path) << "names ignore case";

    DWORD type = 0, bytes = 0;
    ASSERT_EQ(RegGetValueW(root(), wide(key_).c_str(), L"Veilor", RRF_RT_ANY | RRF_NOEXPAND, &type,
                           nullptr, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, (wide(path).size() + 1) * sizeof(wchar_t)) << "size counts the NUL";

    ASSERT_TRUE(reg_.writeString(GetParam(), key_, "Veilor", ""));
    EXPECT_EQ(reg_.readString(GetParam(), key_, "Veilor"), std::optional<std::string>(""));
}

TEST_P(Win32RegistryTest, DeleteRemovesOnlyWhatExists) {
    ASSERT_TRUE(reg_.writeString(GetParam(), key_, "名称", "值"));
    EXPECT_TRUE(reg_.deleteValue(GetParam(), key_, "名称"));
    EXPECT_EQ(reg_.readString(GetParam(), key_, "名称"), std::nullopt);
    EXPECT_FALSE(reg_.deleteValue(GetParam(), key_, "名称")) << "already gone";
    EXPECT_FALSE(reg_.deleteValue(GetParam(), key_ + "\\missing", "名称")) << "no such key";
}

TEST_P(Win32RegistryTest, OnlyStringValuesAreReadAndForeignDataIsTolerated) {
    DWORD number = 42;
    putRaw(L"Number", REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(reg_.readString(GetParam(), key_, "Number"), std::nullopt);

    const wchar_t expand[] = L"%windir%\\system32";
    putRaw(L"Expand", REG_EXPAND_SZ, expand, sizeof(expand));
    EXPECT_EQ(reg_.readString(GetParam(), key_, "Expand"), "%windir%\\system32")
        << "left unexpanded";

    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    putRaw(L"NoNul", REG_SZ, unterminated, sizeof(unterminated));
    EXPECT_EQ(reg_.readString(GetParam(), key_, "NoNul"), "abc");

    std::wstring longValue(3000, L'长');
    putRaw(L"Long", REG_SZ, longValue.c_str(), static_cast<DWORD>((longValue.size() + 1) * 2));
    EXPECT_EQ(reg_.readString(GetParam(), key_, "Long"), platform::win32::narrow(longValue));
}

INSTANTIATE_TEST_SUITE_P(BothRoots, Win32RegistryTest,
                         ::testing::Values(RegistryRoot::CurrentUser, RegistryRoot::LocalMachine),
                         [](const auto& info) {
                             return info.param == RegistryRoot::LocalMachine ? std::string("HKLM")
                                                                             : std::string("HKCU");
                         });

}  // namespace
