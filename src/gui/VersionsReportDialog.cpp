// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/VersionsReportDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quorvale {

namespace {

QLabel* wrappedLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

VersionsReportDialog::VersionsReportDialog(const QString& summary, const VersionsReport& report, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("versionsReport"));
    setWindowTitle(QStringLiteral("Versions of the Site"));
    const int total = report.requested;

    auto* table = new QTableWidget(int(report.versions.size()), 3, this);
    table->setObjectName(QStringLiteral("versionsTable"));
    table->setAccessibleName(QStringLiteral("5-word phrases each version shares"));
    table->setHorizontalHeaderLabels(
        {QStringLiteral("Version"), QStringLiteral("With the original"), QStringLiteral("With another version")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int row = 0; row < report.versions.size(); ++row) {
        const VersionShare& share = report.versions.at(row);
        const QString other = share.otherVersion == 0
                                  ? QStringLiteral("-")
                                  : QStringLiteral("%1 (%2 of version %3)")
                                        .arg(percentText(share.withOther), slotName(share.otherSlot),
                                             versionFolderName(share.otherVersion, total));
        const QStringList cells = {
            versionFolderName(share.version, total),
            QStringLiteral("%1 (%2)").arg(percentText(share.withOriginal), slotName(share.originalSlot)), other};
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells.at(column)));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(wrappedLabel(summary, this));
    layout->addWidget(wrappedLabel(QStringLiteral("The share of its 5-word phrases (shingles) that each version's "
                                                  "article has in common with the original article and with the same "
                                                  "article of another version; of the five articles, the one that "
                                                  "shares most. The lower, the more the versions differ."),
                                   this));
    layout->addWidget(table, 1);
    layout->addWidget(wrappedLabel(versionsReportNotes(report).join(u'\n'), this));
    layout->addWidget(buttons);
    resize(720, 480);
}

} // namespace quorvale
