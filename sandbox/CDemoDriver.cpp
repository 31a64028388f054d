#include "sandbox/CDemoDriver.h"

#include "sandbox/CCameraSelectorView.h"
#include "sandbox/CSandboxMainWindow.h"
#include "sandbox/DemoWidgets.h"

#include "simulator/CMenuService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTextDocumentFragment>
#include <QTreeView>

#include <cstdio>

namespace Sandbox {

using namespace DemoWidgets;

namespace {

constexpr int TickInterval = 20;
// Ticks a step may wait for something that is already due, such as a
// layout, before the run counts as failed.
constexpr int PatientTicks = 250;
// Before the watchdog fires, so that a slow run still reports and shuts down.
constexpr qint64 GiveUpMs = 45000;

const QSize kPageSize(760, 620);

// By object name, so the demo runs in every language.
const char *const kStartActionPrefix = "FirmwareUpdater.";
const char *const kNextButton = "nextButton";

// The pages by their form's name; the class names would do as well, but the
// forms are what a user's tools see.
const char *const kPageForms[] = {
    nullptr,
    "CameraSelectionDialogUi",
    "UpdateSelectionDialogUi",
    "UpdateSummaryDialogUi",
    "FirmwareUpdateDialogUi",
    "ResultSummaryDialogUi",
};
const char *const kPageFiles[] = {
    nullptr,
    "1-select-cameras.png",
    "2-select-update-file.png",
    "3-update-summary.png",
    "4-updating-firmware.png",
    "5-result-summary.png",
};

QWidget *pageWidget(int page)
{
    if (page < 1 || page > CDemoDriver::PageCount)
        return nullptr;
    const QString form = QString::fromLatin1(kPageForms[page]);
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->objectName() == form)
            return window;
    }
    return nullptr;
}

} // namespace

CDemoDriver::CDemoDriver(CSandboxMainWindow *window, const CDemoScenario &scenario,
                         const QString &samplesDir, const QString &outDir, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_scenario(scenario)
    , m_samplesDir(samplesDir)
    , m_outDir(outDir)
{
    m_tasks = {
        { "start the wizard",
          [this] {
              return startWizard();
          } },
        { "check the cameras",
          [this] {
              return selectCameras();
          } },
        { "choose the update file",
          [this] {
              return selectUpdateFile();
          } },
        { "review the update summary",
          [this] {
              return reviewSummary();
          } },
        { "follow the updates",
          [this] {
              return followUpdates();
          } },
        { "read the result",
          [this] {
              return readResult();
          } },
        { "close the wizard",
          [this] {
              return closeWizard();
          } },
    };
    m_ticker.setInterval(TickInterval);
    connect(&m_ticker, &QTimer::timeout, this, &CDemoDriver::tick);
}

CDemoDriver::~CDemoDriver() = default;

QString CDemoDriver::screenshotName(int page)
{
    return page >= 1 && page <= PageCount ? QString::fromLatin1(kPageFiles[page]) : QString();
}

QWidget *CDemoDriver::visiblePage(int page)
{
    QWidget *widget = pageWidget(page);
    return widget && widget->isVisible() ? widget : nullptr;
}

void CDemoDriver::start()
{
    report(QStringLiteral("Demo scenario \"%1\"").arg(m_scenario.name));
    if (!m_window) {
        fail(QStringLiteral("no host window"));
        return;
    }
    if (!QDir().mkpath(m_outDir)) {
        fail(QStringLiteral("cannot create the folder %1").arg(m_outDir));
        return;
    }
    m_window->pool().setTimeScale(m_scenario.timeScale);
    m_watchdog.arm(std::chrono::milliseconds(TimeoutMs), TimeoutExitCode, [this] {
        const int index = m_taskIndex;
        std::fprintf(stderr, "Demo failed: no progress within %d s; stuck at \"%s\".\n",
                     TimeoutMs / 1000,
                     index < int(m_tasks.size()) ? m_tasks[std::size_t(index)].name : "the end");
    });
    m_clock.start();
    m_ticker.start();
}

void CDemoDriver::tick()
{
    if (m_done || m_actionPending || answerQuestionBox())
        return;
    const int index = m_taskIndex;
    if (index >= int(m_tasks.size())) {
        finish();
        return;
    }
    const char *task = m_tasks[std::size_t(index)].name;
    ++m_ticksInTask;
    if (m_clock.elapsed() > GiveUpMs) {
        fail(QStringLiteral("gave up waiting to %1").arg(QLatin1String(task)));
        return;
    }
    if (!m_tasks[std::size_t(index)].run() || m_done)
        return;
    report(QStringLiteral("Done: %1").arg(QLatin1String(task)));
    m_ticksInTask = 0;
    m_taskIndex = index + 1;
}

void CDemoDriver::post(std::function<void()> action, int delayMs)
{
    m_actionPending = true;
    QTimer::singleShot(delayMs, this, [this, action] {
        m_actionPending = false;
        action();
    });
}

bool CDemoDriver::answerQuestionBox()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        auto *box = qobject_cast<QMessageBox *>(window);
        if (!box || !box->isVisible())
            continue;
        QAbstractButton *yes = box->button(QMessageBox::Yes);
        if (!yes) {
            fail(QStringLiteral("an unexpected message: %1").arg(box->text()));
            return true;
        }
        report(QStringLiteral("Answered Yes to: %1")
                       .arg(QTextDocumentFragment::fromHtml(box->text()).toPlainText()));
        post([yes = QPointer<QAbstractButton>(yes)] {
            if (yes)
                yes->click();
        });
        return true;
    }
    return false;
}

bool CDemoDriver::startWizard()
{
    QList<QAction *> actions;
    if (m_scenario.start == CDemoScenario::FromContextMenu) {
        CCameraSelectorView *selector = m_window->cameraSelector();
        if (selector->currentCameraId() != m_scenario.contextCameraId
            && !selector->selectCamera(m_scenario.contextCameraId)) {
            fail(QStringLiteral("no camera %1 in the camera selector")
                         .arg(m_scenario.contextCameraId));
            return false;
        }
        actions = selector->contextActions();
    } else if (QMenu *tools = m_window->menuService()->toolsMenu()) {
        actions = tools->actions();
    }
    for (QAction *action : qAsConst(actions)) {
        if (action->objectName().startsWith(QLatin1String(kStartActionPrefix))
            && action->isVisible() && action->isEnabled()) {
            post([action = QPointer<QAction>(action)] {
                if (action)
                    action->trigger();
            });
            return true;
        }
    }
    return false;
}

bool CDemoDriver::selectCameras()
{
    QWidget *page = visiblePage(1);
    if (!page)
        return false;
    auto *view = page->findChild<QTreeView *>(QStringLiteral("cameraTreeView"));
    if (!view || !view->model())
        return false;
    // Roomier than the pages open, as a user would drag them; the wizard
    // carries the size on to the next pages.
    if (page->size() != kPageSize) {
        page->resize(kPageSize);
        return false;
    }
    for (const QString &name : m_scenario.cameras) {
        const QModelIndex index = findRow(view->model(), name, QModelIndex());
        if (!index.isValid()) {
            if (m_ticksInTask > PatientTicks)
                fail(QStringLiteral("no camera \"%1\" on the first page").arg(name));
            return false;
        }
        const QRect rect = view->visualRect(index);
        if (rect.isEmpty()) {
            view->scrollTo(index);
            return false;
        }
        // Hovering opens the row's check box, as for a user's mouse.
        hover(view->viewport(), rect.center());
        QWidget *editor = view->indexWidget(index);
        auto *box = editor ? editor->findChild<QCheckBox *>() : nullptr;
        if (!box)
            return false;
        if (!box->isEnabled()) {
            fail(QStringLiteral("camera \"%1\" cannot be checked").arg(name));
            return false;
        }
        if (!box->isChecked())
            box->click();
        if (!box->isChecked())
            return false;
    }
    QAbstractButton *next = buttonNamed(page, kNextButton);
    if (!enabled(next))
        return false;
    if (!grab(1))
        return false;
    post([next = QPointer<QAbstractButton>(next)] {
        if (next)
            next->click();
    });
    return true;
}

bool CDemoDriver::selectUpdateFile()
{
    QWidget *page = visiblePage(2);
    if (!page)
        return false;
    auto *lineEdit = page->findChild<QLineEdit *>(QStringLiteral("updateFileLineEdit"));
    if (!lineEdit) {
        fail(QStringLiteral("no file name field on the second page"));
        return false;
    }
    if (!m_typed) {
        const QString path = QDir::toNativeSeparators(
                QDir(m_samplesDir).absoluteFilePath(m_scenario.updateFile));
        press(lineEdit, Qt::Key_A, Qt::ControlModifier);
        for (const QChar character : path)
            press(lineEdit, 0, Qt::NoModifier, character);
        m_typed = true;
        report(QStringLiteral("Typed %1").arg(path));
    }
    QAbstractButton *next = buttonNamed(page, kNextButton);
    if (!enabled(next)) {
        if (m_ticksInTask > PatientTicks)
            fail(QStringLiteral("the update file was not accepted"));
        return false;
    }
    if (!grab(2))
        return false;
    post([next = QPointer<QAbstractButton>(next)] {
        if (next)
            next->click();
    });
    return true;
}

bool CDemoDriver::reviewSummary()
{
    QWidget *page = visiblePage(3);
    if (!page)
        return false;
    QAbstractButton *next = buttonNamed(page, kNextButton);
    if (!enabled(next)) {
        if (m_ticksInTask > PatientTicks)
            fail(QStringLiteral("the summary offers no Next"));
        return false;
    }
    if (!grab(3))
        return false;
    // Page 3 takes no Next within a double-click's time of being shown.
    post(
            [next = QPointer<QAbstractButton>(next)] {
                if (next)
                    next->click();
            },
            QApplication::doubleClickInterval() + 1);
    return true;
}

bool CDemoDriver::followUpdates()
{
    if (visiblePage(5)) {
        // A run faster than the driver's eye: the page still shows its end.
        return m_grabbed[4] || grab(4);
    }
    QWidget *page = visiblePage(4);
    if (!page)
        return false;
    auto *bar = page->findChild<QProgressBar *>(QStringLiteral("progressBar"));
    auto *counter = page->findChild<QLabel *>(QStringLiteral("progressIndicatorLabel"));
    // A third of the first camera's way shows the page at work.
    const bool firstCameraRunning = bar && counter && bar->maximum() > bar->minimum()
            && (bar->value() - bar->minimum()) * 3 >= bar->maximum() - bar->minimum()
            && counter->text().startsWith(QLatin1String("1/"));
    if (!firstCameraRunning)
        return false;
    if (!m_grabbed[4] && !grab(4))
        return false;
    if (m_scenario.cancelDuringFirstUpdate && !m_canceled) {
        QAbstractButton *cancel = standardButton(page, QDialogButtonBox::Cancel);
        if (!enabled(cancel)) {
            fail(QStringLiteral("no Cancel while the first camera updates"));
            return false;
        }
        m_canceled = true;
        report(QStringLiteral("Clicked Cancel"));
        post([cancel = QPointer<QAbstractButton>(cancel)] {
            if (cancel)
                cancel->click();
        });
    }
    return false;
}

bool CDemoDriver::readResult()
{
    QWidget *page = visiblePage(5);
    if (!page)
        return false;
    if (!grab(5))
        return false;
    if (m_scenario.retryFailed && !m_retried) {
        // Keep the first pass's page, then plan the failed cameras again.
        QAbstractButton *retry = page->findChild<QAbstractButton *>(QStringLiteral("retryButton"));
        const QString file
                = QDir(m_outDir).absoluteFilePath(QStringLiteral("5-result-before-retry.png"));
        if (!enabled(retry) || !page->grab().save(file, "PNG")) {
            fail(QStringLiteral("no Retry after the first pass"));
            return false;
        }
        report(QStringLiteral("Saved %1").arg(file));
        report(QStringLiteral("Clicked Retry"));
        m_retried = true;
        m_taskIndex = ReviewTask;
        post([retry = QPointer<QAbstractButton>(retry)] {
            if (retry)
                retry->click();
        });
        return false;
    }
    const int successful
            = trailingNumber(page->findChild<QLabel *>(QStringLiteral("successfulUpdatesLabel")));
    const int failed
            = trailingNumber(page->findChild<QLabel *>(QStringLiteral("failedUpdatesLabel")));
    const int skipped
            = trailingNumber(page->findChild<QLabel *>(QStringLiteral("skippedUpdatesLabel")));
    m_logFile = linkedLocalFile(page->findChild<QLabel *>(QStringLiteral("infoTextLabel_2")));
    report(QStringLiteral("Result: %1 successful, %2 failed, %3 skipped (expected %4, %5, %6)")
                   .arg(successful)
                   .arg(failed)
                   .arg(skipped)
                   .arg(m_scenario.expectedSuccessful)
                   .arg(m_scenario.expectedFailed)
                   .arg(m_scenario.expectedSkipped));
    if (successful != m_scenario.expectedSuccessful || failed != m_scenario.expectedFailed
        || skipped != m_scenario.expectedSkipped)
        m_failure = QStringLiteral("the result counts differ from the expected ones");
    if (auto *error = page->findChild<QLabel *>(QStringLiteral("errorTextLabel"));
        error && error->isVisible())
        report(QStringLiteral("Error shown: %1")
                       .arg(QTextDocumentFragment::fromHtml(error->text()).toPlainText()));

    QAbstractButton *close = standardButton(page, QDialogButtonBox::Close);
    if (!enabled(close)) {
        fail(QStringLiteral("no Close on the result page"));
        return false;
    }
    post([close = QPointer<QAbstractButton>(close)] {
        if (close)
            close->click();
    });
    return true;
}

bool CDemoDriver::closeWizard()
{
    for (int page = 1; page <= PageCount; ++page) {
        if (visiblePage(page))
            return false;
    }
    return true;
}

bool CDemoDriver::grab(int page)
{
    QWidget *widget = pageWidget(page);
    if (!widget)
        return false;
    // What a user sees after the page settles, not a layout half done:
    // scroll bars, for one, come and go through queued calls.
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::sendPostedEvents();
    const QString file = QDir(m_outDir).absoluteFilePath(screenshotName(page));
    if (!widget->grab().save(file, "PNG")) {
        fail(QStringLiteral("cannot write %1").arg(file));
        return false;
    }
    m_grabbed[page] = true;
    report(QStringLiteral("Saved %1").arg(file));
    return true;
}

void CDemoDriver::fail(const QString &reason)
{
    if (m_failure.isEmpty())
        m_failure = reason;
    finish();
}

void CDemoDriver::finish()
{
    if (m_done)
        return;
    m_done = true;
    m_ticker.stop();
    // The host's shutdown still waits for a running update: watch it too.
    m_watchdog.arm(std::chrono::milliseconds(ShutdownTimeoutMs), TimeoutExitCode, [] {
        std::fprintf(stderr, "Demo failed: the host did not shut down within %d s.\n",
                     ShutdownTimeoutMs / 1000);
    });

    const QString log = logText();
    for (const QString &line : m_scenario.expectedLogLines) {
        if (m_failure.isEmpty() && !log.contains(line))
            m_failure = QStringLiteral("the log lacks \"%1\"").arg(line);
    }
    int saved = 0;
    for (int page = 1; page <= PageCount; ++page)
        saved += m_grabbed[page] ? 1 : 0;
    report(QStringLiteral("Screenshots: %1 of %2 pages in %3")
                   .arg(saved)
                   .arg(PageCount)
                   .arg(QDir(m_outDir).absolutePath()));
    report(QStringLiteral("Log file: %1")
                   .arg(m_logFile.isEmpty() ? QStringLiteral("none") : m_logFile));
    if (!m_logFile.isEmpty()) {
        report(QStringLiteral("----- log -----"));
        std::fputs(log.toUtf8().constData(), stdout);
        report(QStringLiteral("----- end of log -----"));
    }
    if (m_failure.isEmpty() && saved != PageCount)
        m_failure = QStringLiteral("not every page was saved");
    if (m_failure.isEmpty())
        report(QStringLiteral("Demo passed"));
    else
        report(QStringLiteral("Demo failed: %1").arg(m_failure));
    std::fflush(stdout);
    emit finished(m_failure.isEmpty() ? 0 : 1);
}

void CDemoDriver::report(const QString &line) const
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

QString CDemoDriver::logText() const
{
    QFile file(m_logFile);
    if (m_logFile.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace Sandbox
