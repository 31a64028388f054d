#include "sandbox/CCameraSelectorView.h"
#include "sandbox/CHostControlPanel.h"
#include "sandbox/CSandboxCommandLine.h"
#include "sandbox/CSandboxMainWindow.h"

#include "host/BaseException.h"
#include "host/IDeviceFirmwareUpdate.h"
#include "simulator/CDeviceFirmwareUpdateService.h"
#include "simulator/CDeviceSelectorService.h"
#include "simulator/CMenuService.h"

#include <QComboBox>
#include <QMenu>
#include <QProcess>
#include <QtTest>

static const QString kSamples = QStringLiteral(FU_SANDBOX_SAMPLES_DIR);
static const QString kPlugin = QStringLiteral(FU_SANDBOX_PLUGIN_FILE);
static const QString kSetup = kSamples + QStringLiteral("/cameras.json");

class tst_SandboxHost : public QObject
{
    Q_OBJECT

private slots:
    void sampleUpdateFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("fits"); // camera:direction for every camera the file fits
        const QString allUp = "A120-0001:Upgrade A120-0002:Upgrade A120-0003:Upgrade";
        QTest::newRow("upgrade") << "A1-20_1.5.0.guf" << allUp;
        QTest::newRow("mixed") << "A1-20_1.3.2.guf"
                               << "A120-0001:Upgrade A120-0002:Downgrade A120-0003:Reinstall";
        QTest::newRow("multi") << "B2-50_3.2.0_multi.guf"
                               << "C312-0001:Upgrade B250-0001:Upgrade B250-0002:Upgrade";
        QTest::newRow("keeps old firmware") << "A1-20_1.7.0_keeps-old-firmware.guf" << allUp;
        QTest::newRow("fails once") << "A1-20_1.6.0_fails-once.guf" << allUp;
        QTest::newRow("malformed") << "A1-20_broken.guf" << "unreadable";
    }

    void sampleUpdateFiles()
    {
        QFETCH(QString, file);
        QFETCH(QString, fits);
        Simulator::CCameraPool pool;
        pool.loadSetupFile(kSetup);
        const auto service = pool.firmwareUpdateService();
        QStringList found;
        try {
            const auto infos
                    = service->readUpdateFile(kSamples + QStringLiteral("/updates/") + file, {});
            for (const Simulator::SimulatedCameraPtr &camera : pool.cameras()) {
                QVector<Plugin::Dorvix::FirmwareUpdateInfoPtr> compatible;
                bool flag = false;
                QVERIFY(service->findCompatibleUpdates(camera, infos, compatible, flag));
                const auto update = compatible.isEmpty()
                        ? nullptr
                        : service->createFirmwareUpdate(camera, compatible.first());
                if (update)
                    found << camera->id() + ':'
                                    + QVariant::fromValue(update->direction()).toString();
            }
        } catch (const Core::Exception::BaseException &exception) {
            // The message must name the file the user picked.
            const QString message = exception.getMessage();
            found << (message.contains(file) ? "unreadable" : message);
        }
        QCOMPARE(found.join(QLatin1Char(' ')), fits);
    }

    void pluginFileIsChecked_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing") << "/nonexistent/libFirmwareUpdater.so" << "" << "No plug-in file";
        QTest::newRow("not a library") << kSetup << "" << "no viewer plug-in";
        QTest::newRow("unknown language") << kPlugin << "xx" << "No catalogue";
    }

    void pluginFileIsChecked()
    {
        QFETCH(QString, file);
        QFETCH(QString, language);
        QFETCH(QString, error);
        Core::Service::CServiceRegistry registry;
        Sandbox::CPluginHost host;
        QVERIFY(!host.start(file, &registry, language));
        QVERIFY2(host.errorString().contains(error), qPrintable(host.errorString()));
        QVERIFY(!host.isRunning() && registry.services().isEmpty());
    }

    // A language given at the start is in place before the plug-in builds its
    // actions, and the host's language box shows it.
    void startsInLanguage()
    {
        Sandbox::CSandboxMainWindow window;
        QVERIFY(window.loadSetup(kSetup) && window.startPlugin(kPlugin, nullptr, "ja"));
        const auto *box = window.controlPanel()->findChild<QComboBox *>("languageComboBox");
        QCOMPARE(box->currentData().toString(), "ja");
        QCOMPARE(window.menuService()->toolsMenu()->actions().value(0)->text(),
                 "ファームウェア アップデーター");
        window.pluginHost().setLanguage("en");
        window.shutDown();
    }

    // The plug-in's life in the host as one log: what initialize and extensionsInitialized
    // put in (service, Tools action, catalogues), the context action following the
    // selector, and uninitialize taking it all back.
    void pluginLifeCycle()
    {
        Sandbox::CSandboxMainWindow window;
        QVERIFY(window.loadSetup(kSetup) && window.startPlugin(kPlugin));
        QCoreApplication::sendPostedEvents(); // the enumeration the host announces
        Sandbox::CPluginHost &plugin = window.pluginHost();
        Sandbox::CCameraSelectorView *selector = window.cameraSelector();
        QSignalSpy selection(window.pool().selectorService().data(),
                             &Plugin::Lintrel::IDeviceSelectorService::selectionChanged);
        QStringList seen;
        // Service, Tools action, then per language "+" when accepted, "*" when texts change.
        const auto published = [&] {
            QStringList found;
            for (const auto &service : window.registry()->services())
                found << (service->inherits("Plugin::FirmwareUpdater::IFirmwareUpdaterService")
                                  ? "service"
                                  : "");
            for (QAction *action : window.menuService()->toolsMenu()->actions())
                found << (action->text() == QLatin1String("Firmware Updater") ? "action" : "");
            found.removeAll(QString());
            for (const char *language : { "xx", "en", "ja", "ko", "zh" }) {
                const bool accepted = plugin.setLanguage(language);
                const QString text = QCoreApplication::translate(
                        "Plugin::FirmwareUpdater::CFirmwareUpdaterPlugin", "Firmware Updater");
                found << language + QString(accepted ? "+" : "")
                                + (text != "Firmware Updater" ? "*" : "");
            }
            seen << found.join(QLatin1Char(' '));
        };
        // Selections reported, the camera reported, the current row, [context actions].
        const auto selected = [&] {
            const auto device
                    = selection.last().first().value<Core::DorvixComponents::DeviceBaseInfoPtr>();
            QStringList actions;
            for (QAction *action : selector->contextActions())
                actions << action->text();
            seen << QStringLiteral("%1 %2 %3 [%4]")
                            .arg(selection.count())
                            .arg(device ? device->id() : QStringLiteral("none"),
                                 selector->currentCameraId(), actions.join(QLatin1Char(',')));
        };
        published();
        // Supported, with a status code, busy; a rebuild reports nothing new; a layer is no camera.
        for (const char *camera : { "A120-0003", "B250-0002", "C312-0001" }) {
            QVERIFY(selector->selectCamera(camera));
            selected();
        }
        selector->rebuild();
        selected();
        selector->setCurrentItem(selector->topLevelItem(0));
        selected();

        // A second start is refused and leaves the running plug-in alone.
        QVERIFY(!plugin.start(kPlugin, window.registry()));
        QVERIFY(plugin.isRunning());
        window.shutDown();
        published();
        QVERIFY(selector->selectCamera("A120-0003"));
        selected();
        window.shutDown(); // harmless twice
        QCOMPARE(seen,
                 QStringList({ "service action xx en+ ja+* ko+* zh+*",
                               // The context entry follows the last language, Chinese.
                               "1 A120-0003 A120-0003 [固件更新程序]",
                               "2 B250-0002 B250-0002 []", "3 C312-0001 C312-0001 [固件更新程序]",
                               "3 C312-0001 C312-0001 [固件更新程序]", "4 none  []",
                               "xx en ja ko zh", "5 A120-0003 A120-0003 []" }));
    }

    // How the sandbox joins its options' values before Qt's application
    // object sees them; where an exit code is given, the sandbox runs with
    // them: Qt must not take the sandbox's options, in either form.
    void options_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("joined");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("exitCode"); // -1: not run
        QTest::addColumn<QString>("message");
        const QString a("/nonexistent/libFirmwareUpdater.so"), noPlugin("No plug-in file at " + a);
        const QStringList joined { "--plugin=" + a };
        QTest::newRow("spaced") << QStringList { "--plugin", a } << joined << "" << 2 << noPlugin;
        QTest::newRow("one dash") << QStringList { "-plugin", a } << joined << "" << 2 << noPlugin;
        QTest::newRow("already joined") << joined << joined << "" << 2 << noPlugin;
        QTest::newRow("flag keeps its scenario")
                << QStringList { "--demo", "cancel", "--out", "-shots" }
                << QStringList { "--demo", "cancel", "--out=-shots" } << "" << -1 << "";
        const QStringList qtOwn { "-platform", "offscreen", "-reverse" };
        QTest::newRow("Qt's own options") << qtOwn << qtOwn << "" << -1 << "";
        QTest::newRow("after --") << QStringList { "--", "--plugin", a }
                                  << QStringList { "--", "--plugin", a } << "" << -1 << "";
        QTest::newRow("not a plug-in") << QStringList { "--demo", "--plugin", kSetup }
                                       << QStringList { "--demo", "--plugin=" + kSetup } << "" << 2
                                       << kSetup + " is no viewer plug-in";
        const QString missing("Missing value after '--plugin'.");
        QTest::newRow("value missing") << QStringList { "--demo", "--plugin" }
                                       << QStringList { "--demo", "--plugin" } << missing << 1
                                       << missing;
    }
    void options()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, joined);
        QFETCH(QString, error);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const QList<QCommandLineOption> options { { "plugin", "", "path" },
                                                  { "out", "", "dir" },
                                                  { "demo", "" } };
        QString errorText;
        QCOMPARE(Sandbox::CSandboxCommandLine::joinValues(QStringList { "sandbox" } + arguments,
                                                          options, &errorText),
                 QStringList { "sandbox" } + joined);
        QCOMPARE(errorText, error);
        if (exitCode < 0)
            return;
        QProcess sandbox;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        sandbox.setProcessEnvironment(environment);
        sandbox.start(QStringLiteral(FU_SANDBOX_EXE), arguments);
        QVERIFY(sandbox.waitForFinished(120000));
        const QString errors = QString::fromLocal8Bit(sandbox.readAllStandardError());
        QCOMPARE(sandbox.exitStatus(), QProcess::NormalExit);
        QVERIFY2(errors.contains(message), qPrintable(errors));
        QCOMPARE(sandbox.exitCode(), exitCode);
    }
};

QTEST_MAIN(tst_SandboxHost)
#include "tst_sandbox_host.moc"
