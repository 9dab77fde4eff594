// The stored sound option on Windows: the value "Zorrel Sound" under
// HKEY_CURRENT_USER\Software\Pocketfolk\Coilwerks, as other programs and
// earlier versions may have left it.

#include "settings/SoundOptionStore.h"
#include "unit/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

using namespace zorrel::settings;
using namespace zorrel::test;

namespace {

const wchar_t *const kKey = L"Software\\Pocketfolk\\Coilwerks";
const wchar_t *const kValue = L"Zorrel Sound";

[[maybe_unused]] const QCoreApplication &kApp = testApplication<QCoreApplication>();

struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

std::optional<RegistryValue> readValue()
{
    DWORD type = 0, size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_ANY, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    RegistryValue value{type, std::vector<BYTE>(size)};
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_ANY, nullptr, value.data.data(),
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

bool writeValue(const RegistryValue &value)
{
    return RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, value.type, value.data.data(),
                           static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

RegistryValue text(const std::wstring &text)
{
    const auto *bytes = reinterpret_cast<const BYTE *>(text.c_str());
    return {REG_SZ, std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t))};
}

RegistryValue number(DWORD n)
{
    const auto *bytes = reinterpret_cast<const BYTE *>(&n);
    return {REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof n)};
}

// The stored text, or "(none)".
std::wstring storedText()
{
    const std::optional<RegistryValue> value = readValue();
    if (!value)
        return L"(none)";
    if (value->type != REG_SZ)
        return L"(not text)";
    return reinterpret_cast<const wchar_t *>(value->data.data());
}

// What `action` writes on stderr.
template <typename Action> std::string reportOf(Action action)
{
    testing::internal::CaptureStderr();
    action();
    return testing::internal::GetCapturedStderr();
}

// Keeps whatever the user had stored and puts it back afterwards.
class RegistryOption : public ::testing::Test {
  protected:
    void SetUp() override
    {
        saved_ = readValue();
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
    }
    void TearDown() override
    {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
        if (saved_)
            writeValue(*saved_);
    }

  private:
    std::optional<RegistryValue> saved_;
};

TEST_F(RegistryOption, FirstRunStoresTheDefaultAndStoreWritesText)
{
    EXPECT_EQ(reportOf([] { EXPECT_FALSE(SoundOptionStore().load(false)); }), "");
    EXPECT_EQ(storedText(), L"False");
    SoundOptionStore().store(true);
    EXPECT_EQ(storedText(), L"True");
    EXPECT_TRUE(SoundOptionStore().load(false));
    SoundOptionStore().store(false);
    EXPECT_EQ(storedText(), L"False");
    EXPECT_FALSE(SoundOptionStore().load(true));
}

// Text in any letter case, numbers stored as text or as a DWORD by other
// tools: read as they are and left alone.
TEST_F(RegistryOption, ReadableValuesAreReadAndKept)
{
    const struct {
        RegistryValue stored;
        bool value;
    } cases[] = {
        {text(L"False"), false}, {text(L" tRuE "), true}, {text(L"000"), false},
        {text(L"-7"), true},     {number(0), false},      {number(1), true},
    };
    for (const auto &[stored, value] : cases) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(writeValue(stored));
        EXPECT_EQ(
            reportOf([&, value = value] { EXPECT_EQ(SoundOptionStore().load(!value), value); }),
            "");
        const std::optional<RegistryValue> after = readValue();
        ASSERT_TRUE(after);
        EXPECT_EQ(after->type, stored.type);
        EXPECT_EQ(after->data, stored.data);
    }
}

// An unreadable value (a list with commas included) is reported on one line
// naming the key, and replaced by the default.
TEST_F(RegistryOption, UnreadableValuesAreReportedAndRepaired)
{
    for (const wchar_t *bad : {L"yes", L"1,0", L"\x1b[2J", L"NotFound"}) {
        ASSERT_TRUE(writeValue(text(bad)));
        const std::string report = reportOf([] { EXPECT_TRUE(SoundOptionStore().load(true)); });
        EXPECT_TRUE(report.ends_with('\n') && report.find("Pocketfolk") != report.npos &&
                    report.find('\x1b') == report.npos)
            << report;
        EXPECT_EQ(storedText(), L"True");
    }
}

} // namespace
