// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/InstructionsDialog.h"

#include "GuiTestSupport.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace quorvale::test {
namespace {

TEST(InstructionsDialogTest, ShowsEveryTextItsLinkOpensTheHelpPageAndCloseClosesIt)
{
    FakeDesktop desktop;
    InstructionsDialog dialog(desktop, InstallLayout::forHome(QStringLiteral("/opt/quorvale")));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Quick Instructions"));
    EXPECT_TRUE(dialog.isModal());
    for (const InstructionsController::Line& line : dialog.controller().lines())
        EXPECT_EQ(child<QLabel>(dialog, line.name.toLatin1().constData())->text(), line.text);
    EXPECT_EQ(textColour(child<QLabel>(dialog, "Label15")), QColor(0, 128, 0));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Label17")), nullptr) << "a portable copy has no user folder";

    QTest::mouseClick(child<QLabel>(dialog, "Label11"), Qt::LeftButton);
    ASSERT_EQ(desktop.urls.size(), 1u);
    EXPECT_EQ(desktop.urls[0],
              QUrl::fromLocalFile(QStringLiteral(
                  "/opt/quorvale/help/article/30-keywords-meta-field-is-no-longer-used-by-google.html")));

    dialog.show();
    EXPECT_EQ(dialog.focusWidget(), child<QPushButton>(dialog, "Command1"));
    child<QPushButton>(dialog, "Command1")->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST(InstructionsDialogTest, AnInstalledProgramNamesTheUserFolderForSitesAndOwnDesigns)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("share/quorvale")));
    const QString user = dir.path() + QStringLiteral("/user");
    FakeDesktop desktop;
    InstructionsDialog dialog(desktop,
                              InstallLayout::forExecutable(dir.path() + QStringLiteral("/bin"), user, {dir.path()}));
    EXPECT_TRUE(child<QLabel>(dialog, "Label16")->text().contains(user + QStringLiteral("/output.")));
    EXPECT_TRUE(child<QLabel>(dialog, "Label17")->text().contains(user + QStringLiteral(" and change")));
}

} // namespace
} // namespace quorvale::test
