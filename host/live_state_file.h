// The file that keeps a plug-in's settings between runs of velmorin live:
// a short header naming the plug-in, the size and a checksum of the
// settings, then the settings in the plug-in's format's own form. Written
// atomically, so a crash or a full disk leaves the previous file whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velmorin::host {

// $XDG_CONFIG_HOME/velmorin/live-state (or under ~/.config); empty when the
// environment names no home.
std::filesystem::path defaultLiveStatePath();

// Whose settings a file holds: the plug-in's name and its library's file
// name, since the same plug-in in another format keeps another form.
std::string liveStateOwner(const std::string& name, const std::filesystem::path& library);

// The settings kept in PATH for OWNER; none when there is no file. Throws
// HostError naming the file and what is wrong with it.
std::optional<std::vector<uint8_t>> readLiveState(const std::filesystem::path& path,
                                                  const std::string& owner);
// Creates the folder when missing; throws HostError when it cannot write.
void writeLiveState(const std::filesystem::path& path, const std::string& owner,
                    const std::vector<uint8_t>& state);

}  // namespace velmorin::host
