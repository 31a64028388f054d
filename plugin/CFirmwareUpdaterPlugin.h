#pragma once

#include "host/ALocalizedPlugin.h"
#include "host/IDeviceBaseInfo.h"
#include "host/IServiceRegistry.h"
#include "host/ViewerPluginInterface.h"

#include <QPointer>
#include <QSharedPointer>

#include <memory>

class QAction;
class QTranslator;

namespace Plugin::FirmwareUpdater {

namespace Internal::Service {
class CFirmwareUpdaterService;
}

// Entry point of the plug-in: publishes the firmware updater service and
// offers the wizard in the Tools menu and in the camera selector's context
// menu, in step with the host's enumeration and selection.
class CFirmwareUpdaterPlugin : public Core::Plugin::ALocalizedPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ONDRELVIEWER_PLUGIN_IID FILE "FirmwareUpdater.json")

public:
    CFirmwareUpdaterPlugin();
    ~CFirmwareUpdaterPlugin() override;

    bool initialize(QPointer<Core::Service::IServiceRegistry> registry) override;
    bool extensionsInitialized() override;
    bool uninitialize(QPointer<Core::Service::IServiceRegistry> registry) override;
    // Installs Qt's own catalogue for the language as well, so the standard
    // buttons speak the pages' language.
    bool setLanguage(const QString &language) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onEnumerationChanged();
    void onSelectionChanged(Core::DorvixComponents::DeviceBaseInfoPtr device);

    QPointer<Core::Service::IServiceRegistry> m_registry;
    QAction *m_menuAction = nullptr;
    QAction *m_contextAction = nullptr;
    QSharedPointer<Internal::Service::CFirmwareUpdaterService> m_service;
    std::unique_ptr<QTranslator> m_qtTranslator;
};

} // namespace Plugin::FirmwareUpdater
