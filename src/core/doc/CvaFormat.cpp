#include "core/doc/CvaFormat.h"

#include "core/doc/CvaBytes.h"
#include "core/doc/CvaSection.h"
#include "core/expr/FunctionText.h"
#include "core/plot/ViewState.h"

#include <cmath>
#include <cstring>
#include <optional>

namespace {

using cva::PutDouble;
using cva::PutU16;
using cva::PutU32;
using cva::Reader;

CCvaFormat::Result Fail(CCvaFormat::Status status, int slot, std::string message)
{
    CCvaFormat::Result r;
    r.status = status;
    r.slot = slot;
    r.message = std::move(message);
    return r;
}

std::string FunctionName(int slot)
{
    return "function " + std::to_string(slot + 1);
}

// A short, printable rendering of a text for a message.
std::string Quote(const std::string &text)
{
    constexpr std::size_t kShown = 40;
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    if (text.size() > kShown)
        out += "...";
    out += "\"";
    return out;
}

bool AllBlanks(const std::string &text)
{
    for (char c : text)
        if (c != ' ')
            return false;
    return true;
}

}  // namespace

void CCvaFormat::AppendCountedString(std::vector<std::uint8_t> &out, const std::string &text)
{
    const std::size_t n = text.size();
    if (n < 0xFF) {
        out.push_back(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        out.push_back(0xFF);
        PutU16(out, static_cast<std::uint16_t>(n));
    } else {
        out.push_back(0xFF);
        PutU16(out, 0xFFFF);
        PutU32(out, static_cast<std::uint32_t>(n));
    }
    out.insert(out.end(), text.begin(), text.end());
}

std::vector<std::uint8_t> CCvaFormat::Encode(const EqStore &store)
{
    std::int32_t last = store.m_nLast;
    if (last < -1)
        last = -1;
    if (last > EqStore::kSlots - 1)
        last = EqStore::kSlots - 1;

    std::vector<std::uint8_t> out;
    out.reserve(kHeaderSize + 64);
    out.insert(out.end(), store.m_achMagic.begin(), store.m_achMagic.end());
    PutU32(out, static_cast<std::uint32_t>(last));
    PutDouble(out, store.m_dScaleY);
    PutDouble(out, store.m_dScaleX);
    PutU32(out, static_cast<std::uint32_t>(store.m_nPanX));
    PutU32(out, static_cast<std::uint32_t>(store.m_nPanY));
    for (int i = 0; i <= last; ++i) {
        PutU32(out, store.m_aColor[i]);
        PutU32(out, static_cast<std::uint32_t>(store.m_aWidth[i]));
        out.push_back(store.m_aDerivativeShown[i] ? 1 : 0);
        AppendCountedString(out, store.m_aFunctions[i].m_strText);
    }
    CvaSection::Append(out, store, last);
    return out;
}

CCvaFormat::Result CCvaFormat::Decode(const std::uint8_t *data, std::size_t size, EqStore &store)
{
    using S = Status;
    if (size > kMaxFileSize)
        return Fail(S::TooLarge, -1, "The file is too large to be a Corvanta document.");

    Reader in(data, size);
    if (size == 0)
        return Fail(S::Truncated, -1, "The file is empty.");
    if (size < 3 && std::memcmp(data, "CVD", size) == 0)
        return Fail(S::Truncated, -1, "The file ends early, inside its header.");
    if (size < 3 || std::memcmp(data, "CVD", 3) != 0)
        return Fail(S::BadMagic, -1, "The file is not a Corvanta document: it does not start with \"CVD\".");
    std::array<char, 3> magic{};
    for (char &c : magic)
        c = static_cast<char>(*in.U8());

    const char *shortHeader = "The file ends early, inside its header.";
    auto lastRaw = in.U32();
    if (!lastRaw)
        return Fail(S::Truncated, -1, shortHeader);
    const std::int32_t last = static_cast<std::int32_t>(*lastRaw);
    if (last < -1 || last > EqStore::kSlots - 1)
        return Fail(S::BadSlotCount, -1,
                    "The file claims " + std::to_string(static_cast<std::int64_t>(last) + 1) +
                        " functions; a document holds from 0 to 5.");

    auto scaleY = in.Double();
    auto scaleX = in.Double();
    auto panX = in.U32();
    auto panY = in.U32();
    if (!scaleY || !scaleX || !panX || !panY)
        return Fail(S::Truncated, -1, shortHeader);
    // The view keeps its mapping inside these bounds; a file must not break them.
    auto scaleOk = [](double s) { return s >= CViewState::kMinScale && s <= CViewState::kMaxScale; };
    auto panOk = [](std::uint32_t raw) {
        const std::int64_t p = static_cast<std::int32_t>(raw);
        return p >= -CViewState::kMaxPan && p <= CViewState::kMaxPan;
    };
    if (!scaleOk(*scaleX))
        return Fail(S::BadScale, -1, "The x scale in the file is out of range.");
    if (!scaleOk(*scaleY))
        return Fail(S::BadScale, -1, "The y scale in the file is out of range.");
    if (!panOk(*panX))
        return Fail(S::BadPan, -1, "The x shift in the file is out of range.");
    if (!panOk(*panY))
        return Fail(S::BadPan, -1, "The y shift in the file is out of range.");

    struct Slot
    {
        std::uint32_t color;
        std::int32_t width;
        bool derivative;
        std::string text;
    };
    std::array<Slot, EqStore::kSlots> slots{};
    for (int i = 0; i <= last; ++i) {
        const std::string name = FunctionName(i);
        const std::string shortSlot = "The file ends early, inside " + name + ".";
        auto color = in.U32();
        auto width = in.U32();
        auto flag = in.U8();
        auto len8 = in.U8();
        if (!color || !width || !flag || !len8)
            return Fail(S::Truncated, i, shortSlot);
        std::uint64_t len = *len8;
        if (len == 0xFF) {
            auto len16 = in.U16();
            if (!len16)
                return Fail(S::Truncated, i, shortSlot);
            len = *len16;
            if (len == 0xFFFE)
                return Fail(S::BadLengthMark, i, "The text of " + name + " is stored in a form Corvanta does not use.");
            if (len == 0xFFFF) {
                auto len32 = in.U32();
                if (!len32)
                    return Fail(S::Truncated, i, shortSlot);
                len = *len32;
            }
        }
        // The length is checked against what is left before anything is allocated.
        if (len > in.Left())
            return Fail(S::StringTooLong, i, "The text of " + name + " runs past the end of the file.");

        Slot &s = slots[i];
        s.color = *color;
        s.width = static_cast<std::int32_t>(*width);
        s.derivative = *flag != 0;
        s.text = in.Bytes(static_cast<std::size_t>(len));
        if (s.width < 0 || s.width > kMaxPenWidth)
            return Fail(S::BadWidth, i,
                        "The pen width of " + name + " (" + std::to_string(s.width) + ") is out of range.");
    }
    CvaSection::SExtras extras;
    if (in.Left() != 0) {
        Result section = CvaSection::Read(in.Here(), in.Left(), last, extras);
        if (!section.Ok())
            return section;
    }

    // The same acceptance as a typed function: lower-cased, then checked.
    std::array<CExpression, EqStore::kSlots> functions;
    std::vector<int> invalid;
    for (int i = 0; i <= last; ++i) {
        Slot &s = slots[i];
        s.text = LowerAscii(std::move(s.text));
        if (AllBlanks(s.text))
            return Fail(S::EmptyText, i, "The text of " + FunctionName(i) + " is empty.");
        functions[i].SetExpression(s.text);
        // A text the check refuses still loads, so the rest of the document
        // is not lost: it is kept as typed, draws nothing and is reported.
        if (CheckSyntax(functions[i].m_strCoded) != 0)
            invalid.push_back(i);
    }

    // Everything checked: only now does the record change.
    store.m_achMagicRead = magic;
    store.m_bBadFile = false;
    store.m_bSynced = false;
    store.m_nLast = last;
    store.m_dScaleY = *scaleY;
    store.m_dScaleX = *scaleX;
    store.m_nPanX = static_cast<std::int32_t>(*panX);
    store.m_nPanY = static_cast<std::int32_t>(*panY);
    store.m_parameters = extras.parameters;
    store.m_results = std::move(extras.results);
    store.m_bShowLegend = extras.legend;
    for (int i = 0; i <= last; ++i) {
        store.m_aColor[i] = slots[i].color;
        store.m_aWidth[i] = slots[i].width;
        store.m_aFunctions[i] = std::move(functions[i]);
        store.m_aDerivativeShown[i] = slots[i].derivative;
    }
    Result result;
    result.invalidSlots = invalid;
    for (int i : invalid)
        result.message += (result.message.empty() ? "" : " ") + std::string("The text of ") + FunctionName(i) + ", " +
                          Quote(store.m_aFunctions[i].m_strText) + ", is not a valid function; it is kept and not drawn.";
    return result;
}
