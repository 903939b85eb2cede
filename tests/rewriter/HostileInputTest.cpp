// SPDX-License-Identifier: GPL-3.0-or-later
#include "LiteralRewriter.h"
#include "TestSupport.h"
#include "components/Error.h"
#include "components/Spinner.h"
#include "components/TextFile.h"
#include "rewriter/Rewriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

// Articles and rule files no one would write by hand, read from disk as the
// Tornelle window reads them, always give a result. CTest stops each test
// after 300 seconds (TIMEOUT of rewriter_hostile_tests), which fails it.

namespace {

using namespace quorvale;

template <std::size_t N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

QString spin(const QString& text)
{
    return Spinner(1).spin(text);
}

QString saved(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath(QStringLiteral("file.txt"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(file.write(bytes), bytes.size());
    return path;
}

struct Case
{
    const char* name;
    QByteArray bytes; ///< the article or the rule file, repeated `times`
    QString spintax;  ///< what a reader expects, repeated `times`; null: only the plain procedure knows
    qint64 count;
    qsizetype times = 1;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

void expectRewrite(const Case& c, const QString& article, const QStringList& rules)
{
    const RewriteResult result = rewriteArticle(article, RuleIndex(rules), &spin);
    if (!c.spintax.isNull()) {
        EXPECT_TRUE(result.spintax == c.spintax.repeated(c.times)) << result.spintax.left(300).toStdString();
        EXPECT_EQ(result.replacementCount, c.count * c.times);
    } else {
        EXPECT_GT(result.replacementCount, 0);
    }
    if (c.times > 1 || c.spintax.size() > 10000)
        return; // the plain procedure is too slow for 50 MB or huge groups
    const test::LiteralResult literal = test::literalRewrite(article, rules, &spin);
    EXPECT_TRUE(result.spintax == literal.spintax) << result.spintax.left(300).toStdString();
    EXPECT_EQ(result.replacementCount, literal.replacementCount);
    EXPECT_EQ(result.report, literal.report);
}

class HostileArticle : public ::testing::TestWithParam<Case>
{
};

TEST_P(HostileArticle, IsRewrittenLikeAnyOther)
{
    QTemporaryDir dir;
    const QString article = readTextFile(saved(dir, GetParam().bytes.repeated(GetParam().times)));
    expectRewrite(GetParam(), article,
                  {QStringLiteral("{big|large|huge}"), QStringLiteral("{café|coffee}"), QStringLiteral("{ωμέγα|omega}"),
                   QStringLiteral("{in addition|also}")});
}

INSTANTIATE_TEST_SUITE_P(
    Rewriter, HostileArticle,
    ::testing::Values(Case{"empty", "", QStringLiteral(""), 0},
                      Case{"binary_with_nul_bytes", raw("\0 big\0 big. \xFF big,\x01 {big|big}\0"),
                           QStringLiteral(u"\0 big\0 {large|huge}. \u00FF {large|huge},\x01 big\0"), 2},
                      Case{"fifty_megabytes", "A big dog, a big cat.\n",
                           QStringLiteral("A {large|huge} dog, a {large|huge} cat.\n"), 2, 50 * 1024 * 1024 / 22}),
    quorvale::test::caseName);

// --- Rule files ---------------------------------------------------------------

/// Item @p i of a line of many items: two CJK ideographs, which have no case.
QString item(int i)
{
    const QChar letters[2] = {QChar(char16_t(0x4E00 + i / 200)), QChar(char16_t(0x4E00 + i % 200))};
    return QString(letters, 2);
}

constexpr int kItems = 33334; // "{" + 33,334 items of two letters joined by "|" + "}": 100,002 characters

QString itemGroup(int skipped)
{
    QStringList items;
    for (int i = 0; i < kItems; ++i)
        if (i != skipped)
            items.append(item(i));
    return u'{' + items.join(u'|') + u'}';
}

/// Random bytes in 300 lines, half framed as rules, NUL bytes and invalid UTF-8 throughout.
QByteArray binaryRuleFile()
{
    std::mt19937 random(23);
    QByteArray file;
    for (int line = 0; line < 300; ++line) {
        QByteArray bytes;
        for (int i = int(random() % 80); i >= 0; --i) {
            const char b = char(random());
            bytes += (b == '\n' || b == '\r' || random() % 4 == 0) ? " |ab"[random() % 4] : b;
        }
        file += (line % 2 ? bytes : '{' + bytes + '}') + (line % 3 ? "\n" : "\r\n");
    }
    return file;
}

QByteArray hundredThousandLines()
{
    QByteArray file;
    for (int i = 0; i < 100000; ++i)
        file += "{w" + QByteArray::number(i) + "|v" + QByteArray::number(i) + "}\n";
    return file;
}

struct RuleFileCase : Case
{
    qsizetype lines;
    QString article; ///< null: the rule file's own text with its braces and bars as spaces
};

void PrintTo(const RuleFileCase& c, std::ostream* out)
{
    *out << c.name;
}

class HostileRuleFile : public ::testing::TestWithParam<RuleFileCase>
{
};

TEST_P(HostileRuleFile, LoadsAndRewrites)
{
    const RuleFileCase& c = GetParam();
    QTemporaryDir dir;
    const RuleList rules = loadRuleList(saved(dir, c.bytes));
    ASSERT_EQ(rules.size(), c.lines);
    QString article = c.article.isNull() ? rules.join(u' ') : c.article;
    if (c.article.isNull())
        article.replace(u'{', u' ').replace(u'}', u' ').replace(u'|', u' ');
    expectRewrite(c, article, rules);
}

INSTANTIATE_TEST_SUITE_P(
    Rewriter, HostileRuleFile,
    ::testing::Values(RuleFileCase{{"hundred_thousand_lines", hundredThousandLines(),
                                    QStringLiteral("x {v0}, x {v32768}, x {v65536}, x {v99999}."), 4},
                                   100000,
                                   QStringLiteral("x w0, x w32768, x w65536, x w99999.")},
                      RuleFileCase{{"line_of_100000_characters_in_items", (itemGroup(-1) + u'\n').toUtf8(),
                                    u"x " + itemGroup(0) + u" y " + itemGroup(kItems - 1) + u'.', 2},
                                   1,
                                   u"x " + item(0) + u" y " + item(kItems - 1) + u'.'},
                      RuleFileCase{{"binary_bytes", binaryRuleFile(), QString(), 0}, 300, QString()}),
    quorvale::test::caseName);

TEST(HostileRuleLine, OfAMillionItemsStopsWithAMessageInsteadOfGigabytes)
{
    QString line = QStringLiteral("{w");
    for (int i = 0; i < 1000000; ++i)
        line += QStringLiteral("|v") + QString::number(i);
    const RuleIndex rules(QStringList{line + u'}'});
    try {
        rewriteArticle(QStringLiteral("x") + QStringLiteral(" w,").repeated(400), rules, &spin);
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(u"512 MB")) << error.message().toStdString();
    }
}

} // namespace
