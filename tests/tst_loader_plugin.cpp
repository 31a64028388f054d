#include "host/ALocalizedPlugin.h"
#include "host/ViewerPluginInterface.h"

#include <QPluginLoader>
#include <QtTest>

namespace {

const char kServiceClass[] = "Plugin::FirmwareUpdater::Internal::Service::CFirmwareUpdaterService";
const char kSupportUrl[] = "https://www.stavrik.example/en/sales-support/support-contact/";

} // namespace

class tst_LoaderPlugin : public QObject
{
    Q_OBJECT

private:
    QPluginLoader m_loader { QStringLiteral(FU_PLUGIN_FILE) };

private slots:
    void initTestCase()
    {
        QVERIFY2(!QFile::exists(":/firmwareupdater/icons/help_icon_32x32_en"),
                 "the test must not carry the resources itself");
        QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
    }

    void cleanupTestCase()
    {
        // The plug-in's deferred deletions run its own code: finish them first.
        delete m_loader.instance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_loader.unload());
    }

    void metadataAndInstance()
    {
        const QJsonObject all = m_loader.metaData();
        QCOMPARE(all.value("IID").toString(), QStringLiteral(ONDRELVIEWER_PLUGIN_IID));
        QJsonObject metaData = all.value("MetaData").toObject();
        QVERIFY(metaData.take("License").toString().startsWith("Stavrik End-User Licence"));
        const QByteArray expected
                = "{'CompatVersion':'7.1.0','Copyright':'Copyright (C) Stavrik. All rights "
                  "reserved.','Dependencies':[{'Name':'Vantor','Version':'1.3.1'},{'Name':"
                  "'Dorvix','Version':'1.3.1'},{'Name':'Lintrel','Version':'7.1.0'},{'Name':"
                  "'OndrelViewer','Version':'7.1.0'}],'Description':'The firmware updater plugin "
                  "for the Stavrik cameras.','Name':'FirmwareUpdater','Required':true,'Url':"
                  "'https://www.stavrik.example','Vendor':'Stavrik','Version':'7.1.0'}";
        QCOMPARE(QJsonDocument(metaData).toJson(QJsonDocument::Compact),
                 QByteArray(expected).replace('\'', '"'));

        QVERIFY(qobject_cast<Core::Plugin::ALocalizedPlugin *>(m_loader.instance()));
    }

    void resourcesArePresent()
    {
        QStringList wrong;
        const QDir icons(QStringLiteral(":/firmwareupdater/icons"));
        const QRegularExpression size(QStringLiteral("_(\\d+)x(\\d+)_en$"));
        for (const QString &icon : icons.entryList()) {
            const QRegularExpressionMatch match = size.match(icon);
            const QImage image(icons.filePath(icon));
            if (image.size() != QSize(match.captured(1).toInt(), match.captured(2).toInt())
                || !image.hasAlphaChannel())
                wrong << icon;
        }
        for (const QString language : { "en", "ja", "ko", "zh" }) {
            QTranslator catalogue;
            if (!catalogue.load(":/translation/FirmwareUpdater_" + language + ".qm")
                || !catalogue.translate(kServiceClass, kSupportUrl).contains("www.stavrik.example"))
                wrong << language;
        }
        QCOMPARE(icons.count(), 20u);
        QCOMPARE(wrong, QStringList());
    }
};

QTEST_MAIN(tst_LoaderPlugin)
#include "tst_loader_plugin.moc"
