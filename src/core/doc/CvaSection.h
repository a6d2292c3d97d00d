#pragma once

#include "core/doc/CvaFormat.h"
#include "core/plot/GraphResults.h"
#include "core/plot/Parameters.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The part of a .cva file after its last function: what older files never
// held (parameters, marks, the shaded integral, the legend flag).
//
//   "CVX", version (16 bits), byte count of the records that follow (32 bits,
//   running to the end of the file), then records: tag (8 bits), payload
//   length (32 bits), payload. A reader skips records whose tag it does not
//   know, so a later version adds fields as new records; a new version
//   number is only for a change older readers must not misread.
//
// It is written only when there is something to hold, so a document without
// any of it is the same bytes older versions wrote and still read.
namespace CvaSection {

inline constexpr char kTag[3] = {'C', 'V', 'X'};
inline constexpr std::uint16_t kVersion = 1;

enum ERecord : std::uint8_t {
    kParameter = 1,  // letter, value, min, max, step
    kMark = 2,       // slot, other slot (0xFF none), kind, source, flags, x, y, label
    kShading = 3,    // slot, from, to, label
    kLegend = 4,     // 1 when the legend is shown
};
inline constexpr std::uint8_t kMarkHighlighted = 0x01;

// Far above what the analyses list (a few hundred points per list).
inline constexpr std::size_t kMaxMarks = 10000;
// Labels are one or two lines the program wrote.
inline constexpr std::size_t kMaxLabel = 1024;

struct SExtras
{
    SParameterTable parameters;
    SGraphResults results;
    bool legend = false;
};

// What of results a file with slots 0..last can hold, as it will read back:
// marks and the shading on those slots with finite coordinates, labels cut
// at kMaxLabel and without control bytes other than line breaks, at most
// kMaxMarks marks; the highlight follows its mark.
SGraphResults Storable(const SGraphResults &results, int last);

// Appends the section for a record whose slots 0..last are written;
// appends nothing when there is nothing to hold.
void Append(std::vector<std::uint8_t> &out, const EqStore &store, int last);

// Reads a section that fills [data, data + size) exactly, for a file with
// slots 0..last. On failure extras is left as it was.
CCvaFormat::Result Read(const std::uint8_t *data, std::size_t size, int last, SExtras &extras);

}  // namespace CvaSection
