#include "gui/app/Artwork.h"
#include "gui/app/CommandTable.h"

#include <QDirIterator>
#include <QImage>
#include <QSvgRenderer>

#include <gtest/gtest.h>

namespace {
bool HasInk(const QPixmap &pm)
{
    const QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 0)
                return true;
    return false;
}
}  // namespace

TEST(Artwork, EveryToolbarCommandHasAVisibleIcon)
{
    for (auto layout : {MainToolbarLayout(), ZoomToolbarLayout()})
        for (int nId : layout)
            if (nId != 0) {
                EXPECT_TRUE(HasInk(CommandIcon(nId).pixmap(16))) << nId;
            }
    EXPECT_TRUE(CommandIcon(0).isNull());
}

TEST(Artwork, EveryPictureIsValidSvgAndRendersAtTheAskedSize)
{
    EXPECT_TRUE(HasInk(AboutPixmap(64)));  // also makes the resources available
    EXPECT_EQ(SplashPixmap(398, 248).size(), QSize(398, 248));
    int nFiles = 0;
    for (QDirIterator it(QStringLiteral(":/"), {QStringLiteral("*.svg")}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext(); ++nFiles) {
        const QString strFile = it.next();
        EXPECT_TRUE(QSvgRenderer(strFile).isValid()) << strFile.toStdString();
    }
    EXPECT_GE(nFiles, 3);
}
