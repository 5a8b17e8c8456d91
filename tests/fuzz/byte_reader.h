// Takes a fuzzer's input apart into small numbers, doubles and texts. Reading
// past the end gives zeros and empty texts, so every input is usable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace ctallix::fuzz {

class ByteReader {
public:
    ByteReader(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return pos_ >= size_; }

    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    // lo..hi, from one byte.
    int range(int lo, int hi) { return lo + byte() % (hi - lo + 1); }

    std::uint64_t u64() {
        std::uint64_t v = 0;
        for (int i = 0; i < 8; ++i)
            v |= static_cast<std::uint64_t>(byte()) << (8 * i);
        return v;
    }

    // Any bit pattern: NaNs, infinities and subnormals included.
    double bits() {
        const std::uint64_t v = u64();
        double d;
        std::memcpy(&d, &v, sizeof d);
        return d;
    }

    // A text of up to `max` bytes, its length taken from one byte.
    std::string text(std::size_t max) {
        std::size_t n = byte() % (max + 1);
        if (n > size_ - (pos_ < size_ ? pos_ : size_))
            n = size_ - (pos_ < size_ ? pos_ : size_);
        std::string s(reinterpret_cast<const char *>(data_ + pos_), n);
        pos_ += n;
        return s;
    }

    std::string rest() {
        if (pos_ >= size_)
            return {};
        std::string s(reinterpret_cast<const char *>(data_ + pos_), size_ - pos_);
        pos_ = size_;
        return s;
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Each byte of `text` replaced by the character of `alphabet` it picks, so
// that the characters that matter come up often.
template <std::size_t N> void Remap(std::string &text, const char (&alphabet)[N]) {
    for (char &c : text)
        c = alphabet[static_cast<unsigned char>(c) % N];
}

// Stops the run with a message; the fuzzer keeps the input as a crash.
[[noreturn]] void Fail(const std::string &what);

} // namespace ctallix::fuzz
