#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

// Little-endian fields of the .cva file, written and read back.
namespace cva {

inline void PutU32(std::vector<std::uint8_t> &out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline void PutU16(std::vector<std::uint8_t> &out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void PutDouble(std::vector<std::uint8_t> &out, double d)
{
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    PutU32(out, static_cast<std::uint32_t>(bits));
    PutU32(out, static_cast<std::uint32_t>(bits >> 32));
}

// Bounds-checked little-endian cursor: every read says whether the bytes were
// there, so nothing is ever taken on trust from the file.
class Reader
{
public:
    Reader(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t Left() const { return m_size - m_pos; }
    std::size_t Pos() const { return m_pos; }
    const std::uint8_t *Here() const { return m_data + m_pos; }

    std::optional<std::uint8_t> U8()
    {
        if (Left() < 1)
            return std::nullopt;
        return m_data[m_pos++];
    }
    std::optional<std::uint16_t> U16()
    {
        if (Left() < 2)
            return std::nullopt;
        std::uint16_t v = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    std::optional<std::uint32_t> U32()
    {
        if (Left() < 4)
            return std::nullopt;
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(m_data[m_pos + i]) << (8 * i);
        m_pos += 4;
        return v;
    }
    std::optional<double> Double()
    {
        if (Left() < 8)
            return std::nullopt;
        std::uint64_t lo = *U32();
        std::uint64_t hi = *U32();
        std::uint64_t bits = lo | (hi << 32);
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    // Only called once the length is known to fit.
    std::string Bytes(std::size_t n)
    {
        std::string s(reinterpret_cast<const char *>(m_data + m_pos), n);
        m_pos += n;
        return s;
    }
    void Skip(std::size_t n) { m_pos += n; }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

}  // namespace cva
