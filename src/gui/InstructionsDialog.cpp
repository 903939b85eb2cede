#include "gui/InstructionsDialog.h"

#include "gui/Desktop.h"
#include "gui/LinkLabel.h"
#include "gui/Twips.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

namespace quorvale {

namespace {

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

InstructionsDialog::InstructionsDialog(Desktop& desktop, const QString& installFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_desktop(desktop), m_controller(*this, installFolder)
{
    setObjectName(QStringLiteral("frmInstructions"));
    setWindowTitle(frmInstructions::caption());
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 26, 30, 20);
    layout->setSpacing(8);
    bool first = true;
    for (const frmInstructions::Line& line : frmInstructions::lines()) {
        QLabel* label = nullptr;
        if (line.style == frmInstructions::Style::Link) {
            auto* link = new LinkLabel(line.text, this);
            connect(link, &LinkLabel::clicked, this, [this] { m_controller.Label11_Click(); });
            setTextColour(link, QColor(0, 0, 255));
            label = link;
        } else {
            label = new QLabel(line.text, this);
            label->setWordWrap(true);
        }
        label->setObjectName(line.name);
        QFont font = label->font();
        switch (line.style) {
        case frmInstructions::Style::Bold:
            font.setBold(true);
            if (first)
                font.setPointSizeF(font.pointSizeF() * 1.25);
            else
                layout->addSpacing(16);
            break;
        case frmInstructions::Style::Tip:
            setTextColour(label, QColor(0, 128, 0));
            break;
        case frmInstructions::Style::Warning:
            setTextColour(label, QColor(160, 0, 0));
            break;
        case frmInstructions::Style::Plain:
        case frmInstructions::Style::Link:
            break;
        }
        label->setFont(font);
        layout->addWidget(label, 0, line.style == frmInstructions::Style::Link ? Qt::AlignRight : Qt::Alignment());
        if (first)
            layout->addSpacing(6);
        first = false;
    }
    layout->addStretch(1);

    auto* close = new QPushButton(frmInstructions::closeCaption(), this);
    close->setObjectName(QStringLiteral("Command1"));
    close->setMinimumSize(110, 30);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, [this] { m_controller.Command1_Click(); });
    layout->addWidget(close, 0, Qt::AlignHCenter);

    setFixedSize(twipsToPixels(SizeTwips, *this));
    if (const QScreen* screen = this->screen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

MessageAnswer InstructionsDialog::showMessage(const QString& text, const QString& title, MessageButtons buttons)
{
    return m_desktop.showMessage(this, text, title, buttons);
}

void InstructionsDialog::openFolder(const QString& path)
{
    m_desktop.openUrl(QUrl::fromLocalFile(path));
}

void InstructionsDialog::openAddress(const QString& address)
{
    m_desktop.openUrl(QUrl(address));
}

void InstructionsDialog::closeWindow()
{
    accept();
}

} // namespace quorvale
