// A render may end at any moment: the user interrupts it (SIGINT, SIGTERM),
// it runs out of time (--timeout), or the disk or a file size limit stops the
// write. Whatever ends it, the temporary output goes with it and an existing
// output of the same name stays untouched.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace velmorin::host {

// Once per process: SIGINT, SIGTERM and a crash (SIGSEGV, SIGBUS, SIGILL,
// SIGFPE) remove the pending temporary file and end the process with one line
// and the exit code 128 + the signal number; a file size limit makes the write
// fail with an error instead of ending the process.
void installInterruptionHandlers();

// From now on SIGINT and SIGTERM only ask the command to end, for commands
// that end themselves cleanly (an editor's window, velmorin live).
void endOnRequest();
bool endRequested();

// The temporary file to remove should the process end now; one at a time.
void setPendingFile(const std::filesystem::path& path);
void clearPendingFile();

// While it lives, ends the process after `seconds` with one line naming
// `what`, removing the pending file. No limit when seconds is 0.
class Deadline {
  public:
    Deadline(double seconds, std::string what);
    ~Deadline();
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

  private:
    struct Watch;
    std::unique_ptr<Watch> watch_;
};

}  // namespace velmorin::host
