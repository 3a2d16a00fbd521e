#include "clipboard-viewer/visionneuse.hpp"

#include <QApplication>
#include <QClipboard>
#include "common/testing/gtest_qt.hpp"
#include <gtest/gtest.h>

TEST(Visionneuse, SuitChaqueChangementDuPressePapiers)
{
    QClipboard* presse = QApplication::clipboard();
    presse->clear();
    clipbrd::Visionneuse v;
    EXPECT_EQ(v.description(), QStringLiteral("Le Presse-papiers est vide."));
    // A lone carriage return, as Brevolet copies it, shows as a line break.
    presse->setText(QStringLiteral("' Icône : Stop\rMsgBox \"x\", 16, \"T\""));
    EXPECT_EQ(v.description(), QStringLiteral("' Icône : Stop\nMsgBox \"x\", 16, \"T\""));
    presse->setImage(QImage(4, 3, QImage::Format_RGB32));
    EXPECT_EQ(v.description(), QStringLiteral("image"));
}
