// SPDX-License-Identifier: GPL-3.0-or-later
#include "rewriter/Tagger.h"

#include "TestSupport.h"
#include "components/Error.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

using namespace quorvale;

const QString ModelPath = QStringLiteral(QUORVALE_SOURCE_DIR "/data/tagger.model");

struct TokenCase
{
    const char* name;
    const char16_t* text;
    const char16_t* tokens; ///< the tokens' texts joined by spaces
};

class Tokenize : public ::testing::TestWithParam<TokenCase>
{
};

TEST_P(Tokenize, SplitsAsTheCorpusDoes)
{
    const QString text = QString::fromUtf16(GetParam().text);
    QStringList texts;
    qsizetype end = 0;
    for (const Token& token : tokenize(text)) {
        texts.append(token.text.toString());
        EXPECT_GE(token.start, end) << token.text.toString().toStdString();
        end = token.start + token.length;
    }
    EXPECT_LE(end, text.size());
    EXPECT_EQ(texts.join(u' '), QString::fromUtf16(GetParam().tokens));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Tokenize,
    ::testing::Values(TokenCase{"quotes_dashes_abbreviations",
                                u"\u201CMr. Smith\u2019s car,\u201D he said\u2014loudly. \"U.S.\" (J. Doe) x--y",
                                u"`` Mr. Smith\u2019s car , '' he said -- loudly . `` U.S. '' ( J. Doe ) x -- y"},
                      TokenCase{"possessive_plural_and_ellipsis", u"the workers' pay... ok?\r\n\tend.",
                                u"the workers' pay . . . ok ? end ."},
                      TokenCase{"nothing_but_space", u" \t\r\n", u""}),
    quorvale::test::caseName);

// Held-out sentences of the Brown Corpus with the tags the training script's
// model gave them: the engine's features must be the script's, and the tags
// mostly right.
TEST(Tagger, GivesTheTrainingScriptsTagsOnHeldOutSentences)
{
    const Tagger tagger(ModelPath);
    QFile file(QStringLiteral(QUORVALE_TEST_DATA "/tagger-check.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int total = 0;
    int right = 0;
    int sentences = 0;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u' ');
        std::vector<Token> tokens;
        QStringList gold;
        QStringList expected;
        for (const QString& field : fields) {
            const qsizetype second = field.lastIndexOf(u'/');
            const qsizetype first = field.lastIndexOf(u'/', second - 1);
            tokens.push_back(Token{0, 0, QStringView(field).first(first)});
            gold.append(field.sliced(first + 1, second - first - 1));
            expected.append(field.sliced(second + 1));
        }
        QStringList tags;
        for (const quint8 tag : tagger.tag(tokens))
            tags.append(tagger.tagNames().at(tag));
        EXPECT_EQ(tags, expected) << line.toStdString();
        for (qsizetype i = 0; i < tags.size(); ++i)
            right += tags.at(i) == gold.at(i) ? 1 : 0;
        total += int(tags.size());
        ++sentences;
    }
    EXPECT_GT(sentences, 20);
    EXPECT_GE(right, total * 0.95) << right << " of " << total;
}

TEST(Tagger, DamagedOrMissingModelIsAnErrorNamingTheFile)
{
    QFile model(ModelPath);
    ASSERT_TRUE(model.open(QIODevice::ReadOnly));
    const QByteArray bytes = model.readAll();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tagger.model"));
    for (const QByteArray& damaged : {bytes.first(bytes.size() / 2), QByteArray(bytes + "x"), QByteArray("QVTAGGER"),
                                      QByteArray("{big|large}\n"), QByteArray()}) {
        quorvale::test::writeFile(path, damaged);
        try {
            Tagger tagger(path);
            ADD_FAILURE() << "no error for " << damaged.size() << " bytes";
        } catch (const Error& error) {
            EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
        }
    }
    EXPECT_THROW(Tagger(dir.filePath(QStringLiteral("none"))), Error);
}

} // namespace
