#include "support/CTestFirmwareUpdaterService.h"

#include "entity/CFirmwareUpdateEntity.h"
#include "host/CServiceRegistry.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "simulator/CSimulatedCamera.h"
#include "simulator/CSimulatedFirmwareUpdateInfo.h"
#include "state/CFirmwareUpdateThread.h"
#include "state/CFirmwareUpdatingStep.h"
#include "view/CFirmwareUpdateDialog.h"

#include <QDialogButtonBox>
#include <QFinalState>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QStateMachine>
#include <QtTest>

using namespace Plugin::FirmwareUpdater::Internal;
using Entity::CFirmwareUpdateEntity;
using Plugin::Dorvix::EFirmwareUpdateStep;

namespace {

// A host update that replays a script, one token line per signal:
//   "begin <ms>" (no info), "info <ms>" (with an info), "step <n> <ms> [text]",
//   "progress <n> <pct>", "stepdone <n> <ms>", "done", "error <text>",
//   "sleep <ms>", "block" (waits for release()).
class CScriptedUpdate : public Plugin::Dorvix::IDeviceFirmwareUpdate
{
public:
    CScriptedUpdate(const QStringList &script, const QString &version)
        : m_script(script)
        , m_version(version)
    {
        Simulator::CSimulatedFirmwareUpdateInfo::Description d;
        d.fileName = QStringLiteral("update.guf");
        d.version = QStringLiteral("2.0");
        d.description = QStringLiteral("Fixes %1");
        d.releaseNotes = QStringLiteral("Notes");
        m_info.reset(new Simulator::CSimulatedFirmwareUpdateInfo(d));
    }

    QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo> firmwareUpdateInfo() const override
    {
        return m_info;
    }
    Plugin::Dorvix::EFirmwareUpdateDirection direction() const override
    {
        return Plugin::Dorvix::Upgrade;
    }
    QString currentFirmwareVersion() const override { return m_version; }
    QString deviceFirmwareVersion() const override { return m_version; }

    void runUpdate() override
    {
        ran = true;
        for (const QString &line : m_script) {
            const QStringList t = line.split(QLatin1Char(' '));
            const QString rest = line.section(QLatin1Char(' '), 3);
            const auto step = EFirmwareUpdateStep(t.value(1).toInt());
            if (t[0] == QLatin1String("begin"))
                emit firmwareUpdateBegin({}, t[1].toUInt());
            else if (t[0] == QLatin1String("info"))
                emit firmwareUpdateBegin(m_info, t[1].toUInt());
            else if (t[0] == QLatin1String("step"))
                emit firmwareUpdateProgressStepBegin(step, t[2].toUInt(), rest);
            else if (t[0] == QLatin1String("progress"))
                emit firmwareUpdateProgressStepProgressChanged(step, t[2].toDouble());
            else if (t[0] == QLatin1String("stepdone"))
                emit firmwareUpdateProgressStepDone(step, t[2].toUInt());
            else if (t[0] == QLatin1String("done"))
                emit firmwareUpdateDone();
            else if (t[0] == QLatin1String("error"))
                emit firmwareUpdateError(line.section(QLatin1Char(' '), 1));
            else if (t[0] == QLatin1String("sleep"))
                QThread::msleep(t[1].toULong());
            else if (t[0] == QLatin1String("block"))
                m_gate.acquire();
        }
    }

    void release() { m_gate.release(); }
    bool ran = false;

private:
    QStringList m_script;
    QString m_version;
    QSharedPointer<Simulator::CSimulatedFirmwareUpdateInfo> m_info;
    QSemaphore m_gate;
};

const QStringList kOk = { QStringLiteral("begin 0"), QStringLiteral("done") };

QString cameraName(int i)
{
    return QStringLiteral("Cam %1").arg(QChar('A' + i));
}

QStringList okLines(int i, int n)
{
    return { QStringLiteral("INFO Starting firmware update (%1/%2) for camera %3")
                     .arg(i)
                     .arg(n)
                     .arg(cameraName(i - 1)),
             QStringLiteral("INFO Update will take approximately 0 msec"),
             QStringLiteral("INFO Camera info after update:"),
             QStringLiteral("INFO DeviceFirmwareVersion: 1.%1").arg(i - 1),
             QStringLiteral("INFO Finished firmware update (%1/%2)").arg(i).arg(n) };
}

} // namespace

class tst_StateUpdating : public QObject
{
    Q_OBJECT

signals:
    void leave();

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void run_data();
    void run();
    void progressBar();
    void zeroResetEstimate();
    void exitWhileWorkerRuns();
    void pageGoneDuringRun();

private:
    // Builds the update model from scripts and starts a machine whose initial
    // state is the updating step; the step's done signal leads to a final state.
    void start(const QList<QStringList> &scripts, QStringList names = {});
    bool waitForDone();

    Core::Service::CServiceRegistry *m_registry = nullptr;
    QSharedPointer<CTestFirmwareUpdaterService> m_service;
    QSharedPointer<Model::CFirmwareUpdateTreeModel> m_model;
    QPointer<View::CFirmwareUpdateDialog> m_page;
    QStateMachine *m_machine = nullptr;
    State::CFirmwareUpdatingStep *m_step = nullptr;
    QFinalState *m_after = nullptr;
    QScopedPointer<QSignalSpy> m_finished;
    QList<QSharedPointer<CScriptedUpdate>> m_updates;
    QList<QPointer<CFirmwareUpdateEntity>> m_entities;
};

void tst_StateUpdating::initTestCase()
{
    // The plug-in registers it on initialisation; these tests have no plug-in.
    qRegisterMetaType<Plugin::Dorvix::EFirmwareUpdateStep>("Plugin::Dorvix::EFirmwareUpdateStep");
}

void tst_StateUpdating::init()
{
    m_registry = new Core::Service::CServiceRegistry;
    m_service.reset(new CTestFirmwareUpdaterService);
    m_registry->addService(m_service);
    m_model.reset(new Model::CFirmwareUpdateTreeModel);
    m_page = new View::CFirmwareUpdateDialog(nullptr);
    m_page->setTreeModel(m_model);
    m_machine = new QStateMachine;
    m_step = new State::CFirmwareUpdatingStep(m_registry, m_page, nullptr);
    m_after = new QFinalState;
    m_step->addTransition(m_step, &State::CFirmwareUpdatingStep::firmwareUpdateDone, m_after);
    m_machine->addState(m_step);
    m_machine->addState(m_after);
    m_machine->setInitialState(m_step);
    connect(m_page, &View::CUpdateDialogBase::closeClicked, m_step,
            &State::CFirmwareUpdatingStep::onUpdatesCanceled);
}

void tst_StateUpdating::cleanup()
{
    m_finished.reset();
    delete m_machine;
    delete m_page.data();
    m_model.reset();
    m_updates.clear();
    m_entities.clear();
    delete m_registry;
    m_service.reset();
}

void tst_StateUpdating::start(const QList<QStringList> &scripts, QStringList names)
{
    QList<CFirmwareUpdateEntity *> entities;
    for (int i = 0; i < scripts.size(); ++i) {
        Simulator::CSimulatedCamera::Setup setup;
        // Ids sort in list order; the step must follow them.
        setup.id = QStringLiteral("id-%1").arg(i);
        setup.displayName = i < names.size() ? names[i] : cameraName(i);
        setup.modelName = QStringLiteral("Model");
        setup.firmwareVersion = QStringLiteral("1.%1").arg(i);
        auto camera = QSharedPointer<Simulator::CSimulatedCamera>::create(setup, "tl");
        auto *entity = new CFirmwareUpdateEntity;
        entity->setEntityType(CFirmwareUpdateEntity::CameraDevice);
        entity->setCameraInfo(camera);
        entity->setSelected(true);
        QSharedPointer<CScriptedUpdate> update(
                new CScriptedUpdate(scripts[i], setup.firmwareVersion));
        entity->setDeviceFirmwareUpdate(update);
        m_updates << update;
        entities << entity;
        m_entities << entity;
    }
    m_model->setEntities(entities);
    m_finished.reset(new QSignalSpy(m_machine, &QStateMachine::finished));
    m_machine->start();
}

bool tst_StateUpdating::waitForDone()
{
    return m_finished->count() > 0 || m_finished->wait(20000);
}

void tst_StateUpdating::run_data()
{
    QTest::addColumn<QList<QStringList>>("scripts");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("cancelClicks");
    QTest::addColumn<QStringList>("expectedLog");
    QTest::addColumn<QString>("expectedResults");
    QTest::addColumn<QString>("expectedError");

    const QString done = QStringLiteral("INFO Finished all firmware updates");

    QTest::newRow("empty selection") << QList<QStringList>() << QStringList() << 0
                                     << QStringList { done } << QString() << QString();

    const QStringList failing = { QStringLiteral("begin 0"), QStringLiteral("error Boom %1 %2") };
    QTest::newRow("camera 2 of 3 fails")
            << QList<QStringList> { kOk, failing, kOk } << QStringList() << 0
            << (okLines(1, 3)
                + QStringList { "INFO Starting firmware update (2/3) for camera Cam B",
                                "INFO Update will take approximately 0 msec", "CRITICAL Boom %1 %2",
                                "CRITICAL Firmware update (2/3) failed.",
                                "WARNING Further firmware updates will be skipped", done })
            << "Complete/OK Complete/Failed Waiting/Skipped"
            << "Boom %1 %2";

    const QStringList cancelTail
            = { "INFO Camera info after update:", "INFO DeviceFirmwareVersion: 1.0",
                "INFO Finished firmware update (1/3)",
                "INFO Firmware updates have been canceled by the user", done };
    const QStringList cancelHead = { "INFO Starting firmware update (1/3) for camera Cam A",
                                     "INFO Update will take approximately 0 msec",
                                     "WARNING User canceled firmware update" };
    QTest::newRow("cancel pressed twice")
            << QList<QStringList> { kOk, kOk, kOk } << QStringList() << 2
            << (cancelHead + cancelTail) << "Complete/OK Waiting/Skipped Waiting/Skipped"
            << "Firmware updates have been canceled by the user.";
    QTest::newRow("cancel during the last camera ends normally")
            << QList<QStringList> { kOk } << QStringList() << 1
            << QStringList { "INFO Starting firmware update (1/1) for camera Cam A",
                             "INFO Update will take approximately 0 msec",
                             "WARNING User canceled firmware update",
                             "INFO Camera info after update:",
                             "INFO DeviceFirmwareVersion: 1.0",
                             "INFO Finished firmware update (1/1)",
                             done }
            << "Complete/OK" << QString();

    QTest::newRow("phase details")
            << QList<QStringList> { { "info 900", "step 2 400 Writing %1", "progress 2 49.6",
                                      "stepdone 2 500", "step 9 500", "stepdone 9 0", "done" } }
            << QStringList() << 0
            << QStringList { "INFO Starting firmware update (1/1) for camera Cam A",
                             "INFO Camera info before update:",
                             "INFO DeviceFirmwareVersion: 1.0",
                             "INFO Update infos:",
                             "INFO Filename: update.guf",
                             "INFO Version: 2.0",
                             "INFO Description: Fixes %1",
                             "INFO Release Notes: Notes",
                             "INFO Update will take approximately 900 msec",
                             "INFO Entering update step: FeatureWrite",
                             "INFO Update step description: Writing %1",
                             "INFO Update step will take approximately 400 msec",
                             "INFO FeatureWrite progress: 50%",
                             "INFO Finished update step: FeatureWrite",
                             "INFO Update remaining time approximately 500 msec",
                             "INFO Entering update step: ",
                             "INFO Update step will take approximately 500 msec",
                             "INFO Finished update step: ",
                             "INFO Update remaining time approximately 0 msec",
                             "INFO Camera info after update:",
                             "INFO DeviceFirmwareVersion: 1.0",
                             "INFO Finished firmware update (1/1)",
                             done }
            << "Complete/OK" << QString();
}

void tst_StateUpdating::run()
{
    QFETCH(QList<QStringList>, scripts);
    QFETCH(QStringList, names);
    QFETCH(int, cancelClicks);
    QFETCH(QStringList, expectedLog);
    QFETCH(QString, expectedResults);
    QFETCH(QString, expectedError);

    if (cancelClicks > 0) {
        // Pressed as soon as the first camera has begun; the step's own slot
        // for that signal runs first.
        auto *thread = m_step->findChild<State::CFirmwareUpdateThread *>();
        QVERIFY(thread);
        connect(thread, &State::CFirmwareUpdateThread::firmwareUpdateBegin, m_page,
                [this, cancelClicks] {
                    QPushButton *cancel = m_page->findChild<QDialogButtonBox *>("buttonBox")
                                                  ->button(QDialogButtonBox::Cancel);
                    QTest::mouseClick(cancel, Qt::LeftButton);
                    if (cancelClicks > 1)
                        m_page->close();
                });
    }
    start(scripts, names);
    QVERIFY(waitForDone());

    QCOMPARE(m_service->lines, expectedLog);
    QStringList results;
    for (const QPointer<CFirmwareUpdateEntity> &entity : qAsConst(m_entities)) {
        QVERIFY(entity);
        results << QStringLiteral("%1/%2").arg(
                QMetaEnum::fromType<CFirmwareUpdateEntity::EFirmwareUpdateStatus>().valueToKey(
                        entity->updateStatus()),
                QMetaEnum::fromType<CFirmwareUpdateEntity::EFirmwareUpdateResult>().valueToKey(
                        entity->updateResult()));
    }
    QCOMPARE(results.join(QLatin1Char(' ')), expectedResults);
    QCOMPARE(m_service->lastError, expectedError);
    // Skipped cameras were never run.
    for (int i = 0; i < m_entities.size(); ++i)
        QCOMPARE(m_updates[i]->ran,
                 m_entities[i]->updateStatus() == CFirmwareUpdateEntity::Complete);
    QVERIFY(!m_page->isVisible());
}

void tst_StateUpdating::progressBar()
{
    auto *thread = m_step->findChild<State::CFirmwareUpdateThread *>();
    auto *bar = m_page->findChild<QProgressBar *>("progressBar");
    auto *indicator = m_page->findChild<QLabel *>("progressIndicatorLabel");
    QVERIFY(thread && bar && indicator);
    QList<QPair<int, int>> seen;
    connect(thread, &State::CFirmwareUpdateThread::firmwareUpdateProgressStepProgressChanged, this,
            [&] { seen << qMakePair(bar->value(), bar->maximum()); });
    connect(thread, &State::CFirmwareUpdateThread::firmwareUpdateProgressStepDone, this,
            [&] { seen << qMakePair(bar->value(), bar->maximum()); });

    const QStringList script = { "begin 1000",     "step 2 400",     "progress 2 50",
                                 "stepdone 2 400", "step 3 600",     "progress 3 50",
                                 "progress 3 100", "stepdone 3 600", "done" };
    start({ script, script });
    QVERIFY(waitForDone());

    // Finished phases plus the running phase's share of its own estimate.
    const QList<QPair<int, int>> expected
            = { { 200, 1000 }, { 400, 1000 }, { 700, 1000 }, { 1000, 1000 }, { 1000, 1000 } };
    QCOMPARE(seen, expected + expected);
    // Between and after cameras the bar counts finished cameras.
    QCOMPARE(bar->value(), 2);
    QCOMPARE(bar->maximum(), 2);
    QCOMPARE(indicator->text(), QStringLiteral("2/2"));
}

void tst_StateUpdating::zeroResetEstimate()
{
    // No share can be computed for a phase announced as taking no time, yet
    // the reset timer ticks while the device restarts.
    start({ { "begin 1000", "step 6 0", "sleep 700", "stepdone 6 0", "done" } });
    QVERIFY(waitForDone());
    QVERIFY(m_service->lines.filter(QStringLiteral("progress")).isEmpty());
    QVERIFY(m_service->lines.contains(QStringLiteral("INFO Finished update step: DeviceReset")));
}

void tst_StateUpdating::exitWhileWorkerRuns()
{
    // A second way out of the step, as if the machine were driven elsewhere
    // while camera 1 is still being updated.
    QState *elsewhere = new QState;
    m_machine->addState(elsewhere);
    QSignalSpy left(elsewhere, &QState::entered);
    m_step->addTransition(this, &tst_StateUpdating::leave, elsewhere);

    auto *thread = m_step->findChild<State::CFirmwareUpdateThread *>();
    const QStringList blocking = { "begin 0", "block", "progress 2 50", "done" };
    connect(
            thread, &State::CFirmwareUpdateThread::firmwareUpdateBegin, this,
            [this] {
                // Let the worker go on only once the step waits in onExit.
                QTimer::singleShot(50, this, [this] { m_updates[0]->release(); });
                emit leave();
            },
            Qt::QueuedConnection);
    start({ blocking, kOk, kOk });
    QVERIFY(left.wait(20000));
    QVERIFY(!thread->isRunning());
    const QStringList before = m_service->lines;
    // Whatever the worker still had queued must not start another camera.
    QTest::qWait(100);
    QCoreApplication::processEvents();
    QCOMPARE(m_service->lines, before);
    QVERIFY(!m_updates[1]->ran);
    QVERIFY(!m_updates[2]->ran);
    QVERIFY(!thread->isRunning());
    QVERIFY(!m_page->isVisible());
    QVERIFY(!before.contains(QStringLiteral("INFO Finished all firmware updates")));
    QVERIFY(!before.contains(
            QStringLiteral("INFO Starting firmware update (2/3) for camera Cam B")));
}

void tst_StateUpdating::pageGoneDuringRun()
{
    auto *thread = m_step->findChild<State::CFirmwareUpdateThread *>();
    connect(thread, &State::CFirmwareUpdateThread::firmwareUpdateBegin, this,
            [this] { delete m_page.data(); });
    start({ kOk, kOk, kOk });
    QVERIFY(waitForDone());
    QCOMPARE(m_service->lines,
             (QStringList { "INFO Starting firmware update (1/3) for camera Cam A",
                            "INFO Update will take approximately 0 msec",
                            "CRITICAL Internal error. Stopping firmware update of cameras",
                            "INFO Finished all firmware updates" }));
    QVERIFY(!m_updates[1]->ran);
}

QTEST_MAIN(tst_StateUpdating)
#include "tst_state_updating.moc"
