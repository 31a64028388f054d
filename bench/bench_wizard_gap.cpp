// How long the interface thread goes without processing events while the
// wizard updates 10 simulated cameras in real time, each reporting progress
// every few milliseconds. Run by hand:
//   QT_QPA_PLATFORM=offscreen <build>/bench/bench_wizard_gap
#include "ShowWatcher.h"
#include "support/WizardDriver.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kCameras = 10;
constexpr int kRuns = 3;
// Each phase reports 0, 25, 50, 75 and 100 %, a quarter of its estimate apart.
constexpr int kPhaseMs = 16;
constexpr int kPhases = 20;

QByteArray updateFile()
{
    QStringList phases;
    for (int i = 0; i < kPhases; ++i)
        phases << QStringLiteral(R"({"step": "%1", "estimatedMs": %2})")
                          .arg(i % 2 ? QStringLiteral("FileUpload")
                                     : QStringLiteral("FeatureWrite"))
                          .arg(kPhaseMs);
    return QStringLiteral(R"({"updates": [{"version": "2.0", "models": ["M"], "phases": [%1]}]})")
            .arg(phases.join(QStringLiteral(", ")))
            .toUtf8();
}

struct Result
{
    qint64 longestGapUs = 0;
    qint64 runMs = 0;
    int ticks = 0;
};

// A 1 ms timer stamps every pass of the event loop it gets; the longest time
// between two stamps is the longest stretch the thread spent elsewhere.
class Probe
{
public:
    Probe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed() / 1000;
            result.longestGapUs = std::max(result.longestGapUs, now - m_last);
            m_last = now;
            ++result.ticks;
        });
        m_clock.start();
        m_timer.start();
    }
    Result stop()
    {
        m_timer.stop();
        result.runMs = m_clock.elapsed();
        return result;
    }
    Result result;

private:
    QElapsedTimer m_clock;
    QTimer m_timer;
    qint64 m_last = 0;
};

// The same probe on an idle event loop: what the machine itself adds.
Result measureIdle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    Probe probe;
    loop.exec();
    return probe.stop();
}

Result measureRun()
{
    WizardDriver d;
    const QStringList ids = d.addNumberedCameras(kCameras);
    d.host.pool.setTimeScale(1.0);
    const QString path = d.writeUpdateFile(updateFile());
    if (!d.start() || !d.toSummary(ids, path))
        qFatal("could not reach the summary page");

    QEventLoop loop;
    ShowWatcher watcher(&loop);
    d.page5->installEventFilter(&watcher);
    Probe probe;
    if (!WizardDriver::click(d.page3, QStringLiteral("Next")))
        qFatal("the run did not start");
    loop.exec();
    const Result result = probe.stop();
    if (d.counts() != QStringLiteral("%1 0 0").arg(kCameras))
        qFatal("not every camera was updated");
    d.closeOn(d.page5);
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::printf("%d cameras, %d phases of %d ms each, progress every %d ms\n", kCameras, kPhases,
                kPhaseMs, kPhaseMs / 4);
    std::printf("run | run ms | loop passes | longest gap ms\n");
    qint64 worst = 0;
    for (int run = 1; run <= kRuns; ++run) {
        const Result r = measureRun();
        worst = std::max(worst, r.longestGapUs);
        std::printf("%3d | %6lld | %11d | %14.2f\n", run, static_cast<long long>(r.runMs), r.ticks,
                    r.longestGapUs / 1000.0);
    }
    std::printf("longest gap over all runs: %.2f ms\n", worst / 1000.0);
    const Result idle = measureIdle(3000);
    std::printf("idle loop for comparison: %lld ms, %d passes, longest gap %.2f ms\n",
                static_cast<long long>(idle.runMs), idle.ticks, idle.longestGapUs / 1000.0);
    return 0;
}
