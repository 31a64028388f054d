#pragma once

#include "host/IServiceRegistry.h"

#include <QObject>
#include <QPointer>

namespace Core::Plugin {

enum class UninitializeMode { Synchronous, Asynchronous };

// A plug-in as the viewer sees it; the three life-cycle calls come in order.
class HOST_EXPORT IPlugin : public QObject
{
    Q_OBJECT

public:
    IPlugin();
    ~IPlugin() override;

    virtual bool initialize(QPointer<Core::Service::IServiceRegistry> registry) = 0;
    virtual bool extensionsInitialized() = 0;
    virtual bool uninitialize(QPointer<Core::Service::IServiceRegistry> registry) = 0;
    virtual bool checkPluginClosability(bool force);
    virtual UninitializeMode aboutToUninitialize();
};

} // namespace Core::Plugin
