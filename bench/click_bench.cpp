// The end-to-end cost of one option click in the real window, offscreen:
// from the mouse events to the title holding the new result.

#include "application.h"
#include "form1.h"

#include <QRadioButton>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

void BM_OptionClick(benchmark::State &run)
{
    Form1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        run.SkipWithError("window never exposed");
        return;
    }
    // Two columns' options that give different results, clicked in turn.
    QRadioButton *options[] = {form.findChild<QRadioButton *>("Faren_3"), form.findChild<QRadioButton *>("Faren_4")};
    const QPoint indicator(6, options[0]->height() / 2);
    int next = 0;
    for (auto _ : run) {
        const QString before = form.windowTitle();
        QTest::mouseClick(options[next], Qt::LeftButton, {}, indicator);
        if (form.windowTitle() == before) {
            run.SkipWithError("the click did not change the title");
            return;
        }
        next ^= 1;
    }
}
BENCHMARK(BM_OptionClick);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
