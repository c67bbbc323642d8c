// Which ports velmorin live's inputs and outputs connect to, as the user
// writes it: IN1,IN2:OUT1,OUT2, each a port name (client:port) or a pattern
// (a regular expression JACK matches against port names); either side may
// be empty. Port names hold a colon themselves, so the separator is the one
// colon that leaves every name on both sides with exactly one.
#pragma once

#include <jack/jack.h>

#include <string>
#include <vector>

namespace velmorin::host {

struct PortConnections {
    std::vector<std::string> inputs;   // what feeds in_1, in_2
    std::vector<std::string> outputs;  // what out_1, out_2 feed
};

// Throws HostError naming --connect when the text cannot be read one way only.
PortConnections parsePortConnections(const std::string& text);

// The ports NAMES give in order: each an existing port, or else every port
// its pattern matches; FLAGS is the direction of the other client's ports.
// Throws HostError for a name that matches none.
std::vector<std::string> resolvePorts(jack_client_t* client, const std::vector<std::string>& names,
                                      unsigned long flags);

// The first two physical playback ports, where outputs go by default.
std::vector<std::string> physicalPlaybackPorts(jack_client_t* client);

}  // namespace velmorin::host
