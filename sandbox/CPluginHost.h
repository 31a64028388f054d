#pragma once

#include "host/ALocalizedPlugin.h"
#include "host/IServiceRegistry.h"

#include <QObject>
#include <QPluginLoader>
#include <QPointer>

namespace Sandbox {

// Loads one viewer plug-in file and drives its life cycle the way the viewer
// does: initialize, extensionsInitialized, and uninitialize on shutdown.
class CPluginHost : public QObject
{
    Q_OBJECT

public:
    explicit CPluginHost(QObject *parent = nullptr);
    // Shuts the plug-in down if that has not happened yet.
    ~CPluginHost() override;

    // False, with errorString() saying why, when the file is no plug-in of
    // the viewer, has no catalogue for a given language or its start-up
    // fails. The language is set before the plug-in initializes, so its
    // first texts are already translated.
    bool start(const QString &filePath, QPointer<Core::Service::IServiceRegistry> registry,
               const QString &language = QString());
    // Uninitializes and deletes the plug-in object, then runs the deletions
    // it scheduled while its code is certainly still loaded.
    void shutDown();

    bool isRunning() const { return !m_plugin.isNull(); }
    QString errorString() const { return m_error; }
    QString fileName() const { return m_loader.fileName(); }
    QJsonObject metaData() const { return m_loader.metaData(); }
    Core::Plugin::IPlugin *plugin() const { return m_plugin.data(); }

    // Language codes such as "ja"; false when the plug-in has no catalogue
    // for it or is no localized plug-in.
    bool setLanguage(const QString &language);

private:
    QPluginLoader m_loader;
    QPointer<Core::Plugin::IPlugin> m_plugin;
    QPointer<Core::Service::IServiceRegistry> m_registry;
    QString m_error;
};

} // namespace Sandbox
