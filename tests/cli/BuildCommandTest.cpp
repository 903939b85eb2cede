// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QTemporaryDir>
#include <functional>

using namespace quorvale::test;

namespace {

/// A copy of one of the site's reference builds (tests/site/fixtures/builds) to build in.
class BuildCommand : public ::testing::Test
{
protected:
    void useFixture(const char* name)
    {
        m_fixture = QStringLiteral(QUORVALE_SOURCE_DIR "/tests/site/fixtures/builds/") + QString::fromUtf8(name);
        copyTree(m_fixture + u"/home", home());
    }
    QString home() const { return m_dir.filePath(QStringLiteral("home")); }
    QString inHome(const QString& relative) const { return home() + u'/' + relative; }

    /// The command line of the fixture's settings.json: the texts it leaves out
    /// are left out, and so is variation 1, the default.
    QStringList arguments() const
    {
        const QJsonObject settings = QJsonDocument::fromJson(readFile(m_fixture + u"/settings.json")).object();
        QStringList arguments{QStringLiteral("build"), QStringLiteral("--home"), home()};
        if (variation() != u"1")
            arguments << QStringLiteral("--variation") << variation();
        const QJsonArray slotNames = settings.value(u"slots").toArray();
        for (qsizetype i = 0; i < slotNames.size(); ++i)
            arguments << (i == 0 ? QStringLiteral("--main") : QStringLiteral("--article%1").arg(i))
                      << inHome(slotNames.at(i).toString());
        arguments << QStringLiteral("--background")
                  << inHome(settings.value(u"backgroundFolder").toString() + u'/' +
                            settings.value(u"backgroundFile").toString());
        const QJsonObject info = settings.value(u"info").toObject();
        for (auto text = info.begin(); text != info.end(); ++text)
            arguments << u"--" + text.key() << text.value().toString();
        return arguments;
    }

    QString variation() const
    {
        return QJsonDocument::fromJson(readFile(m_fixture + u"/settings.json")).object().value(u"variation").toString();
    }

    QTemporaryDir m_dir;
    QString m_fixture;
};

class ReferenceBuildCommand : public BuildCommand, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(ReferenceBuildCommand, WritesTheReferenceSiteAndPrintsWhereItIs)
{
    useFixture(GetParam());
    const CliRun run = CliRun::run(arguments());
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, u"Site written to " + home() + u"/output/template" + variation() + u'\n');
    // Notes on standard error, such as the articles whose stray "<" became text; "@" stands for the home folder.
    EXPECT_EQ(run.err, QString::fromUtf8(readFile(m_fixture + QStringLiteral("/expected/stderr.txt"))).replace(u'@', home()));
    EXPECT_EQ(treeOf(inHome(QStringLiteral("output"))), treeOf(m_fixture + QStringLiteral("/expected/output")));
}

INSTANTIATE_TEST_SUITE_P(Cli, ReferenceBuildCommand, ::testing::Values("video", "address"),
                         [](const auto& info) { return std::string(info.param); });

struct MessageCase
{
    const char* name;
    std::function<void(QStringList&, const QString& home)> change; ///< of the reference build's arguments
    int code;
    const char* err;           ///< the start of standard error; "@" stands for the installation folder
    bool anotherBuild = false; ///< another build holds the site meanwhile
};

class BuildMessages : public BuildCommand, public ::testing::WithParamInterface<MessageCase>
{
};

TEST_P(BuildMessages, ExitCodeAndMessage)
{
    useFixture("video");
    const auto siteBefore = treeOf(inHome(QStringLiteral("output")));
    QStringList args = arguments();
    GetParam().change(args, home());
    QLockFile other(inHome(QStringLiteral("output.lock")));
    ASSERT_TRUE(!GetParam().anotherBuild || other.lock());
    const CliRun run = CliRun::run(args);
    EXPECT_EQ(run.code, GetParam().code) << run.err.toStdString();
    const QString expected = QString::fromUtf8(GetParam().err).replace(u'@', home());
    EXPECT_TRUE(expected.isEmpty() ? run.err.isEmpty() : run.err.startsWith(expected)) << run.err.toStdString();
    if (run.code != 0)
        EXPECT_EQ(treeOf(inHome(QStringLiteral("output"))), siteBefore);
    else
        EXPECT_EQ(run.out, QString()) << "--quiet";
}

void setOption(QStringList& args, const char* option, const QString& value)
{
    const qsizetype at = args.indexOf(QString::fromLatin1(option));
    if (at < 0)
        args << QString::fromLatin1(option) << value;
    else if (value.isNull())
        args.remove(at, 2);
    else
        args[at + 1] = value;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BuildMessages,
    ::testing::Values(
        MessageCase{"missing_option", [](QStringList& a, const QString&) { setOption(a, "--article4", QString()); }, 2,
                    "quorvale-cli build: --article4 is required\nRun 'quorvale-cli build --help' for its options.\n"},
        MessageCase{"missing_file",
                    [](QStringList& a, const QString& home) { setOption(a, "--background", home + u"/none.jpg"); }, 2,
                    "quorvale-cli build: --background \"@/none.jpg\": it does not exist\n"},
        MessageCase{"home_without_templates",
                    [](QStringList& a, const QString& home) { setOption(a, "--home", home + u"/articles"); }, 2,
                    "quorvale-cli build: the installation folder \"@/articles\" holds no template folder"},
        MessageCase{
            "variation_typo", [](QStringList& a, const QString&) { setOption(a, "--variation", u"3"_qs); }, 1,
            "quorvale-cli build: the site was not built and nothing was changed:\n  There is no template folder "
            "for the variation \"3\""},
        MessageCase{"invalid_site_address",
                    [](QStringList& a, const QString&) { setOption(a, "--site-url", u"example"_qs); }, 2,
                    "quorvale-cli build: --site-url: The site address \"example\" is not an absolute http://"},
        MessageCase{"variation_naming_another_folder",
                    [](QStringList& a, const QString&) { setOption(a, "--variation", u"a/b"_qs); }, 2,
                    "quorvale-cli build: --variation: The template variation \"a/b\" is not a plain folder name"},
        MessageCase{"invalid_video_id", [](QStringList& a, const QString&) { setOption(a, "--video-id", u"v1"_qs); }, 2,
                    "quorvale-cli build: --video-id: The video id \"v1\" is not a YouTube video id"},
        MessageCase{"option_given_twice", [](QStringList& a, const QString& home) { a << u"--main"_qs << home; }, 2,
                    "quorvale-cli build: --main is given more than once\n"},
        MessageCase{"another_build_at_work", [](QStringList&, const QString&) {}, 1,
                    "quorvale-cli build: another build is writing @/output/template1; nothing was changed.", true},
        MessageCase{"quiet", [](QStringList& a, const QString&) { a << QStringLiteral("--quiet"); }, 0, ""},
        MessageCase{"project_that_is_not_one",
                    [](QStringList& a, const QString& home) { setOption(a, "--project", home + u"/images/sunset.jpg"); },
                    2,
                    "quorvale-cli build: --project: The site file \"@/images/sunset.jpg\" cannot be opened: it is not "
                    "a Quorvale site file"},
        MessageCase{"versions_out_of_range", [](QStringList& a, const QString&) { setOption(a, "--versions", u"0"_qs); },
                    2, "quorvale-cli build: --versions needs a whole number from 1 to 999, not '0'"},
        MessageCase{"negative_wait", [](QStringList& a, const QString&) { setOption(a, "--wait", u"-5"_qs); }, 2,
                    "quorvale-cli build: --wait needs a whole number of seconds, not '-5'"},
        MessageCase{"stray_markup_listed",
                    [](QStringList& a, const QString& home) {
                        setOption(a, "--article2", writeFile(home + u"/a.txt", "x\ncoffee<water & tea <b>ok</b>."));
                        a << QStringLiteral("--quiet");
                    },
                    0,
                    "quorvale-cli build: a \"<\" or \"&\" that is not markup was written as text in:\n"
                    "  \"@/a.txt\": line 2, column 7 (\"coffee<water & tea <b>\") and 1 more\n"}),
    caseName);

// Past a file-size limit (a full disk, for the tool) the failed step is named with the system's reason, and
// the previous site stays as it was.
TEST_F(BuildCommand, AFileSizeLimitEndsInAMessageNotASignal)
{
    useFixture("video");
    writeFile(inHome(QStringLiteral("images/sunset.jpg")), jpegBytes(QByteArray(60000, 'x')));
    const auto before = treeOf(home());
    EXPECT_TRUE(trueInLimitedChild(RLIMIT_FSIZE, 20000, [&] {
        const CliRun run = CliRun::run(arguments());
        return run.code == 1 && run.err.contains(u"the previous one is as it was:\n  copying the background image: ") &&
               run.err.contains(u"File too large");
    }));
    EXPECT_EQ(treeOf(home()), before);
}

// A project written from the reference build's options, shown, and built into
// its own folder: the reference site with the marker; then in versions.
TEST_F(BuildCommand, AProjectFromOptionsIsShownAndBuilt)
{
    useFixture("video");
    const QString project = inHome(QStringLiteral("calm.quorvale"));
    QStringList args = arguments();
    args.replace(0, QStringLiteral("project"));
    args.insert(1, QStringLiteral("new"));
    args.insert(2, project);
    EXPECT_EQ(CliRun::run(args).code, 0);
    const CliRun again = CliRun::run(args);
    EXPECT_EQ(again.code, 1);
    EXPECT_TRUE(again.err.endsWith(u"calm.quorvale\" exists; nothing was written. --force replaces it.\n"))
        << again.err.toStdString();

    const CliRun shown = CliRun::run({u"project"_qs, u"show"_qs, project, u"--home"_qs, home()});
    EXPECT_TRUE(shown.out.contains(u"Article #3:       " + inHome(u"articles/ΚΑΛΗ_ζωή.txt"_qs) + u'\n'));
    EXPECT_TRUE(shown.out.contains(u"Output folder:    " + inHome(u"calm-site"_qs) + u"  (beside the site file)"));

    const CliRun built = CliRun::run({u"build"_qs, u"--project"_qs, project, u"--home"_qs, home()});
    EXPECT_EQ(built.out, u"Site written to " + inHome(u"calm-site"_qs) + u'\n') << built.err.toStdString();
    auto expected = treeOf(m_fixture + u"/expected/output/template1");
    expected.insert(u".quorvale-site"_qs, readFile(inHome(u"calm-site/.quorvale-site"_qs)));
    EXPECT_EQ(treeOf(inHome(u"calm-site"_qs)), expected);

    writeFile(inHome(u"rwdb.txt"_qs), "{stress|strain}\n");
    const CliRun versions = CliRun::run({u"build"_qs, u"--project"_qs, project, u"--home"_qs, home(), u"--versions"_qs,
                                         u"2"_qs, u"--seed"_qs, u"5"_qs, u"--out"_qs, inHome(u"two"_qs)});
    EXPECT_TRUE(versions.out.startsWith(u"2 versions of the site (seed 5) written to " + inHome(u"two"_qs)))
        << versions.out.toStdString() << versions.err.toStdString();
    EXPECT_TRUE(versions.out.contains(u"\n02       "));
    EXPECT_TRUE(QFileInfo::exists(inHome(u"two/02/index.html"_qs)));
}

} // namespace
