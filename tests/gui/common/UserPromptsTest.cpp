// The prompts every question goes through: the ones installed answer while
// they live, and the real progress window keeps its Cancel and its lifetime.
#include "gui/ScriptedPrompts.h"
#include "gui/common/QtPrompts.h"

#include <gtest/gtest.h>

#include <QProgressDialog>
#include <QWidget>

#include <memory>

namespace {

TEST(UserPrompts, InstalledPromptsAnswerUntilTheyGoAndTheRealDialogsComeBack)
{
    CUserPrompts &real = CUserPrompts::Current();
    EXPECT_NE(dynamic_cast<CQtPrompts *>(&real), nullptr);
    {
        ScriptedPrompts outer;
        {
            ScriptedPrompts inner;
            inner.answers = {MsgAnswer::No};
            EXPECT_EQ(ShowMessage(nullptr, "a", "b", MsgIcon::Question, MsgButtons::YesNo), MsgAnswer::No);
            EXPECT_EQ(inner.Texts(), QStringList{"a"});
        }
        EXPECT_EQ(ShowMessage(nullptr, "c", "d", MsgIcon::Question, MsgButtons::YesNoCancel), MsgAnswer::Yes);
        EXPECT_EQ(ShowMessage(nullptr, "e", "f"), MsgAnswer::Ok);
        EXPECT_EQ(outer.Texts(), (QStringList{"c", "e"}));
        EXPECT_EQ(outer.shown[0].caption, "d");
    }
    EXPECT_EQ(&CUserPrompts::Current(), &real);
}

TEST(QtPrompts, CancelInTheProgressWindowStopsTheWork)
{
    CQtPrompts prompts;
    QWidget parent;
    const ProgressCallback progress = prompts.StartProgress(&parent, QStringLiteral("Working..."));
    EXPECT_TRUE(progress(0.1));
    auto *pWindow = parent.findChild<QProgressDialog *>();
    ASSERT_NE(pWindow, nullptr);
    EXPECT_EQ(pWindow->labelText(), "Working...");
    EXPECT_EQ(pWindow->value(), CQtPrompts::kProgressSteps / 10);
    pWindow->cancel();
    EXPECT_FALSE(progress(0.2));
}

// The window lasts while any copy of the callback does; a parent that goes
// first takes it along, and the callback then stops the work instead of
// touching a deleted window.
TEST(QtPrompts, ProgressWindowLivesWithItsCallback)
{
    CQtPrompts prompts;
    QWidget parent;
    {
        ProgressCallback first = prompts.StartProgress(&parent, QStringLiteral("Searching..."));
        const ProgressCallback copy = first;
        first = {};
        EXPECT_NE(parent.findChild<QProgressDialog *>(), nullptr);
        EXPECT_TRUE(copy(0.5));
    }
    EXPECT_EQ(parent.findChild<QProgressDialog *>(), nullptr);

    auto pShortLived = std::make_unique<QWidget>();
    ProgressCallback orphan = prompts.StartProgress(pShortLived.get(), QStringLiteral("Integrating..."));
    pShortLived.reset();
    EXPECT_FALSE(orphan(0.5));
    orphan = {};  // nothing left to delete twice
}

}  // namespace
