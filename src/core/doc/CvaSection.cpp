#include "core/doc/CvaSection.h"

#include "core/doc/CvaBytes.h"
#include "core/expr/CodedText.h"

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <optional>
#include <utility>

namespace CvaSection {

namespace {

using S = CCvaFormat::Status;

CCvaFormat::Result Fail(S status, std::string message)
{
    CCvaFormat::Result r;
    r.status = status;
    r.message = std::move(message);
    return r;
}

bool HeldSlot(int slot, int last) { return slot >= 0 && slot <= last && slot < SGraphState::kSlots; }

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

bool LabelByteOk(unsigned char c) { return (c >= 0x20 && c != 0x7F) || c == '\n'; }

std::string CleanLabel(const std::string &label)
{
    std::string out = label;
    for (char &c : out)
        if (!LabelByteOk(static_cast<unsigned char>(c)))
            c = '?';
    if (out.size() > kMaxLabel) {
        // Cut before a character, never inside one's UTF-8 bytes.
        std::size_t n = kMaxLabel;
        while (n > 0 && (static_cast<unsigned char>(out[n]) & 0xC0) == 0x80)
            --n;
        out.resize(n);
    }
    return out;
}

bool MarkOk(const SGraphMark &m, int last)
{
    return HeldSlot(m.slot, last) && (m.otherSlot == -1 || (HeldSlot(m.otherSlot, last) && m.otherSlot != m.slot)) &&
           m.kind >= EMarkKind::Root && m.kind <= EMarkKind::Intersection && m.source >= EMarkSource::Roots &&
           m.source <= EMarkSource::Command && Finite(m.x, m.y);
}

bool ShadingOk(const SShading &s, int last) { return HeldSlot(s.slot, last) && Finite(s.from, s.to) && s.from <= s.to; }

void PutLabel(std::vector<std::uint8_t> &out, const std::string &label)
{
    cva::PutU16(out, static_cast<std::uint16_t>(label.size()));
    out.insert(out.end(), label.begin(), label.end());
}

void PutRecord(std::vector<std::uint8_t> &out, ERecord tag, const std::function<void(std::vector<std::uint8_t> &)> &fill)
{
    std::vector<std::uint8_t> payload;
    fill(payload);
    out.push_back(tag);
    cva::PutU32(out, static_cast<std::uint32_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
}

// "b", or the byte's value where it is no printable letter.
std::string LetterName(std::uint8_t c)
{
    if (c >= 0x21 && c < 0x7F)
        return "\"" + std::string(1, static_cast<char>(c)) + "\"";
    return "of byte value " + std::to_string(c);
}

// A label as the payload holds it: 16-bit length, then its bytes, ending the payload.
std::optional<std::string> ReadLabel(cva::Reader &in, const char *owner, CCvaFormat::Result &failure, S status)
{
    auto length = in.U16();
    if (!length || *length != in.Left()) {
        failure = Fail(S::BadSection, std::string("The ") + owner + " record in the file has the wrong length.");
        return std::nullopt;
    }
    if (*length > kMaxLabel) {
        failure = Fail(status, std::string("The label of ") + owner + " in the file is longer than " +
                                   std::to_string(kMaxLabel) + " bytes.");
        return std::nullopt;
    }
    std::string label = in.Bytes(*length);
    for (char c : label)
        if (!LabelByteOk(static_cast<unsigned char>(c))) {
            failure = Fail(status, std::string("The label of ") + owner + " in the file holds control characters.");
            return std::nullopt;
        }
    return label;
}

}  // namespace

SGraphResults Storable(const SGraphResults &results, int last)
{
    SGraphResults out;
    for (int i = 0; i < static_cast<int>(results.marks.size()) && out.marks.size() < kMaxMarks; ++i) {
        const SGraphMark &m = results.marks[static_cast<std::size_t>(i)];
        if (!MarkOk(m, last))
            continue;
        if (i == results.highlighted)
            out.highlighted = static_cast<int>(out.marks.size());
        out.marks.push_back(m);
        out.marks.back().label = CleanLabel(m.label);
    }
    if (results.shading && ShadingOk(*results.shading, last)) {
        out.shading = results.shading;
        out.shading->label = CleanLabel(results.shading->label);
    }
    return out;
}

void Append(std::vector<std::uint8_t> &out, const EqStore &store, int last)
{
    std::vector<std::uint8_t> body;
    for (const char *p = kParameterLetters; *p; ++p) {
        const SParameter &e = store.m_parameters.Of(*p);
        if (e == SParameter{} || !e.IsValid())
            continue;
        PutRecord(body, kParameter, [&](std::vector<std::uint8_t> &b) {
            b.push_back(static_cast<std::uint8_t>(*p));
            for (double d : {e.value, e.min, e.max, e.step})
                cva::PutDouble(b, d);
        });
    }
    const SGraphResults results = Storable(store.m_results, last);
    for (std::size_t i = 0; i < results.marks.size(); ++i) {
        const SGraphMark &m = results.marks[i];
        PutRecord(body, kMark, [&](std::vector<std::uint8_t> &b) {
            b.push_back(static_cast<std::uint8_t>(m.slot));
            b.push_back(m.otherSlot < 0 ? 0xFF : static_cast<std::uint8_t>(m.otherSlot));
            b.push_back(static_cast<std::uint8_t>(m.kind));
            b.push_back(static_cast<std::uint8_t>(m.source));
            b.push_back(static_cast<int>(i) == results.highlighted ? kMarkHighlighted : 0);
            cva::PutDouble(b, m.x);
            cva::PutDouble(b, m.y);
            PutLabel(b, m.label);
        });
    }
    if (results.shading)
        PutRecord(body, kShading, [&](std::vector<std::uint8_t> &b) {
            b.push_back(static_cast<std::uint8_t>(results.shading->slot));
            cva::PutDouble(b, results.shading->from);
            cva::PutDouble(b, results.shading->to);
            PutLabel(b, results.shading->label);
        });
    if (store.m_bShowLegend)
        PutRecord(body, kLegend, [](std::vector<std::uint8_t> &b) { b.push_back(1); });
    if (body.empty())
        return;
    out.insert(out.end(), std::begin(kTag), std::end(kTag));
    cva::PutU16(out, kVersion);
    cva::PutU32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}

CCvaFormat::Result Read(const std::uint8_t *data, std::size_t size, int last, SExtras &extras)
{
    cva::Reader in(data, size);
    if (size < 3 || std::memcmp(data, kTag, 3) != 0)
        return Fail(S::TrailingData, "The file has " + std::to_string(size) + " unexpected bytes after its last function.");
    in.Skip(3);
    auto version = in.U16();
    auto count = in.U32();
    if (!version || !count)
        return Fail(S::Truncated, "The file ends early, inside the section after its functions.");
    if (*version > kVersion)
        return Fail(S::NewerSection, "The file was written by a newer version of Corvanta (section version " +
                                         std::to_string(*version) + ").");
    if (*version == 0)
        return Fail(S::BadSection, "The section after the functions has no valid version.");
    if (*count != in.Left())
        return Fail(S::BadSection, "The section after the functions claims " + std::to_string(*count) +
                                       " bytes, but " + std::to_string(in.Left()) + " follow.");

    SExtras read;
    std::array<bool, 26> parameterSeen{};
    bool legendSeen = false;
    while (in.Left() > 0) {
        auto tag = in.U8();
        auto length = in.U32();
        if (!tag || !length)
            return Fail(S::BadSection, "A record in the section after the functions is cut short.");
        if (*length > in.Left())
            return Fail(S::BadSection, "A record in the section after the functions runs past its end.");
        cva::Reader rec(in.Here(), *length);
        in.Skip(*length);
        switch (*tag) {
        case kParameter: {
            auto letter = rec.U8();
            auto value = rec.Double(), min = rec.Double(), max = rec.Double(), step = rec.Double();
            if (!step || rec.Left() != 0)
                return Fail(S::BadSection, "A parameter record in the file has the wrong length.");
            const char c = static_cast<char>(*letter);
            if (!IsParameterLetter(c))
                return Fail(S::BadParameter, "The file sets a parameter " + LetterName(*letter) +
                                                 ", which is no parameter letter.");
            const SParameter entry{*value, *min, *max, *step};
            if (!entry.IsValid())
                return Fail(S::BadParameter, "The value or range of parameter " + std::string(1, c) +
                                                 " in the file is not valid.");
            if (std::exchange(parameterSeen[SParameterValues::Index(c)], true))
                return Fail(S::BadParameter, "The file sets parameter " + std::string(1, c) + " twice.");
            read.parameters.Of(c) = entry;
            break;
        }
        case kMark: {
            if (read.results.marks.size() >= kMaxMarks)
                return Fail(S::BadMark, "The file holds more than " + std::to_string(kMaxMarks) + " marks.");
            auto slot = rec.U8(), other = rec.U8(), kind = rec.U8(), source = rec.U8(), flags = rec.U8();
            auto x = rec.Double(), y = rec.Double();
            if (!y)
                return Fail(S::BadSection, "The mark record in the file has the wrong length.");
            CCvaFormat::Result failure;
            auto label = ReadLabel(rec, "a mark", failure, S::BadMark);
            if (!label)
                return failure;
            SGraphMark m;
            m.slot = *slot;
            m.otherSlot = *other == 0xFF ? -1 : *other;
            m.x = *x;
            m.y = *y;
            m.label = std::move(*label);
            if (!HeldSlot(m.slot, last) || (m.otherSlot != -1 && !HeldSlot(m.otherSlot, last)))
                return Fail(S::BadMark, "A mark in the file lies on function " +
                                            std::to_string((HeldSlot(m.slot, last) ? m.otherSlot : m.slot) + 1) +
                                            ", which the file does not hold.");
            if (m.otherSlot == m.slot)
                return Fail(S::BadMark, "A mark in the file joins function " + std::to_string(m.slot + 1) +
                                            " with itself.");
            if (*kind > static_cast<std::uint8_t>(EMarkKind::Intersection) ||
                *source > static_cast<std::uint8_t>(EMarkSource::Command))
                return Fail(S::BadMark, "A mark in the file is of a kind Corvanta does not know.");
            m.kind = static_cast<EMarkKind>(*kind);
            m.source = static_cast<EMarkSource>(*source);
            if (!Finite(m.x, m.y))
                return Fail(S::BadMark, "A mark in the file has a coordinate that is not a finite number.");
            // Other flag bits are for later versions.
            if (*flags & kMarkHighlighted) {
                if (read.results.highlighted >= 0)
                    return Fail(S::BadMark, "The file highlights more than one mark.");
                read.results.highlighted = static_cast<int>(read.results.marks.size());
            }
            read.results.marks.push_back(std::move(m));
            break;
        }
        case kShading: {
            auto slot = rec.U8();
            auto from = rec.Double(), to = rec.Double();
            if (!to)
                return Fail(S::BadSection, "The shaded integral record in the file has the wrong length.");
            CCvaFormat::Result failure;
            auto label = ReadLabel(rec, "the shaded integral", failure, S::BadShading);
            if (!label)
                return failure;
            if (read.results.shading)
                return Fail(S::BadShading, "The file holds more than one shaded integral.");
            if (!HeldSlot(*slot, last))
                return Fail(S::BadShading, "The shaded integral in the file lies under function " +
                                               std::to_string(*slot + 1) + ", which the file does not hold.");
            if (!Finite(*from, *to) || *from > *to)
                return Fail(S::BadShading, "The limits of the shaded integral in the file are not valid.");
            read.results.shading = SShading{*slot, *from, *to, std::move(*label)};
            break;
        }
        case kLegend: {
            auto on = rec.U8();
            if (!on || rec.Left() != 0)
                return Fail(S::BadSection, "The legend record in the file has the wrong length.");
            if (std::exchange(legendSeen, true))
                return Fail(S::BadSection, "The file sets the legend twice.");
            read.legend = *on != 0;
            break;
        }
        default:
            break;  // a record of a later version: skipped whole
        }
    }
    extras = std::move(read);
    return {};
}

}  // namespace CvaSection
