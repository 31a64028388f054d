#pragma once

#include "host/HostExport.h"

#include <QObject>

namespace Plugin::Dorvix {
Q_NAMESPACE_EXPORT(HOST_EXPORT)

enum EFirmwareUpdateStep : int {
    CheckPreconditions = 0,
    AcquireUpdateData = 1,
    FeatureWrite = 2,
    FeatureExecute = 3,
    FeatureAssert = 4,
    FileUpload = 5,
    DeviceReset = 6,
    Invalid = 7
};
Q_ENUM_NS(EFirmwareUpdateStep)

enum EFirmwareUpdateDirection : int {
    Upgrade = 0,
    Downgrade = 1,
    Reinstall = 2,
    NotDetermined = 3
};
Q_ENUM_NS(EFirmwareUpdateDirection)

} // namespace Plugin::Dorvix
