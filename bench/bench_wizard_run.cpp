// The whole wizard in the simulated viewer at simulator time scale 0: the
// plug-in's own cost per camera of a run, how many progress reports a run
// absorbs next to writing its log lines raw, start-up and the start action.
// Run by hand (or all benchmarks with scripts/bench):
//   QT_QPA_PLATFORM=offscreen <build>/bench/bench_wizard_run [p2] [p4] [start]
#include "BenchFigures.h"
#include "ShowWatcher.h"

#include "support/WizardDriver.h"

#include <QEventLoop>

#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray updateFile(int phases)
{
    QStringList list;
    for (int i = 0; i < phases; ++i)
        list << QStringLiteral(R"({"step": "%1", "estimatedMs": 16})")
                        .arg(i % 2 ? QStringLiteral("FileUpload") : QStringLiteral("FeatureWrite"));
    return QStringLiteral(R"({"updates": [{"version": "2.0", "models": ["M"], "phases": [%1]}]})")
            .arg(list.join(QStringLiteral(", ")))
            .toUtf8();
}

struct Run
{
    double ms = 0;
    QStringList lines;
};

// From Next on page 3 until page 5 shows, for cameras of one model.
Run runWizard(int cameras, int phases)
{
    WizardDriver d;
    const QStringList ids = d.addNumberedCameras(cameras);
    const QString path = d.writeUpdateFile(updateFile(phases));
    if (!d.start())
        qFatal("page 1 did not show");
    // Checking the camera model checks all its cameras at once.
    const auto model = d.page1->treeModel();
    const QModelIndex type
            = model->findCameraIndex(QStringLiteral("GigE"), ids.first(), 0).parent();
    model->setData(type, true);
    model->applySelectionRules(type);
    if (!d.toSummary({}, path))
        qFatal("could not reach the summary page");
    QEventLoop loop;
    ShowWatcher watcher(&loop);
    d.page5->installEventFilter(&watcher);
    // Page 3 drops a Next within a double click of being shown: wait that out
    // before the clock starts, then click directly.
    QTest::qWait(QApplication::doubleClickInterval() + 1);
    QAbstractButton *next = WizardDriver::button(d.page3, QStringLiteral("Next"));
    if (!next || !next->isEnabled())
        qFatal("the run cannot start");
    Run run;
    run.ms = Bench::elapsedMs([&] {
        QTest::mouseClick(next, Qt::LeftButton);
        loop.exec();
    });
    if (d.counts() != QStringLiteral("%1 0 0").arg(cameras))
        qFatal("not every camera was updated: %s", qPrintable(d.counts()));
    d.closeOn(d.page5);
    QFile log(d.logPath);
    if (log.open(QIODevice::ReadOnly))
        run.lines = QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return run;
}

// The same lines written one write() each, as a flushed line costs at least.
double rawWriteMs(const QStringList &lines)
{
    QTemporaryFile file;
    if (!file.open())
        qFatal("no temporary file");
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(),
                          O_WRONLY | O_APPEND | O_CLOEXEC);
    const double ms = Bench::elapsedMs([&] {
        for (const QString &line : lines) {
            const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
            if (::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
                qFatal("write failed");
        }
    });
    ::close(fd);
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Sections named on the command line, or all of them.
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const auto wanted = [&](const char *section) {
        return arguments.isEmpty() || arguments.contains(QLatin1String(section));
    };
    Bench::printHeader("wizard at simulator time scale 0");

    if (wanted("p2")) {
        // A run's fixed part (two page changes, the result page) is measured
        // with one camera; each further camera should add the same.
        const double fixed = Bench::compare(
                QStringLiteral("P2 run with 1 camera (ms)"), [&] { return runWizard(1, 1).ms; }, {},
                QStringLiteral("-"));
        QVector<double> added;
        for (int cameras : { 10, 100, 1000 }) {
            const double ms = Bench::compare(
                    QStringLiteral("P2 run per camera, %1 cameras (ms)").arg(cameras),
                    [&] { return runWizard(cameras, 1).ms / cameras; }, {},
                    QStringLiteral("<= 1 ms"));
            added << (ms * cameras - fixed) / (cameras - 1);
            Bench::printFigure(
                    QStringLiteral("P2 per further camera, %1 cameras (ms)").arg(cameras),
                    added.last(), 0, 0, 0, 0, QStringLiteral("<= 1 ms"));
        }
        const double growth = added.last() / added.first();
        Bench::printFigure(QStringLiteral("P2 per further camera, 1000 vs 10"), added.last(),
                           added.first(), growth, growth, growth,
                           QStringLiteral("linear: ratio <= 1.5"));
    }

    if (wanted("p4")) {
        // Update files allow 100 phases, 5 reports each.
        constexpr int kCameras = 40;
        constexpr int kPhases = 100;
        QVector<double> rates;
        Run last;
        Bench::compare(
                QStringLiteral("P4 run of %1 progress reports (ms)").arg(kCameras * kPhases * 5),
                [&] {
                    last = runWizard(kCameras, kPhases);
                    const int reports = last.lines.filter(QStringLiteral(" progress: ")).size();
                    rates << reports / (last.ms / 1000.0);
                    return last.ms;
                },
                [&] { return rawWriteMs(last.lines); }, QStringLiteral("ratio <= 2.5"));
        Bench::printFigure(QStringLiteral("P4 progress reports per second"), Bench::median(rates),
                           0, 0, 0, 0, QStringLiteral(">= 200000"));
    }
    if (!wanted("start"))
        return 0;

    Bench::compare(
            QStringLiteral("start-up: load to extensionsInitialized (ms)"),
            [] {
                SimulatedHost host;
                FU::CFirmwareUpdaterPlugin plugin;
                const double ms = Bench::elapsedMs([&] {
                    plugin.initialize(host.registry);
                    plugin.extensionsInitialized();
                });
                plugin.uninitialize(host.registry);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                return ms;
            },
            {}, QStringLiteral("< 50 ms"));
    Bench::compare(
            QStringLiteral("start action to page 1 shown (ms)"),
            [] {
                WizardDriver d;
                d.addCameras({ QStringLiteral("SN1|Camera 1|M|1.0"),
                               QStringLiteral("SN2|Camera 2|M|1.0") });
                double ms = Bench::elapsedMs([&] {
                    if (!d.start())
                        qFatal("page 1 did not show");
                });
                d.closeOn(d.page1);
                return ms;
            },
            {}, QStringLiteral("< 20 ms"));
    return 0;
}
