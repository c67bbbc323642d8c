// What a hosted CLAP plug-in's host_data points at: the requests it makes of
// the host, from any thread, and the main loop its gui ticks in.
#pragma once

#include <atomic>

#ifdef VELMORIN_HOST_EDIT
#include "clap_main_loop.h"
#endif

namespace velmorin::host {

struct ClapHostData {
    std::atomic<bool> restartRequested{false};
#ifdef VELMORIN_HOST_EDIT
    ClapMainLoop loop;
#endif
};

}  // namespace velmorin::host
