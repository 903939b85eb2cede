// SPDX-License-Identifier: GPL-3.0-or-later
#include "../rewriter/LiteralRewriter.h"
#include "FuzzSupport.h"
#include "rewriter/Rewriter.h"

// The indexed engine against the plain step-by-step procedure: any difference
// in spintax, count or word count is a finding. The input is rule lines, a NUL,
// then the article.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = quorvale::fuzz::textFromBytes(data, size);
    const qsizetype cut = input.indexOf(QChar(0));
    if (cut < 0)
        return 0;
    const QStringList rules = input.left(cut).split(u'\n');
    const QString article = input.mid(cut + 1);
    const auto same = [](const QString& text) { return text; };

    const quorvale::test::LiteralResult expected = quorvale::test::literalRewrite(article, rules, same);
    const quorvale::RuleIndex index(rules);
    const quorvale::RewriteResult actual = quorvale::rewriteArticle(article, index, same);
    FUZZ_CHECK(actual.spintax == expected.spintax);
    FUZZ_CHECK(actual.replacementCount == expected.replacementCount);
    FUZZ_CHECK(actual.wordCount == expected.wordCount);
    FUZZ_CHECK(actual.report == expected.report);
    return 0;
}
