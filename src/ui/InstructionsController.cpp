// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/InstructionsController.h"

#include <QDir>
#include <QUrl>
#include <utility>

namespace quorvale {

InstructionsController::InstructionsController(UiHost& ui, InstructionsHost& window, InstallLayout layout)
    : m_ui(ui), m_window(window), m_layout(std::move(layout))
{
}

QString InstructionsController::caption()
{
    return QStringLiteral("Quick Instructions");
}

QList<InstructionsController::Line> InstructionsController::lines() const
{
    const QString installFolder = QDir::toNativeSeparators(m_layout.installFolder());
    QList<Line> lines = {
        {QStringLiteral("Label1"), Style::Bold, QStringLiteral("Quick Instructions and Frequently Asked Questions")},
        {QStringLiteral("Label2"), Style::Plain,
         QStringLiteral("Just select a background image (for the parallax section), fill in the blanks and click the "
                        "\"Build Mini Site\" button.")},
        {QStringLiteral("Label3"), Style::Plain,
         QStringLiteral("Then click the \"Open Output Folder\" to see the mini site.")},
        {QStringLiteral("Label16"), Style::Plain,
         QStringLiteral("Each mini site is written to the folder template1 or template2 (after the template "
                        "variation) in %1.")
             .arg(QDir::toNativeSeparators(m_layout.outputRoot()))},
        {QStringLiteral("Label15"), Style::Tip,
         QStringLiteral("Tip: You can quickly build a \"Demo\" website for testing purposes by clicking the \"Load "
                        "Dummy Data\" button.")},
        {QStringLiteral("Label6"), Style::Bold, QStringLiteral("Once Your Website is Ready:")},
        {QStringLiteral("Label4"), Style::Plain,
         QStringLiteral("Once your website has been generated, just upload it to your website (any web hosting "
                        "provider is fine) and that's all.")},
        {QStringLiteral("Label5"), Style::Bold, QStringLiteral("Important:")},
        {QStringLiteral("Label7"), Style::Plain,
         QStringLiteral("We recommend you to make a backup of each mini site (on a separate folder) right after "
                        "making it.")},
        {QStringLiteral("Label8"), Style::Bold, QStringLiteral("What About Meta-Tags?")},
        {QStringLiteral("Label9"), Style::Plain,
         QStringLiteral("Meta-tags helped for SEO purposes long time ago but they are no longer effective, that's why "
                        "we don't consider them.")},
        {QStringLiteral("Label11"), Style::Link, QStringLiteral("Here's an article that describes this.")},
        {QStringLiteral("Label10"), Style::Bold, QStringLiteral("Can I Modify The Template?")},
        {QStringLiteral("Label12"), Style::Plain,
         QStringLiteral("Yes, you can find the templates (index.html and article.html) in the folders template1, "
                        "template2, template1_novideo and template2_novideo (without the video player) in %1.")
             .arg(installFolder)},
        {QStringLiteral("Label13"), Style::Plain,
         QStringLiteral("Please make a backup of these files and take notice of the tags that are used by the "
                        "software (Example: #ADTITLE#).")},
        {QStringLiteral("Label14"), Style::Warning,
         QStringLiteral("Important: Please notice that we don't give support for customizations.")},
    };
    if (m_layout.kind() == InstallLayout::Kind::Installed) {
        // Installed files may be read-only; the user's own copies take their place.
        lines.insert(lines.size() - 1,
                     {QStringLiteral("Label17"), Style::Tip,
                      QStringLiteral("To change a design, copy its folder into %1 and change the copy there: "
                                     "Quorvale uses it instead of the installed one. A file rwdb.txt there "
                                     "replaces the synonym rules in the same way.")
                          .arg(QDir::toNativeSeparators(m_layout.userFolder()))});
    }
    return lines;
}

QString InstructionsController::closeCaption()
{
    return QStringLiteral("Close");
}

QString InstructionsController::helpAddress() const
{
    return QUrl::fromLocalFile(m_layout.installFolder() +
                               QStringLiteral("/help/article/30-keywords-meta-field-is-no-longer-used-by-google.html"))
        .toString(QUrl::FullyEncoded);
}

void InstructionsController::openHelpPage()
{
    m_ui.openAddress(helpAddress());
}

void InstructionsController::closeWindow()
{
    m_window.closeWindow();
}

} // namespace quorvale
