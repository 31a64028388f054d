#include "host/IDeviceFirmwareUpdate.h"

namespace Plugin::Dorvix {

IDeviceFirmwareUpdate::IDeviceFirmwareUpdate(QObject *parent)
    : QObject(parent)
{ }

IDeviceFirmwareUpdate::~IDeviceFirmwareUpdate() = default;

} // namespace Plugin::Dorvix
