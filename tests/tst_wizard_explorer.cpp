// Randomized sessions against the real plug-in file, loaded as the viewer
// loads it: a user clicking through the pages, a viewer whose cameras come,
// go and get busy, update files good and bad, a host that misbehaves, and
// the plug-in unloaded and reloaded at any moment. After every step and
// session the invariants below must hold. A failing session prints its seed;
// FU_EXPLORER_SEED and FU_EXPLORER_SESSIONS replay or extend the run.

#include "host/BaseException.h"
#include "host/CId.h"
#include "host/ICommand.h"
#include "host/IPlugin.h"
#include "support/SimulatedHost.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QMutex>
#include <QPluginLoader>
#include <QRandomGenerator>
#include <QTreeView>
#include <QtTest>

#include <atomic>
#include <stdexcept>
#include <thread>

using namespace Plugin::Dorvix;

namespace {

// Host misbehaviour the explorer injects into update runs.
const QStringList kMisbehaviour = { "no result", "throws", "done twice", "error after done",
                                    "out of range" };
const QStringList kPages = { "CCameraSelectionDialog", "CUpdateSelectionDialog",
                             "CUpdateSummaryDialog", "CFirmwareUpdateDialog",
                             "CResultSummaryDialog" };

// What the host's update objects really did, written from the worker thread.
struct HostRecord
{
    QMutex mutex;
    QSet<QString> cleanSuccess; // display names of cameras updated without misbehaviour
};

// A host update object around the simulator's, misbehaving as told.
class CHostileUpdate : public IDeviceFirmwareUpdate
{
public:
    CHostileUpdate(DeviceFirmwareUpdatePtr inner, const QString &kind, const QString &camera,
                   HostRecord *record)
        : m_inner(inner), m_kind(kind), m_camera(camera), m_record(record)
    {
        const bool wild = kind == "out of range", silent = kind == "no result";
        const auto direct = Qt::DirectConnection;
        connect(inner.data(), &IDeviceFirmwareUpdate::firmwareUpdateBegin, this,
                [=](FirmwareUpdateInfoPtr info, uint ms) {
                    emit firmwareUpdateBegin(info, wild ? 4000000000u : ms);
                }, direct);
        connect(inner.data(), &IDeviceFirmwareUpdate::firmwareUpdateProgressStepBegin, this,
                &IDeviceFirmwareUpdate::firmwareUpdateProgressStepBegin, direct);
        connect(inner.data(), &IDeviceFirmwareUpdate::firmwareUpdateProgressStepProgressChanged,
                this, [=](EFirmwareUpdateStep step, double percent) {
                    emit firmwareUpdateProgressStepProgressChanged(
                            step, wild ? percent * 7 - 300 : percent);
                }, direct);
        connect(inner.data(), &IDeviceFirmwareUpdate::firmwareUpdateProgressStepDone, this,
                &IDeviceFirmwareUpdate::firmwareUpdateProgressStepDone, direct);
        connect(inner.data(), &IDeviceFirmwareUpdate::firmwareUpdateDone, this, [=] {
            m_done = true;
            if (!silent)
                emit firmwareUpdateDone();
        }, direct);
        connect(inner.data(), &IDeviceFirmwareUpdate::firmwareUpdateError, this,
                [=](const QString &message) {
                    m_failed = true;
                    if (!silent)
                        emit firmwareUpdateError(message);
                }, direct);
    }

    FirmwareUpdateInfoPtr firmwareUpdateInfo() const override
    {
        return m_inner->firmwareUpdateInfo();
    }
    EFirmwareUpdateDirection direction() const override { return m_inner->direction(); }
    QString currentFirmwareVersion() const override { return m_inner->currentFirmwareVersion(); }
    QString deviceFirmwareVersion() const override { return m_inner->deviceFirmwareVersion(); }

    void runUpdate() override
    {
        if (m_kind == "throws") {
            emit firmwareUpdateBegin(m_inner->firmwareUpdateInfo(), 100);
            throw std::runtime_error("host broke");
        }
        m_inner->runUpdate();
        if (m_done && m_kind == "done twice")
            emit firmwareUpdateDone();
        if (m_done && m_kind == "error after done")
            emit firmwareUpdateError(QStringLiteral("late error"));
        // OK only for a camera that reported done first and now runs the
        // planned firmware; a late error after done is only logged.
        const auto info = m_inner->firmwareUpdateInfo();
        const bool installed = info && m_inner->deviceFirmwareVersion() == info->version();
        if (m_done && !m_failed && installed && m_kind != "no result") {
            QMutexLocker locker(&m_record->mutex);
            m_record->cleanSuccess.insert(m_camera);
        }
    }

private:
    const DeviceFirmwareUpdatePtr m_inner;
    const QString m_kind, m_camera;
    HostRecord *const m_record;
    bool m_done = false, m_failed = false;
};

// The viewer's firmware update service: the simulator's, with exceptions of
// every kind and misbehaving update objects when the session says so.
class CHostileService : public IDeviceFirmwareUpdateService
{
public:
    CHostileService(QSharedPointer<IDeviceFirmwareUpdateService> inner, QRandomGenerator *random,
                    HostRecord *record)
        : m_inner(inner), m_random(random), m_record(record)
    { }

    DeviceFirmwareUpdatePtr createFirmwareUpdate(Core::DorvixComponents::CameraInfoPtr camera,
                                                 FirmwareUpdateInfoPtr info) override
    {
        if (m_random->bounded(40) == 0)
            throw std::logic_error("cannot plan");
        const DeviceFirmwareUpdatePtr update = m_inner->createFirmwareUpdate(camera, info);
        if (!update)
            return update;
        const QString kind = m_random->bounded(6) == 0
                ? kMisbehaviour.at(int(m_random->bounded(kMisbehaviour.size())))
                : QString();
        return DeviceFirmwareUpdatePtr(
                new CHostileUpdate(update, kind, camera->displayName(), m_record));
    }
    bool findCompatibleUpdates(Core::DorvixComponents::CameraInfoPtr camera,
                               const QVector<FirmwareUpdateInfoPtr> &infos,
                               QVector<FirmwareUpdateInfoPtr> &compatible, bool &flag) override
    {
        return m_inner->findCompatibleUpdates(camera, infos, compatible, flag);
    }
    QVector<FirmwareUpdateInfoPtr> readUpdateFile(const QString &filePath,
                                                  const QString &second) override
    {
        switch (m_random->bounded(40)) {
        case 0:
            throw 42;
        case 1:
            throw std::runtime_error("unreadable medium");
        default:
            return m_inner->readUpdateFile(filePath, second);
        }
    }

private:
    const QSharedPointer<IDeviceFirmwareUpdateService> m_inner;
    QRandomGenerator *const m_random;
    HostRecord *const m_record;
};

// Aborts the whole test, naming the seed, when a session does not end.
class Watchdog
{
public:
    explicit Watchdog(int seconds)
        : m_seconds(seconds), m_thread([this] {
            while (!m_stop) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                if (!m_stop && std::chrono::steady_clock::now() > m_deadline.load()) {
                    fprintf(stderr, "tst_wizard_explorer: session with seed %u hangs\n",
                            m_seed.load());
                    std::abort();
                }
            }
        })
    { }
    ~Watchdog()
    {
        m_stop = true;
        m_thread.join();
    }
    void arm(quint32 seed)
    {
        m_seed = seed;
        m_deadline = std::chrono::steady_clock::now() + m_seconds;
    }

private:
    const std::chrono::seconds m_seconds;
    std::atomic<bool> m_stop { false };
    std::atomic<quint32> m_seed { 0 };
    std::atomic<std::chrono::steady_clock::time_point> m_deadline {
        std::chrono::steady_clock::time_point::max()
    };
    std::thread m_thread;
};

using Rows = QList<QPair<QString, QVariant>>;

QTreeView *tree(QWidget *page)
{
    return page ? page->findChild<QTreeView *>(QStringLiteral("cameraTreeView")) : nullptr;
}

// Every row without children, in column 0.
QModelIndexList leaves(QTreeView *view, const QModelIndex &parent = {})
{
    QModelIndexList found;
    const QAbstractItemModel *model = view ? view->model() : nullptr;
    for (int row = 0; model && row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        found += model->rowCount(index) > 0 ? leaves(view, index) : QModelIndexList { index };
    }
    return found;
}

// The cameras of a page's tree: display name and the value in column.
Rows rows(QWidget *page, int column)
{
    Rows found;
    for (const QModelIndex &index : leaves(tree(page)))
        if (index.data().toString().startsWith("Camera "))
            found << qMakePair(index.data().toString(), index.siblingAtColumn(column).data());
    return found;
}

QStringList names(const Rows &rows, bool onlyTrue)
{
    QStringList names;
    for (const auto &row : rows)
        if (!onlyTrue || row.second.toBool())
            names << row.first;
    names.sort();
    return names;
}

// A visible, enabled button of the page's box.
QAbstractButton *button(QWidget *page, const QString &text)
{
    auto *box = page->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    for (QAbstractButton *b : box ? box->buttons() : QList<QAbstractButton *>())
        if (b->text().remove('&') == text && b->isVisible() && b->isEnabled())
            return b;
    return nullptr;
}

void click(QWidget *page, const QString &text)
{
    if (QAbstractButton *b = button(page, text))
        b->click();
}

} // namespace

class tst_WizardExplorer : public QObject
{
    Q_OBJECT

    QPluginLoader m_loader { QStringLiteral(FU_PLUGIN_FILE) };

    // One session's world.
    quint32 m_seed = 0;
    QRandomGenerator m_random;
    std::unique_ptr<TempFolder> m_temp;
    std::unique_ptr<SimulatedHost> m_host;
    QSharedPointer<CHostileService> m_updateService;
    HostRecord m_record;
    Core::Plugin::IPlugin *m_plugin = nullptr;
    QStringList m_files;
    int m_nextCamera = 0;
    // The run under way: cameras checked when leaving page 2, the plan on
    // page 3 and the log as it was before the plan.
    QStringList m_checked, m_planned;
    QMap<QString, qint64> m_logSizes;
    bool m_runChecked = true;
    QString m_failure;
    // How much the sessions covered, printed at the end.
    int m_runsChecked = 0, m_openUnloads = 0, m_runningUnloads = 0;

    bool fail(const QString &what)
    {
        if (m_failure.isEmpty())
            m_failure = QStringLiteral("seed %1: %2").arg(m_seed).arg(what);
        return false;
    }

    // The plug-in's pages with their numbers, 1 to 5.
    QMap<int, QDialog *> pages() const
    {
        QMap<int, QDialog *> found;
        for (QDialog *dialog : m_host->mainWindow->findChildren<QDialog *>())
            if (dialog->inherits("Plugin::FirmwareUpdater::Internal::View::CUpdateDialogBase"))
                found.insert(1 + kPages.indexOf(QString(dialog->metaObject()->className())
                                                        .section("::", -1)),
                             dialog);
        return found;
    }
    // The number of the page shown, 0 for none.
    int shownPage(QDialog **shown = nullptr) const
    {
        const auto all = pages();
        for (auto it = all.cbegin(); it != all.cend(); ++it) {
            if (it.value()->isVisible()) {
                if (shown)
                    *shown = it.value();
                return it.key();
            }
        }
        return 0;
    }

    QAction *startAction(bool context) const
    {
        Plugin::Vantor::ICommand *command = m_host->menuService->command(Core::CId(
                context ? "FirmwareUpdater.Context.Start" : "FirmwareUpdater.Menu.Start"));
        return command ? command->action() : nullptr;
    }

    void settle()
    {
        SimulatedHost::settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void loadPlugin()
    {
        m_plugin = qobject_cast<Core::Plugin::IPlugin *>(m_loader.instance());
        m_plugin->initialize(m_host->registry);
        m_plugin->extensionsInitialized();
    }

    // The viewer unloads the plug-in: nothing of it may stay on screen, block
    // the viewer's window or remain among its children; a run that was open
    // says in its log why it ended.
    bool unloadPlugin()
    {
        const int shown = shownPage();
        m_openUnloads += shown != 0;
        m_runningUnloads += shown == 4;
        m_plugin->uninitialize(m_host->registry);
        delete m_plugin;
        m_plugin = nullptr;
        settle();
        if (shownPage() != 0 || QApplication::activeModalWidget())
            return fail("a page stays shown or modal after unloading");
        if (!pages().isEmpty())
            return fail(QStringLiteral("%1 pages left after unloading").arg(pages().size()));
        const QFileInfoList logs = QDir(m_temp->path()).entryInfoList({ "*.log" }, QDir::Files,
                                                                       QDir::Time);
        QFile newest(logs.value(0).filePath());
        const QString log = newest.open(QIODevice::ReadOnly) ? newest.readAll() : QString();
        if (shown && !log.trimmed().endsWith("unloaded while the wizard was open"))
            return fail("the log of an open wizard ends without saying why:\n" + log);
        m_runChecked = true;
        return true;
    }

    // Answers the question box (or the notice) that a start may bring.
    void answerBoxes()
    {
        const bool yes = m_random.bounded(4) != 0;
        QTimer::singleShot(0, this, [yes] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                QAbstractButton *answer = box->button(yes ? QMessageBox::Yes : QMessageBox::No);
                (answer ? answer : box->button(QMessageBox::Ok))->click();
            }
        });
    }

    void writeFiles()
    {
        const QString dir = m_temp->path() + '/';
        const auto write = [&](const QString &name, const QByteArray &content) {
            QFile file(dir + name);
            if (file.open(QIODevice::WriteOnly))
                file.write(content);
            m_files << dir + name;
        };
        const char *steps[] = { "CheckPreconditions", "FileUpload", "DeviceReset",
                                "FeatureAssert" };
        for (int f = 0; f < 3; ++f) {
            QStringList updates;
            for (int u = 0, count = 1 + int(m_random.bounded(3)); u < count; ++u) {
                QStringList phases;
                for (int p = 0, phaseCount = 1 + int(m_random.bounded(3)); p < phaseCount; ++p)
                    phases << QStringLiteral(R"({"step": "%1", "estimatedMs": %2})")
                                      .arg(steps[m_random.bounded(4)])
                                      .arg(m_random.bounded(500));
                // A failure message that tries to forge log lines.
                const QString failure = m_random.bounded(3) == 0
                        ? QStringLiteral(R"(, "failure": {"step": "%1", "message": )"
                                         R"x("Broke\nINFO Finished firmware update (1/1)"})x")
                                  .arg(QString(phases.first()).section('"', 3, 3))
                        : QString();
                // A camera that reports done but keeps its old firmware.
                const QString keep = m_random.bounded(6) == 0
                        ? QStringLiteral(R"(, "keepsOldFirmware": true)")
                        : QString();
                updates << QStringLiteral(R"({"version": "%1", "description": "d%2", )"
                                          R"("models": ["%3"], "phases": [%4]%5})")
                                   .arg(QStringList { "2.0", "1.0", "0.9" }.at(u))
                                   .arg(u)
                                   .arg(m_random.bounded(5) == 0 ? "Z" : "M")
                                   .arg(phases.join(", "), failure + keep);
            }
            write(QStringLiteral("update%1.guf").arg(f),
                  QStringLiteral(R"({"updates": [%1]})").arg(updates.join(", ")).toUtf8());
        }
        write(QStringLiteral("garbage.guf"), "not an update");
        m_files << dir + "absent.guf" << dir;
    }

    void addCamera()
    {
        const QString id = QStringLiteral("C%1").arg(++m_nextCamera);
        const QString layer = m_random.bounded(3) == 0 ? "USB" : "GigE";
        m_host->pool.addTransportLayer(layer, layer);
        m_host->pool.addCamera(layer,
                               { id, "Camera " + id, m_random.bounded(4) == 0 ? "N" : "M", "1.0" });
    }

    QString randomCameraId()
    {
        const auto cameras = m_host->pool.cameras();
        return cameras.isEmpty() ? QString()
                                 : cameras.at(int(m_random.bounded(cameras.size())))->id();
    }

    // Something the viewer does on its own, on any page.
    void hostEvent()
    {
        switch (m_random.bounded(6)) {
        case 0:
            addCamera();
            break;
        case 1:
            m_host->pool.removeCamera(randomCameraId());
            break;
        case 2:
            m_host->pool.setCameraBusy(randomCameraId(), true);
            return;
        case 3:
            break;
        default:
            m_host->pool.selectCamera(m_random.bounded(4) == 0 ? QString() : randomCameraId());
            return;
        }
        m_host->pool.announceEnumerationChanged();
    }

    // As hovering does: the current row's check box opens, the last one's closes.
    void toggleCamera(QWidget *page)
    {
        QTreeView *view = tree(page);
        QModelIndexList cameras;
        for (const QModelIndex &index : leaves(view))
            if (index.parent().isValid())
                cameras << index;
        if (cameras.isEmpty())
            return;
        const QModelIndex index = cameras.at(int(m_random.bounded(cameras.size())));
        if (!(index.flags() & Qt::ItemIsEditable))
            return;
        view->setCurrentIndex(index);
        if (!view->indexWidget(index))
            view->edit(index);
        QWidget *editor = view->indexWidget(index);
        auto *box = editor ? editor->findChild<QCheckBox *>() : nullptr;
        if (box && box->isEnabled())
            box->click();
    }

    void typePath(QDialog *page)
    {
        QMetaObject::invokeMethod(
                page, "pathChanged",
                Q_ARG(QString, m_files.at(int(m_random.bounded(m_files.size())))));
    }

    void closePage(QDialog *page)
    {
        const quint32 how = m_random.bounded(3);
        if (how == 0)
            click(page, "Close");
        else if (how == 1)
            QTest::keyClick(page, Qt::Key_Escape);
        else
            page->close();
    }

    // One user step on the page shown.
    void userStep()
    {
        QDialog *page = nullptr;
        const int shown = shownPage(&page);
        if (shown == 0) {
            answerBoxes();
            if (QAction *action = startAction(m_random.bounded(3) == 0))
                action->trigger();
            return;
        }
        if (shown == 4) {
            if (m_random.bounded(4) == 0) {
                QAbstractButton *cancel = button(page, "Cancel");
                if (cancel && m_random.bounded(2))
                    cancel->click();
                else
                    page->close();
            }
            return;
        }
        if (shown == 5) {
            checkResults(page);
            if (m_random.bounded(3) == 0)
                click(page, "Next");
            else
                closePage(page);
            return;
        }
        const quint32 dice = m_random.bounded(shown == 3 ? 8 : 10);
        QAbstractButton *next = button(page, "Next");
        if (dice == 0) {
            closePage(page);
        } else if (shown == 1) {
            if (dice == 1)
                QMetaObject::invokeMethod(page, "refreshCamTreeClicked");
            else if (dice >= 5)
                toggleCamera(page);
            else if (next)
                next->click();
        } else if (dice == 1) {
            click(page, "Back");
        } else if (shown == 2 && (dice == 2 || !next)) {
            typePath(page);
        } else if (shown == 2) {
            // Page 2 has no tree; page 1's shows the same camera model.
            m_checked = names(rows(pages().value(1), 2), true);
            m_logSizes.clear();
            for (const QFileInfo &log : QDir(m_temp->path()).entryInfoList({ "*.log" }))
                m_logSizes[log.absoluteFilePath()] = log.size();
            next->click();
            settle();
            checkPlan();
        } else if (next) {
            m_planned = names(rows(page, 2), false);
            {
                QMutexLocker locker(&m_record.mutex);
                m_record.cleanSuccess.clear();
            }
            m_runChecked = false;
            // Page 3 drops a Next that comes within a double click of it.
            QTest::qWait(QApplication::doubleClickInterval() + 1);
            next->click();
        }
    }

    // Page 3 plans exactly the cameras checked before it, those without a
    // compatible update included (they fail on page 4); a file the host
    // cannot read plans nothing.
    void checkPlan()
    {
        QDialog *page = nullptr;
        if (shownPage(&page) != 3)
            return;
        const QStringList planned = names(rows(page, 2), false);
        const bool unread = newLog().contains("CRITICAL Failed to open firmware update file");
        if (planned != (unread ? QStringList() : m_checked))
            fail(QStringLiteral("checked %1, planned %2").arg(m_checked.join(','),
                                                                planned.join(',')));
    }

    // The lines written since the plan, in the log the run writes.
    QString newLog() const
    {
        QString text;
        for (const QFileInfo &log : QDir(m_temp->path()).entryInfoList({ "*.log" })) {
            QFile file(log.absoluteFilePath());
            if (file.open(QIODevice::ReadOnly) && file.seek(m_logSizes.value(log.absoluteFilePath())))
                text += QString::fromUtf8(file.readAll());
        }
        return text;
    }

    // Page 5 after a run: the counts add up to the plan, the log has one
    // outcome per updated camera, and only a camera whose own update reported
    // success without misbehaving counts as OK.
    void checkResults(QWidget *page)
    {
        if (std::exchange(m_runChecked, true))
            return;
        ++m_runsChecked;
        const auto number = [page](const char *label) {
            auto *l = page->findChild<QLabel *>(label);
            return l ? l->text().section(' ', -1).toInt() : -1;
        };
        const int ok = number("successfulUpdatesLabel"), failed = number("failedUpdatesLabel"),
                  skipped = number("skippedUpdatesLabel");
        const QString log = newLog();
        const auto lines = [&log](const char *pattern) {
            return int(log.count(QRegularExpression(pattern, QRegularExpression::MultilineOption)));
        };
        const int okLines = lines("^.* INFO Finished firmware update \\(\\d+/\\d+\\)$");
        const int failedLines = lines("^.* CRITICAL Firmware update \\(\\d+/\\d+\\) failed\\.$");
        if (ok + failed + skipped != m_planned.size() || okLines != ok
            || failedLines != failed)
            fail(QStringLiteral("%1 planned; page 5 counts %2 ok, %3 failed, %4 skipped, the log "
                                "%5 and %6:\n%7")
                         .arg(m_planned.size())
                         .arg(ok)
                         .arg(failed)
                         .arg(skipped)
                         .arg(okLines)
                         .arg(failedLines)
                         .arg(log));
        QMutexLocker locker(&m_record.mutex);
        for (const auto &row : rows(page, 7))
            if (row.second.toInt() == 0 && !m_record.cleanSuccess.contains(row.first))
                fail(row.first
                     + " counts as updated, but its update did not report success or did not "
                       "install the planned firmware ("
                     + row.second.toString() + ", " + QString::number(row.second.isValid()) + "):\n"
                     + log);
    }

    // Drives the session to its end and checks the wizard can start again.
    void finishSession()
    {
        QDialog *page = nullptr;
        for (int guard = 0, shown; guard < 200 && (shown = shownPage(&page)) != 0; ++guard) {
            if (shown == 4)
                QTest::qWait(5);
            else if (shown == 5)
                checkResults(page);
            if (shown != 4)
                closePage(page);
            settle();
        }
        if (shownPage() != 0)
            fail("the wizard cannot be closed");
        m_host->pool.stopAllCameras();
        if (m_host->pool.cameras().isEmpty())
            addCamera();
        m_host->pool.announceEnumerationChanged();
        settle();
        QAction *action = startAction(false);
        if (!action || !action->isEnabled())
            return void(fail("no enabled start action at the end"));
        action->trigger();
        settle();
        if (shownPage(&page) != 1)
            return void(fail("the wizard does not start again"));
        closePage(page);
        settle();
    }

    void runSession(quint32 seed)
    {
        m_seed = seed;
        m_random.seed(seed);
        m_failure.clear();
        m_files.clear();
        m_nextCamera = 0;
        m_runChecked = true;
        m_temp = std::make_unique<TempFolder>();
        m_host = std::make_unique<SimulatedHost>();
        // The viewer's update service, hostile as the session decides.
        m_updateService.reset(new CHostileService(m_host->pool.firmwareUpdateService(), &m_random,
                                                  &m_record));
        m_host->registry->removeService(m_host->pool.firmwareUpdateService());
        m_host->registry->addService(m_updateService);
        for (int i = int(m_random.bounded(1, 6)); i > 0; --i)
            addCamera();
        writeFiles();
        loadPlugin();
        m_host->pool.announceEnumerationChanged();
        settle();

        const int steps = 20 + int(m_random.bounded(40));
        for (int step = 0; step < steps && m_failure.isEmpty(); ++step) {
            const quint32 dice = m_random.bounded(100);
            if (dice < 1) {
                if (unloadPlugin())
                    loadPlugin();
            } else if (dice < 12) {
                hostEvent();
            } else {
                userStep();
            }
            settle();
            QDialog *page = nullptr;
            if (shownPage(&page) == 5)
                checkResults(page);
            int shown = 0;
            for (QDialog *p : pages())
                shown += p->isVisible();
            if (shown > 1)
                fail(QStringLiteral("%1 pages shown at once").arg(shown));
        }
        if (m_failure.isEmpty())
            finishSession();
        if (m_plugin)
            unloadPlugin();
        m_host->registry->removeService(m_updateService);
        m_updateService.reset();
        m_host.reset();
        m_temp.reset();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
        // Thousands of sessions pass page 3, which waits out a double click.
        QApplication::setDoubleClickInterval(20);
    }

    void cleanupTestCase()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_loader.unload());
    }

    void randomSessions()
    {
        bool ok = false;
        int sessions = qEnvironmentVariableIntValue("FU_EXPLORER_SESSIONS", &ok);
        if (!ok)
            sessions = FU_EXPLORER_DEFAULT_SESSIONS;
        const quint32 first = qEnvironmentVariableIsSet("FU_EXPLORER_SEED")
                ? quint32(qEnvironmentVariableIntValue("FU_EXPLORER_SEED"))
                : 20261206u;
        Watchdog watchdog(120);
        int failures = 0;
        for (int i = 0; i < sessions; ++i) {
            watchdog.arm(first + quint32(i));
            runSession(first + quint32(i));
            if (!m_failure.isEmpty()) {
                qWarning("%s", qPrintable(m_failure));
                ++failures;
            }
        }
        qInfo("%d runs checked on page 5; unloaded %d times with the wizard open, %d of them "
              "on page 4",
              m_runsChecked, m_openUnloads, m_runningUnloads);
        QVERIFY2(failures == 0, qPrintable(QStringLiteral("%1 of %2 sessions failed; rerun one "
                                                          "with FU_EXPLORER_SEED=<seed> "
                                                          "FU_EXPLORER_SESSIONS=1")
                                                   .arg(failures)
                                                   .arg(sessions)));
    }
};

QTEST_MAIN(tst_WizardExplorer)
#include "tst_wizard_explorer.moc"
