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

namespace {

const char *const kSetup = R"({"timeScale": 0.5, "transportLayers": [
  {"id": "gev", "displayName": "GigE", "cameras": [
    {"id": "G1", "displayName": "Left", "modelName": "SX-200", "firmwareVersion": "1.0",
     "secondaryName": "Line 1", "detailText": "Port 2", "busy": true},
    {"id": "G2", "modelName": "SX-200", "firmwareVersion": "1.1", "statusCode": 7}]},
  {"id": "usb", "displayName": "USB3"}
]})";

QStringList cameraIds(const CCameraPool &pool)
{
    QStringList ids;
    for (const auto &layer : pool.transportLayers()) {
        ids << layer->id() + ":";
        for (const CameraInfoPtr &camera : layer->cameras())
            ids.last() += camera->id() + " ";
    }
    return ids;
}

QStringList menuTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << (action->isSeparator() ? QString("|") : action->text());
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
    void enumerationIsAnnouncedLater();
    void busyStopAndRemove();
    void selection();
    void publishAndWithdraw();
    void menusGroupCommands();

private:
    QString writeFile(const QByteArray &content);

    QTemporaryDir m_dir;
};

QString TestSimulatorPool::writeFile(const QByteArray &content)
{
    const QString path = m_dir.filePath("setup.json");
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() ? path
                                                                                    : QString();
}

void TestSimulatorPool::loadsSetupFile()
{
    CCameraPool pool;
    pool.loadSetupFile(writeFile(kSetup));
    QCOMPARE(pool.timeScale(), 0.5);
    QCOMPARE(cameraIds(pool), (QStringList { "gev:G1 G2 ", "usb:" }));
    QCOMPARE(pool.transportLayers().at(1)->displayName(), QString("USB3"));

    const CameraInfoPtr left = pool.transportLayers().at(0)->cameras().at(0);
    QCOMPARE(QStringList({ left->displayName(), left->modelName(), left->currentFirmwareVersion(),
                           left->secondaryName(), left->detailText(), left->transportLayerId() }),
             QStringList({ "Left", "SX-200", "1.0", "Line 1", "Port 2", "gev" }));
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

    auto cameras = [](const QByteArray &entries) {
        return R"({"transportLayers": [{"id": "a", "cameras": [)" + entries + "]}]}";
    };
    QTest::newRow("no layers") << QByteArray("{}") << "\"transportLayers\"";
    QTest::newRow("layer twice") << QByteArray(R"({"transportLayers": [{"id": "a"}, {"id": "a"}]})")
                                 << "used twice";
    QTest::newRow("no model") << cameras(R"({"id": "c"})") << "\"modelName\"";
    QTest::newRow("camera twice") << cameras(
            R"({"id": "c", "modelName": "m"}, {"id": "c", "modelName": "n"})")
                                  << "used twice";
    QTest::newRow("negative status")
            << cameras(R"({"id": "c", "modelName": "m", "statusCode": -1})") << "\"statusCode\"";
    QTest::newRow("busy as text") << cameras(R"({"id": "c", "modelName": "m", "busy": "yes"})")
                                  << "\"busy\"";
    QTest::newRow("negative time scale")
            << QByteArray(R"({"timeScale": -1, "transportLayers": []})") << "\"timeScale\"";
    QTest::newRow("not json") << QByteArray("{transportLayers") << "not valid JSON";
}

void TestSimulatorPool::badSetupKeepsOldSetup()
{
    QFETCH(QByteArray, setup);
    QFETCH(QString, fragment);

    CCameraPool pool;
    pool.addTransportLayer("old", "Old");
    const SimulatedCameraPtr old = pool.addCamera("old", { "O1", "Old", "SX-100", "0.9" });
    try {
        pool.loadSetupFile(writeFile(setup));
        QFAIL("no exception");
    } catch (const Core::Exception::BaseException &error) {
        QVERIFY2(error.getMessage().contains(fragment), qPrintable(error.getMessage()));
    }
    QCOMPARE(cameraIds(pool), QStringList { "old:O1 " });
    QVERIFY(old->isPresent());
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
    pool.announceEnumerationChanged();
    QCOMPARE(changed.count(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 2, 10000);
    QCOMPARE(enumeration->transportLayers().at(0)->cameras().at(0)->id(), QString("1"));
}

void TestSimulatorPool::busyStopAndRemove()
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

    // Ids are unique; a removed camera is unplugged and no longer busy.
    QVERIFY(!pool.addCamera("usb", { "G1", "Twin", "SX-200" }));
    QVERIFY(!pool.addCamera("nowhere", { "G3", "Lost", "SX-200" }));
    QVERIFY(!pool.addTransportLayer("usb", "again"));
    pool.setCameraBusy("G1", true);
    QVERIFY(pool.removeCamera("G1"));
    QVERIFY(!pool.removeCamera("G1"));
    QCOMPARE(cameraIds(pool), (QStringList { "gev:G2 ", "usb:" }));
    QVERIFY(!status->isCameraBusy(g1));
    QVERIFY(!pool.camera("G1"));
    QVERIFY(!g1.staticCast<CSimulatedCamera>()->isPresent());
}

void TestSimulatorPool::selection()
{
    CCameraPool pool;
    pool.loadSetup(QJsonDocument::fromJson(kSetup).object());
    QSignalSpy spy(pool.selectorService().data(),
                   &Plugin::Lintrel::IDeviceSelectorService::selectionChanged);
    pool.selectCamera("G2");
    pool.selectCamera("unknown");
    QCOMPARE(spy.count(), 2);
    const auto picked = spy.at(0).at(0).value<DeviceBaseInfoPtr>();
    QCOMPARE(picked.dynamicCast<Core::DorvixComponents::ICameraInfo>(),
             CameraInfoPtr(pool.camera("G2")));
    QVERIFY(spy.at(1).at(0).value<DeviceBaseInfoPtr>().isNull());
}

void TestSimulatorPool::publishAndWithdraw()
{
    using Core::Service::findService;
    Core::Service::CServiceRegistry registry;
    QPointer<Core::Service::IServiceRegistry> pointer(&registry);
    {
        CCameraPool pool;
        pool.publish(pointer);
        pool.publish(pointer);
        QCOMPARE(registry.services().size(), 5);
        QCOMPARE(findService<Plugin::Dorvix::IDeviceFirmwareUpdateService>(pointer),
                 pool.firmwareUpdateService()
                         .staticCast<Plugin::Dorvix::IDeviceFirmwareUpdateService>());
        pool.withdraw(pointer);
        QVERIFY(registry.services().isEmpty());
        pool.publish(pointer);
    }
    // The pool withdraws its services when it goes.
    QVERIFY(registry.services().isEmpty());

    // Services that outlive their pool answer with nothing.
    QSharedPointer<CCameraEnumerationService> orphan;
    {
        CCameraPool pool;
        pool.addTransportLayer("a", "A");
        orphan = pool.enumerationService();
    }
    QVERIFY(orphan->transportLayers().isEmpty());
}

void TestSimulatorPool::menusGroupCommands()
{
    QMainWindow window;
    CMenuService menus(window.menuBar());
    QCOMPARE(window.menuBar()->actions().size(), 1);
    QCOMPARE(window.menuBar()->actions().at(0)->menu(), menus.toolsMenu());
    QCOMPARE(menus.toolsMenu()->title(), QString("Tools"));
    QVERIFY(menus.contextMenu() && menus.contextMenu() != menus.toolsMenu());
    QVERIFY(menus.actionContainer("Somewhere.Else"));

    QAction a("a"), b("b"), c("c"), d("d");
    const Core::VantorComponents::CContext context(Core::CId("Vantor.Global.Context"));
    auto *tools = menus.actionContainer(CMenuService::ToolsMenuId);
    auto *commandA = menus.registerAction(&a, "A", context);
    QCOMPARE(commandA->action(), &a);
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

    // A deleted action just disappears, also from later rebuilds.
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
