// Runs a program (by default the built velmorin command) and captures what it
// prints.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct CommandResult {
    int exitCode;
    std::string out;
    std::string err;
};

CommandResult runProgram(const std::string& program, const std::vector<std::string>& arguments);
CommandResult runVelmorin(const std::vector<std::string>& arguments);

// A file's bytes as they are on disk; empty when it cannot be read.
std::string fileBytes(const std::filesystem::path& path);
