#include "core/doc/CvaFormat.h"

#include "core/plot/ViewState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Status = CCvaFormat::Status;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

// A record as the view leaves it after plotting the given texts.
EqStore Record(const std::vector<std::string> &texts, double scaleX = 1.0, double scaleY = 1.0, std::int32_t panX = 0,
               std::int32_t panY = 0)
{
    EqStore s;
    s.m_nLast = static_cast<std::int32_t>(texts.size()) - 1;
    s.m_dScaleX = scaleX;
    s.m_dScaleY = scaleY;
    s.m_nPanX = panX;
    s.m_nPanY = panY;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        s.m_aFunctions[i].SetExpression(texts[i]);
        s.m_aColor[i] = 0x000000FF;
        s.m_aWidth[i] = 1;
    }
    return s;
}

void AppendU32(Bytes &b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// Header bytes for last, scales and pans, written out by hand.
Bytes Header(std::int32_t last, double scaleY = 1, double scaleX = 1, std::int32_t panX = 0, std::int32_t panY = 0)
{
    Bytes b = {'C', 'V', 'D'};
    AppendU32(b, static_cast<std::uint32_t>(last));
    for (double d : {scaleY, scaleX}) {
        std::uint64_t bits;
        std::memcpy(&bits, &d, 8);
        AppendU32(b, static_cast<std::uint32_t>(bits));
        AppendU32(b, static_cast<std::uint32_t>(bits >> 32));
    }
    AppendU32(b, static_cast<std::uint32_t>(panX));
    AppendU32(b, static_cast<std::uint32_t>(panY));
    return b;
}

Bytes &AppendSlot(Bytes &b, std::uint32_t color, std::uint32_t width, std::uint8_t flag, const std::string &text)
{
    AppendU32(b, color);
    AppendU32(b, width);
    b.push_back(flag);
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

Bytes Cut(std::size_t size)
{
    Bytes b = Good();
    b.resize(size);
    return b;
}
Bytes Poked(std::size_t at, std::uint8_t value)
{
    Bytes b = Good();
    b[at] = value;
    return b;
}

TEST(CvaLayout, EmptyGraphAndSquareOfXByteForByte)
{
    const Bytes empty = {'C', 'V', 'D', 0xFF, 0xFF, 0xFF, 0xFF,
                         0, 0, 0, 0, 0, 0, 0xF0, 0x3F,  // y scale 1.0
                         0, 0, 0, 0, 0, 0, 0xF0, 0x3F,  // x scale 1.0
                         0, 0, 0, 0,                    // x pan
                         0, 0, 0, 0};                   // y pan
    EXPECT_EQ(CCvaFormat::Encode(Record({})), empty);

    Bytes square = empty;
    square[3] = square[4] = square[5] = square[6] = 0;
    const Bytes slot = {0xFF, 0, 0, 0, 1, 0, 0, 0, 0, 3, 'x', '^', '2'};
    square.insert(square.end(), slot.begin(), slot.end());
    EXPECT_EQ(CCvaFormat::Encode(Record({"x^2"})), square);
    EXPECT_EQ(square.size(), 44u);
}

TEST(CvaLayout, FieldOrderAndDerivativeFlag)
{
    EqStore s = Record({"x", "x^3"}, 0.5, 2.0, -3, 0x01020304);
    s.m_aFunctions[1].m_bDerivativeShown = true;
    const Bytes b = CCvaFormat::Encode(s);
    EXPECT_EQ(Bytes(b.begin() + 7, b.begin() + 15), (Bytes{0, 0, 0, 0, 0, 0, 0x00, 0x40}));   // y scale 2
    EXPECT_EQ(Bytes(b.begin() + 15, b.begin() + 23), (Bytes{0, 0, 0, 0, 0, 0, 0xE0, 0x3F}));  // x scale 0.5
    EXPECT_EQ(Bytes(b.begin() + 23, b.begin() + 27), (Bytes{0xFD, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(b.begin() + 27, b.begin() + 31), (Bytes{0x04, 0x03, 0x02, 0x01}));
    EXPECT_EQ(b[31 + 8], 0);                   // slot 0 flag
    EXPECT_EQ(b[31 + 8 + 1 + 1 + 1 + 8], 1);  // slot 1 flag after "x" (count + 1 char)
}

// Counted strings around the points where the length form changes.
TEST(CvaLayout, CountedStringPrefixesAndRoundTrip)
{
    const std::pair<std::size_t, Bytes> cases[] = {
        {1, {0x01}}, {254, {0xFE}}, {255, {0xFF, 0xFF, 0x00}}, {256, {0xFF, 0x00, 0x01}},
        {65533, {0xFF, 0xFD, 0xFF}}, {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}}, {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}};
    for (const auto &[length, prefix] : cases) {
        SCOPED_TRACE(length);
        const std::string text(length, '1');  // digits only: a valid function of any length
        Bytes out;
        CCvaFormat::AppendCountedString(out, text);
        ASSERT_EQ(out.size(), prefix.size() + length);
        EXPECT_EQ(Bytes(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(prefix.size())), prefix);
        EqStore read;
        const auto r = CCvaFormat::Decode(CCvaFormat::Encode(Record({text})), read);
        ASSERT_TRUE(r.Ok()) << r.message;
        EXPECT_EQ(read.m_aFunctions[0].m_strText, text);
    }
}

TEST(CvaRoundTrip, EveryField)
{
    const double tiny = CViewState::kMinScale, huge = CViewState::kMaxScale;
    const std::int32_t maxPan = CViewState::kMaxPan;
    const EqStore cases[] = {
        Record({}),
        Record({"x^2"}, 0.125, 16.0, -250, 77),
        Record({"sin(x)", "cos(x)", "x", "1/x", "ln(x)"}, tiny, huge, -maxPan, maxPan),
        Record({"2*x+1", "x^0.5"}, huge, tiny, 1, -1),
    };
    int round = 0;
    for (EqStore w : cases) {
        SCOPED_TRACE(round);
        for (int i = 0; i <= w.m_nLast; ++i) {
            w.m_aColor[i] = 0x00123456u * static_cast<std::uint32_t>(i + 1) + static_cast<std::uint32_t>(round);
            w.m_aWidth[i] = 1 + (i + round) % 5;
            w.m_aFunctions[i].m_bDerivativeShown = (i + round) % 2 == 1;
        }
        EqStore r;
        r.m_bSynced = true;
        r.m_bBadFile = true;
        const auto res = CCvaFormat::Decode(CCvaFormat::Encode(w), r);
        ASSERT_TRUE(res.Ok()) << res.message;
        EXPECT_FALSE(r.m_bSynced);
        EXPECT_FALSE(r.m_bBadFile);
        EXPECT_EQ(r.m_achMagicRead, (std::array<char, 3>{'C', 'V', 'D'}));
        // Written again, the file is the same byte for byte: every field came back
        // (the layout tests pin where each one is written).
        EXPECT_EQ(CCvaFormat::Encode(r), CCvaFormat::Encode(w));
        for (int i = 0; i <= w.m_nLast; ++i) {  // compiled on reading: evaluates as the original does
            const double a = r.m_aFunctions[i].Evaluate(0.7), b = w.m_aFunctions[i].Evaluate(0.7);
            EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << a << " " << b;
        }
        ++round;
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
    AppendSlot(b, 0xFF, 1, 0x80, "SIN(X)");
    AppendSlot(b, 0xFF, 1, 0, "X^2 + 1");
    s = Record({"x", "x^2", "x^3"});
    const auto r = CCvaFormat::Decode(b, s);
    ASSERT_TRUE(r.Ok()) << r.message;
    EXPECT_TRUE(s.m_aFunctions[0].m_bDerivativeShown);
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
    s.m_aFunctions[1].m_bDerivativeShown = true;
    s.m_bSynced = true;
    s.m_bBadFile = false;
    s.m_achMagicRead = {'q', 'r', 's'};
    return s;
}

void ExpectSentinel(const EqStore &s)
{
    EXPECT_EQ(CCvaFormat::Encode(s), CCvaFormat::Encode(Sentinel()));
    EXPECT_TRUE(s.m_bSynced);
    EXPECT_FALSE(s.m_bBadFile);
    EXPECT_EQ(s.m_achMagicRead, (std::array<char, 3>{'q', 'r', 's'}));
    EXPECT_EQ(s.m_aFunctions[0].m_strCoded, CodeExpression("x+1") + ")");
}

struct Refusal
{
    const char *name;
    Bytes bytes;
    Status status;
    int slot;
    const char *words;  // part of the message
};

TEST(CvaRefusal, LeavesTheRecordUntouchedAndSaysWhy)
{
    Bytes trailing = Good();
    trailing.push_back(0);
    Bytes slotAfterEmpty = Header(-1);
    AppendSlot(slotAfterEmpty, 0, 1, 0, "x");
    Bytes secondBad = Header(1);
    AppendSlot(AppendSlot(secondBad, 0, 1, 0, "x"), 0, 1, 0, "sin");
    const Refusal cases[] = {
        {"empty file", {}, Status::Truncated, -1, "empty"},
        // Found by fuzzing: a file shorter than the magic that does not start like it.
        {"one foreign byte", {0xA9}, Status::BadMagic, -1, "CVD"},
        {"two foreign bytes", {'C', 'X'}, Status::BadMagic, -1, "CVD"},
        {"two magic bytes", {'C', 'V'}, Status::Truncated, -1, "ends early"},
        {"wrong magic", Poked(2, 'X'), Status::BadMagic, -1, "CVD"},
        {"lower-case magic", Poked(0, 'c'), Status::BadMagic, -1, "not a Corvanta"},
        {"cut in last", Cut(5), Status::Truncated, -1, "header"},
        {"cut in colour", Cut(33), Status::Truncated, 0, "function 1"},
        {"cut in text", Cut(43), Status::StringTooLong, 0, "function 1"},
        {"second slot missing", Cut(44), Status::Truncated, 1, "function 2"},
        {"cut in second text", Cut(Good().size() - 1), Status::StringTooLong, 1, "function 2"},
        {"last is 5", Header(5), Status::BadSlotCount, -1, "6 functions"},
        {"last is -2", Header(-2), Status::BadSlotCount, -1, "-1 functions"},
        {"last is huge", Header(0x7FFFFFFF), Status::BadSlotCount, -1, "2147483648 functions"},
        {"last is int min", Header(kIntMin), Status::BadSlotCount, -1, "functions"},
        {"NaN x scale", Header(-1, 1, std::nan("")), Status::BadScale, -1, "x scale"},
        {"negative y scale", Header(-1, -1), Status::BadScale, -1, "y scale"},
        {"zero x scale", Header(-1, 1, 0.0), Status::BadScale, -1, "x scale"},
        {"infinite y scale", Header(-1, kInf), Status::BadScale, -1, "y scale"},
        {"x scale above bound", Header(-1, 1, CViewState::kMaxScale * 2), Status::BadScale, -1, "x scale"},
        {"y scale below bound", Header(-1, CViewState::kMinScale / 2), Status::BadScale, -1, "y scale"},
        {"x pan beyond bound", Header(-1, 1, 1, CViewState::kMaxPan + 1), Status::BadPan, -1, "x shift"},
        {"y pan int min", Header(-1, 1, 1, 0, kIntMin), Status::BadPan, -1, "y shift"},
        {"width -1", WithSlotText("x", 0xFFFFFFFF), Status::BadWidth, 0, "pen width of function 1"},
        {"width huge", WithSlotText("x", 1u << 30), Status::BadWidth, 0, "out of range"},
        // A length that claims more than the file holds must not be believed (nor allocated).
        {"16-bit length past end", WithLengthBytes({0xFD, 0xFF, 'x'}), Status::StringTooLong, 0, "past the end"},
        {"32-bit length 4 GiB", WithLengthBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}), Status::StringTooLong, 0,
         "past the end"},
        {"cut inside 32-bit length", WithLengthBytes({0xFF, 0xFF, 0x01}), Status::Truncated, 0, "ends early"},
        {"wide string marker", WithLengthBytes({0xFE, 0xFF, 0x01, 'x', 0}), Status::BadLengthMark, 0, "function 1"},
        {"one trailing byte", trailing, Status::TrailingData, -1, "1 unexpected bytes"},
        {"empty graph with a slot after it", slotAfterEmpty, Status::TrailingData, -1, "unexpected"},
        {"empty text", WithSlotText(""), Status::EmptyText, 0, "empty"},
        {"blank text", WithSlotText("   "), Status::EmptyText, 0, "empty"},
        {"invalid character", WithSlotText("x$2"), Status::BadSyntax, 0, "invalid characters"},
        {"coded letter", WithSlotText("A(x)"), Status::BadSyntax, 0, "\"a(x)\""},
        {"operator syntax", WithSlotText("x+"), Status::BadSyntax, 0, "invalid operator syntax"},
        {"brackets", WithSlotText("(x+1"), Status::BadSyntax, 0, "unbalanced brackets"},
        {"control bytes", WithSlotText(std::string("x\0\x01", 3)), Status::BadSyntax, 0, "\"x??\""},
        {"second text bad", secondBad, Status::BadSyntax, 1, "function 2"},
        {"too large", Bytes(CCvaFormat::kMaxFileSize + 1, 'C'), Status::TooLarge, -1, ""},
    };
    for (const Refusal &c : cases) {
        SCOPED_TRACE(c.name);
        EqStore s = Sentinel();
        const auto r = CCvaFormat::Decode(c.bytes, s);
        EXPECT_FALSE(r.Ok());
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.slot, c.slot);
        EXPECT_NE(r.message.find(c.words), std::string::npos) << r.message;
        ExpectSentinel(s);
    }
    // Every shorter prefix of a good file is refused (the cuts above pin the messages).
    const Bytes good = Good();
    for (std::size_t k = 0; k < good.size(); ++k) {
        EqStore s = Sentinel();
        EXPECT_FALSE(CCvaFormat::Decode(good.data(), k, s).Ok()) << k;
        ExpectSentinel(s);
    }
    EqStore s;
    EXPECT_TRUE(CCvaFormat::Decode(good, s).Ok());
    // A long bad text is shortened in the message.
    const auto r = CCvaFormat::Decode(WithSlotText(std::string(500, 'x') + "+"), s);
    ASSERT_EQ(r.status, Status::BadSyntax);
    EXPECT_LT(r.message.size(), 120u);
    EXPECT_NE(r.message.find("...\""), std::string::npos);
}

#ifdef CVA_CORPUS_DIR
// The fuzzer's seed files: the valid ones read, the broken ones and every
// input that once crashed the reader are refused.
TEST(CvaCorpus, SeedsReadOrAreRefusedByName)
{
    int count = 0;
    for (const auto &entry : std::filesystem::directory_iterator(CVA_CORPUS_DIR)) {
        const std::string name = entry.path().filename().string();
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EqStore s;
        const auto r = CCvaFormat::Decode(bytes, s);
        EXPECT_EQ(r.Ok(), name.rfind("valid-", 0) == 0) << name << ": " << r.message;
        ++count;
    }
    EXPECT_GE(count, 10);
}
#endif

}  // namespace
