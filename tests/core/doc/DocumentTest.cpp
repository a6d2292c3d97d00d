#include "core/doc/CvaFormat.h"
#include "core/doc/CvaSection.h"
#include "core/doc/DocumentSync.h"
#include "core/plot/ViewSnapshot.h"
#include "core/plot/ViewState.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Status = CCvaFormat::Status;
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

// A record as the view leaves it after plotting the given texts.
EqStore Record(const std::vector<std::string> &texts, double scaleX = 1, double scaleY = 1, std::int32_t panX = 0,
               std::int32_t panY = 0)
{
    EqStore s;
    s.m_nLast = static_cast<std::int32_t>(texts.size()) - 1;
    s.m_dScaleX = scaleX, s.m_dScaleY = scaleY, s.m_nPanX = panX, s.m_nPanY = panY;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        s.m_aFunctions[i].SetExpression(texts[i]);
        s.m_aColor[i] = 0x000000FF;
        s.m_aWidth[i] = 1;
    }
    return s;
}

// File bytes written out by hand: little-endian numbers, then counted strings.
Bytes &Put(Bytes &b, std::uint64_t v, int size)
{
    for (int i = 0; i < size; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return b;
}

Bytes Header(std::int32_t last, double scaleY = 1, double scaleX = 1, std::int32_t panX = 0, std::int32_t panY = 0)
{
    Bytes b = {'C', 'V', 'D'};
    Put(Put(b, static_cast<std::uint32_t>(last), 4), std::bit_cast<std::uint64_t>(scaleY), 8);
    Put(Put(b, std::bit_cast<std::uint64_t>(scaleX), 8), static_cast<std::uint32_t>(panX), 4);
    return Put(b, static_cast<std::uint32_t>(panY), 4);
}

Bytes &AppendSlot(Bytes &b, std::uint32_t color, std::uint32_t width, std::uint8_t flag, const std::string &text)
{
    Put(Put(b, color, 4), width, 4).push_back(flag);
    CCvaFormat::AppendCountedString(b, text);
    return b;
}

// One slot whose text is given, or whose raw length bytes follow the 0xFF marker.
Bytes WithSlotText(const std::string &text, std::uint32_t width = 1)
{
    Bytes b = Header(0);
    return AppendSlot(b, 0xFF, width, 0, text);
}

Bytes WithLengthBytes(const Bytes &tail)
{
    Bytes b = WithSlotText("");
    b.back() = 0xFF;
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
}

Bytes Good()
{
    Bytes b = Header(1);
    AppendSlot(b, 0xFF, 1, 0, "x^2");
    return AppendSlot(b, 0xFF00, 2, 1, "sin(x)");
}

TEST(CvaLayout, EmptyGraphAndSquareOfXByteForByte)
{
    const Bytes empty = {'C', 'V', 'D', 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F,  // last -1, y scale 1.0
                         0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0};                // x scale 1.0, pans
    EXPECT_EQ(CCvaFormat::Encode(Record({})), empty);
    Bytes square = empty;
    square[3] = square[4] = square[5] = square[6] = 0;
    const Bytes slot = {0xFF, 0, 0, 0, 1, 0, 0, 0, 0, 3, 'x', '^', '2'};
    square.insert(square.end(), slot.begin(), slot.end());
    EXPECT_EQ(CCvaFormat::Encode(Record({"x^2"})), square);
}

TEST(CvaLayout, FieldOrderAndDerivativeFlag)
{
    EqStore s = Record({"x", "x^3"}, 0.5, 2.0, -3, 0x01020304);
    s.m_aDerivativeShown[1] = true;
    const Bytes b = CCvaFormat::Encode(s);
    EXPECT_EQ(Bytes(b.begin() + 7, b.begin() + 15), (Bytes{0, 0, 0, 0, 0, 0, 0x00, 0x40}));   // y scale 2
    EXPECT_EQ(Bytes(b.begin() + 15, b.begin() + 23), (Bytes{0, 0, 0, 0, 0, 0, 0xE0, 0x3F}));  // x scale 0.5
    EXPECT_EQ(Bytes(b.begin() + 23, b.begin() + 31), (Bytes{0xFD, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ(b[31 + 8], 0);                   // slot 0 flag
    EXPECT_EQ(b[31 + 8 + 1 + 1 + 1 + 8], 1);  // slot 1 flag after "x" (count + 1 char)
}

// Counted strings around the points where the length form changes.
TEST(CvaLayout, CountedStringPrefixesAndRoundTrip)
{
    const std::pair<std::size_t, Bytes> cases[] = {
        {1, {0x01}}, {254, {0xFE}}, {255, {0xFF, 0xFF, 0x00}}, {256, {0xFF, 0x00, 0x01}}, {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}}, {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}};
    for (const auto &[length, prefix] : cases) {
        SCOPED_TRACE(length);
        const std::string text(length, '1');  // digits only: a valid function of any length
        Bytes out;
        CCvaFormat::AppendCountedString(out, text);
        ASSERT_EQ(out.size(), prefix.size() + length);
        EXPECT_EQ(Bytes(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(prefix.size())), prefix);
        EqStore read;
        ASSERT_TRUE(CCvaFormat::Decode(CCvaFormat::Encode(Record({text})), read).Ok());
        EXPECT_EQ(read.m_aFunctions[0].m_strText, text);
    }
}

TEST(CvaRoundTrip, EveryField)
{
    const double tiny = CViewState::kMinScale, huge = CViewState::kMaxScale;
    const EqStore cases[] = {
        Record({}), Record({"2*x+1", "x^0.5"}, huge, tiny, 1, -1),
        Record({"sin(x)", "cos(x)", "x", "1/x", "ln(x)"}, tiny, huge, -CViewState::kMaxPan, CViewState::kMaxPan)};
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        EqStore w = cases[round];
        for (int i = 0; i <= w.m_nLast; ++i) {
            w.m_aColor[i] = 0x00123456u * static_cast<std::uint32_t>(i + 1) + static_cast<std::uint32_t>(round);
            w.m_aWidth[i] = 1 + (i + round) % 5;
            w.m_aDerivativeShown[i] = (i + round) % 2 == 1;
        }
        EqStore r;
        r.m_bSynced = r.m_bBadFile = true;
        const auto res = CCvaFormat::Decode(CCvaFormat::Encode(w), r);
        ASSERT_TRUE(res.Ok()) << res.message;
        EXPECT_FALSE(r.m_bSynced || r.m_bBadFile);
        EXPECT_EQ(r.m_achMagicRead, (std::array<char, 3>{'C', 'V', 'D'}));
        // Written again, the file is the same byte for byte: every field came
        // back (the layout tests pin where each one is written).
        EXPECT_EQ(CCvaFormat::Encode(r), CCvaFormat::Encode(w));
    }
}

// Leniencies: a long length form for a short text, any non-zero flag,
// upper-case texts, slots above last left alone, last clamped on writing.
TEST(CvaRead, AcceptsWhatOthersMayWrite)
{
    EqStore s;
    ASSERT_TRUE(CCvaFormat::Decode(WithLengthBytes({0xFF, 0xFF, 1, 0, 0, 0, 'x'}), s).Ok());
    EXPECT_EQ(s.m_aFunctions[0].m_strText, "x");
    Bytes b = Header(1);
    AppendSlot(AppendSlot(b, 0xFF, 1, 0x80, "SIN(X)"), 0xFF, 1, 0, "X^2 + 1");
    s = Record({"x", "x^2", "x^3"});
    const auto r = CCvaFormat::Decode(b, s);
    ASSERT_TRUE(r.Ok()) << r.message;
    EXPECT_TRUE(s.m_aDerivativeShown[0]);
    EXPECT_EQ(s.m_aFunctions[0].m_strText, "sin(x)");
    EXPECT_DOUBLE_EQ(s.m_aFunctions[0].Evaluate(0.5), std::sin(0.5));
    EXPECT_DOUBLE_EQ(s.m_aFunctions[1].Evaluate(3), 10.0);
    EXPECT_EQ(s.m_nLast, 1);
    EXPECT_EQ(s.m_aFunctions[2].m_strText, "x^3");
    s = Record({"x", "x^2", "x^3", "x^4", "x^5"});
    s.m_nLast = 9;
    EqStore read;
    ASSERT_TRUE(CCvaFormat::Decode(CCvaFormat::Encode(s), read).Ok());
    EXPECT_EQ(read.m_nLast, 4);
    s.m_nLast = -7;
    EXPECT_EQ(CCvaFormat::Encode(s).size(), 31u);
}

// A sentinel record that must come out of every refusal exactly as it went in.
EqStore Sentinel()
{
    EqStore s = Record({"x+1", "x^2"}, 3.0, 0.25, 12, -34);
    s.m_aColor[1] = 0x00ABCDEF;
    s.m_aWidth[1] = 4;
    s.m_aDerivativeShown[1] = true;
    s.m_bSynced = true;
    s.m_bBadFile = false;
    s.m_achMagicRead = {'q', 'r', 's'};
    return s;
}

void ExpectSentinel(const EqStore &s)
{
    EXPECT_EQ(CCvaFormat::Encode(s), CCvaFormat::Encode(Sentinel()));
    EXPECT_TRUE(s.m_bSynced && !s.m_bBadFile);
    EXPECT_EQ(s.m_achMagicRead, (std::array<char, 3>{'q', 'r', 's'}));
    EXPECT_EQ(s.m_aFunctions[0].m_strCoded, CodeExpression("x+1") + ")");
}

TEST(CvaRefusal, LeavesTheRecordUntouchedAndSaysWhy)
{
    const Bytes good = Good();
    const auto cut = [&](std::size_t n) { return Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)); };
    const auto poked = [&](std::size_t at, std::uint8_t v) { Bytes b = good; b[at] = v; return b; };
    Bytes trailing = good, slotAfterEmpty = Header(-1), secondBad = Header(1);
    trailing.push_back(0);
    AppendSlot(slotAfterEmpty, 0, 1, 0, "x");
    AppendSlot(AppendSlot(secondBad, 0, 1, 0, "x"), 0, 1, 0, "sin");
    using S = Status;
    const struct { const char *name; Bytes bytes; S status; int slot; const char *words; } cases[] = {
        // Found by fuzzing: a file shorter than the magic that does not start like it.
        {"empty file", {}, S::Truncated, -1, "empty"}, {"one foreign byte", {0xA9}, S::BadMagic, -1, "CVD"},
        {"two magic bytes", {'C', 'V'}, S::Truncated, -1, "ends early"},
        {"lower-case magic", poked(0, 'c'), S::BadMagic, -1, "not a Corvanta"},
        {"cut in last", cut(5), S::Truncated, -1, "header"}, {"cut in colour", cut(33), S::Truncated, 0, "function 1"},
        {"cut in text", cut(43), S::StringTooLong, 0, "function 1"},
        {"slot 2 missing", cut(44), S::Truncated, 1, "function 2"},
        {"cut in second text", cut(good.size() - 1), S::StringTooLong, 1, "function 2"},
        {"last is 5", Header(5), S::BadSlotCount, -1, "6 functions"},
        {"last is huge", Header(0x7FFFFFFF), S::BadSlotCount, -1, "2147483648 functions"},
        {"last is int min", Header(kIntMin), S::BadSlotCount, -1, "functions"},
        {"NaN x scale", Header(-1, 1, std::nan("")), S::BadScale, -1, "x scale"},
        {"x scale above bound", Header(-1, 1, CViewState::kMaxScale * 2), S::BadScale, -1, "x scale"},
        {"y scale below bound", Header(-1, CViewState::kMinScale / 2), S::BadScale, -1, "y scale"},
        {"x pan beyond bound", Header(-1, 1, 1, CViewState::kMaxPan + 1), S::BadPan, -1, "x shift"},
        {"y pan int min", Header(-1, 1, 1, 0, kIntMin), S::BadPan, -1, "y shift"},
        {"width -1", WithSlotText("x", 0xFFFFFFFF), S::BadWidth, 0, "pen width of function 1"},
        {"width huge", WithSlotText("x", 1u << 30), S::BadWidth, 0, "out of range"},
        // A length that claims more than the file holds must not be believed (nor allocated).
        {"16-bit length past end", WithLengthBytes({0xFD, 0xFF, 'x'}), S::StringTooLong, 0, "past the end"},
        {"32-bit length 4 GiB", WithLengthBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}), S::StringTooLong, 0, "end"},
        {"cut inside 32-bit length", WithLengthBytes({0xFF, 0xFF, 0x01}), S::Truncated, 0, "ends early"},
        {"wide string marker", WithLengthBytes({0xFE, 0xFF, 0x01, 'x', 0}), S::BadLengthMark, 0, "function 1"},
        {"one trailing byte", trailing, S::TrailingData, -1, "1 unexpected bytes"},
        {"empty graph with a slot after it", slotAfterEmpty, S::TrailingData, -1, "unexpected"},
        {"blank text", WithSlotText("   "), S::EmptyText, 0, "empty"},
        {"too large", Bytes(CCvaFormat::kMaxFileSize + 1, 'C'), S::TooLarge, -1, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EqStore s = Sentinel();
        const auto r = CCvaFormat::Decode(c.bytes, s);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.slot, c.slot);
        EXPECT_NE(r.message.find(c.words), std::string::npos) << r.message;
        ExpectSentinel(s);
    }
    // Every shorter prefix of a good file is refused (the cuts above pin the messages).
    for (std::size_t k = 0; k < good.size(); ++k) {
        EqStore s = Sentinel();
        EXPECT_FALSE(CCvaFormat::Decode(good.data(), k, s).Ok()) << k;
        ExpectSentinel(s);
    }
    // A text the check refuses loads with the rest of the document, kept as
    // typed, drawing nothing, and named in the message.
    const struct { const char *name; std::vector<std::uint8_t> bytes; int slot; const char *words; } loaded[] = {
        {"coded letter", WithSlotText("F(x)"), 0, "\"f(x)\""},
        {"control bytes", WithSlotText(std::string("x\0\x01", 3)), 0, "\"x??\""},
        {"second text bad", secondBad, 1, "function 2"},
        {"empty brackets", WithSlotText("x-()"), 0, "not a valid function"},
    };
    for (const auto &c : loaded) {
        SCOPED_TRACE(c.name);
        EqStore s;
        const auto r = CCvaFormat::Decode(c.bytes, s);
        ASSERT_TRUE(r.Ok());
        EXPECT_EQ(r.invalidSlots, std::vector<int>{c.slot});
        EXPECT_NE(r.message.find(c.words), std::string::npos) << r.message;
        EXPECT_FALSE(s.m_aFunctions[c.slot].IsWellFormed());
        EXPECT_TRUE(std::isnan(s.m_aFunctions[c.slot].Evaluate(1.0)));
    }
    // A long bad text is shortened in the message.
    EqStore s;
    const auto r = CCvaFormat::Decode(WithSlotText(std::string(500, 'x') + "+"), s);
    ASSERT_TRUE(r.Ok());
    EXPECT_LT(r.message.size(), 140u);
    EXPECT_NE(r.message.find("...\""), std::string::npos);
}

// Every document kept with the sources reads and writes back byte for byte,
// and each one that is a document opens.
TEST(CvaFormat, KeptDocumentsWriteBackUnchanged)
{
    namespace fs = std::filesystem;
    int opened = 0;
    for (const char *dir : {"tests", "fuzz"}) {
        for (const auto &entry : fs::recursive_directory_iterator(fs::path(CORVANTA_SOURCE_DIR) / dir)) {
            const std::string path = entry.path().string();
            const bool corpus = path.find("/fuzz/doc/corpus/") != std::string::npos;
            if (!entry.is_regular_file() || (entry.path().extension() != ".cva" && !corpus))
                continue;
            SCOPED_TRACE(path);
            std::ifstream in(path, std::ios::binary);
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            EqStore store;
            const auto r = CCvaFormat::Decode(bytes, store);
            const bool broken = entry.path().filename().string().rfind("broken-", 0) == 0;
            if (!broken) {
                EXPECT_TRUE(r.Ok()) << r.message;
            }
            if (!r.Ok())
                continue;
            ++opened;
            // Texts are lower-cased when read, as typed ones are: a document
            // holding capitals writes back lower-cased, and is then stable.
            const auto written = CCvaFormat::Encode(store);
            if (path.find("upper") == std::string::npos) {
                EXPECT_EQ(written, bytes);
            } else {
                EqStore again;
                ASSERT_TRUE(CCvaFormat::Decode(written, again).Ok());
                EXPECT_EQ(CCvaFormat::Encode(again), written);
            }
        }
    }
    EXPECT_GT(opened, 3);
}

// The section after the last function, written out by hand.
Bytes Rec(std::uint8_t tag, const Bytes &payload)
{
    Bytes b = {tag};
    Put(b, payload.size(), 4).insert(b.end(), payload.begin(), payload.end());
    return b;
}

Bytes Section(const std::vector<Bytes> &records, std::uint16_t version = 1)
{
    Bytes body;
    for (const Bytes &r : records)
        body.insert(body.end(), r.begin(), r.end());
    Bytes b = {'C', 'V', 'X'};
    Put(Put(b, version, 2), body.size(), 4).insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes Param(std::uint8_t letter, double value, double min = -5, double max = 5, double step = 0.1)
{
    Bytes b = {letter};
    for (double d : {value, min, max, step})
        Put(b, std::bit_cast<std::uint64_t>(d), 8);
    return Rec(CvaSection::kParameter, b);
}

Bytes Labelled(Bytes b, const std::string &label)
{
    Put(b, label.size(), 2).insert(b.end(), label.begin(), label.end());
    return b;
}

Bytes Mark(std::uint8_t slot, std::uint8_t other = 0xFF, std::uint8_t kind = 0, std::uint8_t flags = 0, double x = 1,
           const std::string &label = "(1, 0)")
{
    Bytes b = {slot, other, kind, 0, flags};
    Put(Put(b, std::bit_cast<std::uint64_t>(x), 8), 0, 8);
    return Rec(CvaSection::kMark, Labelled(b, label));
}

Bytes Shade(std::uint8_t slot, double from, double to, const std::string &label = "Integral")
{
    Bytes b = {slot};
    Put(Put(b, std::bit_cast<std::uint64_t>(from), 8), std::bit_cast<std::uint64_t>(to), 8);
    return Rec(CvaSection::kShading, Labelled(b, label));
}

Bytes GoodWith(const Bytes &section)
{
    Bytes b = Good();
    b.insert(b.end(), section.begin(), section.end());
    return b;
}

// Only a record with something beyond the graph gets a section.
TEST(CvaSection, WrittenOnlyWithSomethingToHold)
{
    const std::size_t plain = CCvaFormat::Encode(Record({"x"})).size();
    const struct { const char *name; void (*apply)(EqStore &); bool section; } cases[] = {
        {"parameter set to its defaults", [](EqStore &s) { s.m_parameters.Of('a') = SParameter{}; }, false},
        {"mark on a slot the file lacks", [](EqStore &s) { s.m_results.marks.emplace_back().slot = 1; }, false},
        {"mark at NaN", [](EqStore &s) { s.m_results.marks.emplace_back().x = std::nan(""); }, false},
        {"shading under an absent slot", [](EqStore &s) { s.m_results.shading.emplace().slot = 3; }, false},
        {"parameter off its defaults", [](EqStore &s) { s.m_parameters.Of('a').value = 0.5; }, true},
        {"one mark", [](EqStore &s) { s.m_results.marks.push_back({}); }, true},
        {"legend", [](EqStore &s) { s.m_bShowLegend = true; }, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EqStore s = Record({"x"});
        c.apply(s);
        EXPECT_EQ(CCvaFormat::Encode(s).size() > plain, c.section);
    }
}

TEST(CvaSection, BrokenSectionsAreRefusedAndLeaveTheRecord)
{
    const double inf = std::numeric_limits<double>::infinity();
    Bytes cutHeader = Section({Param('a', 2)}), overlong = Section({Param('a', 2)}), huge = Section({Param('a', 2)});
    cutHeader.resize(5);
    Put(overlong, 0, 1);  // a byte the count does not cover
    huge[5] = huge[6] = huge[7] = huge[8] = 0xFF;
    Bytes recordPastEnd = Section({Rec(9, {1, 2, 3})}), shortParam = Section({Param('a', 2)}), manyMarks;
    recordPastEnd.back() = 0, recordPastEnd[10] = 9;  // claims 9 bytes, 3 follow
    shortParam.pop_back(), shortParam[5] -= 1, shortParam[10] -= 1;
    std::vector<Bytes> marks(CvaSection::kMaxMarks + 1, Mark(0));
    using S = Status;
    const struct { const char *name; Bytes section; S status; const char *words; } cases[] = {
        {"not a section", {'C', 'V', 'Y', 0}, S::TrailingData, "unexpected bytes"},
        {"cut in its header", cutHeader, S::Truncated, "ends early"},
        {"newer version", Section({}, 2), S::NewerSection, "newer version"},
        {"version 0", Section({}, 0), S::BadSection, "version"},
        {"byte after the count", overlong, S::BadSection, "but"},
        {"count beyond the file", huge, S::BadSection, "4294967295 bytes"},
        {"record cut in its header", Section({{7, 0}}), S::BadSection, "cut short"},
        {"record past the section", recordPastEnd, S::BadSection, "past its end"},
        {"parameter record short", shortParam, S::BadSection, "wrong length"},
        {"letter e", Section({Param('e', 2)}), S::BadParameter, "\"e\""},
        {"min above max", Section({Param('a', 2, 3, 1)}), S::BadParameter, "parameter a"},
        {"NaN value", Section({Param('b', std::nan(""))}), S::BadParameter, "not valid"},
        {"letter twice", Section({Param('k', 1.5), Param('k', 2)}), S::BadParameter, "twice"},
        {"mark off the functions", Section({Mark(2)}), S::BadMark, "function 3"},
        {"mark joins itself", Section({Mark(1, 1, 4)}), S::BadMark, "itself"},
        {"other slot off", Section({Mark(0, 7, 4)}), S::BadMark, "function 8"},
        {"unknown kind", Section({Mark(0, 0xFF, 5)}), S::BadMark, "kind"},
        {"infinite x", Section({Mark(0, 0xFF, 0, 0, inf)}), S::BadMark, "finite"},
        {"label too long", Section({Mark(0, 0xFF, 0, 0, 1, std::string(1025, 'y'))}), S::BadMark, "1024"},
        {"control byte in label", Section({Mark(0, 0xFF, 0, 0, 1, "a\tb")}), S::BadMark, "control"},
        {"two highlighted", Section({Mark(0, 0xFF, 0, 1), Mark(1, 0xFF, 0, 1)}), S::BadMark, "more than one"},
        {"too many marks", Section(marks), S::BadMark, "10000"},
        {"shading limits reversed", Section({Shade(0, 2, 1)}), S::BadShading, "limits"},
        {"shading under absent slot", Section({Shade(4, 0, 1)}), S::BadShading, "function 5"},
        {"two shadings", Section({Shade(0, 0, 1), Shade(1, 0, 1)}), S::BadShading, "more than one"},
        {"legend twice", Section({Rec(4, {1}), Rec(4, {0})}), S::BadSection, "twice"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EqStore s = Sentinel();
        const auto r = CCvaFormat::Decode(GoodWith(c.section), s);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.message.find(c.words), std::string::npos) << r.message;
        ExpectSentinel(s);
    }
    // A mark needs a function: after an empty graph, none is held.
    Bytes empty = Header(-1), section = Section({Mark(0)});
    empty.insert(empty.end(), section.begin(), section.end());
    EqStore s = Sentinel();
    EXPECT_EQ(CCvaFormat::Decode(empty, s).status, S::BadMark);
    // Every cut inside a good section is refused.
    const Bytes full = GoodWith(Section({Param('a', 0.1), Mark(0, 1, 4, 1), Shade(1, -1, 1), Rec(4, {1})}));
    for (std::size_t k = Good().size() + 1; k < full.size(); ++k)
        EXPECT_FALSE(CCvaFormat::Decode(full.data(), k, s).Ok()) << k;
    ExpectSentinel(s);
}

// A later version's records and mark flags are passed over; what this
// version knows still reads.
TEST(CvaSection, UnknownRecordsAreSkipped)
{
    EqStore s;
    const auto r = CCvaFormat::Decode(
        GoodWith(Section({Rec(200, Bytes(40, 0xEE)), Param('w', -2), Rec(0, {}), Mark(1, 0, 4, 0x81), Rec(4, {1})})),
        s);
    ASSERT_TRUE(r.Ok()) << r.message;
    EXPECT_EQ(s.m_parameters.SetLetters(), "w");
    EXPECT_EQ(s.m_parameters.Of('w').value, -2);
    ASSERT_EQ(s.m_results.marks.size(), 1u);
    EXPECT_EQ(s.m_results.marks[0].otherSlot, 0);
    EXPECT_EQ(s.m_results.marks[0].kind, EMarkKind::Intersection);
    EXPECT_EQ(s.m_results.highlighted, 0);
    EXPECT_TRUE(s.m_bShowLegend);
    // Written again, only the known records remain.
    EXPECT_EQ(CCvaFormat::Encode(s), GoodWith(Section({Param('w', -2), Mark(1, 0, 4, 1), Rec(4, {1})})));
}

// One view bound to one document, as the graph view and CCorvantaDoc are.
struct Pair
{
    SGraphState view;
    EqStore record, snapshot;
    bool newDocument = false;
    std::vector<bool> clears;  // recentre flag of each Clear Graph

    CDocumentSync::Outcome Sync()
    {
        return CDocumentSync::Sync(view, record, snapshot, newDocument, [this](bool recentre) {
            clears.push_back(recentre);
            CDocumentSync::ClearView(view, recentre);
        });
    }
};

// A pair after start-up (the new document's first synchronisation) showing the texts.
Pair Started(const std::vector<std::string> &texts)
{
    Pair p;
    p.newDocument = true;
    p.Sync();
    p.view = Record(texts);
    p.Sync();
    return p;
}

TEST(DocumentSync, NewDocumentClearsTwiceAndStaysUnmodified)
{
    Pair p;
    p.view = Record({"x", "x^2"});
    p.view.m_dScaleX = 4, p.view.m_nPanY = 9;
    p.newDocument = true;
    const auto o = p.Sync();
    EXPECT_FALSE(o.setModified || o.loaded || p.newDocument);
    EXPECT_EQ(p.clears, (std::vector<bool>{false, true}));
    // The redraw after the recentring leaves the record as the empty graph's file.
    p.Sync();
    EXPECT_EQ(CCvaFormat::Encode(p.record), CCvaFormat::Encode(Record({})));
}

// Each change to the view after a clean synchronisation, and whether the
// next synchronisation marks the document modified.
TEST(DocumentSync, ModifiedFlagFollowsEveryChange)
{
    const struct { const char *name; void (*apply)(SGraphState &); bool modifies; } changes[] = {
        {"nothing", [](SGraphState &) {}, false},
        {"plot a function", [](SGraphState &v) { v.m_nLast = 2; v.m_aFunctions[2].SetExpression("x^3"); }, true},
        {"pen colour only", [](SGraphState &v) { v.m_aColor[1] = 0x00FF0000; }, true},
        {"pen width only", [](SGraphState &v) { v.m_aWidth[0] = 3; }, true},
        {"derivative flag", [](SGraphState &v) { v.m_aDerivativeShown[1] = true; }, true},
        {"x scale", [](SGraphState &v) { v.m_dScaleX *= 2; }, true},
        {"y scale", [](SGraphState &v) { v.m_dScaleY *= 0.5; }, true},
        {"x pan", [](SGraphState &v) { v.m_nPanX += 1; }, true},
        {"y pan", [](SGraphState &v) { v.m_nPanY -= 1; }, true},
        {"other text, other code", [](SGraphState &v) { v.m_aFunctions[0].SetExpression("x*x"); }, true},
        {"other blanks, same code", [](SGraphState &v) { v.m_aFunctions[0].SetExpression(" x ^ 2 "); }, false},
        {"recompiled the same", [](SGraphState &v) { v.m_aFunctions[1].SetExpression("sin(x)"); }, false},
        // Slots above last are not in the file, so they cannot matter.
        {"pen above last", [](SGraphState &v) { v.m_aColor[4] = 0x123456; v.m_aWidth[4] = 5; }, false},
        {"clear graph", [](SGraphState &v) { CDocumentSync::ClearView(v, false); }, true},
    };
    for (const auto &c : changes) {
        SCOPED_TRACE(c.name);
        Pair p = Started({"x^2", "sin(x)"});
        const SGraphState before = p.view;
        c.apply(p.view);
        // The undo history's comparison of two views agrees.
        EXPECT_EQ(CDocumentSync::Differs(before, p.view), c.modifies);
        EXPECT_EQ(ChangeName(before, p.view).empty(), !c.modifies);
        EXPECT_EQ(p.Sync().setModified, c.modifies);
        EXPECT_FALSE(p.Sync().setModified);  // the snapshot has caught up
    }
}

TEST(DocumentSync, FreshlyReadRecordReplacesTheView)
{
    Pair author = Started({"x^2", "x^3", "ln(x)"});
    author.view.m_aDerivativeShown[1] = true;
    author.view.m_aColor[2] = 0x00ABCDEF;
    author.view.m_aWidth[2] = 4;
    author.view.m_dScaleX = 8, author.view.m_nPanY = 21;
    EXPECT_TRUE(author.Sync().setModified);
    const auto bytes = CCvaFormat::Encode(author.record);

    Pair p = Started({"cos(x)", "x", "x+1", "x+2", "x+3"});
    ASSERT_TRUE(CCvaFormat::Decode(bytes, p.record).Ok());
    const auto o = p.Sync();
    EXPECT_TRUE(o.loaded && !o.setModified && p.record.m_bSynced);
    EXPECT_EQ(p.view.m_nLast, 2);
    EXPECT_DOUBLE_EQ(p.view.m_aFunctions[2].Evaluate(2.0), std::log(2.0));
    // Slots above the file's last are emptied, so nothing draws them.
    EXPECT_TRUE(p.view.m_aFunctions[3].m_strCoded.empty() && p.view.m_aFunctions[4].m_strText.empty());
    // The redraw that follows finds nothing changed and copies the view back
    // into the record: every field (flags, pens, scales, pans) arrived.
    EXPECT_FALSE(p.Sync().setModified);
    EXPECT_EQ(CCvaFormat::Encode(p.record), bytes);

    // A file that was not a document leaves the view as it was.
    p.record.m_bSynced = false;
    p.record.m_bBadFile = true;
    EXPECT_FALSE(p.Sync().loaded);
    EXPECT_TRUE(p.record.m_bSynced);
    EXPECT_EQ(p.view.m_nLast, 2);
    EXPECT_EQ(p.view.m_aFunctions[0].m_strText, "x^2");
}

}  // namespace
