#include "core/doc/DocumentSync.h"

#include "core/doc/CvaFormat.h"
#include "core/plot/ViewState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// A view state as the plot command leaves it.
SGraphState View(const std::vector<std::string> &texts)
{
    SGraphState v;
    v.m_nLast = static_cast<int>(texts.size()) - 1;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        v.m_aFunctions[i].SetExpression(texts[i]);
        v.m_aColor[i] = 0x0000FF00;
        v.m_aWidth[i] = 1;
    }
    return v;
}

// One view bound to one document, as the graph view and CCorvantaDoc are.
struct Pair
{
    SGraphState view;
    EqStore record;
    EqStore snapshot;
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
    p.view = View(texts);
    p.Sync();
    return p;
}

TEST(DocumentSync, NewDocumentClearsTwiceAndStaysUnmodified)
{
    Pair p;
    p.view = View({"x", "x^2"});
    p.view.m_dScaleX = 4;
    p.view.m_nPanY = 9;
    p.newDocument = true;
    const auto o = p.Sync();
    EXPECT_FALSE(o.setModified);
    EXPECT_FALSE(o.loaded);
    EXPECT_FALSE(p.newDocument);
    EXPECT_EQ(p.clears, (std::vector<bool>{false, true}));
    EXPECT_EQ(p.view.m_nLast, -1);
    EXPECT_EQ(p.view.m_dScaleX, 1.0);
    EXPECT_EQ(p.view.m_nPanY, 0);
    EXPECT_TRUE(p.view.m_aFunctions[0].m_strCoded.empty());
    // The redraw after the recentring leaves the record as the 31-byte file.
    p.Sync();
    EXPECT_EQ(p.record.m_nLast, -1);
    EXPECT_EQ(CCvaFormat::Encode(p.record).size(), 31u);
}

// Each change to the view, made after a clean synchronisation, and whether
// the next synchronisation marks the document modified.
struct Change
{
    const char *name;
    void (*apply)(SGraphState &);
    bool modifies;
};

const Change kChanges[] = {
    {"nothing", [](SGraphState &) {}, false},
    {"plot a function", [](SGraphState &v) { v.m_nLast = 2; v.m_aFunctions[2].SetExpression("x^3"); }, true},
    {"pen colour only", [](SGraphState &v) { v.m_aColor[1] = 0x00FF0000; }, true},
    {"pen width only", [](SGraphState &v) { v.m_aWidth[0] = 3; }, true},
    {"derivative flag", [](SGraphState &v) { v.m_aFunctions[1].m_bDerivativeShown = true; }, true},
    {"x scale", [](SGraphState &v) { v.m_dScaleX *= 2; }, true},
    {"y scale", [](SGraphState &v) { v.m_dScaleY *= 0.5; }, true},
    {"x pan", [](SGraphState &v) { v.m_nPanX += 1; }, true},
    {"y pan", [](SGraphState &v) { v.m_nPanY -= 1; }, true},
    {"other text, other code", [](SGraphState &v) { v.m_aFunctions[0].SetExpression("x*x"); }, true},
    {"other blanks, same code", [](SGraphState &v) { v.m_aFunctions[0].SetExpression(" x ^ 2 "); }, false},
    {"recompiled the same", [](SGraphState &v) { v.m_aFunctions[1].SetExpression("sin(x)"); }, false},
    // Slots above last are not copied into the record, so they cannot matter.
    {"pen above last", [](SGraphState &v) { v.m_aColor[4] = 0x123456; v.m_aWidth[4] = 5; }, false},
    {"clear graph", [](SGraphState &v) { CDocumentSync::ClearView(v, false); }, true},
};

TEST(DocumentSync, ModifiedFlagFollowsEveryChange)
{
    for (const Change &c : kChanges) {
        SCOPED_TRACE(c.name);
        Pair p = Started({"x^2", "sin(x)"});
        c.apply(p.view);
        EXPECT_EQ(p.Sync().setModified, c.modifies);
        // The snapshot has caught up: the same state again is no change.
        EXPECT_FALSE(p.Sync().setModified);
    }
}

TEST(DocumentSync, FreshlyReadRecordReplacesTheView)
{
    Pair author = Started({"x^2", "x^3", "ln(x)"});
    author.view.m_aFunctions[1].m_bDerivativeShown = true;
    author.view.m_aColor[2] = 0x00ABCDEF;
    author.view.m_aWidth[2] = 4;
    author.view.m_dScaleX = 8;
    author.view.m_nPanY = 21;
    EXPECT_TRUE(author.Sync().setModified);
    const auto bytes = CCvaFormat::Encode(author.record);

    Pair p = Started({"cos(x)", "x", "x+1", "x+2", "x+3"});
    ASSERT_TRUE(CCvaFormat::Decode(bytes, p.record).Ok());
    const auto o = p.Sync();
    EXPECT_TRUE(o.loaded);
    EXPECT_FALSE(o.setModified);
    EXPECT_TRUE(p.record.m_bSynced);
    EXPECT_EQ(p.view.m_nLast, 2);
    EXPECT_EQ(p.view.m_aFunctions[0].m_strText, "x^2");
    EXPECT_DOUBLE_EQ(p.view.m_aFunctions[2].Evaluate(2.0), std::log(2.0));
    // Slots above the file's last are emptied, so nothing draws them.
    EXPECT_TRUE(p.view.m_aFunctions[3].m_strCoded.empty());
    EXPECT_TRUE(p.view.m_aFunctions[4].m_strText.empty());
    // The redraw that follows the load finds nothing changed and copies the
    // view back into the record: every field (flags, pens, scales, pans) arrived.
    EXPECT_FALSE(p.Sync().setModified);
    EXPECT_EQ(CCvaFormat::Encode(p.record), bytes);
}

TEST(DocumentSync, BadFileLeavesTheViewAsItWas)
{
    Pair p = Started({"x^2"});
    p.record.m_bSynced = false;
    p.record.m_bBadFile = true;
    EXPECT_FALSE(p.Sync().loaded);
    EXPECT_TRUE(p.record.m_bSynced);
    EXPECT_EQ(p.view.m_nLast, 0);
    EXPECT_EQ(p.view.m_aFunctions[0].m_strText, "x^2");
}
}  // namespace
