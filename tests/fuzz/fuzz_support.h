// What the fuzz targets share: a check that turns a broken promise into a
// crash libFuzzer records, and a reader that cuts one input into the values
// an operation takes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    // Mostly small numbers (where the edges of a text are), sometimes any
    // 32-bit value: the byte before says which.
    int32_t Int() {
        if ((Byte() & 1) == 0) return static_cast<int8_t>(Byte());
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
        return static_cast<int32_t>(v);
    }
    // A text of up to 255 bytes, its length first.
    std::string Text() {
        size_t n = Byte();
        if (n > size_ - pos_) n = size_ - pos_;
        std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return s;
    }
    std::string Rest() {
        std::string s(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
        pos_ = size_;
        return s;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

}  // namespace fuzz
