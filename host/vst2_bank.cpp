#include "vst2_bank.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <string>

#include "host_error.h"

namespace velmorin::host {

namespace {

// The bank's fields are big-endian, whatever the machine.
constexpr int32_t fourCc(const char (&text)[5]) {
    return static_cast<int32_t>((uint32_t(uint8_t(text[0])) << 24) |
                                (uint32_t(uint8_t(text[1])) << 16) |
                                (uint32_t(uint8_t(text[2])) << 8) | uint32_t(uint8_t(text[3])));
}

constexpr int32_t kChunkMagic = fourCc("CcnK");
constexpr int32_t kBankMagic = fourCc("FxBk");
constexpr int32_t kBankChunkMagic = fourCc("FBCh");
constexpr int32_t kProgramMagic = fourCc("FxCk");
constexpr std::size_t kProgramNameSize = 28;
constexpr std::size_t kBankReserved = 124;
constexpr std::size_t kHeaderSize = 8;  // chunk magic and byte size

class Writer {
  public:
    void integer(int32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> shift));
    }
    void real(float value) { integer(std::bit_cast<int32_t>(value)); }
    void text(const std::string& value, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i)
            bytes.push_back(i + 1 < size && i < value.size() ? uint8_t(value[i]) : 0);
    }
    void raw(const uint8_t* data, std::size_t size) {
        bytes.insert(bytes.end(), data, data + size);
    }
    // Fills in the byte size of the record that starts at START.
    void closeRecord(std::size_t start) {
        const auto size = static_cast<uint32_t>(bytes.size() - start - kHeaderSize);
        for (int i = 0; i < 4; ++i) bytes[start + 4 + i] = uint8_t(size >> (24 - 8 * i));
    }
    std::vector<uint8_t> bytes;
};

class Reader {
  public:
    explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    int32_t integer() {
        need(4);
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = (value << 8) | bytes_[at_++];
        return static_cast<int32_t>(value);
    }
    float real() { return std::bit_cast<float>(integer()); }
    std::string text(std::size_t size) {
        need(size);
        const char* start = reinterpret_cast<const char*>(&bytes_[at_]);
        at_ += size;
        return std::string(start, strnlen(start, size - 1));
    }
    const uint8_t* raw(std::size_t size) {
        need(size);
        at_ += size;
        return &bytes_[at_ - size];
    }
    void expect(int32_t magic, const char* what) {
        if (integer() != magic) throw std::runtime_error(std::string("not ") + what);
    }
    bool atEnd() const { return at_ == bytes_.size(); }

  private:
    void need(std::size_t size) const {
        if (bytes_.size() - at_ < size) throw std::runtime_error("it ends too soon");
    }
    const std::vector<uint8_t>& bytes_;
    std::size_t at_ = 0;
};

bool keepsChunks(const HostedPlugin& plugin) {
    return (plugin.record().flags & effFlagsProgramChunks) != 0;
}

// An effect without programs still has its one set of values.
int32_t programSlots(const HostedPlugin& plugin) {
    return std::max(plugin.programCount(), 1);
}

void selectSlot(const HostedPlugin& plugin, int32_t slot) {
    if (plugin.programCount() > 0) plugin.selectProgram(slot);
}

void writeProgram(Writer& out, const HostedPlugin& plugin) {
    const std::size_t start = out.bytes.size();
    out.integer(kChunkMagic);
    out.integer(0);
    out.integer(kProgramMagic);
    out.integer(1);
    out.integer(plugin.record().uniqueID);
    out.integer(plugin.record().version);
    out.integer(plugin.parameterCount());
    out.text(plugin.programName(), kProgramNameSize);
    for (int32_t index = 0; index < plugin.parameterCount(); ++index)
        out.real(plugin.parameter(index));
    out.closeRecord(start);
}

// Every value is read and checked before the effect gets any of them.
struct Program {
    std::string name;
    std::vector<float> values;
};

Program readProgram(Reader& in, const HostedPlugin& plugin) {
    in.expect(kChunkMagic, "a program record");
    in.integer();
    in.expect(kProgramMagic, "a program of parameter values");
    in.integer();
    if (in.integer() != plugin.record().uniqueID) throw std::runtime_error("another effect's");
    in.integer();
    const int32_t count = in.integer();
    if (count != plugin.parameterCount()) {
        throw std::runtime_error("it has " + std::to_string(count) + " parameters, not " +
                                 std::to_string(plugin.parameterCount()));
    }
    Program program{in.text(kProgramNameSize), {}};
    for (int32_t index = 0; index < count; ++index) {
        const float value = in.real();
        if (!(value >= 0.0f && value <= 1.0f))
            throw std::runtime_error("a parameter value lies outside 0 to 1");
        program.values.push_back(value);
    }
    return program;
}

void loadBank(const HostedPlugin& plugin, const std::vector<uint8_t>& bank) {
    Reader in(bank);
    in.expect(kChunkMagic, "a bank");
    in.integer();
    const int32_t magic = in.integer();
    if (magic != kBankMagic && magic != kBankChunkMagic) throw std::runtime_error("not a bank");
    if (magic != (keepsChunks(plugin) ? kBankChunkMagic : kBankMagic)) {
        throw std::runtime_error(keepsChunks(plugin) ? "the effect keeps its settings in a chunk"
                                                     : "the effect takes no chunk");
    }
    in.integer();
    if (in.integer() != plugin.record().uniqueID) throw std::runtime_error("another effect's");
    in.integer();
    const int32_t programs = in.integer();
    const int32_t current = in.integer();
    in.raw(kBankReserved);
    if (programs != programSlots(plugin) || current < 0 || current >= programs)
        throw std::runtime_error("its programs do not fit the effect's");
    if (magic == kBankChunkMagic) {
        const int32_t size = in.integer();
        if (size < 0) throw std::runtime_error("its chunk has a negative size");
        const uint8_t* data = in.raw(static_cast<std::size_t>(size));
        std::vector<uint8_t> chunk(data, data + size);  // the effect may keep the pointer
        if (!in.atEnd()) throw std::runtime_error("bytes follow its chunk");
        plugin.dispatch(effSetChunk, 0, size, chunk.data());
        selectSlot(plugin, current);
        return;
    }
    std::vector<Program> read;
    for (int32_t index = 0; index < programs; ++index) read.push_back(readProgram(in, plugin));
    if (!in.atEnd()) throw std::runtime_error("bytes follow its programs");
    for (int32_t index = 0; index < programs; ++index) {
        selectSlot(plugin, index);
        plugin.dispatch(effSetProgramName, 0, 0, read[index].name.data());
        for (std::size_t parameter = 0; parameter < read[index].values.size(); ++parameter)
            plugin.setParameter(static_cast<int32_t>(parameter), read[index].values[parameter]);
    }
    selectSlot(plugin, current);
}

}  // namespace

std::vector<uint8_t> saveVst2Bank(const HostedPlugin& plugin) {
    Writer out;
    const bool chunk = keepsChunks(plugin);
    const int32_t current = plugin.programCount() > 0 ? plugin.program() : 0;
    out.integer(kChunkMagic);
    out.integer(0);
    out.integer(chunk ? kBankChunkMagic : kBankMagic);
    out.integer(2);
    out.integer(plugin.record().uniqueID);
    out.integer(plugin.record().version);
    out.integer(programSlots(plugin));
    out.integer(current);
    out.text("", kBankReserved);
    if (chunk) {
        void* data = nullptr;
        const auto size = static_cast<int32_t>(plugin.dispatch(effGetChunk, 0, 0, &data));
        if (size < 0 || (size > 0 && !data))
            throw HostError(plugin.what(), "gave no chunk of its settings");
        out.integer(size);
        out.raw(static_cast<const uint8_t*>(data), static_cast<std::size_t>(size));
    } else {
        // Programs keep their own values: each is read where it is current.
        for (int32_t index = 0; index < programSlots(plugin); ++index) {
            selectSlot(plugin, index);
            writeProgram(out, plugin);
        }
        selectSlot(plugin, current);
    }
    out.closeRecord(0);
    return out.bytes;
}

void loadVst2Bank(const HostedPlugin& plugin, const std::vector<uint8_t>& bank) {
    try {
        loadBank(plugin, bank);
    } catch (const std::runtime_error& error) {
        if (dynamic_cast<const HostError*>(&error)) throw;
        throw HostError(plugin.what(), std::string("refused the settings: ") + error.what());
    }
}

}  // namespace velmorin::host
