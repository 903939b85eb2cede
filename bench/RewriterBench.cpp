// SPDX-License-Identifier: GPL-3.0-or-later
// Rewrite speed against the whole English thesaurus of mythes-en-us, converted
// with every meaning (about 54,000 rules), on generated articles of 1,000,
// 10,000 and 100,000 words:
//   LoadAndIndex        reading the rule file and indexing it (RuleIndex)
//   Rewrite/N           one rewrite of an N-word article with that index
//   PlainProcedure/N    the same rewrite done rule by rule, item by item,
//                       as the reference implementation in tests/ does it
//   ShippedRules/N      the shipped rules (with their conditions) and tagger
//                       on N words of real prose: scripts/corpus/dev repeated
//   Tagging             the tagger alone on the sentences of that prose
// Set QUORVALE_THESAURUS to use another MyThes .dat file. Peak memory is best
// measured on the command-line tool, which does nothing else, e.g.
//   /usr/bin/time -v build/app/quorvale-cli rewrite ARTICLE --rules RULES >/dev/null

#include "LiteralRewriter.h"
#include "components/Error.h"
#include "components/TextFile.h"
#include "rewriter/Rewriter.h"
#include "rewriter/Tagger.h"
#include "rewriter/ThesaurusImport.h"
#include "rewriter/WordCount.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <optional>
#include <random>

namespace {

using namespace quorvale;

/// The converted thesaurus, written once to a temporary rule file.
struct Fixture
{
    QTemporaryDir dir;
    QString rulePath;
    RuleList rules;
    std::unique_ptr<RuleIndex> index;
    std::map<int, QString> articles;
    QString error;

    Fixture()
    {
        const QByteArray custom = qgetenv("QUORVALE_THESAURUS");
        const QString thesaurus =
            custom.isEmpty() ? QStringLiteral("/usr/share/mythes/th_en_US_v2.dat") : QString::fromLocal8Bit(custom);
        try {
            const QStringList lines = importThesaurusFile(thesaurus, {});
            rulePath = dir.filePath(QStringLiteral("rwdb.txt"));
            saveTextFile(lines.join(u'\n') + u'\n', rulePath);
            rules = loadRuleList(rulePath);
            index = std::make_unique<RuleIndex>(rules);
        } catch (const Error& e) {
            error = e.message();
        }
    }

    /// An article of @p words words drawn from the rules' own items (so that
    /// many of them match) and some plain filler, with punctuation.
    const QString& article(int words)
    {
        auto found = articles.find(words);
        if (found != articles.end())
            return found->second;
        std::mt19937_64 random{quint64(words)};
        static const QString fillers[] = {QStringLiteral("the"), QStringLiteral("and"), QStringLiteral("of"),
                                          QStringLiteral("to"),  QStringLiteral("we"),  QStringLiteral("with")};
        static const QString separators[] = {QStringLiteral(" "),  QStringLiteral(" "),   QStringLiteral(" "),
                                             QStringLiteral(" "),  QStringLiteral(", "),  QStringLiteral(". "),
                                             QStringLiteral(": "), QStringLiteral("\r\n")};
        QString text;
        int count = 0;
        while (count < words) {
            QString piece;
            if (random() % 3 == 0) {
                piece = fillers[random() % std::size(fillers)];
            } else {
                const QStringList items = ruleItems(rules.at(qsizetype(random() % quint64(rules.size()))));
                if (items.isEmpty())
                    continue;
                piece = items.at(qsizetype(random() % quint64(items.size())));
            }
            text += piece + separators[random() % std::size(separators)];
            count += int(piece.count(u' ')) + 1;
        }
        return articles.emplace(words, text).first->second;
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

bool ready(benchmark::State& state)
{
    if (fixture().error.isEmpty())
        return true;
    state.SkipWithError(fixture().error.toStdString().c_str());
    return false;
}

QString unchanged(const QString& text)
{
    return text;
}

void LoadAndIndex(benchmark::State& state)
{
    if (!ready(state))
        return;
    qsizetype rules = 0;
    for (auto _ : state) {
        RuleIndex index(loadRuleList(fixture().rulePath));
        rules = index.rules().size();
        benchmark::DoNotOptimize(index);
    }
    state.counters["rules"] = double(rules);
}
BENCHMARK(LoadAndIndex)->Unit(benchmark::kMillisecond);

void Rewrite(benchmark::State& state)
{
    if (!ready(state))
        return;
    const QString& article = fixture().article(int(state.range(0)));
    RewriteResult result;
    for (auto _ : state) {
        result = rewriteArticle(article, *fixture().index, &unchanged);
        benchmark::DoNotOptimize(result);
    }
    state.counters["replacements"] = double(result.replacementCount);
    state.counters["words"] = double(result.wordCount);
}
BENCHMARK(Rewrite)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void PlainProcedure(benchmark::State& state)
{
    if (!ready(state))
        return;
    const QString& article = fixture().article(int(state.range(0)));
    test::LiteralResult result;
    for (auto _ : state) {
        result = test::literalRewrite(article, fixture().rules, &unchanged);
        benchmark::DoNotOptimize(result);
    }
    // Also a check: the engine must give the same text.
    const RewriteResult engine = rewriteArticle(article, *fixture().index, &unchanged);
    if (engine.spintax != result.spintax || engine.replacementCount != result.replacementCount)
        state.SkipWithError("the engine and the plain procedure disagree");
    state.counters["replacements"] = double(result.replacementCount);
}
// 10,000 words take minutes this way; 1,000 words is where it still finishes within a minute.
BENCHMARK(PlainProcedure)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);

// Items that are long phrases, which a probe from every space would follow for
// as long as the text repeats their beginning:
//   LongItem/0  one rule {a a ... a z|b} of 10,000 words on an article of 40,000 words "a" (no match);
//   LongItem/1  a rule line of 100 KB, {a a ... a b|c}, on an article of 400 KB of "a" (no match);
//   LongItem/2  the item of LongItem/0 found once at the end of that article.
void LongItem(benchmark::State& state)
{
    const int which = int(state.range(0));
    const QString item = QStringLiteral("a ").repeated(which == 1 ? 50000 : 9999) + (which == 1 ? u"b" : u"z");
    const RuleIndex rules(QStringList{u'{' + item + (which == 1 ? u"|c}" : u"|b}")});
    QString article = QStringLiteral("x") + QStringLiteral(" a").repeated(which == 1 ? 200000 : 40000);
    if (which == 2)
        article += u' ' + item + u'.';
    RewriteResult result;
    for (auto _ : state) {
        result = rewriteArticle(article, rules, &unchanged);
        benchmark::DoNotOptimize(result);
    }
    state.counters["replacements"] = double(result.replacementCount);
    state.counters["article_units"] = double(article.size());
}
BENCHMARK(LongItem)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

/// About @p words words of the development texts, repeated as often as needed.
QString prose(qint64 words)
{
    QString texts;
    const QDir dir(QStringLiteral(QUORVALE_SOURCE_DIR "/scripts/corpus/dev"));
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
        texts += readTextFile(dir.filePath(name)) + u'\n';
    const qint64 each = countWords(texts);
    return texts.repeated(qsizetype(std::max<qint64>(1, words / each)));
}

void ShippedRules(benchmark::State& state)
{
    const QString article = prose(state.range(0));
    const RuleIndex rules(loadRuleList(QStringLiteral(QUORVALE_SOURCE_DIR "/data/rwdb.txt")),
                          QStringLiteral(QUORVALE_SOURCE_DIR "/data/tagger.model"));
    RewriteResult result = rewriteArticle(article.left(1000), rules, &unchanged); // reads the model
    for (auto _ : state) {
        result = rewriteArticle(article, rules, &unchanged);
        benchmark::DoNotOptimize(result);
    }
    state.counters["words"] = double(result.wordCount);
    state.counters["replacements"] = double(result.replacementCount);
}
BENCHMARK(ShippedRules)->Arg(20000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void Tagging(benchmark::State& state)
{
    const Tagger tagger(QStringLiteral(QUORVALE_SOURCE_DIR "/data/tagger.model"));
    const QString text = prose(100000);
    const std::vector<Token> tokens = tokenize(text);
    std::vector<std::span<const Token>> sentences;
    size_t from = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (endsSentence(tokens[i]) || i + 1 == tokens.size()) {
            sentences.push_back(std::span<const Token>(tokens).subspan(from, i + 1 - from));
            from = i + 1;
        }
    }
    for (auto _ : state) {
        for (const auto& sentence : sentences)
            benchmark::DoNotOptimize(tagger.tag(sentence));
    }
    state.counters["words_per_second"] =
        benchmark::Counter(double(tokens.size()) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(Tagging)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
