#include "run_velmorin.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

}  // namespace

CommandResult runProgram(const std::string& program, const std::vector<std::string>& arguments) {
    const auto folder = std::filesystem::temp_directory_path();
    const std::string tag = "velmorin-run-" + std::to_string(getpid());
    const auto out = folder / (tag + ".out");
    const auto err = folder / (tag + ".err");
    std::string command = quoted(program);
    for (const auto& argument : arguments) command += " " + quoted(argument);
    command += " >" + quoted(out.string()) + " 2>" + quoted(err.string()) + " </dev/null";
    const int status = std::system(command.c_str());
    CommandResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, fileBytes(out),
                         fileBytes(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
}

CommandResult runVelmorin(const std::vector<std::string>& arguments) {
    return runProgram(VELMORIN_COMMAND_PATH, arguments);
}

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
