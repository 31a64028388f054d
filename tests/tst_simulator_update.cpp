#include "simulator/CCameraPool.h"
#include "simulator/CDeviceFirmwareUpdateService.h"
#include "simulator/CSimulatedFirmwareUpdate.h"

#include "host/BaseException.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace Simulator;
using Plugin::Dorvix::EFirmwareUpdateDirection;
using Plugin::Dorvix::EFirmwareUpdateStep;
using Plugin::Dorvix::FirmwareUpdateInfoPtr;
using Plugin::Dorvix::IDeviceFirmwareUpdate;

Q_DECLARE_METATYPE(EFirmwareUpdateDirection)

namespace {

const char *const kUpdates = R"({"updates": [
  {"fileName": "sx200.bin", "version": "2.0.0", "description": "Faster", "models": ["SX-200"],
   "phases": [{"step": "CheckPreconditions", "estimatedMs": 100, "description": "Checking"},
              {"step": 5, "estimatedMs": 400},
              {"step": "DeviceReset", "estimatedMs": 300}]},
  {"version": "1.5", "models": ["SX-200", "SX-300"], "cameraIds": ["B2"],
   "phases": [{"step": "FileUpload", "estimatedMs": 0}]},
  {"version": "3.0", "models": ["SX-300"], "phases": [{"step": "FileUpload", "estimatedMs": 10}]}
]})";

// Every signal of a run as one token, in the order emitted.
QStringList record(IDeviceFirmwareUpdate *update)
{
    QStringList log;
    QObject context;
    QObject::connect(update, &IDeviceFirmwareUpdate::firmwareUpdateBegin, &context,
                     [&](FirmwareUpdateInfoPtr info, uint ms) {
                         log << QString("begin %1 %2").arg(info->version()).arg(ms);
                     });
    QObject::connect(update, &IDeviceFirmwareUpdate::firmwareUpdateProgressStepBegin, &context,
                     [&](EFirmwareUpdateStep step, uint ms, const QString &text) {
                         log << QString("step %1 %2 %3").arg(step).arg(ms).arg(text).trimmed();
                     });
    QObject::connect(update, &IDeviceFirmwareUpdate::firmwareUpdateProgressStepProgressChanged,
                     &context, [&](EFirmwareUpdateStep step, double percent) {
                         log << QString("progress %1 %2").arg(step).arg(percent);
                     });
    QObject::connect(update, &IDeviceFirmwareUpdate::firmwareUpdateProgressStepDone, &context,
                     [&](EFirmwareUpdateStep step, uint ms) {
                         log << QString("stepDone %1 %2").arg(step).arg(ms);
                     });
    QObject::connect(update, &IDeviceFirmwareUpdate::firmwareUpdateDone, &context,
                     [&]() { log << "done"; });
    QObject::connect(update, &IDeviceFirmwareUpdate::firmwareUpdateError, &context,
                     [&](const QString &message) { log << "error " + message; });
    update->runUpdate();
    return log;
}

QStringList progress(int step, int values = 5)
{
    QStringList list;
    for (int i = 0; i < values; ++i)
        list << QString("progress %1 %2").arg(step).arg(i * 25);
    return list;
}

} // namespace

class TestSimulatorUpdate : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void badUpdateFileThrows_data();
    void badUpdateFileThrows();
    void direction_data();
    void direction();
    void compatibility_data();
    void compatibility();
    void unknownCamerasGetNoUpdate();
    void runReportsPhasesInOrder_data();
    void runReportsPhasesInOrder();
    void secondPassIsReinstall();

private:
    QString writeFile(const QByteArray &content);
    QVector<FirmwareUpdateInfoPtr> read(const QByteArray &content);

    QTemporaryDir m_dir;
    QSharedPointer<CCameraPool> m_pool;
    int m_files = 0;
};

void TestSimulatorUpdate::init()
{
    m_pool.reset(new CCameraPool);
    m_pool->addTransportLayer("usb", "USB");
    m_pool->addCamera("usb", { "A1", "Camera A1", "SX-200", "1.0.0" });
    m_pool->addCamera("usb", { "A2", "Camera A2", "SX-200", "2.0" });
    m_pool->addCamera("usb", { "B1", "Camera B1", "SX-300", "3.0.1" });
    m_pool->addCamera("usb", { "B2", "Camera B2", "SX-300", "garbled" });
}

QString TestSimulatorUpdate::writeFile(const QByteArray &content)
{
    const QString path = m_dir.filePath(QString("update%1.guf").arg(++m_files));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() ? path
                                                                                    : QString();
}

QVector<FirmwareUpdateInfoPtr> TestSimulatorUpdate::read(const QByteArray &content)
{
    return m_pool->firmwareUpdateService()->readUpdateFile(writeFile(content), QString());
}

void TestSimulatorUpdate::badUpdateFileThrows_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("fragment");

    auto update = [](const QByteArray &fields) {
        return "{\"updates\": [{" + fields + "}]}";
    };
    const QByteArray head = R"("version": "1", "models": ["M"], )";
    const QByteArray valid = head + R"("phases": [{"step": "FileUpload", "estimatedMs": 10}])";
    auto phase = [&](const QByteArray &fields) {
        return update(head + R"("phases": [{)" + fields + "}]");
    };
    QByteArray junk(4096, '\0');
    for (char &byte : junk)
        byte = char(QRandomGenerator::global()->bounded(256));
    const QByteArray oversized = update(valid) + QByteArray(16 * 1024 * 1024, ' ');

    QTest::newRow("missing") << "absent.guf" << QByteArray() << "does not exist";
    QTest::newRow("no name") << "" << QByteArray() << "no file name";
    QTest::newRow("folder") << "." << QByteArray() << "not a regular file";
    QTest::newRow("device") << "/dev/zero" << QByteArray() << "not a regular file";
    QTest::newRow("empty") << "*" << QByteArray(" \n") << "is empty";
    QTest::newRow("not json") << "*" << QByteArray("firmware 1.0") << "not valid JSON";
    QTest::newRow("deeply nested") << "*" << QByteArray(100000, '[') << "not valid JSON";
    QTest::newRow("binary junk") << "*" << junk << "not valid JSON";
    QTest::newRow("oversized") << "*" << oversized << "too large";
    QTest::newRow("array") << "*" << QByteArray("[]") << "JSON object";
    QTest::newRow("no updates") << "*" << QByteArray(R"({"updates": []})") << "\"updates\"";
    QTest::newRow("update not object") << "*" << QByteArray(R"({"updates": [7]})") << "update 1";
    QTest::newRow("no version") << "*" << update(valid.mid(15)) << "\"version\"";
    QTest::newRow("no models") << "*" << update(R"("version": "1", "models": [])") << "\"models\"";
    QTest::newRow("ids not list") << "*" << update(valid + R"(, "cameraIds": "A1")")
                                  << "\"cameraIds\"";
    QTest::newRow("no phases") << "*" << update(head.chopped(2)) << "\"phases\"";
    QTest::newRow("unknown step") << "*" << phase(R"("step": "Reboot", "estimatedMs": 1)")
                                  << "phase 1";
    QTest::newRow("step 8") << "*" << phase(R"("step": 8, "estimatedMs": 1)") << "\"step\"";
    QTest::newRow("negative time")
            << "*" << phase(R"("step": 0, "estimatedMs": -5)") << "\"estimatedMs\"";
    QTest::newRow("fractional time")
            << "*" << phase(R"("step": 0, "estimatedMs": 1.5)") << "\"estimatedMs\"";
    QTest::newRow("huge time") << "*" << phase(R"("step": 0, "estimatedMs": 1e12)")
                               << "\"estimatedMs\"";
    QTest::newRow("failure elsewhere")
            << "*" << update(valid + R"(, "failure": {"step": 6, "message": "x"})")
            << "names no phase";
    QTest::newRow("failure silent")
            << "*" << update(valid + R"(, "failure": {"step": 5})") << "\"message\"";
    QTest::newRow("second update bad")
            << "*" << QByteArray(R"({"updates": [{)" + valid + R"(}, {"version": ""}]})")
            << "update 2";
}

void TestSimulatorUpdate::badUpdateFileThrows()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    QFETCH(QString, fragment);

    if (path == "*")
        path = writeFile(content);
    else if (!path.isEmpty() && !path.startsWith('/'))
        path = m_dir.filePath(path);
    try {
        m_pool->firmwareUpdateService()->readUpdateFile(path, QString());
        QFAIL("no exception");
    } catch (const Core::Exception::BaseException &error) {
        QVERIFY2(error.getMessage().contains(fragment), qPrintable(error.getMessage()));
    }
}

void TestSimulatorUpdate::direction_data()
{
    QTest::addColumn<QString>("installed");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<EFirmwareUpdateDirection>("expected");

    QTest::newRow("newer") << "1.0.0"
                           << "2.0.0" << Plugin::Dorvix::Upgrade;
    QTest::newRow("numeric, not textual") << "1.9"
                                          << "1.10" << Plugin::Dorvix::Upgrade;
    QTest::newRow("longer is newer") << "1.2"
                                     << "1.2.1" << Plugin::Dorvix::Upgrade;
    QTest::newRow("older") << "1.10"
                           << "1.9.99" << Plugin::Dorvix::Downgrade;
    QTest::newRow("same") << "1.2.3"
                          << "1.2.3" << Plugin::Dorvix::Reinstall;
    QTest::newRow("trailing zero") << "1.2"
                                   << "1.2.0" << Plugin::Dorvix::Reinstall;
    QTest::newRow("spaces, leading zero") << " 1.02 "
                                          << "1.2" << Plugin::Dorvix::Reinstall;
    QTest::newRow("none installed") << ""
                                    << "1.0" << Plugin::Dorvix::NotDetermined;
    QTest::newRow("words") << "1.0"
                           << "latest" << Plugin::Dorvix::NotDetermined;
    QTest::newRow("suffix") << "1.0"
                            << "1.1-beta" << Plugin::Dorvix::NotDetermined;
    QTest::newRow("empty part") << "1..2"
                                << "1.2" << Plugin::Dorvix::NotDetermined;
    QTest::newRow("trailing dot") << "1.2."
                                  << "1.2" << Plugin::Dorvix::NotDetermined;
    QTest::newRow("sign") << "+1.2"
                          << "1.2" << Plugin::Dorvix::NotDetermined;
    QTest::newRow("overflow") << "99999999999.0"
                              << "1.0" << Plugin::Dorvix::NotDetermined;
}

void TestSimulatorUpdate::direction()
{
    QFETCH(QString, installed);
    QFETCH(QString, offered);
    QFETCH(EFirmwareUpdateDirection, expected);

    QCOMPARE(CSimulatedFirmwareUpdate::directionFor(installed, offered), expected);
}

void TestSimulatorUpdate::compatibility_data()
{
    QTest::addColumn<QString>("cameraId");
    QTest::addColumn<QStringList>("versions");

    QTest::newRow("model listed") << "A1" << QStringList { "2.0.0" };
    QTest::newRow("restricted to another id") << "B1" << QStringList { "3.0" };
    QTest::newRow("restricted to this id") << "B2" << QStringList { "1.5", "3.0" };
}

void TestSimulatorUpdate::compatibility()
{
    QFETCH(QString, cameraId);
    QFETCH(QStringList, versions);

    auto service = m_pool->firmwareUpdateService();
    const auto infos = read(kUpdates);
    const SimulatedCameraPtr camera = m_pool->camera(cameraId);
    // Stale output is replaced, not extended.
    QVector<FirmwareUpdateInfoPtr> compatible { infos.at(0), infos.at(0) };
    bool flag = false;
    QVERIFY(service->findCompatibleUpdates(camera, infos, compatible, flag));
    QStringList found;
    for (const auto &info : compatible)
        found << info->version();
    QCOMPARE(found, versions);
    for (const auto &info : infos)
        QCOMPARE(!service->createFirmwareUpdate(camera, info).isNull(), compatible.contains(info));
}

void TestSimulatorUpdate::unknownCamerasGetNoUpdate()
{
    auto service = m_pool->firmwareUpdateService();
    const QString path = writeFile(kUpdates);
    const auto infos = service->readUpdateFile(path, QString());
    // An update without a file name of its own is named after the update file.
    QCOMPARE(infos.at(0)->fileName(), QString("sx200.bin"));
    QCOMPARE(infos.at(1)->fileName(), QFileInfo(path).fileName());
    QVector<FirmwareUpdateInfoPtr> compatible;
    bool flag = false;
    QVERIFY(!service->findCompatibleUpdates({}, infos, compatible, flag));
    QVERIFY(!service->createFirmwareUpdate({}, infos.at(0)));
    QVERIFY(!service->createFirmwareUpdate(m_pool->camera("A1"), {}));

    // Right model, but not a camera of this pool (any more).
    auto stranger = SimulatedCameraPtr::create(CSimulatedCamera::Setup("Z", "Z", "SX-200"), "usb");
    QVERIFY(!service->createFirmwareUpdate(stranger, infos.at(0)));
    auto removed = m_pool->camera("A2");
    m_pool->removeCamera("A2");
    QVERIFY(!service->createFirmwareUpdate(removed, infos.at(0)));
}

void TestSimulatorUpdate::runReportsPhasesInOrder_data()
{
    QTest::addColumn<QByteArray>("failure");
    QTest::addColumn<QString>("prepare");
    QTest::addColumn<QStringList>("expected");

    const QStringList check = QStringList { "begin 2.0.0 800", "step 0 100 Checking" } + progress(0)
            + QStringList { "stepDone 0 100", "step 5 400" };
    const QStringList upload = check + progress(5) + QStringList { "stepDone 5 400", "step 6 300" };

    // A restarting device is silent: no progress values.
    QTest::newRow("success") << QByteArray() << QString()
                             << upload + QStringList { "stepDone 6 300", "done" };
    QTest::newRow("fails in upload")
            << QByteArray(R"(, "failure": {"step": "FileUpload", "message": "Broke"})") << QString()
            << check + progress(5, 3) + QStringList { "error Broke" };
    QTest::newRow("fails in reset")
            << QByteArray(R"(, "failure": {"step": 6, "message": "No answer"})") << QString()
            << upload + QStringList { "error No answer" };
    QTest::newRow("busy camera")
            << QByteArray() << "busy"
            << QStringList { "begin 2.0.0 800",
                             "error Camera Camera A1 is acquiring images and cannot be updated." };
    QTest::newRow("unplugged camera")
            << QByteArray() << "remove"
            << QStringList { "begin 2.0.0 800", "error Camera Camera A1 is no longer connected." };
}

void TestSimulatorUpdate::runReportsPhasesInOrder()
{
    QFETCH(QByteArray, failure);
    QFETCH(QString, prepare);
    QFETCH(QStringList, expected);

    const auto infos = read(R"({"updates": [{"version": "2.0.0", "models": ["SX-200"],
        "phases": [{"step": "CheckPreconditions", "estimatedMs": 100, "description": "Checking"},
                   {"step": "FileUpload", "estimatedMs": 400},
                   {"step": "DeviceReset", "estimatedMs": 300}])"
                            + failure + "}]}");
    const SimulatedCameraPtr camera = m_pool->camera("A1");
    auto update = m_pool->firmwareUpdateService()->createFirmwareUpdate(camera, infos.at(0));
    QVERIFY(update);
    if (prepare == "busy")
        m_pool->setCameraBusy("A1", true);
    else if (prepare == "remove")
        m_pool->removeCamera("A1");

    QCOMPARE(record(update.data()), expected);
    const QString firmware = expected.last() == "done" ? "2.0.0" : "1.0.0";
    QCOMPARE(camera->currentFirmwareVersion(), firmware);
    QCOMPARE(update->deviceFirmwareVersion(), firmware);
    QCOMPARE(update->currentFirmwareVersion(), QString("1.0.0"));
}

void TestSimulatorUpdate::secondPassIsReinstall()
{
    auto service = m_pool->firmwareUpdateService();
    const auto infos = read(kUpdates);
    auto first = service->createFirmwareUpdate(m_pool->camera("A1"), infos.at(0));
    QCOMPARE(first->direction(), Plugin::Dorvix::Upgrade);
    QCOMPARE(record(first.data()).last(), QString("done"));
    // The plan keeps its direction; a new plan sees the new firmware.
    QCOMPARE(first->direction(), Plugin::Dorvix::Upgrade);
    auto second = service->createFirmwareUpdate(m_pool->camera("A1"), infos.at(0));
    QCOMPARE(second->direction(), Plugin::Dorvix::Reinstall);
    QCOMPARE(second->currentFirmwareVersion(), QString("2.0.0"));
}

QTEST_MAIN(TestSimulatorUpdate)
#include "tst_simulator_update.moc"
