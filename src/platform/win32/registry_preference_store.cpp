#include "platform/win32/registry_preference_store.h"

#include <windows.h>

#include <cstring>
#include <span>

#include "platform/preference_values.h"

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

void readColours(HKEY key, const char* name, std::span<std::int32_t> colours) {
    PreferenceRecord::ColourTable stored{};
    DWORD type = 0;
    DWORD size = kColourTableBytes;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(stored.data()),
                         &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return;
    std::memcpy(colours.data(), stored.data(), size / kColourEntryBytes * kColourEntryBytes);
}

void writeWord(HKEY key, const char* name, std::int32_t field) {
    const DWORD value = static_cast<DWORD>(field);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// Little-endian 32-bit integers, R, G, B of entry 0 first: the layout in memory.
void writeColours(HKEY key, const char* name, std::span<const std::int32_t> colours) {
    RegSetValueExA(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(colours.data()),
                   kColourTableBytes);
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
    for (const PreferenceValue& value : kPreferenceValues) {
        const auto field = integersOf(value, record);
        if (isWord(value))
            readWord(product.get(), value.name, field.front());
        else
            readColours(product.get(), value.name, field);
    }
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
    for (const PreferenceValue& value : kPreferenceValues) {
        const auto field = integersOf(value, record);
        if (isWord(value))
            writeWord(product.get(), value.name, field.front());
        else
            writeColours(product.get(), value.name, field);
    }
}

}  // namespace platform::win32
