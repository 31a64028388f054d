#include "support/CTestFirmwareUpdaterService.h"

#include "entity/CFirmwareUpdateEntity.h"
#include "host/CServiceRegistry.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "simulator/CSimulatedCamera.h"
#include "state/CFirmwareUpdateThread.h"
#include "state/CFirmwareUpdatingStep.h"
#include "view/CFirmwareUpdateDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QtTest>

#include <limits>

// What the full wizard runs cannot reach: a host whose update sleeps through
// a reset announced as taking no time, and a step left while its worker runs.

using namespace Plugin::FirmwareUpdater::Internal;
using namespace Plugin::Dorvix;

namespace {

class CInfo : public IFirmwareUpdateInfo
{
public:
    QString version() const override { return QStringLiteral(" 2.0"); }
    QString description() const override { return {}; }
    QString releaseNotes() const override { return {}; }
    QString fileName() const override { return {}; }
};

// A host update that reports a quick success, or plays its tokens:
// "begin:ms", a step begun by "upload:ms", "write:ms" or "reset:ms",
// "progress:percent" and "stepDone:ms" of the step begun last, "sleep:ms",
// "wait" (until released), "installs:version", "done", "error:text" and
// "cancel" (the user's, queued behind what was reported so far).
class CScriptedUpdate : public IDeviceFirmwareUpdate
{
public:
    FirmwareUpdateInfoPtr firmwareUpdateInfo() const override
    {
        return tokens.isEmpty() ? FirmwareUpdateInfoPtr() : FirmwareUpdateInfoPtr(new CInfo);
    }
    EFirmwareUpdateDirection direction() const override { return Upgrade; }
    QString currentFirmwareVersion() const override { return QStringLiteral("1.0"); }
    QString deviceFirmwareVersion() const override { return installed; }

    void runUpdate() override
    {
        ran = true;
        if (tokens.isEmpty()) {
            emit firmwareUpdateBegin({}, 1000);
            emit firmwareUpdateDone();
        }
        EFirmwareUpdateStep phase = FileUpload;
        const QStringList steps { "upload", "write", "reset" };
        for (const QString &token : tokens) {
            const QString name = token.section(':', 0, 0);
            const QString arg = token.section(':', 1);
            if (name == "begin") {
                emit firmwareUpdateBegin(firmwareUpdateInfo(), arg.toUInt());
            } else if (steps.contains(name)) {
                phase = QList<EFirmwareUpdateStep> { FileUpload, FeatureWrite,
                                                     DeviceReset }[steps.indexOf(name)];
                emit firmwareUpdateProgressStepBegin(
                        phase, arg.toUInt(), phase == FileUpload ? "Sending the image" : QString());
            } else if (name == "progress") {
                emit firmwareUpdateProgressStepProgressChanged(phase, arg.toDouble());
            } else if (name == "stepDone") {
                emit firmwareUpdateProgressStepDone(phase, arg.toUInt());
            } else if (name == "sleep") {
                QThread::msleep(arg.toUInt());
            } else if (name == "wait") {
                gate.acquire();
            } else if (name == "installs") {
                installed = arg;
            } else if (name == "done") {
                emit firmwareUpdateDone();
            } else if (name == "error") {
                emit firmwareUpdateError(arg);
            } else if (name == "cancel") {
                QMetaObject::invokeMethod(user, "onUpdatesCanceled", Qt::QueuedConnection);
            }
        }
    }

    QSemaphore gate;
    bool ran = false;
    QStringList tokens;
    QString installed = QStringLiteral("1.0");
    QPointer<QObject> user;
};

// The updating step alone on a machine, with its page and a model of planned
// cameras, one per token list.
struct Rig
{
    explicit Rig(const QStringList &tokens)
    {
        // The plug-in registers it on initialisation; these tests have no plug-in.
        qRegisterMetaType<EFirmwareUpdateStep>("Plugin::Dorvix::EFirmwareUpdateStep");
        registry.addService(service);
        page.setTreeModel(model);
        step = new State::CFirmwareUpdatingStep(&registry, &page, nullptr);
        thread = step->findChild<State::CFirmwareUpdateThread *>();
        machine.addState(step);
        machine.setInitialState(step);
        QList<Entity::CFirmwareUpdateEntity *> entities;
        for (int i = 0; i < tokens.size(); ++i) {
            // Ids sort in list order; the step must follow them.
            Simulator::CSimulatedCamera::Setup setup("id-" + QString::number(i),
                                                     QString("Cam ") + QChar('A' + i), {});
            auto *entity = new Entity::CFirmwareUpdateEntity;
            entity->setEntityType(Entity::CFirmwareUpdateEntity::CameraDevice);
            entity->setCameraInfo(QSharedPointer<Simulator::CSimulatedCamera>::create(setup, "tl"));
            entity->setSelected(true);
            updates << QSharedPointer<CScriptedUpdate>::create();
            updates.last()->tokens = tokens.value(i).split(' ', Qt::SkipEmptyParts);
            entity->setDeviceFirmwareUpdate(updates.last());
            entities << entity;
        }
        model->setEntities(entities);
        for (const auto &update : qAsConst(updates))
            update->user = step;
        machine.start();
    }

    Core::Service::CServiceRegistry registry;
    QSharedPointer<CTestFirmwareUpdaterService> service { new CTestFirmwareUpdaterService };
    QSharedPointer<Model::CFirmwareUpdateTreeModel> model { new Model::CFirmwareUpdateTreeModel };
    QList<QSharedPointer<CScriptedUpdate>> updates;
    View::CFirmwareUpdateDialog page { nullptr };
    QStateMachine machine;
    State::CFirmwareUpdatingStep *step = nullptr;
    State::CFirmwareUpdateThread *thread = nullptr;
};

} // namespace

class tst_StateUpdating : public QObject
{
    Q_OBJECT

signals:
    void leave();

private slots:
    // Token lists per camera (see CScriptedUpdate). Per camera: result,
    // current firmware shown afterwards and whether its update ran; the log
    // lines other than INFO, and progress lines; the highest bar value.
    void hostReports_data()
    {
        QTest::addColumn<QStringList>("cameras");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<int>("peak");
        const QString ignored = "WARNING Ignored firmware update signal \"%1\": no camera "
                                "awaits its result";
        const QString installs = "installs:2.0 done";
        QTest::newRow("done twice") << QStringList { installs + " done", installs }
                                    << "OK 2.0 ran, OK 2.0 ran" << QStringList { ignored.arg("done") }
                                    << 2;
        QTest::newRow("error after done")
                << QStringList { installs + " error:Late", installs } << "OK 2.0 ran, OK 2.0 ran"
                << QStringList { ignored.arg("error") } << 2;
        QTest::newRow("progress after done")
                << QStringList { installs + " begin:5 upload:5 progress:5 stepDone:5" }
                << "OK 2.0 ran"
                << QStringList { ignored.arg("begin"), ignored.arg("step begin"),
                                 ignored.arg("progress"), ignored.arg("step done") }
                << 1;
        QTest::newRow("cancel after done, before the worker ends")
                << QStringList { installs + " cancel", installs } << "OK 2.0 ran, Skipped 1.0 -"
                << QStringList { "WARNING User canceled firmware update" } << 1;
        QTest::newRow("keeps old firmware")
                << QStringList { "done", installs } << "Failed 1.0 ran, Skipped 1.0 -"
                << QStringList { "CRITICAL The camera reports firmware version 1.0 after the "
                                 "update; expected 2.0.",
                                 "CRITICAL Firmware update (1/2) failed.",
                                 "WARNING Further firmware updates will be skipped" }
                << 0;
        // Neither done nor error: no success, and no start over and over.
        QTest::newRow("no verdict")
                << QStringList { "begin:1000", installs } << "Failed 1.0 ran, Skipped 1.0 -"
                << QStringList { "CRITICAL Internal error: Firmware update ended without "
                                 "reporting its result.",
                                 "CRITICAL Firmware update (1/2) failed.",
                                 "WARNING Further firmware updates will be skipped" }
                << 0;
        // No share of no time, yet the step's timer ticks while the device restarts.
        QTest::newRow("reset announced as taking no time")
                << QStringList { "begin:1000 reset:0 sleep:700 stepDone:0 " + installs }
                << "OK 2.0 ran" << QStringList() << 1;
        QTest::newRow("device cannot tell its version")
                << QStringList { "installs: done" } << "OK 1.0 ran" << QStringList() << 1;
        QTest::newRow("error: firmware read back")
                << QStringList { "installs:1.5 error:Broke", installs }
                << "Failed 1.5 ran, Skipped 1.0 -"
                << QStringList { "CRITICAL Broke", "CRITICAL Firmware update (1/2) failed.",
                                 "WARNING Further firmware updates will be skipped" }
                << 0;
        QTest::newRow("host values out of range")
                << QStringList { "begin:4294967295 upload:4294967295 progress:nan progress:inf "
                                 "progress:-inf progress:-5 stepDone:4294967295 "
                                 "stepDone:4294967295 progress:1e300 "
                                 + installs }
                << "OK 2.0 ran"
                << QStringList { "INFO FileUpload progress: 0%", "INFO FileUpload progress: 100%",
                                 "INFO FileUpload progress: 0%", "INFO FileUpload progress: 0%",
                                 "INFO FileUpload progress: 100%" }
                << std::numeric_limits<int>::max();
    }

    void hostReports()
    {
        QFETCH(QStringList, cameras);
        QFETCH(QString, outcome);
        QFETCH(QStringList, log);
        QFETCH(int, peak);

        Rig r(cameras);
        auto *bar = r.page.findChild<QProgressBar *>();
        int highest = 0;
        connect(bar, &QProgressBar::valueChanged, this,
                [&highest](int value) { highest = qMax(highest, value); });
        QSignalSpy done(r.step, &State::CFirmwareUpdatingStep::firmwareUpdateDone);
        QVERIFY(done.wait(20000));
        QTest::qWait(50); // nothing may follow the end of the run
        QCOMPARE(done.count(), 1);

        QStringList shown;
        for (int i = 0; i < cameras.size(); ++i) {
            const auto cell = [&](int column) {
                return r.model->findCameraIndex("tl", "id-" + QString::number(i), column).data();
            };
            shown << QString("%1 %2 %3").arg(
                    QMetaEnum::fromType<Entity::CFirmwareUpdateEntity::EFirmwareUpdateResult>()
                            .valueToKey(cell(Entity::CFirmwareUpdateEntity::UpdateResult).toInt()),
                    cell(Entity::CFirmwareUpdateEntity::CurrentFirmware).toString(),
                    r.updates[i]->ran ? "ran" : "-");
        }
        QCOMPARE(shown.join(", "), outcome);
        QStringList notable;
        for (const QString &line : qAsConst(r.service->lines))
            if (!line.startsWith("INFO ") || line.contains(" progress: "))
                notable << line;
        QCOMPARE(notable, log);
        QCOMPARE(highest, peak);
    }

    void phaseAndTimeLeft()
    {
        // Camera 1 is half way through ten minutes; two more are expected to
        // take as long.
        Rig r({ "begin:600000 upload:600000 progress:50 wait write:1000 progress:40 wait "
                "reset:1000 progress:40 wait installs:2.0 done",
                "", "" });
        // A failed check must not leave the worker waiting for ever.
        const auto release = qScopeGuard([&r] { r.updates[0]->gate.release(3); });
        const auto text = [&r](const char *name) {
            const auto *label = r.page.findChild<QLabel *>(name);
            return label->isHidden() ? QStringLiteral("-") : label->text();
        };
        QTRY_COMPARE(text("phaseLabel"), QStringLiteral("Sending the image — 50%"));
        // The latest estimate shows even though the host then falls silent.
        QTRY_COMPARE(text("timeLeftLabel"), QStringLiteral("About 25 minutes left"));
        r.updates[0]->gate.release();
        // A phase the host left undescribed is named all the same.
        QTRY_COMPARE(text("phaseLabel"), QStringLiteral("Writing the update settings — 40%"));
        r.updates[0]->gate.release();
        QTRY_COMPARE(text("phaseLabel"), QStringLiteral("The camera is restarting — 40%"));
        r.updates[0]->gate.release();
        QSignalSpy done(r.step, &State::CFirmwareUpdatingStep::firmwareUpdateDone);
        QVERIFY(done.wait(20000));
    }

    void exitWhileWorkerRuns()
    {
        // A way out of the step, as if the machine were driven elsewhere while
        // camera 1 is still being updated.
        Rig r({ "begin:1000 wait progress:50 done", "" });
        auto *elsewhere = new QState(&r.machine);
        r.step->addTransition(this, &tst_StateUpdating::leave, elsewhere);
        QSignalSpy left(elsewhere, &QState::entered);
        connect(
                r.thread, &State::CFirmwareUpdateThread::firmwareUpdateBegin, this,
                [this, &r] {
                    // The worker goes on only once the step waits in onExit.
                    QTimer::singleShot(50, this, [&r] { r.updates[0]->gate.release(); });
                    emit leave();
                },
                Qt::QueuedConnection);
        QVERIFY(left.wait(20000));
        QVERIFY(!r.thread->isRunning());
        // Whatever the worker still had queued must not start another camera.
        QTest::qWait(100);
        QCOMPARE(r.service->lines.first(), "INFO Starting firmware update (1/2) for camera Cam A");
        QCOMPARE(r.service->lines.last(), "INFO Update will take approximately 1000 msec");
        QVERIFY(!r.updates[1]->ran);
        QVERIFY(!r.page.isVisible());
    }
};

QTEST_MAIN(tst_StateUpdating)
#include "tst_state_updating.moc"
