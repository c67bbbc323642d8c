// Reads a fuzzer's bytes as the choices of a hostile host; past the end every
// read answers 0, so any input is a complete sequence.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>

class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool done() const { return at_ >= size_; }

    template <typename T>
    T raw() {
        T value{};
        const size_t n = std::min(sizeof(T), size_ - at_);
        if (n) std::memcpy(&value, data_ + at_, n);
        at_ += n;
        return value;
    }
    uint8_t byte() { return raw<uint8_t>(); }
    // 0 <= result < count
    uint32_t below(uint32_t count) { return count ? raw<uint16_t>() % count : 0; }

    // Mostly values a host might send, sometimes anything at all.
    float anyFloat() {
        constexpr float kInf = std::numeric_limits<float>::infinity();
        static constexpr float kSpecial[] = {0.0f,    1.0f,  0.5f,   -0.0f,    -1.0f, 1e-40f,
                                             -1e-40f, 1e30f, -1e30f, kInf,     -kInf, 24000.0f,
                                             240.0f,  72.0f, 48.0f,  0.99999f, 2.0f,  1e9f};
        switch (byte() % 4) {
            case 0:
                return kSpecial[below(std::size(kSpecial))];
            case 1:
                return static_cast<float>(byte()) / 255.0f;
            case 2:
                return std::numeric_limits<float>::quiet_NaN();
            default:
                return raw<float>();
        }
    }
    // An index in range most of the time, else anything.
    int32_t anyIndex(int32_t count) {
        switch (byte() % 4) {
            case 0:
                return raw<int32_t>();
            case 1:
                return static_cast<int32_t>(below(static_cast<uint32_t>(count) + 4)) - 2;
            default:
                return static_cast<int32_t>(below(static_cast<uint32_t>(count)));
        }
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};
