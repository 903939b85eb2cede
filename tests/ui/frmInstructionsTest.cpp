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

TEST(InstructionsTest, TextsTopToBottom)
{
    using Style = frmInstructions::Style;
    const struct
    {
        const char* name;
        Style style;
        const char* text;
    } expected[] = {
        {"Label1", Style::Bold, "Quick Instructions and Frequently Asked Questions"},
        {"Label2", Style::Plain,
         "Just select a background image (for the parallax section), fill in the blanks and click the \"Build Mini "
         "Site\" button."},
        {"Label3", Style::Plain, "Then click the \"Open Output Folder\" to see the mini site."},
        {"Label15", Style::Tip,
         "Tip: You can quickly build a \"Demo\" website for testing purposes by clicking the \"Load Dummy Data\" "
         "button."},
        {"Label6", Style::Bold, "Once Your Website is Ready:"},
        {"Label4", Style::Plain,
         "Once your website has been generated, just upload it to your website (any web hosting provider is fine) "
         "and that's all."},
        {"Label5", Style::Bold, "Important:"},
        {"Label7", Style::Plain,
         "We recommend you to make a backup of each mini site (on a separate folder) right after making it."},
        {"Label8", Style::Bold, "What About Meta-Tags?"},
        {"Label9", Style::Plain,
         "Meta-tags helped for SEO purposes long time ago but they are no longer effective, that's why we don't "
         "consider them."},
        {"Label11", Style::Link, "Here's an article that describes this."},
        {"Label10", Style::Bold, "Can I Modify The Template?"},
        {"Label12", Style::Plain,
         "Yes, you can find the templates (index.html and article.html) under the \"Template\" folder."},
        {"Label13", Style::Plain,
         "Please make a backup of these files and take notice of the tags that are used by the software (Example: "
         "#ADTITLE#)."},
        {"Label14", Style::Warning, "Important: Please notice that we don't give support for customizations."},
    };
    const auto& lines = frmInstructions::lines();
    ASSERT_EQ(lines.size(), qsizetype(std::size(expected)));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].name, QString::fromLatin1(expected[i].name)) << i;
        EXPECT_EQ(lines[i].style, expected[i].style) << i;
        EXPECT_EQ(lines[i].text, QString::fromLatin1(expected[i].text)) << i;
    }
    EXPECT_EQ(frmInstructions::caption(), QStringLiteral("Quick Instructions"));
    EXPECT_EQ(frmInstructions::closeCaption(), QStringLiteral("Close"));
}

TEST(InstructionsTest, HelpLinkOpensTheShippedPageAndCloseClosesTheWindow)
{
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
