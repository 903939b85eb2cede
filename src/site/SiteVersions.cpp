// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/SiteVersions.h"

#include "rewriter/Shingles.h"

#include <QSet>
#include <cmath>

namespace quorvale {

QString versionFolderName(int version, int total)
{
    const int width = total >= 100 ? 3 : 2;
    return QStringLiteral("%1").arg(version, width, 10, QLatin1Char('0'));
}

const VersionShare* VersionsReport::mostLikeOriginal() const
{
    const VersionShare* most = nullptr;
    for (const VersionShare& share : versions) {
        if (most == nullptr || share.withOriginal > most->withOriginal)
            most = &share;
    }
    return most;
}

const VersionShare* VersionsReport::mostLikeAnother() const
{
    const VersionShare* most = nullptr;
    for (const VersionShare& share : versions) {
        if (share.otherVersion > 0 && (most == nullptr || share.withOther > most->withOther))
            most = &share;
    }
    return most;
}

VersionsReport compareVersions(const std::array<QString, 5>& originals, const std::array<QStringList, 5>& wordings,
                               int built)
{
    VersionsReport report;
    report.versions.resize(built);
    for (int v = 0; v < built; ++v)
        report.versions[v].version = v + 1;
    for (int slot = 0; slot < 5; ++slot) {
        const Shingles original(originals[std::size_t(slot)]);
        const QStringList& texts = wordings[std::size_t(slot)];
        std::vector<Shingles> versions;
        versions.reserve(std::size_t(built));
        for (int v = 0; v < built; ++v)
            versions.emplace_back(texts.at(v));
        QSet<QString> distinct(texts.begin(), texts.begin() + built);
        if (built > 1 && distinct.size() < built)
            report.repeats << QStringLiteral("The rules give %1 only %2 different wordings for %3 versions: some "
                                             "versions share its wording.")
                                  .arg(slotName(slot))
                                  .arg(distinct.size())
                                  .arg(built);
        for (int v = 0; v < built; ++v) {
            VersionShare& share = report.versions[v];
            const Shingles& mine = versions[std::size_t(v)];
            if (const double withOriginal = mine.shareFoundIn(original); slot == 0 || withOriginal > share.withOriginal)
                share.withOriginal = withOriginal, share.originalSlot = slot;
            for (int w = 0; w < built; ++w) {
                const double part = w == v ? 0.0 : mine.shareFoundIn(versions[std::size_t(w)]);
                if (w != v && (share.otherVersion == 0 || part > share.withOther))
                    share.withOther = part, share.otherSlot = slot, share.otherVersion = w + 1;
            }
        }
    }
    return report;
}

QString percentText(double share)
{
    return QString::number(std::lround(share * 100)) + u'%';
}

QString slotName(int slot)
{
    return slot == 0 ? QStringLiteral("the main article") : QStringLiteral("article #") + QString::number(slot);
}

QString versionsReportText(const VersionsReport& report)
{
    const int total = report.requested;
    QString text = QStringLiteral("5-word phrases (shingles) each version shares, for the article of the five that "
                                  "shares most:\n\nversion  with the original         with another version\n");
    for (const VersionShare& share : report.versions) {
        QString original = percentText(share.withOriginal) + QStringLiteral(" (") + slotName(share.originalSlot) + u')';
        QString other = share.otherVersion == 0 ? QStringLiteral("-")
                                                : percentText(share.withOther) + QStringLiteral(" (") +
                                                      slotName(share.otherSlot) + QStringLiteral(", version ") +
                                                      versionFolderName(share.otherVersion, total) + u')';
        text += versionFolderName(share.version, total).leftJustified(9) + original.leftJustified(26) + other + u'\n';
    }
    return text + u'\n' + versionsReportNotes(report).join(u'\n') + u'\n';
}

QStringList versionsReportNotes(const VersionsReport& report)
{
    const int total = report.requested;
    QStringList notes;
    if (const VersionShare* most = report.mostLikeOriginal())
        notes << QStringLiteral("Highest share with the original: %1, %2 of version %3.")
                     .arg(percentText(most->withOriginal), slotName(most->originalSlot),
                          versionFolderName(most->version, total));
    if (const VersionShare* most = report.mostLikeAnother())
        notes << QStringLiteral("Highest share between two versions: %1, %2 of versions %3 and %4.")
                     .arg(percentText(most->withOther), slotName(most->otherSlot),
                          versionFolderName(most->version, total), versionFolderName(most->otherVersion, total));
    return notes + report.repeats;
}

} // namespace quorvale
