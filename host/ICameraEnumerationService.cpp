#include "host/ICameraEnumerationService.h"

namespace Plugin::Dorvix {

ICameraEnumerationService::ICameraEnumerationService(QObject *parent)
    : Core::Service::IService(parent)
{ }

ICameraEnumerationService::~ICameraEnumerationService() = default;

} // namespace Plugin::Dorvix
