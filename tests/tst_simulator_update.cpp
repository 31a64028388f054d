#include "simulator/CCameraPool.h"
#include "simulator/CDeviceFirmwareUpdateService.h"
#include "simulator/CSimulatedFirmwareUpdate.h"
#include "simulator/CUpdateFileParser.h"

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

const char *const kTwoUpdates = R"({"updates": [
  {"fileName": "sx200.bin", "version": "2.0.0", "description": "Faster", "releaseNotes": "Notes",
   "models": ["SX-200"],
   "phases": [{"step": "CheckPreconditions", "estimatedMs": 100, "description": "Checking"},
              {"step": 5, "estimatedMs": 400},
              {"step": "DeviceReset", "estimatedMs": 300}]},
  {"version": "1.5", "models": ["SX-200", "SX-300"], "cameraIds": ["B2"],
   "phases": [{"step": "FileUpload", "estimatedMs": 0}]},
  {"version": "3.0", "models": ["SX-300"],
   "phases": [{"step": "FileUpload", "estimatedMs": 10}]}
]})";

// Every signal of an update as one token, in the order it arrived.
QStringList record(IDeviceFirmwareUpdate *update, QObject *context)
{
    auto log = QSharedPointer<QStringList>::create();
    QObject::connect(update, &IDeviceFirmwareUpdate::firmwareUpdateBegin, context,
                     [log](FirmwareUpdateInfoPtr info, unsigned int total) {
                         *log << QStringLiteral("begin %1 %2").arg(info->version()).arg(total);
                     });
    QObject::connect(
            update, &IDeviceFirmwareUpdate::firmwareUpdateProgressStepBegin, context,
            [log](EFirmwareUpdateStep step, unsigned int ms, const QString &text) {
                *log << QStringLiteral("step %1 %2 %3").arg(step).arg(ms).arg(text).trimmed();
            });
    QObject::connect(update, &IDeviceFirmwareUpdate::firmwareUpdateProgressStepProgressChanged,
                     context, [log](EFirmwareUpdateStep step, double percent) {
                         *log << QStringLiteral("progress %1 %2").arg(step).arg(percent);
                     });
    QObject::connect(update, &IDeviceFirmwareUpdate::firmwareUpdateProgressStepDone, context,
                     [log](EFirmwareUpdateStep step, unsigned int ms) {
                         *log << QStringLiteral("stepDone %1 %2").arg(step).arg(ms);
                     });
    QObject::connect(update, &IDeviceFirmwareUpdate::firmwareUpdateDone, context,
                     [log]() { *log << QStringLiteral("done"); });
    QObject::connect(update, &IDeviceFirmwareUpdate::firmwareUpdateError, context,
                     [log](const QString &message) { *log << QStringLiteral("error ") + message; });
    update->runUpdate();
    return *log;
}

QStringList fullProgress(int step)
{
    QStringList values;
    for (int percent : { 0, 25, 50, 75, 100 })
        values << QStringLiteral("progress %1 %2").arg(step).arg(percent);
    return values;
}

} // namespace

class TestSimulatorUpdate : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void badUpdateFileThrows_data();
    void badUpdateFileThrows();
    void readsUpdatesInFileOrder();
    void direction_data();
    void direction();
    void compatibility_data();
    void compatibility();
    void createOnlyForFittingCameras();
    void runReportsPhasesInOrder_data();
    void runReportsPhasesInOrder();
    void secondPassIsReinstall();

private:
    QString writeFile(const QByteArray &content);

    QTemporaryDir m_dir;
    QScopedPointer<CCameraPool> m_pool;
    int m_files = 0;
};

void TestSimulatorUpdate::init()
{
    QVERIFY(m_dir.isValid());
    m_pool.reset(new CCameraPool);
    QVERIFY(m_pool->addTransportLayer("usb", "USB"));
    QVERIFY(m_pool->addCamera("usb", { "A1", "Camera A1", "SX-200", "1.0.0" }));
    QVERIFY(m_pool->addCamera("usb", { "A2", "Camera A2", "SX-200", "2.0" }));
    QVERIFY(m_pool->addCamera("usb", { "B1", "Camera B1", "SX-300", "3.0.1" }));
    QVERIFY(m_pool->addCamera("usb", { "B2", "Camera B2", "SX-300", "garbled" }));
}

void TestSimulatorUpdate::cleanup()
{
    m_pool.reset();
}

QString TestSimulatorUpdate::writeFile(const QByteArray &content)
{
    const QString path = m_dir.filePath(QStringLiteral("update%1.guf").arg(++m_files));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return path;
}

void TestSimulatorUpdate::badUpdateFileThrows_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("fragment");

    const QByteArray phase = R"([{"step": "FileUpload", "estimatedMs": 10}])";
    auto update = [&phase](const QByteArray &fields) {
        return QByteArray(R"({"updates": [{)") + fields + "}]}";
    };
    const QByteArray valid = R"("version": "1.0", "models": ["SX-200"], "phases": )" + phase;

    QTest::newRow("missing") << "missing" << QByteArray() << "does not exist";
    QTest::newRow("no name") << "no name" << QByteArray() << "no file name";
    QTest::newRow("folder") << "folder" << QByteArray() << "not a regular file";
    QTest::newRow("device") << "device" << QByteArray() << "not a regular file";
    QTest::newRow("empty") << "file" << QByteArray() << "is empty";
    QTest::newRow("blank") << "file" << QByteArray(" \n\t ") << "is empty";
    QTest::newRow("not json") << "file" << QByteArray("firmware 1.0") << "not valid JSON";
    QTest::newRow("truncated") << "file" << update(valid).left(30) << "not valid JSON";
    QTest::newRow("deeply nested") << "file" << QByteArray(100000, '[') << "not valid JSON";
    QTest::newRow("array") << "file" << QByteArray("[]") << "JSON object";
    QTest::newRow("no updates") << "file" << QByteArray("{}") << "\"updates\"";
    QTest::newRow("no update listed")
            << "file" << QByteArray(R"({"updates": []})") << "\"updates\"";
    QTest::newRow("update not object") << "file" << QByteArray(R"({"updates": [7]})") << "update 1";
    QTest::newRow("no version") << "file" << update(R"("models": ["SX-200"], "phases": )" + phase)
                                << "\"version\"";
    QTest::newRow("version number")
            << "file" << update(R"("version": 1, "models": ["SX-200"], "phases": )" + phase)
            << "\"version\"";
    QTest::newRow("no models") << "file"
                               << update(R"("version": "1.0", "models": [], "phases": )" + phase)
                               << "\"models\"";
    QTest::newRow("model not text")
            << "file" << update(R"("version": "1.0", "models": [3], "phases": )" + phase)
            << "\"models\"";
    QTest::newRow("ids not list") << "file" << update(valid + R"(, "cameraIds": "A1")")
                                  << "\"cameraIds\"";
    QTest::newRow("no phases") << "file" << update(R"("version": "1.0", "models": ["SX-200"])")
                               << "\"phases\"";
    QTest::newRow("unknown step") << "file"
                                  << update(R"("version": "1.0", "models": ["X"], "phases": [)"
                                            R"({"step": "Reboot", "estimatedMs": 1}])")
                                  << "phase 1";
    QTest::newRow("step 8") << "file"
                            << update(R"("version": "1.0", "models": ["X"], "phases": [)"
                                      R"({"step": 8, "estimatedMs": 1}])")
                            << "\"step\"";
    QTest::newRow("negative time") << "file"
                                   << update(R"("version": "1.0", "models": ["X"], "phases": [)"
                                             R"({"step": 0, "estimatedMs": -5}])")
                                   << "\"estimatedMs\"";
    QTest::newRow("fractional time") << "file"
                                     << update(R"("version": "1.0", "models": ["X"], "phases": [)"
                                               R"({"step": 0, "estimatedMs": 1.5}])")
                                     << "\"estimatedMs\"";
    QTest::newRow("huge time") << "file"
                               << update(R"("version": "1.0", "models": ["X"], "phases": [)"
                                         R"({"step": 0, "estimatedMs": 1e12}])")
                               << "\"estimatedMs\"";
    QTest::newRow("failure elsewhere")
            << "file" << update(valid + R"(, "failure": {"step": "DeviceReset", "message": "x"})")
            << "names no phase";
    QTest::newRow("failure silent")
            << "file" << update(valid + R"(, "failure": {"step": "FileUpload"})") << "\"message\"";
    QTest::newRow("second update bad")
            << "file" << QByteArray(R"({"updates": [{)") + valid + R"(}, {"version": ""}]})"
            << "update 2";

    QByteArray junk(4096, '\0');
    QRandomGenerator random(42);
    for (char &byte : junk)
        byte = char(random.bounded(256));
    QTest::newRow("binary junk") << "file" << junk << "not valid JSON";

    QByteArray oversized = update(valid);
    oversized.append(QByteArray(16 * 1024 * 1024, ' '));
    QTest::newRow("oversized") << "file" << oversized << "too large";
}

void TestSimulatorUpdate::badUpdateFileThrows()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(QString, fragment);

    QString path;
    if (kind == "missing")
        path = m_dir.filePath("absent.guf");
    else if (kind == "folder")
        path = m_dir.path();
    else if (kind == "device")
        path = "/dev/zero";
    else if (kind == "file")
        path = writeFile(content);
    QVERIFY(kind == "no name" || !path.isEmpty());

    try {
        m_pool->firmwareUpdateService()->readUpdateFile(path, QString());
        QFAIL("no exception");
    } catch (const Core::Exception::BaseException &error) {
        QVERIFY2(error.getMessage().contains(fragment), qPrintable(error.getMessage()));
    }
}

void TestSimulatorUpdate::readsUpdatesInFileOrder()
{
    const QString path = writeFile(kTwoUpdates);
    const auto infos = CUpdateFileParser::readFile(path);
    QCOMPARE(infos.size(), 3);

    const auto &first = infos.at(0)->details();
    QCOMPARE(first.fileName, QString("sx200.bin"));
    QCOMPARE(first.version, QString("2.0.0"));
    QCOMPARE(first.description, QString("Faster"));
    QCOMPARE(first.releaseNotes, QString("Notes"));
    QCOMPARE(first.phases.size(), 3);
    QCOMPARE(first.phases.at(1).step, Plugin::Dorvix::FileUpload);
    QCOMPARE(first.phases.at(2).step, Plugin::Dorvix::DeviceReset);
    QCOMPARE(first.phases.at(0).description, QString("Checking"));
    QCOMPARE(infos.at(0)->totalEstimatedMs(), 800u);
    QVERIFY(!first.failureInjected);

    // An update without a file name of its own is named after the update file.
    QCOMPARE(infos.at(1)->fileName(), QFileInfo(path).fileName());
    QCOMPARE(infos.at(1)->details().cameraIds, QStringList { "B2" });
}

void TestSimulatorUpdate::direction_data()
{
    QTest::addColumn<QString>("installed");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<EFirmwareUpdateDirection>("expected");

    QTest::newRow("newer major") << "1.0.0"
                                 << "2.0.0" << Plugin::Dorvix::Upgrade;
    QTest::newRow("numeric not textual") << "1.9"
                                         << "1.10" << Plugin::Dorvix::Upgrade;
    QTest::newRow("longer is newer") << "1.2"
                                     << "1.2.1" << Plugin::Dorvix::Upgrade;
    QTest::newRow("older") << "2.0"
                           << "1.99.99" << Plugin::Dorvix::Downgrade;
    QTest::newRow("older minor") << "1.10"
                                 << "1.9" << Plugin::Dorvix::Downgrade;
    QTest::newRow("same") << "1.2.3"
                          << "1.2.3" << Plugin::Dorvix::Reinstall;
    QTest::newRow("trailing zero") << "1.2"
                                   << "1.2.0" << Plugin::Dorvix::Reinstall;
    QTest::newRow("leading zero") << "1.02"
                                  << "1.2" << Plugin::Dorvix::Reinstall;
    QTest::newRow("spaces") << " 1.2 "
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

    // The update object plans against the camera's firmware at creation.
    CSimulatedFirmwareUpdateInfo::Description description;
    description.version = offered;
    description.modelNames = QStringList { "SX-200" };
    auto camera = SimulatedCameraPtr::create(
            CSimulatedCamera::Setup { "X", "X", "SX-200", installed }, "usb");
    CSimulatedFirmwareUpdate update(camera, SimulatedFirmwareUpdateInfoPtr::create(description), 0);
    QCOMPARE(update.direction(), expected);
    QCOMPARE(update.currentFirmwareVersion(), installed);
}

void TestSimulatorUpdate::compatibility_data()
{
    QTest::addColumn<QString>("cameraId");
    QTest::addColumn<QStringList>("versions");

    QTest::newRow("model listed") << "A1" << QStringList { "2.0.0" };
    QTest::newRow("restricted to another id") << "B1" << QStringList { "3.0" };
    QTest::newRow("restricted to this id, in file order") << "B2" << QStringList { "1.5", "3.0" };
}

void TestSimulatorUpdate::compatibility()
{
    QFETCH(QString, cameraId);
    QFETCH(QStringList, versions);

    auto service = m_pool->firmwareUpdateService();
    const auto infos = service->readUpdateFile(writeFile(kTwoUpdates), QString());
    // Stale output is replaced, not extended.
    QVector<FirmwareUpdateInfoPtr> compatible { infos.at(0), infos.at(0) };
    bool flag = false;
    QVERIFY(service->findCompatibleUpdates(m_pool->camera(cameraId), infos, compatible, flag));
    QStringList found;
    for (const auto &info : compatible)
        found << info->version();
    QCOMPARE(found, versions);
}

void TestSimulatorUpdate::createOnlyForFittingCameras()
{
    auto service = m_pool->firmwareUpdateService();
    const auto infos = service->readUpdateFile(writeFile(kTwoUpdates), QString());
    QVector<FirmwareUpdateInfoPtr> compatible;
    bool flag = false;
    QVERIFY(!service->findCompatibleUpdates({}, infos, compatible, flag));
    QVERIFY(compatible.isEmpty());

    QVERIFY(service->createFirmwareUpdate(m_pool->camera("A1"), infos.at(0)));
    QVERIFY(!service->createFirmwareUpdate(m_pool->camera("A1"), infos.at(2)));
    QVERIFY(!service->createFirmwareUpdate(m_pool->camera("A2"), infos.at(1)));
    QVERIFY(!service->createFirmwareUpdate({}, infos.at(0)));
    QVERIFY(!service->createFirmwareUpdate(m_pool->camera("A1"), {}));

    // A camera of the right model that the pool does not know cannot be reached.
    auto stranger = SimulatedCameraPtr::create(
            CSimulatedCamera::Setup { "Z9", "Z9", "SX-200", "1.0" }, "usb");
    QVERIFY(service->findCompatibleUpdates(stranger, infos, compatible, flag));
    QCOMPARE(compatible.size(), 1);
    QVERIFY(!service->createFirmwareUpdate(stranger, infos.at(0)));
    auto removed = m_pool->camera("A2");
    QVERIFY(m_pool->removeCamera("A2"));
    QVERIFY(!service->createFirmwareUpdate(removed, infos.at(0)));
}

void TestSimulatorUpdate::runReportsPhasesInOrder_data()
{
    QTest::addColumn<QByteArray>("extra");
    QTest::addColumn<QString>("prepare");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("firmwareAfter");

    const QStringList start { "begin 2.0.0 800", "step 0 100 Checking" };
    const QStringList check = start + fullProgress(0) + QStringList { "stepDone 0 100" };
    const QStringList upload = QStringList { "step 5 400" } + fullProgress(5);

    // A restarting device is silent: no progress values.
    QTest::newRow("success") << QByteArray() << QString()
                             << check + upload
                    + QStringList { "stepDone 5 400", "step 6 300", "stepDone 6 300", "done" }
                             << "2.0.0";
    QTest::newRow("fails in upload")
            << QByteArray(R"(, "failure": {"step": "FileUpload", "message": "Upload broke"})")
            << QString() << check + upload.mid(0, 4) + QStringList { "error Upload broke" }
            << "1.0.0";
    QTest::newRow("fails in reset")
            << QByteArray(R"(, "failure": {"step": 6, "message": "No answer"})") << QString()
            << check + upload + QStringList { "stepDone 5 400", "step 6 300", "error No answer" }
            << "1.0.0";
    QTest::newRow("busy camera") << QByteArray() << "busy"
                                 << QStringList { "begin 2.0.0 800",
                                                  "error Camera Camera A1 is acquiring images and "
                                                  "cannot be updated." }
                                 << "1.0.0";
    QTest::newRow("unplugged camera") << QByteArray() << "remove"
                                      << QStringList { "begin 2.0.0 800",
                                                       "error Camera Camera A1 is no longer "
                                                       "connected." }
                                      << "1.0.0";
}

void TestSimulatorUpdate::runReportsPhasesInOrder()
{
    QFETCH(QByteArray, extra);
    QFETCH(QString, prepare);
    QFETCH(QStringList, expected);
    QFETCH(QString, firmwareAfter);

    const QByteArray file = R"({"updates": [{"version": "2.0.0", "models": ["SX-200"],
        "phases": [{"step": "CheckPreconditions", "estimatedMs": 100, "description": "Checking"},
                   {"step": "FileUpload", "estimatedMs": 400},
                   {"step": "DeviceReset", "estimatedMs": 300}])"
            + extra + "}]}";
    auto service = m_pool->firmwareUpdateService();
    const auto infos = service->readUpdateFile(writeFile(file), QString());
    const SimulatedCameraPtr camera = m_pool->camera("A1");
    auto update = service->createFirmwareUpdate(camera, infos.at(0));
    QVERIFY(update);
    if (prepare == "busy")
        m_pool->setCameraBusy("A1", true);
    else if (prepare == "remove")
        m_pool->removeCamera("A1");

    QCOMPARE(record(update.data(), this), expected);
    QCOMPARE(camera->currentFirmwareVersion(), firmwareAfter);
    QCOMPARE(update->deviceFirmwareVersion(), firmwareAfter);
    QCOMPARE(update->currentFirmwareVersion(), QString("1.0.0"));
}

void TestSimulatorUpdate::secondPassIsReinstall()
{
    auto service = m_pool->firmwareUpdateService();
    const auto infos = service->readUpdateFile(writeFile(kTwoUpdates), QString());
    auto first = service->createFirmwareUpdate(m_pool->camera("A1"), infos.at(0));
    QCOMPARE(first->direction(), Plugin::Dorvix::Upgrade);

    // Run on a worker thread while this thread reads the camera, as the
    // wizard does.
    QThread worker;
    first->moveToThread(&worker);
    connect(&worker, &QThread::started, first.data(), [&first]() {
        first->runUpdate();
        first->moveToThread(qApp->thread());
        QThread::currentThread()->quit();
    });
    QSignalSpy done(first.data(), &IDeviceFirmwareUpdate::firmwareUpdateDone);
    worker.start();
    while (!worker.wait(1))
        QVERIFY(!m_pool->camera("A1")->currentFirmwareVersion().isEmpty());
    QCOMPARE(done.count(), 1);
    QCOMPARE(first->thread(), qApp->thread());

    QCOMPARE(m_pool->camera("A1")->currentFirmwareVersion(), QString("2.0.0"));
    QCOMPARE(first->direction(), Plugin::Dorvix::Upgrade);
    auto second = service->createFirmwareUpdate(m_pool->camera("A1"), infos.at(0));
    QCOMPARE(second->direction(), Plugin::Dorvix::Reinstall);
    QCOMPARE(second->currentFirmwareVersion(), QString("2.0.0"));
}

QTEST_MAIN(TestSimulatorUpdate)
#include "tst_simulator_update.moc"
