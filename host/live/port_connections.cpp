#include "live/port_connections.h"

#include <algorithm>
#include <memory>

#include "host_error.h"

namespace velmorin::host {

namespace {

std::vector<std::string> entries(const std::string& side) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= side.size()) {
        const std::size_t comma = std::min(side.find(',', start), side.size());
        if (comma > start) names.push_back(side.substr(start, comma - start));
        start = comma + 1;
    }
    return names;
}

bool arePortNames(const std::vector<std::string>& names) {
    return std::all_of(names.begin(), names.end(), [](const std::string& name) {
        return std::count(name.begin(), name.end(), ':') == 1;
    });
}

struct PortList {
    void operator()(const char** ports) const { jack_free(ports); }
};

std::vector<std::string> matching(jack_client_t* client, const std::string& pattern,
                                  unsigned long flags) {
    const std::unique_ptr<const char*, PortList> ports(
        jack_get_ports(client, pattern.c_str(), JACK_DEFAULT_AUDIO_TYPE, flags));
    std::vector<std::string> names;
    for (const char** port = ports.get(); port && *port; ++port) names.emplace_back(*port);
    return names;
}

}  // namespace

PortConnections parsePortConnections(const std::string& text) {
    std::vector<PortConnections> readings;
    for (std::size_t colon = text.find(':'); colon != std::string::npos;
         colon = text.find(':', colon + 1)) {
        PortConnections reading{entries(text.substr(0, colon)), entries(text.substr(colon + 1))};
        if (arePortNames(reading.inputs) && arePortNames(reading.outputs))
            readings.push_back(std::move(reading));
    }
    if (readings.size() != 1) {
        throw HostError("--connect " + text,
                        "expected IN1,IN2:OUT1,OUT2 with ports named client:port (either side "
                        "may be empty)");
    }
    return readings.front();
}

std::vector<std::string> resolvePorts(jack_client_t* client, const std::vector<std::string>& names,
                                      unsigned long flags) {
    std::vector<std::string> ports;
    for (const std::string& name : names) {
        if (jack_port_by_name(client, name.c_str())) {
            ports.push_back(name);
            continue;
        }
        const std::vector<std::string> found = matching(client, name, flags);
        if (found.empty()) throw HostError("--connect", "no port is named or matches " + name);
        ports.insert(ports.end(), found.begin(), found.end());
    }
    return ports;
}

std::vector<std::string> physicalPlaybackPorts(jack_client_t* client) {
    std::vector<std::string> ports = matching(client, "", JackPortIsPhysical | JackPortIsInput);
    if (ports.size() > 2) ports.resize(2);
    return ports;
}

}  // namespace velmorin::host
