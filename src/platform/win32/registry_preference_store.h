// The display preferences under HKEY_CURRENT_USER, key
// Software\QuandorPlugIns\Velmorin: six REG_DWORD values and the colour table as REG_BINARY.
#pragma once

#include "platform/preference_store.h"

namespace platform::win32 {

class RegistryPreferenceStore : public PreferenceStore {
  public:
    // A value of another type or size than it is written with leaves its
    // field as it is; a colour table shorter than 144 bytes replaces only
    // the whole entries it holds.
    void read(PreferenceRecord& record) override;
    // Writes nothing when the key cannot be created or opened for writing.
    void write(const PreferenceRecord& record) override;
};

}  // namespace platform::win32
