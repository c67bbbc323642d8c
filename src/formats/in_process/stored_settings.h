// A new instance's normalize target and DC removal, for the formats whose
// host keeps the session: the ones the user last chose in an editor's menu,
// as the platform's preference store keeps them. A session's state replaces
// them.
#pragma once

#include "engine/effect.h"
#include "platform/preference_store.h"

namespace velmorin {

void takeStoredSettings(Effect& effect, platform::PreferenceStore& preferences);

}  // namespace velmorin
