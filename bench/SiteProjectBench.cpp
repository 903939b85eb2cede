// SPDX-License-Identifier: GPL-3.0-or-later
// Site projects with the shipped data (data/ of the source tree as the
// installation folder, nothing written there):
//   SaveProject     the sample site written to its site file (safe save)
//   OpenProject     the site file read back
//   BuildVersions/N N versions of the sample site built into a folder of
//                   their own: rewritten, spun, written on every core, the
//                   old versions replaced, the report made (wall time)
// Peak memory of the whole program is best measured on the command-line tool:
//   /usr/bin/time -v build/app/quorvale-cli build --project FILE --versions 100 --quiet

#include "components/Error.h"
#include "site/DemoData.h"
#include "site/SiteProject.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

using namespace quorvale;

const QString Install = QStringLiteral(QUORVALE_SOURCE_DIR "/data");

/// The sample site as "Load Dummy Data" makes it, kept as a project in a scratch folder.
struct Fixture
{
    QTemporaryDir dir;
    InstallLayout layout = InstallLayout::forHome(Install);
    SiteProject project;
    QString file = dir.filePath(QStringLiteral("sample.quorvale"));

    Fixture()
    {
        const BuildInput demo = demoBuildInput(layout, QStringLiteral("1"));
        project.articles = demo.articlePaths;
        project.background = demo.backgroundFolder + u'/' + demo.backgroundFile;
        project.info = demo.info;
        project.seed = 2024;
        saveSiteProject(project, file, Install);
    }
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

void SaveProject(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state)
        saveSiteProject(f.project, f.file, Install);
}
BENCHMARK(SaveProject)->Unit(benchmark::kMillisecond);

void OpenProject(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(loadSiteProject(f.file, Install));
}
BENCHMARK(OpenProject)->Unit(benchmark::kMillisecond);

void BuildVersions(benchmark::State& state)
{
    Fixture& f = fixture();
    SiteProject project = f.project;
    project.versions = int(state.range(0));
    project.outputFolder = f.dir.filePath(QStringLiteral("versions"));
    const BuildInput input = siteBuildInput(project, f.file, f.layout);
    for (auto _ : state) {
        const BuildResult result = buildSite(input);
        if (!result.succeeded()) {
            state.SkipWithError(result.problems.join(u' ').toStdString().c_str());
            return;
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024;
}
BENCHMARK(BuildVersions)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
