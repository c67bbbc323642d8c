#include "params/parameter_defaults.h"

#include "params/parameter_values.h"
#include "params/program_bank.h"

namespace velmorin {

float defaultStoredValue(int32_t index) {
    static const ProgramBank bank;
    // Replayed as the effect replays it: a program keeps ratios unquantized
    // and Mix levels before truncation.
    ParameterValues<int32_t> started;
    started.store(index, hostToStored(index, bank[0].storedAsFloat(index)));
    return started.storedAsFloat(index);
}

}  // namespace velmorin
