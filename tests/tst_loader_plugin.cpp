#include "host/ALocalizedPlugin.h"
#include "host/IPlugin.h"
#include "host/ViewerPluginInterface.h"
#include "support/SimulatedHost.h"

#include <QPluginLoader>
#include <QtTest>

namespace {

const QStringList kIcons = {
    "error_icon_16x16_en",
    "error_icon_24x24_en",
    "error_icon_32x32_en",
    "firmware_updater_icon_16x16_en",
    "firmware_updater_icon_24x24_en",
    "help_icon_16x16_en",
    "help_icon_24x24_en",
    "help_icon_32x32_en",
    "info_icon_16x16_en",
    "info_icon_24x24_en",
    "info_icon_32x32_en",
    "refresh_black_icon_14x12_en",
    "refresh_green_icon_16x16_en",
    "sort_icon_10x7_en",
    "update_failed_icon_12x11_en",
    "update_ok_icon_12x8_en",
    "update_skipped_icon_12x3_en",
    "warning_icon_16x16_en",
    "warning_icon_24x24_en",
    "warning_icon_32x32_en",
};

const char kServiceClass[] = "Plugin::FirmwareUpdater::Internal::Service::CFirmwareUpdaterService";

QObject *publishedService(Core::Service::IServiceRegistry *registry)
{
    for (const QSharedPointer<Core::Service::IService> &service : registry->services()) {
        if (service->inherits("Plugin::FirmwareUpdater::IFirmwareUpdaterService"))
            return service.data();
    }
    return nullptr;
}

} // namespace

class tst_LoaderPlugin : public QObject
{
    Q_OBJECT

private:
    QPluginLoader m_loader { QStringLiteral(FU_PLUGIN_FILE) };

private slots:
    void initTestCase()
    {
        QVERIFY2(!QFile::exists(QStringLiteral(":/firmwareupdater/icons/help_icon_32x32_en")),
                 "the test must not carry the resources itself");
        QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
    }

    void cleanupTestCase()
    {
        // The plug-in's deferred deletions run its own code: finish them first.
        delete m_loader.instance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_loader.unload();
    }

    void metadata_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("IID") << "IID" << QVariant(QStringLiteral(ONDRELVIEWER_PLUGIN_IID));
        QTest::newRow("className") << "className" << QVariant("CFirmwareUpdaterPlugin");
        QTest::newRow("Name") << "MetaData/Name" << QVariant("FirmwareUpdater");
        QTest::newRow("Version") << "MetaData/Version" << QVariant("7.1.0");
        QTest::newRow("CompatVersion") << "MetaData/CompatVersion" << QVariant("7.1.0");
        QTest::newRow("Required") << "MetaData/Required" << QVariant(true);
        QTest::newRow("Description")
                << "MetaData/Description"
                << QVariant("The firmware updater plugin for the Stavrik cameras.");
        QTest::newRow("Vendor") << "MetaData/Vendor" << QVariant("Stavrik");
        QTest::newRow("Url") << "MetaData/Url" << QVariant("https://www.stavrik.example");
        const QVariantList dependencies = {
            QVariantMap { { "Name", "Vantor" }, { "Version", "1.3.1" } },
            QVariantMap { { "Name", "Dorvix" }, { "Version", "1.3.1" } },
            QVariantMap { { "Name", "Lintrel" }, { "Version", "7.1.0" } },
            QVariantMap { { "Name", "OndrelViewer" }, { "Version", "7.1.0" } },
        };
        QTest::newRow("Dependencies") << "MetaData/Dependencies" << QVariant(dependencies);
    }
    void metadata()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QJsonObject object = m_loader.metaData();
        const QStringList path = key.split('/');
        for (int i = 0; i < path.size() - 1; ++i)
            object = object.value(path.at(i)).toObject();
        QCOMPARE(object.value(path.last()).toVariant(), value);
    }

    void metadataCarriesTheMakersTexts()
    {
        const QJsonObject metaData = m_loader.metaData().value("MetaData").toObject();
        QVERIFY(metaData.value("Copyright").toString().contains("Stavrik"));
        QVERIFY(metaData.value("License").toString().contains("Stavrik"));
        QCOMPARE(metaData.keys().size(), 10);
    }

    void instanceIsTheOnePluginObject()
    {
        QObject *instance = m_loader.instance();
        QVERIFY(instance);
        QCOMPARE(instance->metaObject()->className(),
                 "Plugin::FirmwareUpdater::CFirmwareUpdaterPlugin");
        QVERIFY(qobject_cast<Core::Plugin::ALocalizedPlugin *>(instance));
        QCOMPARE(instance->parent(), nullptr);
        QCOMPARE(m_loader.instance(), instance);
    }

    void iconsAreCompiledIn_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        const QRegularExpression sizePattern(QStringLiteral("_(\\d+)x(\\d+)_en$"));
        for (const QString &name : kIcons) {
            const QRegularExpressionMatch match = sizePattern.match(name);
            QTest::newRow(qPrintable(name))
                    << name << QSize(match.captured(1).toInt(), match.captured(2).toInt());
        }
    }
    void iconsAreCompiledIn()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QImage image(QStringLiteral(":/firmwareupdater/icons/") + name);
        QCOMPARE(image.size(), size);
        QVERIFY(image.hasAlphaChannel());
    }

    void cataloguesAreCompiledIn_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *language : { "en", "ja", "ko", "zh" })
            QTest::newRow(language) << QString::fromLatin1(language);
    }
    void cataloguesAreCompiledIn()
    {
        QFETCH(QString, language);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/translation/FirmwareUpdater_") + language
                                + QStringLiteral(".qm")));
        QVERIFY(!translator.isEmpty());
        const QString url = translator.translate(
                kServiceClass, "https://www.stavrik.example/en/sales-support/support-contact/");
        QVERIFY2(url.contains(QLatin1String("www.stavrik.example")), qPrintable(url));

        auto *plugin = qobject_cast<Core::Plugin::ALocalizedPlugin *>(m_loader.instance());
        QVERIFY(plugin->setLanguage(language));
        QVERIFY(plugin->setLanguage(QString()) == false);
    }

    void startUpAndShutDown()
    {
        SimulatedHost host;
        host.addCamera("GigE", "C1", "Model A");
        auto *plugin = qobject_cast<Core::Plugin::IPlugin *>(m_loader.instance());
        QVERIFY(plugin);

        QVERIFY(plugin->initialize(host.registry));
        QPointer<QObject> service = publishedService(host.registry);
        QVERIFY(service);
        QCOMPARE(service->metaObject()->className(), kServiceClass);

        QVERIFY(plugin->extensionsInitialized());
        QAction *menuAction = host.menuService->command("FirmwareUpdater.Menu.Start")->action();
        QVERIFY(host.menuService->toolsMenu()->actions().contains(menuAction));
        QVERIFY(!menuAction->isEnabled());
        emit host.pool.enumerationService()->enumerationChanged();
        QVERIFY(menuAction->isEnabled());

        QVERIFY(plugin->uninitialize(host.registry));
        QCOMPARE(publishedService(host.registry), nullptr);
    }
};

QTEST_MAIN(tst_LoaderPlugin)
#include "tst_loader_plugin.moc"
