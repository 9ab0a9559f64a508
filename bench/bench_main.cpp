// One table for the core and the windows: run by `make bench`.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <iostream>

#include "app/ui/skerry_application.hpp"
#include "bench_table.hpp"
#include "container_bench.hpp"
#include "core_bench.hpp"
#include "window_bench.hpp"

namespace {

QtMessageHandler qtMessages = nullptr;

// The offscreen platform says at every window what it cannot do (raise, size hints); that is
// all that is dropped.
void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith(QStringLiteral("This plugin does not support"))) {
        qtMessages(type, context, text);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Windows are measured offscreen, the same on every machine, and with a settings folder
    // of their own so that nothing reaches the user's settings.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qtMessages = qInstallMessageHandler(QuietOffscreen);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    skerry::ui::SkerryApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }

    // Every input is made here, into a folder that goes when the run ends.
    QTemporaryDir work;
    if (!work.isValid()) {
        std::cerr << "Cannot make a folder for the inputs\n";
        return 1;
    }
    const skerry::bench::Inputs inputs(work.path().toStdString());
    skerry::bench::AddCoreBenchmarks(inputs);
    skerry::bench::AddContainerBenchmarks(inputs);
    const std::shared_ptr<void> windows = skerry::bench::AddWindowBenchmarks(inputs);

    skerry::bench::TableReporter table;
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    return 0;
}
