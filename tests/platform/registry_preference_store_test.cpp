// The registry store: the values it writes (names, types, sizes, contents),
// what it reads back, and what it passes over.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/win32/registry_preference_store.h"
#include "support/preference_records.h"

namespace platform::win32 {
namespace {

using test_records::sampleRecord;
using test_records::sentinelRecord;

constexpr const char* kKey = "Software\\QuandorPlugIns\\Velmorin";

struct StoredValue {
    DWORD type = 0;
    std::vector<BYTE> data;
};

StoredValue query(const char* name) {
    HKEY key = nullptr;
    StoredValue value;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 1024;
    value.data.resize(size);
    if (RegQueryValueExA(key, name, nullptr, &value.type, value.data.data(), &size) ==
        ERROR_SUCCESS)
        value.data.resize(size);
    else
        value = {};
    RegCloseKey(key);
    return value;
}

void store(const char* name, DWORD type, const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

std::vector<BYTE> word(std::uint32_t value) {
    std::vector<BYTE> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

class RegistryPreferenceStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
    RegistryPreferenceStore store_;
};

TEST_F(RegistryPreferenceStoreTest, WritesSevenValuesAndReadsThemBack) {
    const PreferenceRecord written = sampleRecord();
    store_.write(written);

    const struct {
        const char* name;
        std::int32_t value;
    } words[] = {{"subAN", 3}, {"subPH", 100000000}, {"subCO", 2},
                 {"subWZ", 0}, {"subDS", 4},         {"subDC", 0}};
    for (const auto& w : words) {
        const StoredValue v = query(w.name);
        EXPECT_EQ(v.type, static_cast<DWORD>(REG_DWORD)) << w.name;
        EXPECT_EQ(v.data, word(static_cast<std::uint32_t>(w.value))) << w.name;
    }
    const StoredValue colours = query("subCR");
    EXPECT_EQ(colours.type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(colours.data.size(), 144u);
    EXPECT_EQ(std::vector<BYTE>(colours.data.begin(), colours.data.begin() + 8),
              (std::vector<BYTE>{200, 0, 0, 0, 201, 0, 0, 0}));  // entry 0: R, G little-endian

    PreferenceRecord read = sentinelRecord();
    store_.read(read);
    EXPECT_EQ(read.normalizeTarget, 3);
    EXPECT_EQ(read.peakHold, 100000000);
    EXPECT_EQ(read.colourScheme, 2);
    EXPECT_EQ(read.waveColours, written.waveColours);
    EXPECT_EQ(read.zoomRange, 0);
    EXPECT_EQ(read.displaySpeed, 4);
    EXPECT_EQ(read.dcRemoval, 0);
}

TEST_F(RegistryPreferenceStoreTest, WithoutTheKeyNothingChanges) {
    PreferenceRecord read = sentinelRecord();
    store_.read(read);
    EXPECT_EQ(read.peakHold, -7);
    EXPECT_EQ(read.waveColours, sentinelRecord().waveColours);
}

// Values another program (or an older version) left in the wrong shape keep
// their fields; the sound values beside them are still read.
TEST_F(RegistryPreferenceStoreTest, PassesOverValuesOfTheWrongTypeOrSize) {
    store("subAN", REG_DWORD, word(2));
    store("subPH", REG_SZ, {'1', '6', 0});
    store("subCO", REG_DWORD, {1, 0});
    store("subWZ", REG_BINARY, word(2));
    store("subDS", REG_QWORD, {3, 0, 0, 0, 0, 0, 0, 0});
    store("subDC", REG_DWORD, word(0));
    std::vector<BYTE> shortTable(12 + 5, 0);  // entry 0 whole, entry 1 cut off
    shortTable[0] = 11;
    store("subCR", REG_BINARY, shortTable);

    PreferenceRecord read = sentinelRecord();
    store_.read(read);
    EXPECT_EQ(read.normalizeTarget, 2);
    EXPECT_EQ(read.peakHold, -7);
    EXPECT_EQ(read.colourScheme, -7);
    EXPECT_EQ(read.zoomRange, -7);
    EXPECT_EQ(read.displaySpeed, -7);
    EXPECT_EQ(read.dcRemoval, 0);
    EXPECT_EQ(read.waveColours[0], 11);
    EXPECT_EQ(read.waveColours[1], 0);
    EXPECT_EQ(read.waveColours[3], -7);  // entry 1 keeps its colour

    std::vector<BYTE> longTable(145, 1);
    store("subCR", REG_BINARY, longTable);
    PreferenceRecord again = sentinelRecord();
    store_.read(again);
    EXPECT_EQ(again.waveColours, sentinelRecord().waveColours);
}

}  // namespace
}  // namespace platform::win32
