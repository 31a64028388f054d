#include "host/CServiceRegistry.h"

int main()
{
    Core::Service::CServiceRegistry registry;
    return registry.services().isEmpty() && sizeof(PLUGIN_FILE) > 1 ? 0 : 1;
}
