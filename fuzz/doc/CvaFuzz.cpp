// The .cva reader under libFuzzer: any bytes must either decode into a record
// that writes back and reads again to the same record, or be refused with a
// reason, leaving the record as it was.
#include "core/doc/CvaFormat.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    EqStore store;
    const std::vector<std::uint8_t> before = CCvaFormat::Encode(store);
    const CCvaFormat::Result r = CCvaFormat::Decode(data, size, store);
    if (!r.Ok()) {
        if (r.message.empty() || CCvaFormat::Encode(store) != before)
            std::abort();
        return 0;
    }
    // A good file survives a write and a second read unchanged.
    const std::vector<std::uint8_t> written = CCvaFormat::Encode(store);
    EqStore again;
    if (!CCvaFormat::Decode(written, again).Ok() || CCvaFormat::Encode(again) != written)
        std::abort();
    for (auto &f : store.m_aFunctions)
        (void)f.Evaluate(0.5);
    return 0;
}
