#include "ui/frmInstructions.h"

#include <QUrl>
#include <gtest/gtest.h>

namespace quorvale::test {
namespace {

class FakeInstructionsHost : public InstructionsHost
{
public:
    MessageAnswer showMessage(const QString&, const QString&, MessageButtons) override
    {
        ADD_FAILURE() << "no message expected";
        return MessageAnswer::Ok;
    }
    void openFolder(const QString&) override { ADD_FAILURE() << "no folder expected"; }
    void openAddress(const QString& address) override { addresses << address; }
    void closeWindow() override { ++closed; }

    QStringList addresses;
    int closed = 0;
};

TEST(InstructionsTest, TextsLinkAndClose)
{
    using Style = frmInstructions::Style;
    const auto& lines = frmInstructions::lines();
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines.first().style, Style::Bold);
    EXPECT_EQ(lines.first().text, QStringLiteral("Quick Instructions and Frequently Asked Questions"));
    EXPECT_EQ(lines[10].name, QStringLiteral("Label11"));
    EXPECT_EQ(lines[10].style, Style::Link);
    EXPECT_EQ(lines.last().style, Style::Warning);
    EXPECT_EQ(lines.last().text,
              QStringLiteral("Important: Please notice that we don't give support for customizations."));

    FakeInstructionsHost host;
    frmInstructions instructions(host, QStringLiteral("/opt/Quorvale Pro"));

    instructions.Label11_Click();

    ASSERT_EQ(host.addresses.size(), 1);
    const QUrl address(host.addresses.first());
    EXPECT_TRUE(address.isLocalFile());
    EXPECT_EQ(address.toLocalFile(),
              QStringLiteral("/opt/Quorvale Pro/help/article/30-keywords-meta-field-is-no-longer-used-by-google.html"));
    EXPECT_EQ(host.closed, 0);

    instructions.Command1_Click();

    EXPECT_EQ(host.closed, 1);
}

} // namespace
} // namespace quorvale::test
