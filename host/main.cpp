#include "commands/commands.h"
#include "interruption.h"

int main(int argc, char** argv) {
    velmorin::host::installInterruptionHandlers();
    return velmorin::host::runCommandLine(argc, argv);
}
