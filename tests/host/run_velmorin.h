// Runs the built velmorin command and captures what it prints.
#pragma once

#include <string>
#include <vector>

struct CommandResult {
    int exitCode;
    std::string out;
    std::string err;
};

CommandResult runVelmorin(const std::vector<std::string>& arguments);
