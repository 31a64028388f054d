#include "host/IFirmwareUpdateInfo.h"

namespace Plugin::Dorvix {

IFirmwareUpdateInfo::IFirmwareUpdateInfo(QObject *parent)
    : QObject(parent)
{ }

IFirmwareUpdateInfo::~IFirmwareUpdateInfo() = default;

} // namespace Plugin::Dorvix
