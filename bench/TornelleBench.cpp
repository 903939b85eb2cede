// SPDX-License-Identifier: GPL-3.0-or-later
// The Tornelle window's change menus on a long article, with the shipped
// rules and the sample articles repeated to 5,000 words:
//   OpenChangeMenu    a click on a highlighted word: the spot found, its menu
//                     made and shown (and closed again)
//   ChooseWording     a choice from that menu: the wording changed, the box,
//                     its highlights and the change line shown anew
// Run offscreen, e.g. QT_QPA_PLATFORM=offscreen build/bench/tornelle_bench

#include "components/TextFile.h"
#include "gui/Desktop.h"
#include "gui/TornelleWindow.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace quorvale;

/// Shows nothing: every message box is answered at once.
class SilentDesktop : public Desktop
{
public:
    MessageAnswer showMessage(QWidget*, const QString&, const QString&, MessageButtons) override
    {
        return MessageAnswer::Ok;
    }
};

/// A Tornelle window that has rewritten a 5,000-word article.
struct Fixture
{
    QTemporaryDir dir;
    SilentDesktop desktop;
    std::unique_ptr<TornelleWindow> window;
    qsizetype words = 0;

    Fixture()
    {
        const QDir samples(QStringLiteral(QUORVALE_SOURCE_DIR "/data/apparticles"));
        QString article;
        const QStringList names = samples.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
        for (qsizetype k = 0; words < 5000 && !names.isEmpty(); ++k) {
            const QString text = readTextFile(samples.filePath(names.at(k % names.size())));
            article += text + QStringLiteral("\n\n");
            words += text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size();
        }
        const QString path = dir.filePath(QStringLiteral("article.txt"));
        saveTextFile(article, path);
        window = std::make_unique<TornelleWindow>(
            desktop, QStringLiteral(QUORVALE_SOURCE_DIR "/data/rwdb.txt"), dir.filePath(QStringLiteral("user")),
            SlotPaths{path, QString(), QString(), QString(), QString()}, QRandomGenerator(1));
        window->show();
        TornelleController& controller = window->controller();
        while (controller.loadingTimerEnabled())
            controller.loadingTick();
        controller.chooseArticle(0);
        controller.rewriteArticle();
    }

    /// The start of the highlighted word in the middle of the article.
    qsizetype middleChange() const
    {
        const TextSpans changed = window->controller().changedRanges();
        return changed.empty() ? -1 : changed[changed.size() / 2].first;
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void OpenChangeMenu(benchmark::State& state)
{
    const qsizetype at = fixture().middleChange();
    for (auto _ : state) {
        if (!fixture().window->showChangeMenu(at)) {
            state.SkipWithError("no highlighted word");
            return;
        }
        fixture().window->changeMenu()->close();
    }
    state.counters["words"] = double(fixture().words);
    state.counters["highlighted"] = double(fixture().window->controller().changedRanges().size());
}
BENCHMARK(OpenChangeMenu)->Unit(benchmark::kMillisecond);

void ChooseWording(benchmark::State& state)
{
    TornelleController& controller = fixture().window->controller();
    const int spot = controller.spotAt(fixture().middleChange());
    const qsizetype choices = controller.spotMenu(spot).wordings.size();
    qsizetype next = 0;
    for (auto _ : state) {
        // Through the menu's actions alone: "Keep original" and each alternative in turn.
        controller.chooseWording(spot, next == choices ? -1 : next);
        next = (next + 1) % (choices + 1);
        QCoreApplication::processEvents();
    }
    state.counters["words"] = double(fixture().words);
}
BENCHMARK(ChooseWording)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
