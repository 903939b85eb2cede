// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/InstallLayout.h"
#include "ui/UiHost.h"

#include <QList>
#include <QString>

namespace quorvale {

/// What the instructions controller needs of its window beyond the desktop.
class InstructionsHost
{
public:
    virtual ~InstructionsHost() = default;
    /// Closes the instructions window.
    virtual void closeWindow() = 0;
};

/// Controller of the "Quick Instructions" window: its static texts, the help
/// link and "Close".
class InstructionsController
{
public:
    /// How a line of the window is shown.
    enum class Style {
        Plain,
        Bold,
        Tip,     ///< green
        Link,    ///< blue, underlined, right-hand side, clickable: opens the help page
        Warning, ///< dark red
    };

    /// One static text of the window.
    struct Line
    {
        QString name; ///< the control's name, e.g. "Label11"
        Style style;
        QString text;
    };

    /// @p layout names the folders the texts tell of; the help page is in
    /// help/ of its installation folder. Both hosts must outlive the controller.
    InstructionsController(UiHost& ui, InstructionsHost& window, InstallLayout layout);

    static QString caption();
    /// The window's texts from top to bottom, with the folders of the layout.
    QList<Line> lines() const;
    static QString closeCaption();

    /// The help page shipped with the program, as a file address.
    QString helpAddress() const;

    /// The help link: opens the help page in the web browser.
    void openHelpPage();
    /// "Close".
    void closeWindow();

private:
    UiHost& m_ui;
    InstructionsHost& m_window;
    InstallLayout m_layout;
};

} // namespace quorvale
