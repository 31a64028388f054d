#include "host/IPlugin.h"

namespace Core::Plugin {

IPlugin::IPlugin() = default;

IPlugin::~IPlugin() = default;

bool IPlugin::checkPluginClosability(bool)
{
    return true;
}

UninitializeMode IPlugin::aboutToUninitialize()
{
    return UninitializeMode::Synchronous;
}

} // namespace Core::Plugin
