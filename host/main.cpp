#include "commands/commands.h"

int main(int argc, char** argv) {
    return velmorin::host::runCommandLine(argc, argv);
}
