#include "simulator/CCameraEnumerationService.h"
#include "simulator/CCameraPool.h"
#include "simulator/CCameraStatusService.h"
#include "simulator/CDeviceFirmwareUpdateService.h"
#include "simulator/CSimulatedFirmwareUpdate.h"
#include "support/UpdateSignals.h"

#include "host/BaseException.h"
#include "host/CServiceRegistry.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Simulator;
using namespace Plugin::Dorvix;

namespace {

// Three updates; the first can be made to fail.
QByteArray updateFile(const QByteArray &failure = QByteArray())
{
    return R"({"updates": [{"fileName": "sx200.bin", "version": "2.0.0", "models": ["SX-200"],
   "phases": [{"step": "CheckPreconditions", "estimatedMs": 100, "description": "Checking"},
     {"step": 5, "estimatedMs": 400}, {"step": "DeviceReset", "estimatedMs": 300}])"
            + failure + R"(}, {"version": "1.5", "models": ["SX-200", "SX-300"],
   "cameraIds": ["B2"], "phases": [{"step": "FileUpload", "estimatedMs": 0}]},
  {"version": "3.0", "models": ["SX-300"], "phases": [{"step": "FileUpload", "estimatedMs": 10}]}
]})";
}

// "gev: G1 G2 | usb:"
QString cameraIds(const CCameraPool &pool)
{
    QString ids;
    for (const auto &layer : pool.transportLayers()) {
        ids += " | " + layer->id() + ':';
        for (const auto &camera : layer->cameras())
            ids += ' ' + camera->id();
    }
    return ids.mid(3);
}

} // namespace

class TestSimulatorPool : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QSharedPointer<CCameraPool> m_pool;
    int m_files = 0;

    QString writeFile(const QByteArray &content, const QString &name = QString())
    {
        QFile file(m_dir.filePath(name.isEmpty() ? QString("file%1.guf").arg(++m_files) : name));
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

    // Rows named "setup: " load a camera setup, the others an update file;
    // content "path:" names the file instead.
    void badFileThrows_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("fragment");

        const auto update = [](const QByteArray &fields) {
            return "{\"updates\": [{" + fields + "}]}";
        };
        const QByteArray head = R"("version": "1", "models": ["M"], )";
        const QByteArray valid = head + R"("phases": [{"step": "FileUpload", "estimatedMs": 10}])";
        const auto phase = [&](const QByteArray &fields) {
            return update(head + R"("phases": [{"step": )" + fields + "}]");
        };
        const QByteArray camera = R"({"transportLayers": [{"id": "a", "cameras": [{"id": "c", )";
        const QByteArray rows[][3] = {
            { "missing", "path:absent.guf", "does not exist" },
            { "no name", "path:", "no file name" },
            { "device", "path:/dev/zero", "not a regular file" },
            { "empty", " \n", "is empty" },
            { "deeply nested", QByteArray(100000, '['), "not valid JSON" },
            { "oversized", update(valid) + QByteArray(16 * 1024 * 1024, ' '), "too large" },
            { "no updates", R"({"updates": []})", "\"updates\"" },
            { "no models", update(R"("version": "1", "models": [])"), "\"models\"" },
            { "ids not list", update(valid + R"(, "cameraIds": "A1")"), "\"cameraIds\"" },
            { "no phases", update(head.chopped(2)), "\"phases\"" },
            { "step 8", phase(R"(8, "estimatedMs": 1)"), "phase 1: \"step\"" },
            { "negative time", phase(R"(0, "estimatedMs": -5)"), "\"estimatedMs\"" },
            { "failure elsewhere", update(valid + R"(, "failure": {"step": 6, "message": "x"})"),
              "names no phase" },
            { "failure times 0",
              update(valid + R"(, "failure": {"step": 5, "message": "x", "times": 0})"),
              "\"times\"" },
            // Not a count: it must not turn into "fails every time".
            { "failure times 1.5",
              update(valid + R"(, "failure": {"step": 5, "message": "x", "times": 1.5})"),
              "\"times\"" },
            { "second update bad", R"({"updates": [{)" + valid + R"(}, {"version": ""}]})",
              "update 2: \"version\"" },
            { "setup: layer twice", R"({"transportLayers": [{"id": "a"}, {"id": "a"}]})",
              "used twice" },
            { "setup: camera without model", camera + R"("displayName": "x"}]}]})",
              "\"modelName\"" },
            { "setup: negative time scale", R"({"timeScale": -1, "transportLayers": []})",
              "\"timeScale\"" },
            // Placeholders in a path stay as they are.
            { "percent in name", "named:%1 %2.guf|{", "%1 %2.guf\" is not valid JSON" },
            { "percent in name, bad update", R"(named:%1.guf|{"updates": [{"version": ""}]})",
              "%1.guf\", update 1: \"version\"" },
        };
        for (const auto &row : rows)
            QTest::newRow(row[0].constData()) << row[1] << QString(row[2]);
    }

    // A bad setup also leaves the pool as it was.
    void badFileThrows()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, fragment);

        QString path = content.startsWith("path:") ? QString(content.mid(5))
                : content.startsWith("named:")
                ? writeFile(content.mid(content.indexOf('|') + 1),
                            QString(content.mid(6, content.indexOf('|') - 6)))
                : writeFile(content);
        if (!path.isEmpty() && !path.startsWith('/'))
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
        QCOMPARE(cameraIds(*m_pool) + ' ' + QString::number(m_pool->timeScale()),
                 "usb: A1 A2 B1 B2 0");
        QVERIFY(m_pool->camera("A1")->isPresent());
    }

    // Then: published once; the services a caller kept outlive the pool.
    void setupBusyStopAndServices()
    {
        const SimulatedCameraPtr old = m_pool->camera("A1");
        m_pool->loadSetupFile(writeFile(R"({"timeScale": 0.5, "transportLayers": [
  {"id": "gev", "displayName": "GigE", "cameras": [{"id": "G1", "displayName": "Left",
    "modelName": "SX-200", "firmwareVersion": "1.0", "secondaryName": "Line 1",
    "detailText": "Port 2", "busy": true},
    {"id": "G2", "modelName": "SX-200", "firmwareVersion": "1.1", "statusCode": 7}]},
  {"id": "usb", "displayName": "USB3"}]})"));
        QVERIFY(!old->isPresent());
        const SimulatedCameraPtr g1 = m_pool->camera("G1"), g2 = m_pool->camera("G2");
        QCOMPARE(QStringList({ cameraIds(*m_pool), g1->displayName(), g1->modelName(),
                               g1->currentFirmwareVersion(), g1->secondaryName(), g1->detailText(),
                               g1->transportLayerId(), g2->displayName(),
                               QString::number(g2->statusCode()),
                               QString::number(m_pool->timeScale()) })
                         .join('|'),
                 "gev: G1 G2 | usb:|Left|SX-200|1.0|Line 1|Port 2|gev|G2|7|0.5");

        auto status = m_pool->statusService();
        QVERIFY(status->isCameraBusy(g1) && !status->isCameraBusy(g2) && !status->isCameraBusy({}));

        // Ids are unique; a removed camera is unplugged and no longer busy.
        QVERIFY(!m_pool->addCamera("usb", { "G1", "Twin", "SX-200" }));
        m_pool->setCameraBusy("G1", true);
        QVERIFY(m_pool->removeCamera("G1") && !m_pool->removeCamera("G1"));
        QCOMPARE(cameraIds(*m_pool), "gev: G2 | usb:");
        QVERIFY(!status->isCameraBusy(g1) && !g1->isPresent());

        const auto enumeration = m_pool->enumerationService();
        Core::Service::CServiceRegistry registry;
        m_pool->publish(&registry);
        m_pool->publish(&registry);
        QCOMPARE(registry.services().size(), 5);
        m_pool.reset();
        QVERIFY(registry.services().isEmpty() && enumeration->transportLayers().isEmpty());
    }

    void direction()
    {
        const std::tuple<const char *, const char *, EFirmwareUpdateDirection> rows[] = {
            { "1.0.0", "2.0.0", Upgrade },        { "1.9", "1.10", Upgrade },
            { "1.2", "1.2.1", Upgrade },          { "1.10", "1.9.99", Downgrade },
            { "1.2.3", "1.2.3", Reinstall },      { "1.2", "1.2.0", Reinstall },
            { " 1.02 ", "1.2", Reinstall },       { "", "1.0", NotDetermined },
            { "1.0", "1.1-beta", NotDetermined }, { "1..2", "1.2", NotDetermined },
            { "+1.2", "1.2", NotDetermined },     { "99999999999.0", "1.0", NotDetermined }
        };
        QStringList wrong;
        for (const auto &[installed, offered, expected] : rows) {
            if (CSimulatedFirmwareUpdate::directionFor(installed, offered) != expected)
                wrong << QString("%1 to %2").arg(installed, offered);
        }
        QCOMPARE(wrong, QStringList());
    }

    // Per camera "compatible / creatable", "-" when refused; a restriction to
    // camera ids applies on top of the models.
    void compatibility()
    {
        auto service = m_pool->firmwareUpdateService();
        const auto infos = service->readUpdateFile(writeFile(updateFile()), {});
        const SimulatedCameraPtr a2 = m_pool->camera("A2");
        m_pool->removeCamera("A2");
        QStringList result;
        for (const auto &camera : { m_pool->camera("A1"), m_pool->camera("B1"),
                                    m_pool->camera("B2"), a2, SimulatedCameraPtr() }) {
            // Stale output is replaced, not extended.
            QVector<FirmwareUpdateInfoPtr> found { infos.at(0) };
            bool flag = false;
            QStringList versions;
            if (!service->findCompatibleUpdates(camera, infos, found, flag))
                versions << "-";
            for (const auto &info : found)
                versions << info->version();
            versions << "/";
            for (const auto &info : infos + QVector<FirmwareUpdateInfoPtr> { {} }) {
                if (service->createFirmwareUpdate(camera, info))
                    versions << info->version();
            }
            result << versions.join(' ');
        }
        QCOMPARE(result.join(" | "),
                 "2.0.0 / 2.0.0 | 3.0 / 3.0 | 1.5 3.0 / 1.5 3.0 | 2.0.0 / | - /");
    }

    // "prepare" is JSON for the first update's failure, or "busy".
    void runReportsPhasesAndChangesFirmware_data()
    {
        QTest::addColumn<QString>("prepare");
        QTest::addColumn<QString>("expected");

        const QString ticks
                = "progress # 0|progress # 25|progress # 50|progress # 75|progress # 100|";
        const QString upload = "begin 2.0.0 800|step 0 100 Checking|"
                + QString(ticks).replace('#', "0") + "stepDone 0 100|step 5 400|"
                + QString(ticks).replace('#', "5") + "stepDone 5 400|step 6 300|";
        // A restarting device is silent: no progress values.
        QTest::newRow("success") << "" << upload + "stepDone 6 300|done|";
        QTest::newRow("fails in reset") << R"(, "failure": {"step": 6, "message": "No answer"})"
                                        << upload + "error No answer|";
        // The first run failed in its reset; the second goes through.
        QTest::newRow("fails once")
                << R"(, "failure": {"step": 6, "message": "No answer", "times": 1})"
                << upload + "stepDone 6 300|done|";
        // Under a time scale the estimates match the time really taken.
        QTest::newRow("time scale") << "scale"
                                    << QString(upload + "stepDone 6 300|done|")
                                               .replace(" 800|", " 8|")
                                               .replace("0 100 Checking", "0 1 Checking")
                                               .replace("Done 0 100", "Done 0 1")
                                               .replace(" 5 400", " 5 4")
                                               .replace(" 6 300", " 6 3");
        QTest::newRow("busy camera") << "busy"
                                     << "begin 2.0.0 800|error Camera Camera A1 is acquiring "
                                        "images and cannot be updated.|";
    }

    void runReportsPhasesAndChangesFirmware()
    {
        QFETCH(QString, prepare);
        QFETCH(QString, expected);

        auto service = m_pool->firmwareUpdateService();
        const QByteArray failure = prepare.startsWith(',') ? prepare.toUtf8() : QByteArray();
        const auto infos = service->readUpdateFile(writeFile(updateFile(failure)), {});
        const SimulatedCameraPtr camera = m_pool->camera("A1");
        m_pool->setTimeScale(prepare == "scale" ? 0.01 : 0.0);
        auto update = service->createFirmwareUpdate(camera, infos.at(0));
        QVERIFY(update);
        m_pool->setCameraBusy("A1", prepare == "busy");
        if (prepare.contains("\"times\""))
            service->createFirmwareUpdate(camera, infos.at(0))->runUpdate();

        QString log;
        Probe::recordUpdateSignals(update.data(), this,
                                   [&](const QString &token) { log += token + '|'; });
        update->runUpdate();
        QCOMPARE(log, expected);
        const bool done = expected.endsWith("done|");
        QCOMPARE(camera->currentFirmwareVersion() + ' ' + update->deviceFirmwareVersion() + ' '
                         + update->currentFirmwareVersion(),
                 done ? "2.0.0 2.0.0 1.0.0" : "1.0.0 1.0.0 1.0.0");
        // The plan keeps its direction; a new plan sees the new firmware.
        QCOMPARE(update->direction(), Upgrade);
        if (done)
            QCOMPARE(service->createFirmwareUpdate(camera, infos.at(0))->direction(), Reinstall);
    }
};

QTEST_MAIN(TestSimulatorPool)
#include "tst_simulator_pool.moc"
