// Runs a program (by default the built velmorin command) and captures what it
// prints.
#pragma once

#include <string>
#include <vector>

struct CommandResult {
    int exitCode;
    std::string out;
    std::string err;
};

CommandResult runProgram(const std::string& program, const std::vector<std::string>& arguments);
CommandResult runVelmorin(const std::vector<std::string>& arguments);
