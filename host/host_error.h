// The one kind of failure the host reports to its user: a single line that
// names the thing (a file, a plug-in, an option) and the reason.
#pragma once

#include <stdexcept>
#include <string>

namespace velmorin::host {

class HostError : public std::runtime_error {
  public:
    HostError(const std::string& thing, const std::string& reason)
        : std::runtime_error(thing + ": " + reason) {}
};

}  // namespace velmorin::host
