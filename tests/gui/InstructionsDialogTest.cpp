#include "gui/InstructionsDialog.h"

#include "GuiTestSupport.h"

#include <QPushButton>
#include <QTest>

namespace quorvale::test {
namespace {

TEST(InstructionsDialogTest, ShowsEveryTextItsLinkOpensTheHelpPageAndCloseClosesIt)
{
    FakeDesktop desktop;
    InstructionsDialog dialog(desktop, QStringLiteral("/opt/quorvale"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Quick Instructions"));
    EXPECT_TRUE(dialog.isModal());
    for (const InstructionsController::Line& line : InstructionsController::lines())
        EXPECT_EQ(child<QLabel>(dialog, line.name.toLatin1().constData())->text(), line.text);
    EXPECT_EQ(textColour(child<QLabel>(dialog, "Label15")), QColor(0, 128, 0));

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

} // namespace
} // namespace quorvale::test
