#include "platform/win32/registry_preference_store.h"

#include <windows.h>

#include <cstring>

namespace platform::win32 {
namespace {

constexpr const char* kProductKey = "Velmorin";
constexpr const char* kVendorKey = "QuandorPlugIns";
constexpr DWORD kColourTableBytes = sizeof(PreferenceRecord::waveColours);
constexpr DWORD kColourEntryBytes = 3 * sizeof(std::int32_t);

// Closes what it holds when it goes.
class Key {
  public:
    Key() = default;
    ~Key() {
        if (handle_) RegCloseKey(handle_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY* out() { return &handle_; }
    HKEY get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

  private:
    HKEY handle_ = nullptr;
};

void readWord(HKEY key, const char* name, std::int32_t& field) {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
            ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof value)
        field = static_cast<std::int32_t>(value);
}

void readColours(HKEY key, std::array<std::int32_t, 36>& colours) {
    std::array<std::int32_t, 36> stored{};
    DWORD type = 0;
    DWORD size = kColourTableBytes;
    if (RegQueryValueExA(key, "subCR", nullptr, &type, reinterpret_cast<BYTE*>(stored.data()),
                         &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return;
    std::memcpy(colours.data(), stored.data(), size / kColourEntryBytes * kColourEntryBytes);
}

void writeWord(HKEY key, const char* name, std::int32_t field) {
    const DWORD value = static_cast<DWORD>(field);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

}  // namespace

void RegistryPreferenceStore::read(PreferenceRecord& record) {
    Key software, vendor, product;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, software.out()) !=
            ERROR_SUCCESS ||
        RegOpenKeyExA(software.get(), kVendorKey, 0, KEY_READ, vendor.out()) != ERROR_SUCCESS ||
        RegOpenKeyExA(vendor.get(), kProductKey, 0, KEY_QUERY_VALUE, product.out()) !=
            ERROR_SUCCESS)
        return;
    readWord(product.get(), "subAN", record.normalizeTarget);
    readWord(product.get(), "subPH", record.peakHold);
    readWord(product.get(), "subCO", record.colourScheme);
    readColours(product.get(), record.waveColours);
    readWord(product.get(), "subWZ", record.zoomRange);
    readWord(product.get(), "subDS", record.displaySpeed);
    readWord(product.get(), "subDC", record.dcRemoval);
}

void RegistryPreferenceStore::write(const PreferenceRecord& record) {
    Key software, vendor, product;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, software.out()) !=
            ERROR_SUCCESS ||
        RegCreateKeyExA(software.get(), kVendorKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        vendor.out(), nullptr) != ERROR_SUCCESS ||
        RegCreateKeyExA(vendor.get(), kProductKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        product.out(), nullptr) != ERROR_SUCCESS)
        return;
    writeWord(product.get(), "subAN", record.normalizeTarget);
    writeWord(product.get(), "subPH", record.peakHold);
    writeWord(product.get(), "subCO", record.colourScheme);
    // Little-endian 32-bit integers, R, G, B of entry 0 first: the layout in memory.
    RegSetValueExA(product.get(), "subCR", 0, REG_BINARY,
                   reinterpret_cast<const BYTE*>(record.waveColours.data()), kColourTableBytes);
    writeWord(product.get(), "subWZ", record.zoomRange);
    writeWord(product.get(), "subDS", record.displaySpeed);
    writeWord(product.get(), "subDC", record.dcRemoval);
}

}  // namespace platform::win32
