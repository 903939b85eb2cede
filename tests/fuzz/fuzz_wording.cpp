// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"
#include "rewriter/EditableWording.h"
#include "rewriter/Spintax.h"

// A rewrite corrected at random: choices, edits anywhere and Spin Again, with
// the wording checked after each step. The input is rule lines, a NUL, the
// article (its first line also the protected phrases), a NUL, then the steps,
// three bytes each.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quorvale;
    const QString input = fuzz::textFromBytes(data, size);
    const QStringList parts = input.split(QChar(0));
    if (parts.size() < 3)
        return 0;
    const ProtectedPhrases phrases(parts[1].split(u'\n').mid(0, 1));
    for (const auto& [start, length] : phrases.find(parts[1]))
        FUZZ_CHECK(start >= 0 && length > 0 && start + length <= parts[1].size());
    const RewriteResult rewrite = rewriteArticle(parts[1], RuleIndex(parts[0].split(u'\n')), nullptr, phrases);
    QRandomGenerator random(1);
    EditableWording wording(rewrite, random);
    const QByteArray steps = parts.mid(2).join(QChar(0)).toUtf8();
    for (qsizetype k = 0; k + 2 < steps.size(); k += 3) {
        const int spots = int(wording.spots().size());
        const qsizetype at = qsizetype(uchar(steps[k + 1])) * wording.text().size() / 256;
        switch (uchar(steps[k]) % 4) {
        case 0:
            if (spots > 0)
                wording.choose(int(at % spots), qsizetype(uchar(steps[k + 2]) % 4) - 1);
            break;
        case 1:
            wording.replace(at, uchar(steps[k + 2]) % 8, steps[k + 2] & 1 ? QStringLiteral("x") : QStringLiteral(" "));
            break;
        case 2:
            wording.respin(random);
            break;
        default:
            if (spots > 0)
                wording.makePlain(int(at % spots));
        }
        // Every spot lies in the text, in order, and reads as its choice says.
        qsizetype end = 0;
        for (int i = 0; i < int(wording.spots().size()); ++i) {
            const EditableWording::Spot& spot = wording.spots()[size_t(i)];
            FUZZ_CHECK(spot.start >= end && spot.start + spot.length <= wording.text().size());
            end = spot.start + spot.length;
            const QString shown =
                spot.choice < 0 ? wording.originalWords(i).toString() : wording.wordings(i).value(spot.choice);
            FUZZ_CHECK(wording.text().mid(spot.start, spot.length) == shown);
        }
    }
    FUZZ_CHECK(!distinctWordings(wording.spintax(), 3, random).isEmpty());
    return 0;
}
