#include "core/record.h"

#include "core/cp1252.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kalvora::core {

namespace {

// Copies the bytes at [offset, offset + n) that lie inside the record; the rest stay zero.
void readRaw(const std::uint8_t* bytes, std::size_t length, std::size_t offset, std::uint8_t* out, std::size_t n) {
    std::memset(out, 0, n);
    if (offset >= length)
        return;
    std::memcpy(out, bytes + offset, std::min(n, length - offset));
}

// Writes only the part that fits: a field never changes the record's length.
void writeRaw(std::vector<std::uint8_t>& bytes, std::size_t offset, const std::uint8_t* in, std::size_t n) {
    if (offset >= bytes.size())
        return;
    std::memcpy(bytes.data() + offset, in, std::min(n, bytes.size() - offset));
}

}  // namespace

std::string_view RecordView::raw(std::size_t offset, std::size_t width) const {
    if (offset >= length_)
        return {};
    return {reinterpret_cast<const char*>(data_ + offset), std::min(width, length_ - offset)};
}

std::string RecordView::text(std::size_t offset, std::size_t width) const { return decodeCp1252(raw(offset, width)); }

// A field that runs past the record: the bytes inside, zero after them.
std::int16_t RecordView::slowInt16(std::size_t offset) const {
    std::uint8_t b[2];
    readRaw(data_, length_, offset, b, 2);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | (b[1] << 8)));
}

double RecordView::slowFloat64(std::size_t offset) const {
    std::uint8_t b[8];
    readRaw(data_, length_, offset, b, 8);
    std::uint64_t u = 0;
    for (int i = 7; i >= 0; --i)
        u = (u << 8) | b[i];
    return std::bit_cast<double>(u);
}

void Record::setText(std::size_t offset, std::size_t width, std::string_view value) {
    if (offset >= bytes_.size())
        return;
    std::string encoded = encodeCp1252(value);
    encoded.resize(std::min(width, bytes_.size() - offset), ' ');
    writeRaw(bytes_, offset, reinterpret_cast<const std::uint8_t*>(encoded.data()), encoded.size());
}

void Record::setInt16(std::size_t offset, std::int16_t value) {
    const auto u = static_cast<std::uint16_t>(value);
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(u & 0xFF), static_cast<std::uint8_t>(u >> 8)};
    writeRaw(bytes_, offset, b, 2);
}

void Record::setFloat64(std::size_t offset, double value) {
    auto u = std::bit_cast<std::uint64_t>(value);
    std::uint8_t b[8];
    for (auto& byte : b) {
        byte = static_cast<std::uint8_t>(u & 0xFF);
        u >>= 8;
    }
    writeRaw(bytes_, offset, b, 8);
}

void Record::fill(std::size_t offset, std::size_t width, std::uint8_t byte) {
    if (offset >= bytes_.size())
        return;
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), std::min(width, bytes_.size() - offset), byte);
}

}  // namespace kalvora::core
