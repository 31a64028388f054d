#include "support/CTestFirmwareUpdaterService.h"

#include "entity/CFirmwareUpdateEntity.h"
#include "host/CServiceRegistry.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "simulator/CSimulatedCamera.h"
#include "state/CFirmwareUpdateThread.h"
#include "state/CFirmwareUpdatingStep.h"
#include "view/CFirmwareUpdateDialog.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QStateMachine>
#include <QtTest>

// What the full wizard runs cannot reach: a host whose update sleeps through
// a reset announced as taking no time, and a step left while its worker runs.

using namespace Plugin::FirmwareUpdater::Internal;
using Entity::CFirmwareUpdateEntity;

namespace {

// A host update that either sleeps through a reset announced as taking no
// time or blocks until released and then reports progress late.
class CScriptedUpdate : public Plugin::Dorvix::IDeviceFirmwareUpdate
{
public:
    enum EScript { Quick, SilentReset, Blocking };
    explicit CScriptedUpdate(EScript script)
        : m_script(script)
    { }

    Plugin::Dorvix::FirmwareUpdateInfoPtr firmwareUpdateInfo() const override { return {}; }
    Plugin::Dorvix::EFirmwareUpdateDirection direction() const override
    {
        return Plugin::Dorvix::Upgrade;
    }
    QString currentFirmwareVersion() const override { return QStringLiteral("1.0"); }
    QString deviceFirmwareVersion() const override { return QStringLiteral("1.0"); }

    void runUpdate() override
    {
        ran = true;
        emit firmwareUpdateBegin({}, 1000);
        if (m_script == SilentReset) {
            emit firmwareUpdateProgressStepBegin(Plugin::Dorvix::DeviceReset, 0, QString());
            QThread::msleep(700);
            emit firmwareUpdateProgressStepDone(Plugin::Dorvix::DeviceReset, 0);
        } else if (m_script == Blocking) {
            gate.acquire();
            emit firmwareUpdateProgressStepProgressChanged(Plugin::Dorvix::FileUpload, 50);
        }
        emit firmwareUpdateDone();
    }

    QSemaphore gate;
    bool ran = false;

private:
    EScript m_script;
};

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
    void zeroResetEstimate();
    void exitWhileWorkerRuns();

private:
    // Plans one camera per script and starts a machine on the updating step.
    void start(const QList<CScriptedUpdate::EScript> &scripts);

    Core::Service::CServiceRegistry *m_registry = nullptr;
    QSharedPointer<CTestFirmwareUpdaterService> m_service;
    QSharedPointer<Model::CFirmwareUpdateTreeModel> m_model;
    QPointer<View::CFirmwareUpdateDialog> m_page;
    QStateMachine *m_machine = nullptr;
    State::CFirmwareUpdatingStep *m_step = nullptr;
    State::CFirmwareUpdateThread *m_thread = nullptr;
    QList<QSharedPointer<CScriptedUpdate>> m_updates;
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
    m_thread = m_step->findChild<State::CFirmwareUpdateThread *>();
    m_machine->addState(m_step);
    m_machine->setInitialState(m_step);
}

void tst_StateUpdating::cleanup()
{
    delete m_machine;
    delete m_page.data();
    m_model.reset();
    m_updates.clear();
    delete m_registry;
    m_service.reset();
}

void tst_StateUpdating::start(const QList<CScriptedUpdate::EScript> &scripts)
{
    QList<CFirmwareUpdateEntity *> entities;
    for (int i = 0; i < scripts.size(); ++i) {
        Simulator::CSimulatedCamera::Setup setup;
        // Ids sort in list order; the step must follow them.
        setup.id = QStringLiteral("id-%1").arg(i);
        setup.displayName = QStringLiteral("Cam %1").arg(QChar('A' + i));
        auto *entity = new CFirmwareUpdateEntity;
        entity->setEntityType(CFirmwareUpdateEntity::CameraDevice);
        entity->setCameraInfo(QSharedPointer<Simulator::CSimulatedCamera>::create(setup, "tl"));
        entity->setSelected(true);
        m_updates << QSharedPointer<CScriptedUpdate>::create(scripts[i]);
        entity->setDeviceFirmwareUpdate(m_updates.last());
        entities << entity;
    }
    m_model->setEntities(entities);
    m_machine->start();
}

void tst_StateUpdating::zeroResetEstimate()
{
    // No share can be computed for a reset announced as taking no time, yet
    // the step's timer ticks while the device restarts.
    QSignalSpy done(m_step, &State::CFirmwareUpdatingStep::firmwareUpdateDone);
    start({ CScriptedUpdate::SilentReset });
    QVERIFY(done.wait(20000));
    QCOMPARE(m_service->lines,
             (QStringList { "INFO Starting firmware update (1/1) for camera Cam A",
                            "INFO Update will take approximately 1000 msec",
                            "INFO Entering update step: DeviceReset",
                            "INFO Update step will take approximately 0 msec",
                            "INFO Finished update step: DeviceReset",
                            "INFO Update remaining time approximately 0 msec",
                            "INFO Camera info after update:", "INFO DeviceFirmwareVersion: 1.0",
                            "INFO Finished firmware update (1/1)",
                            "INFO Finished all firmware updates" }));
}

void tst_StateUpdating::exitWhileWorkerRuns()
{
    // A way out of the step, as if the machine were driven elsewhere while
    // camera 1 is still being updated.
    auto *elsewhere = new QState;
    m_machine->addState(elsewhere);
    m_step->addTransition(this, &tst_StateUpdating::leave, elsewhere);
    QSignalSpy left(elsewhere, &QState::entered);
    connect(
            m_thread, &State::CFirmwareUpdateThread::firmwareUpdateBegin, this,
            [this] {
                // The worker goes on only once the step waits in onExit.
                QTimer::singleShot(50, this, [this] { m_updates[0]->gate.release(); });
                emit leave();
            },
            Qt::QueuedConnection);
    start({ CScriptedUpdate::Blocking, CScriptedUpdate::Quick });
    QVERIFY(left.wait(20000));
    QVERIFY(!m_thread->isRunning());
    // Whatever the worker still had queued must not start another camera.
    QTest::qWait(100);
    QCOMPARE(m_service->lines,
             (QStringList { "INFO Starting firmware update (1/2) for camera Cam A",
                            "INFO Update will take approximately 1000 msec" }));
    QVERIFY(!m_updates[1]->ran);
    QVERIFY(!m_thread->isRunning());
    QVERIFY(!m_page->isVisible());
}

QTEST_MAIN(tst_StateUpdating)
#include "tst_state_updating.moc"
