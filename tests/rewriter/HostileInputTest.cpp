#include "LiteralRewriter.h"
#include "QStringPrinter.h"
#include "components/Spinner.h"
#include "components/TextFile.h"
#include "rewriter/Rewriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

// Rewrites of articles and with rule files no one would write by hand, read
// from disk the way the Tornelle window reads them. Every case ends with a
// result, never with a crash or a hang. Time bound: CTest stops each test of
// this file after 300 seconds (TIMEOUT of rewriter_hostile_tests in
// CMakeLists.txt), which fails it. The slowest case, 50 MB, takes about 2
// seconds in a release build and about a minute under the sanitizers.

namespace {

using namespace quorvale;

/// The bytes of a string literal, NUL bytes included.
template <std::size_t N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

QByteArray randomBytes(qsizetype size, unsigned seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(random() & 0xFF);
    return bytes;
}

/// Spins like the window does, but the same text always gives the same wording.
QString spin(const QString& text)
{
    QRandomGenerator random(1);
    return Spin(text, random);
}

QString writeAndPath(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(file.write(bytes), bytes.size());
    return path;
}

/// The two rewrites agree. A plain QString comparison would print megabytes.
void expectSameRewrite(const RewriteResult& engine, const test::LiteralResult& literal)
{
    EXPECT_TRUE(engine.spintax == literal.spintax) << "engine " << engine.spintax.left(300).toStdString() << "\nplain  "
                                                   << literal.spintax.left(300).toStdString();
    EXPECT_EQ(engine.replacementCount, literal.replacementCount);
    EXPECT_EQ(engine.wordCount, literal.wordCount);
    EXPECT_EQ(engine.report, literal.report);
}

// --- Articles ---------------------------------------------------------------

const QStringList kRules = {
    QStringLiteral("{big|large|huge}"),
    QStringLiteral("{café|coffee}"),
    QStringLiteral("{ωμέγα|omega}"),
    QStringLiteral("{in addition|also}"),
};

const QByteArray kLongLine = "A big dog, a big cat.\n";
const QString kLongLineSpintax = QStringLiteral("A {large|huge} dog, a {large|huge} cat.\n");
constexpr qsizetype kLongLines = 50 * 1024 * 1024 / 22; // 50 MB

struct ArticleCase
{
    const char* name;
    QByteArray (*bytes)();
    /// The spintax and the count a reader expects; null spintax: the text is
    /// random, and only the plain procedure knows.
    QString (*spintax)();
    qint64 count;
    /// The words of the article; -1: not counted by hand.
    qint64 words;
    /// Also rewrite the plain, slow way and compare (too slow for 50 MB).
    bool compareWithPlainProcedure;
};

void PrintTo(const ArticleCase& c, std::ostream* out)
{
    *out << c.name;
}

class HostileArticle : public ::testing::TestWithParam<ArticleCase>
{
};

TEST_P(HostileArticle, IsRewrittenLikeAnyOther)
{
    const ArticleCase& c = GetParam();
    QTemporaryDir dir;
    const QString article = LoadFileIntoTextBox(writeAndPath(dir, QStringLiteral("article.txt"), c.bytes()));

    const RewriteResult result = Reescribir(article, RuleIndex(kRules), &spin);

    if (c.spintax != nullptr) {
        const QString expected = c.spintax();
        EXPECT_TRUE(result.spintax == expected) << result.spintax.left(300).toStdString();
        EXPECT_EQ(result.replacementCount, c.count);
    }
    if (c.words >= 0) {
        EXPECT_EQ(result.wordCount, c.words);
    }
    EXPECT_TRUE(result.report.startsWith(QString::number(result.replacementCount) + u" Replacements on "))
        << result.report.toStdString();
    if (c.compareWithPlainProcedure)
        expectSameRewrite(result, test::literalRewrite(article, kRules, &spin));
}

INSTANTIATE_TEST_SUITE_P(
    Rewriter, HostileArticle,
    ::testing::Values(
        ArticleCase{"empty", []() -> QByteArray { return {}; }, []() -> QString { return {}; }, 0, 0, true},
        ArticleCase{
            "binary_with_nul_bytes", []() -> QByteArray { return raw("\0 big\0 big. \xFF big,\x01 {big|big}\0"); },
            []() -> QString { return QStringLiteral(u"\0 big\0 {large|huge}. \u00FF {large|huge},\x01 big\0"); }, 2, -1,
            true},
        ArticleCase{"random_binary",
                    []() -> QByteArray {
                        QByteArray bytes = randomBytes(1 << 18, 11);
                        // Enough spaces and items among the noise for some to match.
                        for (qsizetype i = 0; i + 8 < bytes.size(); i += 97)
                            bytes.replace(i, 6, i % 2 ? " big, " : " also ");
                        return bytes;
                    },
                    nullptr, 0, -1, true},
        ArticleCase{
            "windows_1252",
            []() -> QByteArray {
                return raw("Un caf\xE9 big, un CAF\xC9 fort. \x93"
                           "big\x94 omega.");
            },
            []() -> QString { return QStringLiteral("Un café {large|huge}, un {coffee} fort. “big” {ωμέγα}."); }, 3, -1,
            true},
        ArticleCase{
            "utf16_little_endian",
            []() -> QByteArray {
                const QString text = QStringLiteral("Ωμέγα big: ΩΜΈΓΑ ωμέγα, 日本 big. 😀 also");
                return QByteArray("\xFF\xFE", 2) +
                       QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
            },
            []() -> QString { return QStringLiteral("Ωμέγα {large|huge}: {omega} ωμέγα, 日本 {large|huge}. 😀 also"); },
            3, -1, true},
        ArticleCase{"utf16_big_endian", []() -> QByteArray { return raw("\xFE\xFF\0x\0 \0b\0i\0g\0 \0y"); },
                    []() -> QString { return QStringLiteral("x {large|huge} y"); }, 1, 3, true},
        ArticleCase{
            "invalid_utf8", []() -> QByteArray { return raw("x big \xC3\x28 caf\xE9 big. \xED\xA0\x80 also."); },
            []() -> QString { return QStringLiteral("x {large|huge} Ã( café {large|huge}. í\u00A0€ {in addition}."); },
            3, -1, true},
        ArticleCase{"fifty_megabytes", []() -> QByteArray { return kLongLine.repeated(kLongLines); },
                    []() -> QString { return kLongLineSpintax.repeated(kLongLines); }, 2 * kLongLines, 6 * kLongLines,
                    false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Rule files ---------------------------------------------------------------

/// Item @p i of manyItemsLine(): two CJK ideographs, which have no case.
QString shortItem(int i)
{
    const QChar letters[2] = {QChar(char16_t(0x4E00 + i / 200)), QChar(char16_t(0x4E00 + i % 200))};
    return QString(letters, 2);
}

/// A rule line of 100,000 characters: 33,334 different items of two letters.
constexpr int kShortItems = 33334;

QByteArray manyItemsLine()
{
    QStringList items;
    for (int i = 0; i < kShortItems; ++i)
        items.append(shortItem(i));
    return (u'{' + items.join(u'|') + u'}').toUtf8();
}

/// The group that replaces item @p skipped of manyItemsLine().
QString manyItemsGroup(int skipped)
{
    QStringList items;
    for (int i = 0; i < kShortItems; ++i)
        if (i != skipped)
            items.append(shortItem(i));
    return u'{' + items.join(u'|') + u'}';
}

/// Random bytes in lines: half of them framed as rules, NUL bytes and
/// invalid UTF-8 throughout.
QByteArray binaryRuleFile()
{
    std::mt19937 random(23);
    QByteArray file;
    for (int line = 0; line < 300; ++line) {
        QByteArray bytes = randomBytes(1 + int(random() % 80), unsigned(line));
        for (char& b : bytes) {
            if (b == '\n' || b == '\r')
                b = '|';
            else if (random() % 4 == 0)
                b = " |ab"[random() % 4];
        }
        file += line % 2 ? bytes : QByteArray('{' + bytes + '}');
        file += line % 3 ? "\n" : "\r\n";
    }
    return file;
}

struct RuleFileCase
{
    const char* name;
    QByteArray (*bytes)();
    qsizetype lines;
    /// The article to rewrite; null: made from the rule file's own text.
    QString (*article)();
    /// The spintax and the count a reader expects; null: only the plain procedure knows.
    QString (*spintax)();
    qint64 count;
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
    const RuleList rules = LoadRuleList(writeAndPath(dir, QStringLiteral("rwdb.txt"), c.bytes()));
    EXPECT_EQ(rules.size(), c.lines);
    QString article;
    if (c.article != nullptr) {
        article = c.article();
    } else {
        // Every rule line with its braces and bars turned into spaces: its
        // items then stand between spaces, and many of them match.
        article = rules.join(u' ');
        for (QChar& ch : article)
            if (ch == u'{' || ch == u'}' || ch == u'|')
                ch = u' ';
    }

    const RewriteResult result = Reescribir(article, RuleIndex(rules), &spin);

    if (c.spintax != nullptr) {
        const QString expected = c.spintax();
        EXPECT_TRUE(result.spintax == expected) << result.spintax.left(300).toStdString();
        EXPECT_EQ(result.replacementCount, c.count);
    } else {
        EXPECT_GT(result.replacementCount, 0);
        expectSameRewrite(result, test::literalRewrite(article, rules, &spin));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rewriter, HostileRuleFile,
    ::testing::Values(
        RuleFileCase{
            "hundred_thousand_lines",
            []() -> QByteArray {
                QByteArray file;
                for (int i = 0; i < 100000; ++i)
                    file += "{w" + QByteArray::number(i) + "|v" + QByteArray::number(i) + "}\n";
                return file;
            },
            100000, []() -> QString { return QStringLiteral("x w0, x w32767, x w32768, x w65536, x w99999."); },
            []() -> QString { return QStringLiteral("x {v0}, x {v32767}, x {v32768}, x {v65536}, x {v99999}."); }, 5},
        RuleFileCase{"item_of_100000_characters",
                     []() -> QByteArray { return "{" + QByteArray(100000, 'y') + "|short}\n{big|large}\n"; }, 2,
                     []() -> QString { return u"a " + QString(100000, u'y') + u" b short. c big."; },
                     []() -> QString { return u"a {short} b {" + QString(100000, u'y') + u"}. c {large}."; }, 3},
        RuleFileCase{
            "line_of_100000_characters_in_items", []() -> QByteArray { return manyItemsLine() + "\n"; }, 1,
            []() -> QString { return u"x " + shortItem(0) + u" y " + shortItem(kShortItems - 1) + u'.'; },
            []() -> QString { return u"x " + manyItemsGroup(0) + u" y " + manyItemsGroup(kShortItems - 1) + u'.'; }, 2},
        RuleFileCase{"lines_of_100000_characters_that_are_no_rules",
                     []() -> QByteArray {
                         return QByteArray(100000, 'z') + "\n{big|large}\n{unclosed " + QByteArray(100000, 'q') + "\n" +
                                QByteArray(100000, '|') + "\n";
                     },
                     4, []() -> QString { return QStringLiteral("a big dog"); },
                     []() -> QString { return QStringLiteral("a {large} dog"); }, 1},
        RuleFileCase{"binary_bytes", &binaryRuleFile, 300, nullptr, nullptr, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
