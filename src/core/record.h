#pragma once
// A fixed-length record as raw bytes with typed fields at byte offsets. Bytes that no accessor
// touches are kept exactly as read.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::core {

class Record {
public:
    Record() = default;
    // A blank record: every byte zero.
    explicit Record(std::size_t length) : bytes_(length, 0) {}
    explicit Record(std::string bytes) : bytes_(bytes.begin(), bytes.end()) {}

    std::size_t length() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

    // Fixed-width text, decoded from Windows-1252 (trailing blanks kept).
    std::string text(std::size_t offset, std::size_t width) const;
    // Encodes, pads with blanks or cuts to `width` bytes.
    void setText(std::size_t offset, std::size_t width, std::string_view value);
    std::int16_t int16(std::size_t offset) const;  // little-endian
    void setInt16(std::size_t offset, std::int16_t value);
    double float64(std::size_t offset) const;  // little-endian IEEE 754
    void setFloat64(std::size_t offset, double value);
    void fill(std::size_t offset, std::size_t width, std::uint8_t byte);

    friend bool operator==(const Record&, const Record&) = default;

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace kalvora::core
