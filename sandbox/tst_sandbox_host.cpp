#include "sandbox/CCameraSelectorView.h"
#include "sandbox/CDemoDriver.h"
#include "sandbox/CDemoScenario.h"
#include "sandbox/CHostControlPanel.h"
#include "sandbox/CSandboxMainWindow.h"

#include "host/BaseException.h"
#include "host/IDeviceFirmwareUpdate.h"
#include "simulator/CCameraEnumerationService.h"
#include "simulator/CDeviceFirmwareUpdateService.h"
#include "simulator/CDeviceSelectorService.h"
#include "simulator/CMenuService.h"

#include <QMenu>
#include <QtTest>

#include <memory>

using Plugin::Dorvix::EFirmwareUpdateDirection;
using Plugin::Dorvix::FirmwareUpdateInfoPtr;

Q_DECLARE_METATYPE(Plugin::Dorvix::EFirmwareUpdateDirection)

namespace {

const QString kSamples = QStringLiteral(FU_SANDBOX_SAMPLES_DIR);
const QString kPlugin = QStringLiteral(FU_SANDBOX_PLUGIN_FILE);
const QString kSetup = kSamples + QStringLiteral("/cameras.json");
constexpr EFirmwareUpdateDirection NoFit = EFirmwareUpdateDirection(-1);

QAction *startAction(QMenu *menu)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == QLatin1String("Firmware Updater"))
            return action;
    }
    return nullptr;
}

// A host window with the sample cameras and the plug-in running in it.
struct Host
{
    Host()
        : window(new Sandbox::CSandboxMainWindow)
    {
        QString error;
        loaded = window->loadSetup(kSetup, &error) && window->startPlugin(kPlugin, &error);
        if (!loaded)
            qWarning("%s", qPrintable(error));
        spy.reset(new QSignalSpy(window->pool().enumerationService().data(),
                                 &Plugin::Dorvix::ICameraEnumerationService::enumerationChanged));
    }
    ~Host()
    {
        spy.reset();
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The enumeration the host announces from its event loop.
    bool settle() { return spy->count() > 0 || spy->wait(5000); }

    std::unique_ptr<Sandbox::CSandboxMainWindow> window;
    std::unique_ptr<QSignalSpy> spy;
    bool loaded = false;
};

} // namespace

class tst_SandboxHost : public QObject
{
    Q_OBJECT

private slots:
    void sampleSetupCoversTheCases();
    void sampleUpdateFiles_data();
    void sampleUpdateFiles();
    void failingSampleFailsInItsPhase();
    void scenariosUseTheSamples();
    void pluginFileIsChecked_data();
    void pluginFileIsChecked();
    void pluginLifeCycle();
    void languages_data();
    void languages();
    void selectorReportsSelection_data();
    void selectorReportsSelection();
    void addAndRemoveCameras();
    void busyAndSpeed();
    void nothingIsAPageBeforeTheWizardRuns();
};

void tst_SandboxHost::sampleSetupCoversTheCases()
{
    Simulator::CCameraPool pool;
    pool.loadSetupFile(kSetup);
    int layersWithCameras = 0;
    QSet<QString> models;
    int busy = 0;
    int unsupported = 0;
    for (const auto &layer : pool.transportLayers())
        layersWithCameras += layer->cameras().isEmpty() ? 0 : 1;
    for (const Simulator::SimulatedCameraPtr &camera : pool.cameras()) {
        models.insert(camera->modelName());
        busy += camera->isBusy() ? 1 : 0;
        unsupported += camera->statusCode() != 0 ? 1 : 0;
    }
    QVERIFY(layersWithCameras >= 2);
    QVERIFY(models.size() >= 3);
    QCOMPARE(busy, 1);
    QCOMPARE(unsupported, 1);
}

void tst_SandboxHost::sampleUpdateFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("cameraId");
    QTest::addColumn<EFirmwareUpdateDirection>("direction");

    const QString upgrade = QStringLiteral("A1-20_1.5.0.guf");
    QTest::newRow("upgrade from 1.2.0") << upgrade << "A120-0001" << Plugin::Dorvix::Upgrade;
    QTest::newRow("upgrade from 1.4.0") << upgrade << "A120-0002" << Plugin::Dorvix::Upgrade;
    QTest::newRow("upgrade, other model") << upgrade << "B250-0001" << NoFit;
    const QString mixed = QStringLiteral("A1-20_1.3.2.guf");
    QTest::newRow("mixed: upgrade") << mixed << "A120-0001" << Plugin::Dorvix::Upgrade;
    QTest::newRow("mixed: downgrade") << mixed << "A120-0002" << Plugin::Dorvix::Downgrade;
    QTest::newRow("mixed: reinstall") << mixed << "A120-0003" << Plugin::Dorvix::Reinstall;
    const QString multi = QStringLiteral("B2-50_3.2.0_multi.guf");
    QTest::newRow("multi: first update") << multi << "B250-0001" << Plugin::Dorvix::Upgrade;
    QTest::newRow("multi: second update") << multi << "C312-0001" << Plugin::Dorvix::Upgrade;
    QTest::newRow("multi: no A1-20") << multi << "A120-0001" << NoFit;
    for (const char *camera : { "A120-0001", "B250-0001", "C312-0001" })
        QTest::addRow("no camera: %s", camera) << "Z9-99_4.0.0_no-camera.guf" << camera << NoFit;
    QTest::newRow("malformed") << "A1-20_broken.guf"
                               << "A120-0001" << NoFit;
}

void tst_SandboxHost::sampleUpdateFiles()
{
    QFETCH(QString, file);
    QFETCH(QString, cameraId);
    QFETCH(EFirmwareUpdateDirection, direction);

    Simulator::CCameraPool pool;
    pool.loadSetupFile(kSetup);
    const auto service = pool.firmwareUpdateService();
    const QString path = kSamples + QStringLiteral("/updates/") + file;
    QVector<FirmwareUpdateInfoPtr> infos;
    try {
        infos = service->readUpdateFile(path, QString());
    } catch (const Core::Exception::BaseException &exception) {
        QVERIFY2(file.contains(QLatin1String("broken")), qPrintable(exception.getMessage()));
        QVERIFY(exception.getMessage().contains(file));
        return;
    }
    QVERIFY(!file.contains(QLatin1String("broken")));

    QVector<FirmwareUpdateInfoPtr> compatible;
    bool flag = false;
    const auto camera = pool.camera(cameraId);
    QVERIFY(camera);
    QVERIFY(service->findCompatibleUpdates(camera, infos, compatible, flag));
    QCOMPARE(compatible.isEmpty(), direction == NoFit);
    if (direction == NoFit)
        return;
    QVERIFY(!compatible.first()->description().isEmpty());
    const auto update = service->createFirmwareUpdate(camera, compatible.first());
    QVERIFY(update);
    QCOMPARE(update->direction(), direction);
}

void tst_SandboxHost::failingSampleFailsInItsPhase()
{
    Simulator::CCameraPool pool;
    pool.loadSetupFile(kSetup);
    pool.setTimeScale(0.0);
    const auto service = pool.firmwareUpdateService();
    const auto infos = service->readUpdateFile(
            kSamples + QStringLiteral("/updates/A1-20_1.6.0_upload-fails.guf"), QString());
    QCOMPARE(infos.size(), 1);
    const auto update = service->createFirmwareUpdate(pool.camera("A120-0001"), infos.first());
    QVERIFY(update);
    qRegisterMetaType<Plugin::Dorvix::EFirmwareUpdateStep>();
    QSignalSpy steps(update.data(),
                     &Plugin::Dorvix::IDeviceFirmwareUpdate::firmwareUpdateProgressStepBegin);
    QSignalSpy errors(update.data(), &Plugin::Dorvix::IDeviceFirmwareUpdate::firmwareUpdateError);
    QSignalSpy done(update.data(), &Plugin::Dorvix::IDeviceFirmwareUpdate::firmwareUpdateDone);
    update->runUpdate();
    QCOMPARE(errors.count(), 1);
    QCOMPARE(done.count(), 0);
    QVERIFY(errors.first().first().toString().contains(QLatin1String("checksum mismatch")));
    QCOMPARE(steps.last().first().value<Plugin::Dorvix::EFirmwareUpdateStep>(),
             Plugin::Dorvix::FileUpload);
    QCOMPARE(pool.camera("A120-0001")->currentFirmwareVersion(), QStringLiteral("1.2.0"));
}

void tst_SandboxHost::scenariosUseTheSamples()
{
    Simulator::CCameraPool pool;
    pool.loadSetupFile(kSetup);
    QStringList names;
    for (const Simulator::SimulatedCameraPtr &camera : pool.cameras())
        names << camera->displayName();
    QCOMPARE(Sandbox::CDemoScenario::names().first(), QStringLiteral("success"));
    for (const QString &name : Sandbox::CDemoScenario::names()) {
        const Sandbox::CDemoScenario scenario = Sandbox::CDemoScenario::byName(name);
        QVERIFY(scenario.isValid());
        QVERIFY2(QFile::exists(kSamples + QLatin1Char('/') + scenario.updateFile),
                 qPrintable(scenario.updateFile));
        QCOMPARE(scenario.expectedSuccessful + scenario.expectedFailed + scenario.expectedSkipped,
                 scenario.cameras.size());
        QSet<QString> models;
        for (const QString &camera : scenario.cameras) {
            QVERIFY2(names.contains(camera), qPrintable(camera));
            for (const auto &c : pool.cameras()) {
                if (c->displayName() == camera) {
                    models.insert(c->modelName());
                    QCOMPARE(c->statusCode(), 0u);
                }
            }
        }
        // The wizard takes cameras of one model only.
        QCOMPARE(models.size(), 1);
        if (scenario.start == Sandbox::CDemoScenario::FromContextMenu)
            QVERIFY(scenario.cameras.contains(
                    pool.camera(scenario.contextCameraId)->displayName()));
    }
    QVERIFY(!Sandbox::CDemoScenario::byName(QStringLiteral("nonsense")).isValid());
}

void tst_SandboxHost::pluginFileIsChecked_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing") << "/nonexistent/libFirmwareUpdater.so"
                             << "No plug-in file";
    QTest::newRow("not a library") << kSetup << "no viewer plug-in";
    QTest::newRow("folder") << kSamples << "No plug-in file";
}

void tst_SandboxHost::pluginFileIsChecked()
{
    QFETCH(QString, file);
    QFETCH(QString, error);
    Core::Service::CServiceRegistry registry;
    Sandbox::CPluginHost host;
    QVERIFY(!host.start(file, &registry));
    QVERIFY2(host.errorString().contains(error), qPrintable(host.errorString()));
    QVERIFY(!host.isRunning());
    QVERIFY(registry.services().isEmpty());
}

void tst_SandboxHost::pluginLifeCycle()
{
    Host host;
    QVERIFY(host.loaded);
    Sandbox::CPluginHost &plugin = host.window->pluginHost();
    QVERIFY(plugin.isRunning());
    QCOMPARE(plugin.metaData().value("MetaData").toObject().value("Name").toString(),
             QStringLiteral("FirmwareUpdater"));
    const auto isPluginService = [](const QSharedPointer<Core::Service::IService> &service) {
        return service->inherits("Plugin::FirmwareUpdater::IFirmwareUpdaterService");
    };
    const auto services = host.window->registry()->services();
    QCOMPARE(std::count_if(services.begin(), services.end(), isPluginService), 1);

    // A second start is refused and leaves the running plug-in alone.
    QVERIFY(!plugin.start(kPlugin, host.window->registry()));
    QVERIFY(plugin.isRunning());

    // The host announces its enumeration once the plug-in is up.
    QAction *action = startAction(host.window->menuService()->toolsMenu());
    QVERIFY(action);
    QVERIFY(host.settle());
    QVERIFY(action->isEnabled());

    QPointer<QAction> guard(action);
    host.window->shutDown();
    QVERIFY(!plugin.isRunning());
    QVERIFY(!guard);
    const auto remaining = host.window->registry()->services();
    QCOMPARE(std::count_if(remaining.begin(), remaining.end(), isPluginService), 0);
    // Shutting down twice is harmless.
    host.window->shutDown();
}

void tst_SandboxHost::languages_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("known");
    for (const QString &language : Sandbox::CHostControlPanel::languages())
        QTest::newRow(qPrintable(language)) << language << true;
    QTest::newRow("unknown") << "xx" << false;
    QTest::newRow("empty") << "" << false;
}

void tst_SandboxHost::languages()
{
    QFETCH(QString, language);
    QFETCH(bool, known);
    Host host;
    QVERIFY(host.loaded);
    QCOMPARE(host.window->pluginHost().setLanguage(language), known);
    QCOMPARE(Sandbox::CHostControlPanel::languages(), QStringList({ "en", "ja", "ko", "zh" }));
    host.window->pluginHost().setLanguage(QString());
}

void tst_SandboxHost::selectorReportsSelection_data()
{
    QTest::addColumn<QString>("cameraId");
    QTest::addColumn<bool>("contextAction");
    QTest::newRow("supported camera") << "A120-0003" << true;
    QTest::newRow("busy camera") << "C312-0001" << true;
    QTest::newRow("camera with a status code") << "B250-0002" << false;
}

void tst_SandboxHost::selectorReportsSelection()
{
    QFETCH(QString, cameraId);
    QFETCH(bool, contextAction);
    Host host;
    QVERIFY(host.loaded);
    QVERIFY(host.settle());
    Sandbox::CCameraSelectorView *selector = host.window->cameraSelector();
    QSignalSpy selection(host.window->pool().selectorService().data(),
                         &Plugin::Lintrel::IDeviceSelectorService::selectionChanged);

    QVERIFY(selector->selectCamera(cameraId));
    QCOMPARE(selection.count(), 1);
    const auto reported
            = selection.last().first().value<Core::DorvixComponents::DeviceBaseInfoPtr>();
    QVERIFY(reported);
    QCOMPARE(reported.dynamicCast<Core::DorvixComponents::ICameraInfo>()->id(), cameraId);
    QCOMPARE(selector->contextActions().size(), contextAction ? 1 : 0);
    if (contextAction)
        QCOMPARE(selector->contextActions().first()->text(), QStringLiteral("Firmware Updater"));

    // A rebuilt list keeps the camera and reports nothing new.
    selector->rebuild();
    QCOMPARE(selector->currentCameraId(), cameraId);
    QCOMPARE(selection.count(), 1);

    // A transport layer is no device: the selector reports none.
    selector->setCurrentItem(selector->topLevelItem(0));
    QCOMPARE(selection.count(), 2);
    QVERIFY(!selection.last().first().value<Core::DorvixComponents::DeviceBaseInfoPtr>());
    QVERIFY(selector->contextActions().isEmpty());
}

void tst_SandboxHost::addAndRemoveCameras()
{
    Host host;
    QVERIFY(host.loaded);
    QVERIFY(host.settle());
    Sandbox::CHostControlPanel *panel = host.window->controlPanel();
    Sandbox::CCameraSelectorView *selector = host.window->cameraSelector();
    QAction *action = startAction(host.window->menuService()->toolsMenu());
    QVERIFY(action && action->isEnabled());
    const int cameras = host.window->pool().cameras().size();

    host.spy->clear();
    const QString added = panel->addCamera();
    QVERIFY(!added.isEmpty());
    QVERIFY(host.settle());
    QCOMPARE(host.window->pool().cameras().size(), cameras + 1);
    QVERIFY(selector->selectCamera(added));
    QCOMPARE(panel->addCamera() == added, false);

    // Unplugging the selected camera reports the new enumeration and no selection.
    QSignalSpy selection(host.window->pool().selectorService().data(),
                         &Plugin::Lintrel::IDeviceSelectorService::selectionChanged);
    host.spy->clear();
    QVERIFY(panel->removeCurrentCamera());
    QVERIFY(host.settle());
    QVERIFY(!host.window->pool().camera(added));
    QVERIFY(selector->currentCameraId().isEmpty());
    QVERIFY(!selection.isEmpty());
    QVERIFY(!selection.last().first().value<Core::DorvixComponents::DeviceBaseInfoPtr>());
    QVERIFY(!panel->removeCurrentCamera());

    // With every camera gone the plug-in disables its Tools action.
    for (const Simulator::SimulatedCameraPtr &camera : host.window->pool().cameras()) {
        QVERIFY(selector->selectCamera(camera->id()));
        QVERIFY(panel->removeCurrentCamera());
    }
    host.spy->clear();
    QVERIFY(host.settle());
    QCOMPARE(selector->topLevelItemCount(), host.window->pool().transportLayers().size());
    QVERIFY(!action->isEnabled());
}

void tst_SandboxHost::busyAndSpeed()
{
    Host host;
    QVERIFY(host.loaded);
    QVERIFY(host.settle());
    Sandbox::CHostControlPanel *panel = host.window->controlPanel();
    Sandbox::CCameraSelectorView *selector = host.window->cameraSelector();
    QVERIFY(selector->selectCamera(QStringLiteral("A120-0001")));
    QVERIFY(!host.window->pool().camera("A120-0001")->isBusy());
    panel->setBusy(true);
    QVERIFY(host.window->pool().camera("A120-0001")->isBusy());
    QVERIFY(selector->currentItem()->text(Sandbox::CCameraSelectorView::BusyColumn).size() > 0);
    panel->setBusy(false);
    QVERIFY(!host.window->pool().camera("A120-0001")->isBusy());

    panel->setTimeScale(1.0);
    QCOMPARE(host.window->pool().timeScale(), 1.0);
    panel->setTimeScale(0.0);
    QCOMPARE(host.window->pool().timeScale(), 0.0);
}

void tst_SandboxHost::nothingIsAPageBeforeTheWizardRuns()
{
    Host host;
    QVERIFY(host.loaded);
    for (int page = 0; page <= Sandbox::CDemoDriver::PageCount + 1; ++page)
        QVERIFY(!Sandbox::CDemoDriver::visiblePage(page));
    QStringList names;
    for (int page = 1; page <= Sandbox::CDemoDriver::PageCount; ++page)
        names << Sandbox::CDemoDriver::screenshotName(page);
    QCOMPARE(names.removeDuplicates(), 0);
    QVERIFY(Sandbox::CDemoDriver::screenshotName(0).isEmpty());
}

QTEST_MAIN(tst_SandboxHost)
#include "tst_sandbox_host.moc"
