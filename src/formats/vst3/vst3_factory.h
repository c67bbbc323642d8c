// The plug-in factory (IPluginFactory3, answering as IPluginFactory2 and
// IPluginFactory too): the audio effect class and its edit controller class.
#pragma once

#include <vst3_c_api.h>

namespace velmorin::vst3 {

// One for the module, never freed; the count the host keeps on it is kept.
Steinberg_IPluginFactory* pluginFactory();

}  // namespace velmorin::vst3
