#include "simulator/CCameraEnumerationService.h"
#include "simulator/CCameraPool.h"
#include "simulator/CCameraStatusService.h"
#include "simulator/CCameraStreamControlService.h"
#include "simulator/CDeviceFirmwareUpdateService.h"
#include "simulator/CSimulatedFirmwareUpdate.h"
#include "support/UpdateSignals.h"

#include "host/BaseException.h"
#include "host/CServiceRegistry.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace Simulator;
using Plugin::Dorvix::EFirmwareUpdateDirection;
using Plugin::Dorvix::FirmwareUpdateInfoPtr;

Q_DECLARE_METATYPE(EFirmwareUpdateDirection)

namespace {

const char *const kSetup = R"({"timeScale": 0.5, "transportLayers": [
  {"id": "gev", "displayName": "GigE", "cameras": [
    {"id": "G1", "displayName": "Left", "modelName": "SX-200", "firmwareVersion": "1.0",
     "secondaryName": "Line 1", "detailText": "Port 2", "busy": true},
    {"id": "G2", "modelName": "SX-200", "firmwareVersion": "1.1", "statusCode": 7}]},
  {"id": "usb", "displayName": "USB3"}
]})";

// Three updates; the first can be made to fail.
QByteArray updateFile(const QByteArray &failure = QByteArray())
{
    return R"({"updates": [
  {"fileName": "sx200.bin", "version": "2.0.0", "models": ["SX-200"],
   "phases": [{"step": "CheckPreconditions", "estimatedMs": 100, "description": "Checking"},
              {"step": 5, "estimatedMs": 400},
              {"step": "DeviceReset", "estimatedMs": 300}])"
            + failure + R"(},
  {"version": "1.5", "models": ["SX-200", "SX-300"], "cameraIds": ["B2"],
   "phases": [{"step": "FileUpload", "estimatedMs": 0}]},
  {"version": "3.0", "models": ["SX-300"], "phases": [{"step": "FileUpload", "estimatedMs": 10}]}
]})";
}

// "gev:G1 G2 | usb:"
QString cameraIds(const CCameraPool &pool)
{
    QStringList layers;
    for (const auto &layer : pool.transportLayers()) {
        layers << layer->id() + ':';
        for (const auto &camera : layer->cameras())
            layers.last() += ' ' + camera->id();
    }
    return layers.join(" | ");
}

QStringList record(Plugin::Dorvix::IDeviceFirmwareUpdate *update)
{
    QStringList log;
    QObject context;
    Probe::recordUpdateSignals(update, &context, [&](const QString &token) { log << token; });
    update->runUpdate();
    return log;
}

QString progress(int step, int values = 5)
{
    QStringList list;
    for (int i = 0; i < values; ++i)
        list << QString("progress %1 %2").arg(step).arg(i * 25);
    return list.join('|');
}

} // namespace

class TestSimulatorPool : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QSharedPointer<CCameraPool> m_pool;
    int m_files = 0;

    QString writeFile(const QByteArray &content)
    {
        QFile file(m_dir.filePath(QString("file%1.guf").arg(++m_files)));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size()
                ? file.fileName()
                : QString();
    }

private slots:
    void init()
    {
        m_pool.reset(new CCameraPool);
        m_pool->addTransportLayer("usb", "USB");
        m_pool->addCamera("usb", { "A1", "Camera A1", "SX-200", "1.0.0" });
        m_pool->addCamera("usb", { "A2", "Camera A2", "SX-200", "2.0" });
        m_pool->addCamera("usb", { "B1", "Camera B1", "SX-300", "3.0.1" });
        m_pool->addCamera("usb", { "B2", "Camera B2", "SX-300", "garbled" });
    }

    void badFileThrows_data()
    {
        QTest::addColumn<QString>("path"); // used when there is no content
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("fragment");

        const auto file = [](const char *name, const QByteArray &content, const char *fragment) {
            QTest::newRow(name) << QString() << content << fragment;
        };
        const auto update = [](const QByteArray &fields) {
            return "{\"updates\": [{" + fields + "}]}";
        };
        const QByteArray head = R"("version": "1", "models": ["M"], )";
        const QByteArray valid = head + R"("phases": [{"step": "FileUpload", "estimatedMs": 10}])";
        const auto phase = [&](const QByteArray &fields) {
            return update(head + R"("phases": [{)" + fields + "}]");
        };
        const auto camera = [](const QByteArray &fields) {
            return R"({"transportLayers": [{"id": "a", "cameras": [{"id": "c", )" + fields
                    + "}]}]}";
        };
        QByteArray junk(4096, '\0');
        for (char &byte : junk)
            byte = char(QRandomGenerator::global()->bounded(256));

        QTest::newRow("missing") << "absent.guf" << QByteArray() << "does not exist";
        QTest::newRow("no name") << "" << QByteArray() << "no file name";
        QTest::newRow("device") << "/dev/zero" << QByteArray() << "not a regular file";
        file("empty", " \n", "is empty");
        file("not json", "firmware 1.0", "not valid JSON");
        file("deeply nested", QByteArray(100000, '['), "not valid JSON");
        file("binary junk", junk, "not valid JSON");
        file("oversized", update(valid) + QByteArray(16 * 1024 * 1024, ' '), "too large");
        file("array", "[]", "JSON object");
        file("no updates", R"({"updates": []})", "\"updates\"");
        file("update not object", R"({"updates": [7]})", "update 1");
        file("no version", update(valid.mid(15)), "\"version\"");
        file("no models", update(R"("version": "1", "models": [])"), "\"models\"");
        file("ids not list", update(valid + R"(, "cameraIds": "A1")"), "\"cameraIds\"");
        file("no phases", update(head.chopped(2)), "\"phases\"");
        file("unknown step", phase(R"("step": "Reboot", "estimatedMs": 1)"), "phase 1");
        file("step 8", phase(R"("step": 8, "estimatedMs": 1)"), "\"step\"");
        file("negative time", phase(R"("step": 0, "estimatedMs": -5)"), "\"estimatedMs\"");
        file("fractional time", phase(R"("step": 0, "estimatedMs": 1.5)"), "\"estimatedMs\"");
        file("huge time", phase(R"("step": 0, "estimatedMs": 1e12)"), "\"estimatedMs\"");
        file("failure elsewhere", update(valid + R"(, "failure": {"step": 6, "message": "x"})"),
             "names no phase");
        file("failure silent", update(valid + R"(, "failure": {"step": 5})"), "\"message\"");
        file("second update bad", R"({"updates": [{)" + valid + R"(}, {"version": ""}]})",
             "update 2");
        file("setup: without layers", "{}", "\"transportLayers\"");
        file("setup: layer twice", R"({"transportLayers": [{"id": "a"}, {"id": "a"}]})",
             "used twice");
        file("setup: camera without model", camera(R"("displayName": "x")"), "\"modelName\"");
        file("setup: negative status", camera(R"("modelName": "m", "statusCode": -1)"),
             "\"statusCode\"");
        file("setup: busy as text", camera(R"("modelName": "m", "busy": "yes")"), "\"busy\"");
        file("setup: negative time scale", R"({"timeScale": -1, "transportLayers": []})",
             "\"timeScale\"");
    }

    // A bad setup also leaves the pool as it was.
    void badFileThrows()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, content);
        QFETCH(QString, fragment);

        if (!content.isNull())
            path = writeFile(content);
        else if (!path.isEmpty() && !path.startsWith('/'))
            path = m_dir.filePath(path);
        try {
            if (QByteArray(QTest::currentDataTag()).startsWith("setup: "))
                m_pool->loadSetupFile(path);
            else
                m_pool->firmwareUpdateService()->readUpdateFile(path, QString());
            QFAIL("no exception");
        } catch (const Core::Exception::BaseException &error) {
            QVERIFY2(error.getMessage().contains(fragment), qPrintable(error.getMessage()));
        }
        QCOMPARE(cameraIds(*m_pool), "usb: A1 A2 B1 B2");
        QVERIFY(m_pool->camera("A1")->isPresent());
        QCOMPARE(m_pool->timeScale(), 0.0);
    }

    void setupBusyAndStop()
    {
        const SimulatedCameraPtr old = m_pool->camera("A1");
        m_pool->loadSetupFile(writeFile(kSetup));
        QVERIFY(!old->isPresent());
        QCOMPARE(m_pool->timeScale(), 0.5);
        QCOMPARE(cameraIds(*m_pool), "gev: G1 G2 | usb:");
        const SimulatedCameraPtr g1 = m_pool->camera("G1"), g2 = m_pool->camera("G2");
        QCOMPARE(QStringList({ g1->displayName(), g1->modelName(), g1->currentFirmwareVersion(),
                               g1->secondaryName(), g1->detailText(), g1->transportLayerId(),
                               g2->displayName() }),
                 QStringList({ "Left", "SX-200", "1.0", "Line 1", "Port 2", "gev", "G2" }));
        QCOMPARE(g2->statusCode(), 7u);

        auto status = m_pool->statusService();
        QVERIFY(status->isCameraBusy(g1) && !status->isCameraBusy(g2) && !status->isCameraBusy({}));
        QVERIFY(m_pool->setCameraBusy("G2", true) && !m_pool->setCameraBusy("nobody", true));
        m_pool->streamControlService()->stopAllCameras();
        QVERIFY(!status->isCameraBusy(g1) && !status->isCameraBusy(g2));

        // Ids are unique; a removed camera is unplugged and no longer busy.
        QVERIFY(!m_pool->addCamera("usb", { "G1", "Twin", "SX-200" }));
        m_pool->setCameraBusy("G1", true);
        QVERIFY(m_pool->removeCamera("G1") && !m_pool->removeCamera("G1"));
        QCOMPARE(cameraIds(*m_pool), "gev: G2 | usb:");
        QVERIFY(!status->isCameraBusy(g1) && !g1->isPresent());
    }

    void enumerationIsAnnouncedLater()
    {
        auto enumeration = m_pool->enumerationService();
        QSignalSpy changed(enumeration.data(),
                           &Plugin::Dorvix::ICameraEnumerationService::enumerationChanged);
        enumeration->refreshEnumeration();
        m_pool->announceEnumerationChanged();
        QCOMPARE(changed.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 2, 10000);
    }

    void servicesOutliveTheirPool()
    {
        Core::Service::CServiceRegistry registry;
        const auto enumeration = m_pool->enumerationService();
        m_pool->publish(&registry);
        m_pool->publish(&registry);
        QCOMPARE(registry.services().size(), 5);
        m_pool.reset();
        QVERIFY(registry.services().isEmpty());
        QVERIFY(enumeration->transportLayers().isEmpty());
    }

    void direction_data()
    {
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<EFirmwareUpdateDirection>("expected");

        const auto row = [](const char *name, const char *installed, const char *offered,
                            EFirmwareUpdateDirection expected) {
            QTest::newRow(name) << installed << offered << expected;
        };
        using namespace Plugin::Dorvix;
        row("newer", "1.0.0", "2.0.0", Upgrade);
        row("numeric, not textual", "1.9", "1.10", Upgrade);
        row("longer is newer", "1.2", "1.2.1", Upgrade);
        row("older", "1.10", "1.9.99", Downgrade);
        row("same", "1.2.3", "1.2.3", Reinstall);
        row("trailing zero", "1.2", "1.2.0", Reinstall);
        row("spaces, leading zero", " 1.02 ", "1.2", Reinstall);
        row("none installed", "", "1.0", NotDetermined);
        row("suffix", "1.0", "1.1-beta", NotDetermined);
        row("empty part", "1..2", "1.2", NotDetermined);
        row("trailing dot", "1.2.", "1.2", NotDetermined);
        row("sign", "+1.2", "1.2", NotDetermined);
        row("overflow", "99999999999.0", "1.0", NotDetermined);
    }

    void direction()
    {
        QFETCH(QString, installed);
        QFETCH(QString, offered);
        QFETCH(EFirmwareUpdateDirection, expected);

        QCOMPARE(CSimulatedFirmwareUpdate::directionFor(installed, offered), expected);
    }

    void compatibility_data()
    {
        QTest::addColumn<QString>("cameraId");
        QTest::addColumn<QString>("expected"); // "compatible | creatable", "-" when refused

        QTest::newRow("model listed") << QString("A1") << "2.0.0 | 2.0.0";
        QTest::newRow("restricted to another id") << QString("B1") << "3.0 | 3.0";
        QTest::newRow("restricted to this id") << QString("B2") << "1.5 3.0 | 1.5 3.0";
        QTest::newRow("no longer in the pool") << QString("A2") << "2.0.0 | ";
        QTest::newRow("null") << QString("") << "- | ";
    }

    void compatibility()
    {
        QFETCH(QString, cameraId);
        QFETCH(QString, expected);

        auto service = m_pool->firmwareUpdateService();
        const auto infos = service->readUpdateFile(writeFile(updateFile()), {});
        const SimulatedCameraPtr camera = m_pool->camera(cameraId);
        m_pool->removeCamera("A2");
        // Stale output is replaced, not extended.
        QVector<FirmwareUpdateInfoPtr> found { infos.at(0) };
        bool flag = false;
        QStringList versions, created;
        if (!service->findCompatibleUpdates(camera, infos, found, flag))
            versions << "-";
        for (const auto &info : found)
            versions << info->version();
        for (const auto &info : infos) {
            if (service->createFirmwareUpdate(camera, info))
                created << info->version();
        }
        QCOMPARE(versions.join(' ') + " | " + created.join(' '), expected);
        QVERIFY(!service->createFirmwareUpdate(camera, {}));
    }

    void runReportsPhasesAndChangesFirmware_data()
    {
        QTest::addColumn<QByteArray>("failure");
        QTest::addColumn<QString>("prepare");
        QTest::addColumn<QString>("expected");

        const QString check = "begin 2.0.0 800|step 0 100 Checking|" + progress(0)
                + "|stepDone 0 100|step 5 400|";
        const QString upload = check + progress(5) + "|stepDone 5 400|step 6 300|";

        // A restarting device is silent: no progress values.
        QTest::newRow("success") << QByteArray() << "" << upload + "stepDone 6 300|done";
        QTest::newRow("fails in upload")
                << QByteArray(R"(, "failure": {"step": "FileUpload", "message": "Broke"})") << ""
                << check + progress(5, 3) + "|error Broke";
        QTest::newRow("fails in reset")
                << QByteArray(R"(, "failure": {"step": 6, "message": "No answer"})") << ""
                << upload + "error No answer";
        QTest::newRow("busy camera") << QByteArray() << "busy"
                                     << "begin 2.0.0 800|error Camera Camera A1 is acquiring "
                                        "images and cannot be updated.";
        QTest::newRow("unplugged camera")
                << QByteArray() << "remove"
                << "begin 2.0.0 800|error Camera Camera A1 is no longer connected.";
    }

    void runReportsPhasesAndChangesFirmware()
    {
        QFETCH(QByteArray, failure);
        QFETCH(QString, prepare);
        QFETCH(QString, expected);

        auto service = m_pool->firmwareUpdateService();
        const auto infos = service->readUpdateFile(writeFile(updateFile(failure)), {});
        const SimulatedCameraPtr camera = m_pool->camera("A1");
        auto update = service->createFirmwareUpdate(camera, infos.at(0));
        QVERIFY(update);
        if (prepare == "busy")
            m_pool->setCameraBusy("A1", true);
        else if (prepare == "remove")
            m_pool->removeCamera("A1");

        QCOMPARE(record(update.data()).join('|'), expected);
        const bool done = expected.endsWith("done");
        QCOMPARE(camera->currentFirmwareVersion() + ' ' + update->deviceFirmwareVersion() + ' '
                         + update->currentFirmwareVersion(),
                 done ? "2.0.0 2.0.0 1.0.0" : "1.0.0 1.0.0 1.0.0");
        // The plan keeps its direction; a new plan sees the new firmware.
        QCOMPARE(update->direction(), Plugin::Dorvix::Upgrade);
        if (done)
            QCOMPARE(service->createFirmwareUpdate(camera, infos.at(0))->direction(),
                     Plugin::Dorvix::Reinstall);
    }
};

QTEST_MAIN(TestSimulatorPool)
#include "tst_simulator_pool.moc"
