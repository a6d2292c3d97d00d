#pragma once

#include "core/doc/DocumentRecord.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The .cva document file: little-endian fields, counted strings, no framing
// around them. Decoding is strict about the format: a file is either a good
// document or is refused as a whole with a reason, and the caller's record is
// only written on success. A function text the syntax check refuses is no
// reason to lose the document: it loads, listed in invalidSlots.
class CCvaFormat
{
public:
    enum class Status {
        Ok,
        TooLarge,        // bigger than any document can be
        BadMagic,        // does not start with "CVD"
        Truncated,       // ends inside a field
        BadSlotCount,    // last slot outside -1..4
        BadScale,        // a scale outside the view's bounds (NaN, zero, infinite included)
        BadPan,          // a pan outside the view's bounds
        BadWidth,        // a pen width outside 0..kMaxPenWidth
        BadLengthMark,   // the 0xFF 0xFFFE marker of a kind of string this format never holds
        StringTooLong,   // a text longer than the bytes left
        EmptyText,       // a function text that is empty or all blanks
        BadSyntax,       // no longer given: a refused text loads (see invalidSlots)
        TrailingData,    // bytes after the last slot that are no section
        BadSection,      // a section whose counts or record lengths do not add up
        NewerSection,    // a section of a version this reader does not know
        BadParameter,    // a letter that is no parameter, an entry not valid, one set twice
        BadMark,         // a mark off the file's functions, not finite, mislabelled or too many
        BadShading,      // a shaded integral off the file's functions or with bad limits
    };

    struct Result
    {
        Status status = Status::Ok;
        int slot = -1;       // zero-based slot the problem is in, -1 for the header
        std::string message; // one sentence naming the problem; when Ok, one per invalid slot
        std::vector<int> invalidSlots;  // loaded slots whose text the syntax check refuses
        bool Ok() const { return status == Status::Ok; }
    };

    static constexpr std::size_t kHeaderSize = 31;
    // Far above five typed functions; anything larger is not a document.
    static constexpr std::size_t kMaxFileSize = 4u << 20;
    static constexpr std::int32_t kMaxPenWidth = 100;

    // The file image of a record: slots 0 .. m_nLast (clamped to -1..4), then,
    // only when there is any, the section with parameters off their
    // defaults, marks, shading and the legend flag (CvaSection.h).
    static std::vector<std::uint8_t> Encode(const EqStore &store);

    // Reads a file image. On success fills store's last, scales, pans, the
    // slots 0..last (texts lower-cased and compiled, flags, pens) and the
    // magic read, the parameters, results and legend flag (defaults where
    // the file has no section), clears m_bBadFile and m_bSynced; slots above
    // last are left as they were. On failure store is not touched.
    static Result Decode(const std::uint8_t *data, std::size_t size, EqStore &store);
    static Result Decode(const std::vector<std::uint8_t> &bytes, EqStore &store)
    {
        return Decode(bytes.data(), bytes.size(), store);
    }

    // A counted string: one length byte below 255, else 0xFF and a 16-bit
    // length below 0xFFFE, else 0xFF 0xFFFF and a 32-bit length.
    static void AppendCountedString(std::vector<std::uint8_t> &out, const std::string &text);
};
