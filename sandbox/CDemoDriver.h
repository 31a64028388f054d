#pragma once

#include "sandbox/CDemoScenario.h"
#include "sandbox/CWatchdog.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <atomic>
#include <functional>
#include <vector>

class QAbstractButton;

namespace Sandbox {

class CSandboxMainWindow;

// Walks the plug-in's wizard like a user: starts it from a menu, checks
// cameras, types the update file's path, clicks through to the result and
// compares it with the scenario. It knows the pages only as windows with
// their form names and widgets, never the plug-in's classes. Every page is
// saved as a PNG; a watchdog ends a run that stops making progress.
class CDemoDriver : public QObject
{
    Q_OBJECT

public:
    static constexpr int PageCount = 5;
    // Index of "review the update summary" in the task list, where a retry resumes.
    static constexpr int ReviewTask = 3;
    static constexpr int TimeoutMs = 60000;
    static constexpr int TimeoutExitCode = 3;
    static constexpr int ShutdownTimeoutMs = 30000;

    // Keep the driver until the host has shut down: its watchdog covers that.
    CDemoDriver(CSandboxMainWindow *window, const CDemoScenario &scenario,
                const QString &samplesDir, const QString &outDir, QObject *parent = nullptr);
    ~CDemoDriver() override;

    // The file each page is saved to in the output folder, 1 to 5.
    static QString screenshotName(int page);
    // The visible page with that number, or null.
    static QWidget *visiblePage(int page);

    void start();

signals:
    // 0 when the wizard ended with the scenario's result and log.
    void finished(int exitCode);

private:
    struct Task
    {
        const char *name;
        std::function<bool()> run;
    };

    void tick();
    // Runs a user action from the event loop, so that a modal box it opens
    // never blocks the driver.
    void post(std::function<void()> action, int delayMs = 0);
    bool answerQuestionBox();
    void fail(const QString &reason);
    void finish();
    bool grab(int page);
    void report(const QString &line) const;
    QString logText() const;

    bool startWizard();
    bool selectCameras();
    bool selectUpdateFile();
    bool reviewSummary();
    bool followUpdates();
    bool readResult();
    bool closeWizard();

    QPointer<CSandboxMainWindow> m_window;
    const CDemoScenario m_scenario;
    const QString m_samplesDir;
    const QString m_outDir;
    std::vector<Task> m_tasks;
    std::atomic<int> m_taskIndex { 0 };
    int m_ticksInTask = 0;
    bool m_actionPending = false;
    bool m_done = false;
    bool m_typed = false;
    bool m_canceled = false;
    bool m_retried = false;
    bool m_grabbed[PageCount + 1] = {};
    QString m_failure;
    QString m_logFile;
    QTimer m_ticker;
    QElapsedTimer m_clock;
    CWatchdog m_watchdog;
};

} // namespace Sandbox
