#pragma once
// A fixed-length record as raw bytes with typed fields at byte offsets. Bytes that no accessor
// touches are kept exactly as read.
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::core {

// The typed fields of a record's bytes held elsewhere (a block of a streamed file), read
// without a copy. Bytes past the end read as zero.
class RecordView {
public:
    RecordView(const std::uint8_t* data, std::size_t length) : data_(data), length_(length) {}
    const std::uint8_t* data() const { return data_; }
    std::size_t length() const { return length_; }
    std::string text(std::size_t offset, std::size_t width) const;
    // The raw bytes of a field (no decoding), cut at the record's end.
    std::string_view raw(std::size_t offset, std::size_t width) const;
    // Inline: archive work reads millions of these.
    std::int16_t int16(std::size_t offset) const {
        if (offset > length_ || length_ - offset < 2) return slowInt16(offset);
        std::int16_t v;
        std::memcpy(&v, data_ + offset, 2);
        return v;
    }
    double float64(std::size_t offset) const {
        if (offset > length_ || length_ - offset < 8) return slowFloat64(offset);
        double v;
        std::memcpy(&v, data_ + offset, 8);
        return v;
    }

private:
    static_assert(std::endian::native == std::endian::little, "fields are little-endian on disk");
    std::int16_t slowInt16(std::size_t offset) const;
    double slowFloat64(std::size_t offset) const;

    const std::uint8_t* data_;
    std::size_t length_;
};

class Record {
public:
    Record() = default;
    // A blank record: every byte zero.
    explicit Record(std::size_t length) : bytes_(length, 0) {}
    explicit Record(std::string bytes) : bytes_(bytes.begin(), bytes.end()) {}
    explicit Record(RecordView view) : bytes_(view.data(), view.data() + view.length()) {}

    RecordView view() const { return {bytes_.data(), bytes_.size()}; }

    std::size_t length() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

    // Fixed-width text, decoded from Windows-1252 (trailing blanks kept).
    std::string text(std::size_t offset, std::size_t width) const { return view().text(offset, width); }
    // Encodes, pads with blanks or cuts to `width` bytes.
    void setText(std::size_t offset, std::size_t width, std::string_view value);
    std::int16_t int16(std::size_t offset) const { return view().int16(offset); }  // little-endian
    void setInt16(std::size_t offset, std::int16_t value);
    double float64(std::size_t offset) const { return view().float64(offset); }  // little-endian IEEE 754
    void setFloat64(std::size_t offset, double value);
    void fill(std::size_t offset, std::size_t width, std::uint8_t byte);

    friend bool operator==(const Record&, const Record&) = default;

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace kalvora::core
