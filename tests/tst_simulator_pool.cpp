#include "simulator/CCameraEnumerationService.h"
#include "simulator/CCameraPool.h"
#include "simulator/CCameraStatusService.h"
#include "simulator/CCameraStreamControlService.h"
#include "simulator/CDeviceFirmwareUpdateService.h"
#include "simulator/CDeviceSelectorService.h"
#include "simulator/CMenuService.h"

#include "host/BaseException.h"
#include "host/CServiceRegistry.h"
#include "host/ServiceLookup.h"

#include <QMainWindow>
#include <QTemporaryDir>
#include <QtTest>

using namespace Simulator;
using Core::DorvixComponents::CameraInfoPtr;
using Core::DorvixComponents::DeviceBaseInfoPtr;
using Core::Service::findService;

namespace {

const char *const kSetup = R"({"timeScale": 0.5, "transportLayers": [
  {"id": "gev", "displayName": "GigE", "cameras": [
    {"id": "G1", "displayName": "Left", "modelName": "SX-200", "firmwareVersion": "1.0",
     "secondaryName": "Line 1", "detailText": "192.168.0.10", "statusCode": 0, "busy": true},
    {"id": "G2", "modelName": "SX-200", "firmwareVersion": "1.1", "statusCode": 7}]},
  {"id": "usb", "displayName": "USB3"}
]})";

QStringList cameraIds(const QVector<Plugin::Dorvix::TransportLayerInfoPtr> &layers)
{
    QStringList ids;
    for (const auto &layer : layers) {
        for (const CameraInfoPtr &camera : layer->cameras())
            ids << layer->id() + "/" + camera->id();
    }
    return ids;
}

QStringList menuTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return texts;
}

} // namespace

class TestSimulatorPool : public QObject
{
    Q_OBJECT

private slots:
    void loadsSetupFile();
    void badSetupKeepsOldSetup_data();
    void badSetupKeepsOldSetup();
    void addAndRemoveFromCode();
    void enumerationIsAnnouncedLater();
    void busyAndStop();
    void selection();
    void publishAndWithdraw();
    void menusGroupCommands();

private:
    QTemporaryDir m_dir;
};

void TestSimulatorPool::loadsSetupFile()
{
    const QString path = m_dir.filePath("setup.json");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(kSetup);
    file.close();

    CCameraPool pool;
    pool.loadSetupFile(path);
    QCOMPARE(pool.timeScale(), 0.5);
    const auto layers = pool.transportLayers();
    QCOMPARE(layers.size(), 2);
    QCOMPARE(layers.at(0)->displayName(), QString("GigE"));
    QCOMPARE(cameraIds(layers), (QStringList { "gev/G1", "gev/G2" }));

    const CameraInfoPtr left = layers.at(0)->cameras().at(0);
    QCOMPARE(left->displayName(), QString("Left"));
    QCOMPARE(left->modelName(), QString("SX-200"));
    QCOMPARE(left->currentFirmwareVersion(), QString("1.0"));
    QCOMPARE(left->secondaryName(), QString("Line 1"));
    QCOMPARE(left->detailText(), QString("192.168.0.10"));
    QCOMPARE(left->transportLayerId(), QString("gev"));
    QCOMPARE(left->statusCode(), 0u);
    QVERIFY(pool.camera("G1")->isBusy());
    // Unnamed cameras are shown by id.
    QCOMPARE(pool.camera("G2")->displayName(), QString("G2"));
    QCOMPARE(pool.camera("G2")->statusCode(), 7u);
    QVERIFY(!pool.camera("G2")->isBusy());
}

void TestSimulatorPool::badSetupKeepsOldSetup_data()
{
    QTest::addColumn<QByteArray>("setup");
    QTest::addColumn<QString>("fragment");

    QTest::newRow("no layers") << QByteArray("{}") << "\"transportLayers\"";
    QTest::newRow("layer without id")
            << QByteArray(R"({"transportLayers": [{"displayName": "x"}]})") << "\"id\"";
    QTest::newRow("layer twice") << QByteArray(R"({"transportLayers": [{"id": "a"}, {"id": "a"}]})")
                                 << "used twice";
    QTest::newRow("camera without model")
            << QByteArray(R"({"transportLayers": [{"id": "a", "cameras": [{"id": "c"}]}]})")
            << "\"modelName\"";
    QTest::newRow("camera twice") << QByteArray(
            R"({"transportLayers": [{"id": "a", "cameras": [)"
            R"({"id": "c", "modelName": "m"}]}, {"id": "b", "cameras": [)"
            R"({"id": "c", "modelName": "m"}]}]})")
                                  << "used twice";
    QTest::newRow("negative status")
            << QByteArray(R"({"transportLayers": [{"id": "a", "cameras": [)"
                          R"({"id": "c", "modelName": "m", "statusCode": -1}]}]})")
            << "\"statusCode\"";
    QTest::newRow("busy as text") << QByteArray(
            R"({"transportLayers": [{"id": "a", "cameras": [)"
            R"({"id": "c", "modelName": "m", "busy": "yes"}]}]})")
                                  << "\"busy\"";
    QTest::newRow("negative time scale")
            << QByteArray(R"({"timeScale": -1, "transportLayers": []})") << "\"timeScale\"";
    QTest::newRow("not json") << QByteArray("{transportLayers") << "not valid JSON";
}

void TestSimulatorPool::badSetupKeepsOldSetup()
{
    QFETCH(QByteArray, setup);
    QFETCH(QString, fragment);

    const QString path = m_dir.filePath("bad.json");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(setup);
    file.close();

    CCameraPool pool;
    pool.addTransportLayer("old", "Old");
    const SimulatedCameraPtr old = pool.addCamera("old", { "O1", "Old", "SX-100", "0.9" });
    try {
        pool.loadSetupFile(path);
        QFAIL("no exception");
    } catch (const Core::Exception::BaseException &error) {
        QVERIFY2(error.getMessage().contains(fragment), qPrintable(error.getMessage()));
    }
    QCOMPARE(cameraIds(pool.transportLayers()), QStringList { "old/O1" });
    QVERIFY(old->isPresent());
    QCOMPARE(pool.timeScale(), 0.0);
}

void TestSimulatorPool::addAndRemoveFromCode()
{
    CCameraPool pool;
    QVERIFY(pool.addTransportLayer("a", "A"));
    QVERIFY(!pool.addTransportLayer("a", "again"));
    QVERIFY(!pool.addTransportLayer("", "nameless"));
    QVERIFY(pool.addCamera("a", { "1", "One", "M" }));
    QVERIFY(!pool.addCamera("a", { "1", "Twin", "M" }));
    QVERIFY(!pool.addCamera("nowhere", { "2", "Two", "M" }));
    QVERIFY(!pool.addCamera("a", { "", "Nameless", "M" }));
    QVERIFY(pool.addCamera("a", { "2", "Two", "M" }));
    QCOMPARE(cameraIds(pool.transportLayers()), (QStringList { "a/1", "a/2" }));

    const SimulatedCameraPtr one = pool.camera("1");
    QVERIFY(pool.removeCamera("1"));
    QVERIFY(!pool.removeCamera("1"));
    QCOMPARE(cameraIds(pool.transportLayers()), QStringList { "a/2" });
    QVERIFY(!one->isPresent());
    QVERIFY(!pool.camera("1"));

    pool.setTimeScale(-2.0);
    QCOMPARE(pool.timeScale(), 0.0);
    pool.setTimeScale(qQNaN());
    QCOMPARE(pool.timeScale(), 0.0);
}

void TestSimulatorPool::enumerationIsAnnouncedLater()
{
    CCameraPool pool;
    auto enumeration = pool.enumerationService();
    QSignalSpy changed(enumeration.data(),
                       &Plugin::Dorvix::ICameraEnumerationService::enumerationChanged);

    enumeration->refreshEnumeration();
    QCOMPARE(changed.count(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 10000);

    pool.addTransportLayer("a", "A");
    pool.addCamera("a", { "1", "One", "M" });
    QStringList seen;
    connect(enumeration.data(), &Plugin::Dorvix::ICameraEnumerationService::enumerationChanged,
            this, [&]() { seen = cameraIds(enumeration->transportLayers()); });
    pool.announceEnumerationChanged();
    QCOMPARE(changed.count(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 2, 10000);
    QCOMPARE(seen, QStringList { "a/1" });
}

void TestSimulatorPool::busyAndStop()
{
    CCameraPool pool;
    pool.loadSetup(QJsonDocument::fromJson(kSetup).object());
    auto status = pool.statusService();
    const CameraInfoPtr g1 = pool.camera("G1");
    const CameraInfoPtr g2 = pool.camera("G2");
    QVERIFY(status->isCameraBusy(g1));
    QVERIFY(!status->isCameraBusy(g2));
    QVERIFY(!status->isCameraBusy({}));

    QVERIFY(pool.setCameraBusy("G2", true));
    QVERIFY(!pool.setCameraBusy("nobody", true));
    QVERIFY(status->isCameraBusy(g2));

    pool.streamControlService()->stopAllCameras();
    QVERIFY(!status->isCameraBusy(g1));
    QVERIFY(!status->isCameraBusy(g2));

    // A camera that is gone from the pool is not busy any more.
    pool.setCameraBusy("G1", true);
    pool.removeCamera("G1");
    QVERIFY(!status->isCameraBusy(g1));
}

void TestSimulatorPool::selection()
{
    CCameraPool pool;
    pool.loadSetup(QJsonDocument::fromJson(kSetup).object());
    auto selector = pool.selectorService();
    QSignalSpy spy(selector.data(), &Plugin::Lintrel::IDeviceSelectorService::selectionChanged);

    pool.selectCamera("G2");
    pool.selectCamera("unknown");
    pool.selectCamera(QString());
    QCOMPARE(spy.count(), 3);
    const auto picked = spy.at(0).at(0).value<DeviceBaseInfoPtr>();
    QCOMPARE(picked.dynamicCast<Core::DorvixComponents::ICameraInfo>()->modelName(),
             QString("SX-200"));
    QVERIFY(spy.at(1).at(0).value<DeviceBaseInfoPtr>().isNull());
    QVERIFY(spy.at(2).at(0).value<DeviceBaseInfoPtr>().isNull());
}

void TestSimulatorPool::publishAndWithdraw()
{
    Core::Service::CServiceRegistry registry;
    QPointer<Core::Service::IServiceRegistry> pointer(&registry);
    {
        CCameraPool pool;
        pool.publish(pointer);
        QCOMPARE(findService<Plugin::Dorvix::ICameraEnumerationService>(pointer),
                 pool.enumerationService().staticCast<Plugin::Dorvix::ICameraEnumerationService>());
        QVERIFY(findService<Plugin::Dorvix::ICameraStatusService>(pointer));
        QVERIFY(findService<Plugin::Dorvix::ICameraStreamControlService>(pointer));
        QVERIFY(findService<Plugin::Dorvix::IDeviceFirmwareUpdateService>(pointer));
        QVERIFY(findService<Plugin::Lintrel::IDeviceSelectorService>(pointer));
        QCOMPARE(registry.services().size(), 5);

        pool.withdraw(pointer);
        QVERIFY(registry.services().isEmpty());
        pool.publish(pointer);
        pool.publish(pointer);
        QCOMPARE(registry.services().size(), 5);
    }
    // The pool withdraws its services when it goes.
    QVERIFY(registry.services().isEmpty());

    // Services that outlive their pool answer with nothing.
    QSharedPointer<CDeviceFirmwareUpdateService> orphan;
    {
        CCameraPool pool;
        pool.addTransportLayer("a", "A");
        orphan = pool.firmwareUpdateService();
    }
    QVERIFY(!orphan->createFirmwareUpdate({}, {}));
}

void TestSimulatorPool::menusGroupCommands()
{
    QMainWindow window;
    CMenuService menus(window.menuBar());
    QCOMPARE(window.menuBar()->actions().size(), 1);
    QCOMPARE(window.menuBar()->actions().at(0)->menu(), menus.toolsMenu());
    QCOMPARE(menus.toolsMenu()->title(), QString("Tools"));
    QVERIFY(menus.contextMenu());
    QVERIFY(menus.contextMenu() != menus.toolsMenu());

    QAction a("a"), b("b"), c("c"), d("d");
    const Core::VantorComponents::CContext context(Core::CId("Vantor.Global.Context"));
    auto *tools = menus.actionContainer(CMenuService::ToolsMenuId);
    QCOMPARE(tools, menus.actionContainer(CMenuService::ToolsMenuId));
    auto *commandA = menus.registerAction(&a, "A", context);
    QCOMPARE(commandA->action(), &a);
    QCOMPARE(commandA->id(), Core::CId("A"));
    tools->addAction(commandA, "first");
    tools->addAction(menus.registerAction(&b, "B", context), "second");
    tools->addAction(menus.registerAction(&c, "C", context), "first");
    tools->addAction(commandA, "second");
    tools->addAction(nullptr, "first");
    QCOMPARE(menuTexts(menus.toolsMenu()), (QStringList { "a", "c", "|", "b" }));

    menus.actionContainer(CMenuService::ContextMenuId)
            ->addAction(menus.registerAction(&d, "D", context), "misc");
    QCOMPARE(menuTexts(menus.contextMenu()), QStringList { "d" });
    QCOMPARE(menus.command("D")->action(), &d);
    QVERIFY(!menus.command("E"));

    // Unknown containers exist too; a deleted action just disappears.
    QVERIFY(menus.actionContainer("Somewhere.Else"));
    {
        QAction e("e");
        tools->addAction(menus.registerAction(&e, "E", context), "third");
        QCOMPARE(menuTexts(menus.toolsMenu()), (QStringList { "a", "c", "|", "b", "|", "e" }));
    }
    tools->addAction(menus.registerAction(&d, "D2", context), "second");
    QCOMPARE(menuTexts(menus.toolsMenu()), (QStringList { "a", "c", "|", "b", "d" }));
}

QTEST_MAIN(TestSimulatorPool)
#include "tst_simulator_pool.moc"
