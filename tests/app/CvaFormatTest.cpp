#include "app/CvaFormat.h"

#include "view/ViewState.h"

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

Bytes FromString(const std::string &s)
{
    return Bytes(s.begin(), s.end());
}

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

// Header bytes for last, scales and pans, written out by hand.
Bytes Header(std::int32_t last, double scaleY, double scaleX, std::int32_t panX, std::int32_t panY)
{
    Bytes b = {'C', 'V', 'D'};
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto dbl = [&](double d) {
        std::uint64_t bits;
        std::memcpy(&bits, &d, 8);
        for (int i = 0; i < 8; ++i)
            b.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    };
    u32(static_cast<std::uint32_t>(last));
    dbl(scaleY);
    dbl(scaleX);
    u32(static_cast<std::uint32_t>(panX));
    u32(static_cast<std::uint32_t>(panY));
    return b;
}

void AppendSlot(Bytes &b, std::uint32_t color, std::uint32_t width, std::uint8_t flag, const std::string &text)
{
    for (std::uint32_t v : {color, width})
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    b.push_back(flag);
    CCvaFormat::AppendCountedString(b, text);
}

TEST(CvaLayout, EmptyGraphIsThirtyOneBytes)
{
    const Bytes expected = {'C', 'V', 'D', 0xFF, 0xFF, 0xFF, 0xFF,
                            0, 0, 0, 0, 0, 0, 0xF0, 0x3F,  // y scale 1.0
                            0, 0, 0, 0, 0, 0, 0xF0, 0x3F,  // x scale 1.0
                            0, 0, 0, 0,                    // x pan
                            0, 0, 0, 0};                   // y pan
    const Bytes written = CCvaFormat::Encode(Record({}));
    ASSERT_EQ(written.size(), 31u);
    EXPECT_EQ(written, expected);
}

TEST(CvaLayout, SquareOfXInSlotZero)
{
    Bytes expected = Header(0, 1.0, 1.0, 0, 0);
    const Bytes slot = {0xFF, 0, 0, 0, 1, 0, 0, 0, 0, 3, 'x', '^', '2'};
    expected.insert(expected.end(), slot.begin(), slot.end());
    EXPECT_EQ(CCvaFormat::Encode(Record({"x^2"})), expected);
    EXPECT_EQ(expected.size(), 44u);
}

TEST(CvaLayout, YScaleBeforeXScaleAndXPanBeforeYPan)
{
    const Bytes b = CCvaFormat::Encode(Record({}, 0.5, 2.0, -3, 0x01020304));
    const Bytes yScale2 = {0, 0, 0, 0, 0, 0, 0x00, 0x40};
    const Bytes xScaleHalf = {0, 0, 0, 0, 0, 0, 0xE0, 0x3F};
    EXPECT_EQ(Bytes(b.begin() + 7, b.begin() + 15), yScale2);
    EXPECT_EQ(Bytes(b.begin() + 15, b.begin() + 23), xScaleHalf);
    EXPECT_EQ(Bytes(b.begin() + 23, b.begin() + 27), (Bytes{0xFD, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(b.begin() + 27, b.begin() + 31), (Bytes{0x04, 0x03, 0x02, 0x01}));
}

TEST(CvaLayout, DerivativeFlagIsWrittenAsOne)
{
    EqStore s = Record({"x", "x^3"});
    s.m_aFunctions[1].m_bDerivativeShown = true;
    const Bytes b = CCvaFormat::Encode(s);
    EXPECT_EQ(b[31 + 8], 0);                    // slot 0 flag
    EXPECT_EQ(b[31 + 8 + 1 + 1 + 1 + 8], 1);   // slot 1 flag after "x" (count + 1 char)
}

// Counted strings around the points where the length form changes.
struct CountedCase
{
    std::size_t length;
    Bytes prefix;
};

class CvaCountedString : public ::testing::TestWithParam<CountedCase>
{
};

TEST_P(CvaCountedString, PrefixAndRoundTrip)
{
    const CountedCase &c = GetParam();
    const std::string text(c.length, '1');  // digits only: a valid function of any length
    Bytes out;
    CCvaFormat::AppendCountedString(out, text);
    ASSERT_EQ(out.size(), c.prefix.size() + c.length);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(c.prefix.size())), c.prefix);

    EqStore written = Record({text});
    EqStore read;
    const auto r = CCvaFormat::Decode(CCvaFormat::Encode(written), read);
    ASSERT_TRUE(r.Ok()) << r.message;
    EXPECT_EQ(read.m_aFunctions[0].m_strText, text);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, CvaCountedString,
    ::testing::Values(CountedCase{1, {0x01}}, CountedCase{254, {0xFE}}, CountedCase{255, {0xFF, 0xFF, 0x00}},
                      CountedCase{256, {0xFF, 0x00, 0x01}}, CountedCase{65533, {0xFF, 0xFD, 0xFF}},
                      CountedCase{65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                      CountedCase{65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
                      CountedCase{70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}));

TEST(CvaRead, LongFormOfAShortLengthIsAccepted)
{
    Bytes b = Header(0, 1, 1, 0, 0);
    const Bytes slot = {1, 0, 0, 0, 2, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 'x'};
    b.insert(b.end(), slot.begin(), slot.end());
    EqStore s;
    ASSERT_TRUE(CCvaFormat::Decode(b, s).Ok());
    EXPECT_EQ(s.m_aFunctions[0].m_strText, "x");
}

TEST(CvaRoundTrip, EveryField)
{
    const double tiny = CViewState::kMinScale;
    const double huge = CViewState::kMaxScale;
    const std::int32_t maxPan = CViewState::kMaxPan;
    struct Case
    {
        std::vector<std::string> texts;
        double sx, sy;
        std::int32_t px, py;
    };
    const Case cases[] = {
        {{}, 1.0, 1.0, 0, 0},
        {{"x^2"}, 0.125, 16.0, -250, 77},
        {{"sin(x)", "cos(x)", "x", "1/x", "ln(x)"}, tiny, huge, -maxPan, maxPan},
        {{"2*x+1", "x^0.5"}, huge, tiny, 1, -1},
    };
    int round = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(round);
        EqStore w = Record(c.texts, c.sx, c.sy, c.px, c.py);
        for (int i = 0; i < static_cast<int>(c.texts.size()); ++i) {
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
        EXPECT_EQ(r.m_nLast, w.m_nLast);
        EXPECT_EQ(std::memcmp(&r.m_dScaleX, &w.m_dScaleX, sizeof(double)), 0);
        EXPECT_EQ(std::memcmp(&r.m_dScaleY, &w.m_dScaleY, sizeof(double)), 0);
        EXPECT_EQ(r.m_nPanX, w.m_nPanX);
        EXPECT_EQ(r.m_nPanY, w.m_nPanY);
        for (int i = 0; i <= w.m_nLast; ++i) {
            EXPECT_EQ(r.m_aColor[i], w.m_aColor[i]);
            EXPECT_EQ(r.m_aWidth[i], w.m_aWidth[i]);
            EXPECT_EQ(r.m_aFunctions[i].m_bDerivativeShown, w.m_aFunctions[i].m_bDerivativeShown);
            EXPECT_EQ(r.m_aFunctions[i].m_strText, w.m_aFunctions[i].m_strText);
            // Compiled on reading: evaluates as the original does.
            const double a = r.m_aFunctions[i].Evaluate(0.7);
            const double b = w.m_aFunctions[i].Evaluate(0.7);
            EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << a << " " << b;
        }
        // Written again, the file is the same byte for byte.
        EXPECT_EQ(CCvaFormat::Encode(r), CCvaFormat::Encode(w));
        ++round;
    }
}

TEST(CvaRead, AnyNonZeroFlagReadsAsTrue)
{
    Bytes b = Header(0, 1, 1, 0, 0);
    AppendSlot(b, 0xFF, 1, 0x80, "x");
    EqStore s;
    ASSERT_TRUE(CCvaFormat::Decode(b, s).Ok());
    EXPECT_TRUE(s.m_aFunctions[0].m_bDerivativeShown);
}

TEST(CvaRead, TextsAreLowerCasedAsTyped)
{
    Bytes b = Header(1, 1, 1, 0, 0);
    AppendSlot(b, 0xFF, 1, 0, "SIN(X)");
    AppendSlot(b, 0xFF, 1, 0, "X^2 + 1");
    EqStore s;
    const auto r = CCvaFormat::Decode(b, s);
    ASSERT_TRUE(r.Ok()) << r.message;
    EXPECT_EQ(s.m_aFunctions[0].m_strText, "sin(x)");
    EXPECT_DOUBLE_EQ(s.m_aFunctions[0].Evaluate(0.5), std::sin(0.5));
    EXPECT_DOUBLE_EQ(s.m_aFunctions[1].Evaluate(3), 10.0);
}

TEST(CvaRead, SlotsAboveLastAreLeftAlone)
{
    EqStore s = Record({"x", "x^2", "x^3"});
    ASSERT_TRUE(CCvaFormat::Decode(CCvaFormat::Encode(Record({"1/x"})), s).Ok());
    EXPECT_EQ(s.m_nLast, 0);
    EXPECT_EQ(s.m_aFunctions[0].m_strText, "1/x");
    EXPECT_EQ(s.m_aFunctions[2].m_strText, "x^3");
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

Bytes Good()
{
    Bytes b = Header(1, 1, 1, 0, 0);
    AppendSlot(b, 0xFF, 1, 0, "x^2");
    AppendSlot(b, 0xFF00, 2, 1, "sin(x)");
    return b;
}

Bytes Cut(std::size_t n)
{
    Bytes b = Good();
    b.resize(n);
    return b;
}

Bytes WithSlotText(const std::string &text)
{
    Bytes b = Header(0, 1, 1, 0, 0);
    AppendSlot(b, 0xFF, 1, 0, text);
    return b;
}

std::vector<Refusal> Refusals()
{
    std::vector<Refusal> r;
    r.push_back({"empty file", {}, Status::Truncated, -1, "empty"});
    // Found by fuzzing: a file shorter than the magic that does not start like it.
    r.push_back({"one foreign byte", Bytes{0xA9}, Status::BadMagic, -1, "CVD"});
    r.push_back({"two foreign bytes", FromString("CX"), Status::BadMagic, -1, "CVD"});
    r.push_back({"two magic bytes", FromString("CV"), Status::Truncated, -1, "ends early"});
    r.push_back({"wrong magic", [] { Bytes b = Good(); b[2] = 'X'; return b; }(), Status::BadMagic, -1, "CVD"});
    r.push_back({"lower-case magic", [] { Bytes b = Good(); b[0] = 'c'; return b; }(), Status::BadMagic, -1, "not a Corvanta"});
    r.push_back({"text file", FromString("hello world, this is not a graph at all"), Status::BadMagic, -1, "CVD"});
    r.push_back({"cut in last", Cut(5), Status::Truncated, -1, "header"});
    r.push_back({"cut in scales", Cut(20), Status::Truncated, -1, "header"});
    r.push_back({"cut in pans", Cut(30), Status::Truncated, -1, "header"});
    r.push_back({"cut in colour", Cut(33), Status::Truncated, 0, "function 1"});
    r.push_back({"cut before flag", Cut(39), Status::Truncated, 0, "function 1"});
    r.push_back({"cut before count", Cut(40), Status::Truncated, 0, "function 1"});
    r.push_back({"cut in text", Cut(43), Status::StringTooLong, 0, "function 1"});
    r.push_back({"second slot missing", Cut(44), Status::Truncated, 1, "function 2"});
    r.push_back({"cut in second text", Cut(Good().size() - 1), Status::StringTooLong, 1, "function 2"});
    r.push_back({"last is 5", Header(5, 1, 1, 0, 0), Status::BadSlotCount, -1, "6 functions"});
    r.push_back({"last is -2", Header(-2, 1, 1, 0, 0), Status::BadSlotCount, -1, "-1 functions"});
    r.push_back({"last is huge", Header(0x7FFFFFFF, 1, 1, 0, 0), Status::BadSlotCount, -1, "2147483648 functions"});
    r.push_back({"last is int min", Header(std::numeric_limits<std::int32_t>::min(), 1, 1, 0, 0), Status::BadSlotCount,
                 -1, "functions"});
    r.push_back({"NaN x scale", Header(-1, 1, std::nan(""), 0, 0), Status::BadScale, -1, "x scale"});
    r.push_back({"negative y scale", Header(-1, -1, 1, 0, 0), Status::BadScale, -1, "y scale"});
    r.push_back({"zero x scale", Header(-1, 1, 0.0, 0, 0), Status::BadScale, -1, "x scale"});
    r.push_back({"infinite y scale", Header(-1, std::numeric_limits<double>::infinity(), 1, 0, 0), Status::BadScale,
                 -1, "y scale"});
    r.push_back({"x scale above the view's bound", Header(-1, 1, CViewState::kMaxScale * 2, 0, 0), Status::BadScale,
                 -1, "x scale"});
    r.push_back({"y scale below the view's bound", Header(-1, CViewState::kMinScale / 2, 1, 0, 0), Status::BadScale,
                 -1, "y scale"});
    r.push_back({"x pan beyond bound", Header(-1, 1, 1, CViewState::kMaxPan + 1, 0), Status::BadPan, -1, "x shift"});
    r.push_back({"y pan int min", Header(-1, 1, 1, 0, std::numeric_limits<std::int32_t>::min()), Status::BadPan, -1,
                 "y shift"});
    r.push_back({"width -1", [] { Bytes b = Header(0, 1, 1, 0, 0); AppendSlot(b, 0, 0xFFFFFFFF, 0, "x"); return b; }(),
                 Status::BadWidth, 0, "pen width of function 1"});
    r.push_back({"width huge", [] { Bytes b = Header(0, 1, 1, 0, 0); AppendSlot(b, 0, 1u << 30, 0, "x"); return b; }(),
                 Status::BadWidth, 0, "out of range"});
    // A length that claims more than the file holds must not be believed (nor allocated).
    r.push_back({"16-bit length past end",
                 [] { Bytes b = Header(0, 1, 1, 0, 0); AppendSlot(b, 0, 1, 0, ""); b.back() = 0xFF;
                      b.insert(b.end(), {0xFD, 0xFF, 'x'}); return b; }(),
                 Status::StringTooLong, 0, "past the end"});
    r.push_back({"32-bit length 4 GiB",
                 [] { Bytes b = Header(0, 1, 1, 0, 0); AppendSlot(b, 0, 1, 0, ""); b.back() = 0xFF;
                      b.insert(b.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}); return b; }(),
                 Status::StringTooLong, 0, "past the end"});
    r.push_back({"cut inside 32-bit length",
                 [] { Bytes b = Header(0, 1, 1, 0, 0); AppendSlot(b, 0, 1, 0, ""); b.back() = 0xFF;
                      b.insert(b.end(), {0xFF, 0xFF, 0x01}); return b; }(),
                 Status::Truncated, 0, "ends early"});
    r.push_back({"wide string marker",
                 [] { Bytes b = Header(0, 1, 1, 0, 0); AppendSlot(b, 0, 1, 0, ""); b.back() = 0xFF;
                      b.insert(b.end(), {0xFE, 0xFF, 0x01, 'x', 0}); return b; }(),
                 Status::BadLengthMark, 0, "function 1"});
    r.push_back({"one trailing byte", [] { Bytes b = Good(); b.push_back(0); return b; }(), Status::TrailingData, -1,
                 "1 unexpected bytes"});
    r.push_back({"empty file with a slot after it", [] { Bytes b = Header(-1, 1, 1, 0, 0); AppendSlot(b, 0, 1, 0, "x"); return b; }(),
                 Status::TrailingData, -1, "unexpected"});
    r.push_back({"empty text", WithSlotText(""), Status::EmptyText, 0, "empty"});
    r.push_back({"blank text", WithSlotText("   "), Status::EmptyText, 0, "empty"});
    r.push_back({"invalid character", WithSlotText("x$2"), Status::BadSyntax, 0, "invalid characters"});
    r.push_back({"coded letter", WithSlotText("A(x)"), Status::BadSyntax, 0, "\"a(x)\""});
    r.push_back({"operator syntax", WithSlotText("x+"), Status::BadSyntax, 0, "invalid operator syntax"});
    r.push_back({"brackets", WithSlotText("(x+1"), Status::BadSyntax, 0, "unbalanced brackets"});
    r.push_back({"control bytes", WithSlotText(std::string("x\0\x01", 3)), Status::BadSyntax, 0, "\"x??\""});
    r.push_back({"second text bad",
                 [] { Bytes b = Header(1, 1, 1, 0, 0); AppendSlot(b, 0, 1, 0, "x"); AppendSlot(b, 0, 1, 0, "sin"); return b; }(),
                 Status::BadSyntax, 1, "function 2"});
    return r;
}

TEST(CvaRefusal, LeavesTheRecordUntouchedAndSaysWhy)
{
    for (const Refusal &c : Refusals()) {
        SCOPED_TRACE(c.name);
        EqStore s = Sentinel();
        const auto r = CCvaFormat::Decode(c.bytes, s);
        EXPECT_FALSE(r.Ok());
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.slot, c.slot);
        EXPECT_NE(r.message.find(c.words), std::string::npos) << r.message;
        ExpectSentinel(s);
    }
}

TEST(CvaRefusal, EveryShorterPrefixOfAGoodFileIsRefused)
{
    const Bytes good = Good();
    for (std::size_t n = 0; n < good.size(); ++n) {
        EqStore s = Sentinel();
        EXPECT_FALSE(CCvaFormat::Decode(good.data(), n, s).Ok()) << n;
        ExpectSentinel(s);
    }
    EqStore s;
    EXPECT_TRUE(CCvaFormat::Decode(good, s).Ok());
}

TEST(CvaRefusal, LongSyntaxErrorTextIsShortenedInTheMessage)
{
    EqStore s;
    const auto r = CCvaFormat::Decode(WithSlotText(std::string(500, 'x') + "+"), s);
    ASSERT_EQ(r.status, Status::BadSyntax);
    EXPECT_LT(r.message.size(), 120u);
    EXPECT_NE(r.message.find("...\""), std::string::npos);
}

TEST(CvaRefusal, TooLargeBeforeLookingAtIt)
{
    Bytes big(CCvaFormat::kMaxFileSize + 1, 'C');
    EqStore s = Sentinel();
    EXPECT_EQ(CCvaFormat::Decode(big, s).status, Status::TooLarge);
    ExpectSentinel(s);
}

TEST(CvaWrite, LastOutsideTheSlotsIsClamped)
{
    EqStore s = Record({"x", "x^2", "x^3", "x^4", "x^5"});
    s.m_nLast = 9;
    EqStore r;
    const Bytes b = CCvaFormat::Encode(s);
    ASSERT_TRUE(CCvaFormat::Decode(b, r).Ok());
    EXPECT_EQ(r.m_nLast, 4);
    s.m_nLast = -7;
    EXPECT_EQ(CCvaFormat::Encode(s).size(), 31u);
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
        if (name.rfind("valid-", 0) == 0)
            EXPECT_TRUE(r.Ok()) << name << ": " << r.message;
        else
            EXPECT_FALSE(r.Ok()) << name;
        ++count;
    }
    EXPECT_GE(count, 10);
}
#endif

}  // namespace
