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
    const QSize expected(qRound(11910 * dialog.logicalDpiX() / 1440.0), qRound(8100 * dialog.logicalDpiY() / 1440.0));
    EXPECT_EQ(dialog.minimumSize(), expected);
    EXPECT_EQ(dialog.maximumSize(), expected);
    EXPECT_TRUE(dialog.isModal());
    for (const frmInstructions::Line& line : frmInstructions::lines()) {
        const QLabel* label = dialog.findChild<QLabel*>(line.name);
        ASSERT_NE(label, nullptr) << line.name.toStdString();
        EXPECT_EQ(label->text(), line.text);
    }
    const QLabel* tip = dialog.findChild<QLabel*>(QStringLiteral("Label15"));
    EXPECT_EQ(tip->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    QLabel* link = dialog.findChild<QLabel*>(QStringLiteral("Label11"));
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(link->font().underline());

    QTest::mouseClick(link, Qt::LeftButton);

    ASSERT_EQ(desktop.urls.size(), 1u);
    EXPECT_EQ(desktop.urls[0],
              QUrl::fromLocalFile(QStringLiteral(
                  "/opt/quorvale/help/article/30-keywords-meta-field-is-no-longer-used-by-google.html")));

    dialog.show();
    auto* close = dialog.findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), QStringLiteral("Close"));
    close->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
} // namespace quorvale::test
