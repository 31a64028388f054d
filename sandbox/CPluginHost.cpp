#include "sandbox/CPluginHost.h"

#include "host/ViewerPluginInterface.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>

namespace Sandbox {

CPluginHost::CPluginHost(QObject *parent)
    : QObject(parent)
{ }

CPluginHost::~CPluginHost()
{
    shutDown();
}

bool CPluginHost::start(const QString &filePath, QPointer<Core::Service::IServiceRegistry> registry,
                        const QString &language)
{
    m_error.clear();
    if (m_plugin) {
        m_error = tr("A plug-in is already running.");
        return false;
    }
    if (!QFileInfo(filePath).isFile()) {
        m_error = tr("No plug-in file at %1.").arg(filePath);
        return false;
    }
    m_loader.setFileName(filePath);
    const QString iid = m_loader.metaData().value(QStringLiteral("IID")).toString();
    if (iid != QLatin1String(ONDRELVIEWER_PLUGIN_IID)) {
        m_error = tr("%1 is no viewer plug-in (interface \"%2\").").arg(filePath, iid);
        return false;
    }
    QObject *instance = m_loader.instance();
    auto *plugin = qobject_cast<Core::Plugin::IPlugin *>(instance);
    if (!plugin) {
        m_error = instance
                ? tr("%1 does not implement the viewer's plug-in interface.").arg(filePath)
                : m_loader.errorString();
        return false;
    }
    m_plugin = plugin;
    m_registry = registry;
    if (!language.isEmpty() && !setLanguage(language)) {
        m_error = tr("No catalogue for language \"%1\".").arg(language);
        shutDown();
        return false;
    }
    if (!plugin->initialize(registry)) {
        m_error = tr("The plug-in failed to initialize.");
        shutDown();
        return false;
    }
    if (!plugin->extensionsInitialized()) {
        m_error = tr("The plug-in failed to finish its start-up.");
        shutDown();
        return false;
    }
    return true;
}

void CPluginHost::shutDown()
{
    if (!m_plugin)
        return;
    m_plugin->uninitialize(m_registry);
    delete m_plugin.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool CPluginHost::setLanguage(const QString &language)
{
    auto *localized = qobject_cast<Core::Plugin::ALocalizedPlugin *>(m_plugin.data());
    return localized && localized->setLanguage(language);
}

} // namespace Sandbox
