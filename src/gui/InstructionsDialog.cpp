// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/InstructionsDialog.h"

#include "gui/LinkLabel.h"
#include "gui/Twips.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace quorvale {

namespace {

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

InstructionsDialog::InstructionsDialog(Desktop& desktop, const InstallLayout& installLayout, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_ui(desktop, this), m_controller(m_ui, *this, installLayout)
{
    setObjectName(QStringLiteral("instructionsWindow"));
    setWindowTitle(InstructionsController::caption());
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 26, 30, 20);
    layout->setSpacing(8);
    bool first = true;
    for (const InstructionsController::Line& line : m_controller.lines()) {
        QLabel* label = nullptr;
        if (line.style == InstructionsController::Style::Link) {
            auto* link = new LinkLabel(line.text, this);
            connect(link, &LinkLabel::clicked, this, [this] { m_controller.openHelpPage(); });
            setTextColour(link, QColor(0, 0, 255));
            label = link;
        } else {
            label = new QLabel(line.text, this);
            label->setWordWrap(true);
        }
        label->setObjectName(line.name);
        QFont font = label->font();
        switch (line.style) {
        case InstructionsController::Style::Bold:
            font.setBold(true);
            if (first)
                font.setPointSizeF(font.pointSizeF() * 1.25);
            else
                layout->addSpacing(16);
            break;
        case InstructionsController::Style::Tip:
            setTextColour(label, QColor(0, 128, 0));
            break;
        case InstructionsController::Style::Warning:
            setTextColour(label, QColor(160, 0, 0));
            break;
        case InstructionsController::Style::Plain:
        case InstructionsController::Style::Link:
            break;
        }
        label->setFont(font);
        layout->addWidget(label, 0,
                          line.style == InstructionsController::Style::Link ? Qt::AlignRight : Qt::Alignment());
        if (first)
            layout->addSpacing(6);
        first = false;
    }
    layout->addStretch(1);

    auto* close = new QPushButton(InstructionsController::closeCaption(), this);
    close->setObjectName(QStringLiteral("Command1"));
    close->setMinimumSize(110, 30);
    close->setDefault(true);
    close->setFocus();
    connect(close, &QPushButton::clicked, this, [this] { m_controller.closeWindow(); });
    layout->addWidget(close, 0, Qt::AlignHCenter);

    // Long folder names (an installed program's) make the window taller, never narrower.
    const QSize designed = twipsToPixels(SizeTwips, *this);
    setFixedSize(designed.width(), std::max(designed.height(), layout->totalHeightForWidth(designed.width())));
    if (const QScreen* screen = this->screen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void InstructionsDialog::closeWindow()
{
    accept();
}

} // namespace quorvale
