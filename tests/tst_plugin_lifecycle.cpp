#include "host/ServiceLookup.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "plugin/CFirmwareUpdaterPlugin.h"
#include "plugin/IFirmwareUpdaterService.h"
#include "simulator/CDeviceSelectorService.h"
#include "support/SimulatedHost.h"
#include "view/CCameraSelectionDialog.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

#include <memory>

using Core::Service::findService;
using Core::Service::findServices;
using Plugin::FirmwareUpdater::CFirmwareUpdaterPlugin;
using Plugin::FirmwareUpdater::IFirmwareUpdaterService;

namespace {

// Lets queued work (the state machine's start and transitions) run.
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// A device the selector can report that is not a camera.
class OtherDevice : public Core::DorvixComponents::IDeviceBaseInfo
{
public:
    QString displayName() const override { return QStringLiteral("Light"); }
    QString id() const override { return QStringLiteral("L1"); }
};

// The host's start-up with the plug-in; the plug-in goes before the host.
struct Started
{
    explicit Started(bool withMenus = true, bool initialize = true)
    {
        host.addCamera("GigE", "A1", "Model A");
        host.addCamera("GigE", "X1", "Model X", 5);
        if (!withMenus)
            host.withdraw(host.menuService);
        if (initialize)
            plugin->initialize(host.registry);
        plugin->extensionsInitialized();
    }
    ~Started()
    {
        plugin->uninitialize(host.registry);
        plugin.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QAction *action(const char *id) const
    {
        Plugin::Vantor::ICommand *command = host.menuService->command(Core::CId(id));
        return command ? command->action() : nullptr;
    }
    QAction *menuAction() const { return action("FirmwareUpdater.Menu.Start"); }
    QAction *contextAction() const { return action("FirmwareUpdater.Context.Start"); }
    QSharedPointer<IFirmwareUpdaterService> service() const
    {
        return findService<IFirmwareUpdaterService>(host.registry);
    }
    void reportEnumeration() { emit host.pool.enumerationService()->enumerationChanged(); }

    SimulatedHost host;
    std::unique_ptr<CFirmwareUpdaterPlugin> plugin { new CFirmwareUpdaterPlugin };
};

} // namespace

class tst_PluginLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void initializePublishesOneService()
    {
        SimulatedHost host;
        CFirmwareUpdaterPlugin plugin;
        QVERIFY(plugin.initialize(host.registry));
        const auto first = findService<IFirmwareUpdaterService>(host.registry);
        QVERIFY(first);
        QCOMPARE(first->parent(), &plugin);
        QVERIFY(QMetaType::type("Plugin::Dorvix::EFirmwareUpdateStep") != QMetaType::UnknownType);

        QVERIFY(plugin.initialize(host.registry));
        const auto services = findServices<IFirmwareUpdaterService>(host.registry);
        QCOMPARE(services.size(), 1);
        QCOMPARE(services.first(), first);

        QPointer<IFirmwareUpdaterService> guard(first.data());
        QVERIFY(plugin.uninitialize(host.registry));
        QVERIFY(!findService<IFirmwareUpdaterService>(host.registry));
        QVERIFY(guard); // the wizard was never built: the last reference was ours
    }

    void startActionsAfterStartUp()
    {
        Started started;
        QAction *menuAction = started.menuAction();
        QAction *contextAction = started.contextAction();
        QVERIFY(menuAction && contextAction);
        QVERIFY(menuAction != contextAction);
        for (QAction *action : { menuAction, contextAction }) {
            QCOMPARE(action->text(), QStringLiteral("Firmware Updater"));
            QCOMPARE(action->parent(), started.plugin.get());
            QVERIFY(!action->icon().isNull());
        }
        QVERIFY(menuAction->isVisible());
        QVERIFY(!menuAction->isEnabled());
        QVERIFY(!contextAction->isVisible());
        started.host.pool.selectCamera("A1");
        QVERIFY(contextAction->isVisible());
        QVERIFY(contextAction->isEnabled());
        QVERIFY(started.host.menuService->toolsMenu()->actions().contains(menuAction));
        QVERIFY(started.host.menuService->contextMenu()->actions().contains(contextAction));
    }

    void menuActionFollowsEnumeration_data()
    {
        QTest::addColumn<QList<int>>("camerasPerLayer");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("no transport layer") << QList<int> {} << false;
        QTest::newRow("empty layer") << QList<int> { 0 } << false;
        QTest::newRow("empty layers") << QList<int> { 0, 0 } << false;
        QTest::newRow("camera on the second layer") << QList<int> { 0, 1 } << true;
        QTest::newRow("cameras on one layer") << QList<int> { 3 } << true;
    }
    void menuActionFollowsEnumeration()
    {
        QFETCH(QList<int>, camerasPerLayer);
        QFETCH(bool, enabled);
        Started started;
        started.reportEnumeration();
        QVERIFY(started.menuAction()->isEnabled());
        started.host.pool.selectCamera("A1");
        QVERIFY(started.contextAction()->isVisible());

        started.host.pool.clear();
        for (int layer = 0; layer < camerasPerLayer.size(); ++layer) {
            const QString layerId = QStringLiteral("TL%1").arg(layer);
            started.host.pool.addTransportLayer(layerId, layerId);
            for (int camera = 0; camera < camerasPerLayer.at(layer); ++camera) {
                Simulator::CSimulatedCamera::Setup setup;
                setup.id = QStringLiteral("%1-C%2").arg(layerId).arg(camera);
                setup.modelName = QStringLiteral("Model A");
                started.host.pool.addCamera(layerId, setup);
            }
        }
        started.reportEnumeration();
        QCOMPARE(started.menuAction()->isEnabled(), enabled);
        // No camera at all also takes the context action away.
        QCOMPARE(started.contextAction()->isVisible(), enabled);
    }

    void contextActionFollowsSelection_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("then");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("preselected");
        QTest::newRow("supported camera") << ""
                                          << "A1" << true << "A1";
        QTest::newRow("unsupported camera") << "A1"
                                            << "X1" << false << "X1";
        QTest::newRow("nothing selected") << "A1"
                                          << "none" << false << "A1";
        QTest::newRow("no camera") << "A1"
                                   << "device" << false << "A1";
    }
    void contextActionFollowsSelection()
    {
        QFETCH(QString, first);
        QFETCH(QString, then);
        QFETCH(bool, visible);
        QFETCH(QString, preselected);
        Started started;
        if (!first.isEmpty())
            started.host.pool.selectCamera(first);
        if (then == QLatin1String("none"))
            started.host.pool.selectorService()->select(nullptr);
        else if (then == QLatin1String("device"))
            started.host.pool.selectorService()->select(
                    Core::DorvixComponents::DeviceBaseInfoPtr(new OtherDevice));
        else
            started.host.pool.selectCamera(then);

        QCOMPARE(started.contextAction()->isVisible(), visible);
        QCOMPARE(started.service()->preselectedCamera()->id(), preselected);
    }

    void withoutMenuServiceThereAreNoActions()
    {
        Started started(false);
        QVERIFY(started.plugin->findChildren<QAction *>().isEmpty());
        started.reportEnumeration();
        started.host.pool.selectCamera("A1");
        started.host.pool.selectorService()->select(nullptr);
        QCOMPARE(started.service()->preselectedCamera()->id(), QStringLiteral("A1"));
    }

    void withoutHostServicesNothingIsConnected()
    {
        SimulatedHost host;
        host.pool.withdraw(host.registry);
        CFirmwareUpdaterPlugin plugin;
        plugin.initialize(host.registry);
        QVERIFY(plugin.extensionsInitialized());
        QAction *menuAction = host.menuService->command("FirmwareUpdater.Menu.Start")->action();
        emit host.pool.enumerationService()->enumerationChanged();
        host.pool.selectCamera("A1");
        QVERIFY(!menuAction->isEnabled());
        plugin.uninitialize(host.registry);
    }

    void withoutInitializeThereIsNothingToReach()
    {
        // The registry arrives with initialize; without it no host service is found.
        Started started(true, false);
        QVERIFY(!started.service());
        QVERIFY(!started.menuAction());
        QVERIFY(started.plugin->findChildren<QAction *>().isEmpty());
        QVERIFY(started.host.mainWindow->findChildren<QDialog *>().isEmpty());
    }

    void actionsStartTheWizard_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("Tools menu") << "FirmwareUpdater.Menu.Start";
        QTest::newRow("context menu") << "FirmwareUpdater.Context.Start";
    }
    void actionsStartTheWizard()
    {
        QFETCH(QString, action);
        QTemporaryDir temp;
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        Started started;
        started.reportEnumeration();
        started.host.pool.selectCamera("A1");

        auto *page = started.host.mainWindow->findChild<
                Plugin::FirmwareUpdater::Internal::View::CCameraSelectionDialog *>();
        QVERIFY(page);
        QVERIFY(!page->isVisible());
        started.action(action.toLatin1().constData())->trigger();
        settle();
        QVERIFY(page->isVisible());
        QCOMPARE(page->treeModel()->selectedCameras().size(), 1);
        QVERIFY(QFileInfo::exists(started.service()->logFilePath()));
        emit page->closeClicked();
        settle();
        QVERIFY(!page->isVisible());
        QCOMPARE(started.service()->logFilePath(), QString());
        qunsetenv("TMPDIR");
    }

    void serviceGoesWithThePlugin()
    {
        QPointer<IFirmwareUpdaterService> service;
        {
            Started started;
            service = started.service().data();
            QVERIFY(service);
            started.plugin->uninitialize(started.host.registry);
            QVERIFY(!started.service());
        }
        QVERIFY(!service);
    }
};

QTEST_MAIN(tst_PluginLifecycle)
#include "tst_plugin_lifecycle.moc"
