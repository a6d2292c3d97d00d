// A saved graph, opened again into another view, draws the same picture.
#include "app/CorvantaDoc.h"
#include "app/Message.h"
#include "deriv/Derivative.h"
#include "view/CorvantaView.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

// What the view does after a load: derive every slot whose flag is set.
QImage RenderWithDerivatives(CCorvantaView &view, bool derive = true)
{
    for (int i = 0; derive && i <= view.m_nLast; ++i)
        if (view.m_aFunctions[i].m_bDerivativeShown)
            view.m_aDerivatives[i].SetExpression(CDerivative(view.m_aFunctions[i].m_strCoded).GetResult());
    view.Redraw();
    return view.Picture();
}

TEST(DocumentPicture, ReopenedFileDrawsTheSameGraph)
{
    auto previous = SetMessageHandler([](const QString &, const QString &, MsgIcon, MsgButtons) { return MsgAnswer::Ok; });
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("picture.cva");

    // Every field that reaches the picture differs from the reader's.
    CCorvantaView author, reader;
    author.resize(500, 400);
    reader.resize(500, 400);
    const char *texts[] = {"x^2-2", "sin(x)", "1/x"};
    for (int i = 0; i < 3; ++i)
        author.m_aFunctions[i].SetExpression(texts[i]);
    author.m_nLast = 2;
    author.m_aFunctions[1].m_bDerivativeShown = true;
    author.m_aColor[2] = 0x00008000;
    author.m_aWidth[0] = 3;
    author.m_dScaleX = 2.0;
    author.m_dScaleY = 0.5;
    author.m_nPanX = 40;
    author.m_nPanY = -25;
    const QImage expected = RenderWithDerivatives(author);
    CCorvantaDoc saved;
    EqStore authorSnapshot;
    saved.SyncView(author, authorSnapshot, {});
    ASSERT_TRUE(saved.SaveAs(path));

    reader.m_aFunctions[0].SetExpression("cos(x)");
    reader.m_aFunctions[3].SetExpression("x");
    reader.m_nLast = 3;
    reader.m_dScaleX = 8;
    ASSERT_NE(RenderWithDerivatives(reader), expected);

    CCorvantaDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(path));
    EqStore readerSnapshot;
    ASSERT_TRUE(opened.SyncView(reader, readerSnapshot, {}).loaded);
    // Only the typed texts travel: the derivative is missing until rebuilt.
    EXPECT_NE(RenderWithDerivatives(reader, false), expected);
    EXPECT_EQ(RenderWithDerivatives(reader), expected);
    opened.SyncView(reader, readerSnapshot, {});
    EXPECT_FALSE(opened.IsModified());
    SetMessageHandler(previous);
}

}  // namespace
