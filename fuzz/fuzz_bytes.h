#pragma once
// A cursor over fuzz input for the targets that build structured input (frames, SNMP bindings) from it. Once the
// input is spent it gives zeros, so that a reader never fails and a short input still reads as something.

#include <cstddef>
#include <cstdint>
#include <vector>

class CFuzzBytes {
public:
    CFuzzBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Empty() const { return pos_ >= size_; }
    size_t Left() const { return size_ - pos_; }

    uint8_t Byte() { return Empty() ? 0 : data_[pos_++]; }

    uint16_t U16()
    {
        const uint16_t low = Byte();
        return static_cast<uint16_t>(low | Byte() << 8);
    }

    uint32_t U32()
    {
        const uint32_t low = U16();
        return low | static_cast<uint32_t>(U16()) << 16;
    }

    // Up to `count` bytes, fewer when the input ends first.
    std::vector<uint8_t> Bytes(size_t count)
    {
        const size_t n = count < Left() ? count : Left();
        std::vector<uint8_t> out(data_ + pos_, data_ + pos_ + n);
        pos_ += n;
        return out;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};
