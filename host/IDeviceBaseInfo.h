#pragma once

#include "host/HostExport.h"

#include <QMetaType>
#include <QSharedPointer>
#include <QString>

namespace Core::DorvixComponents {

// Any device the camera selector can report.
class HOST_EXPORT IDeviceBaseInfo
{
public:
    virtual ~IDeviceBaseInfo();

    virtual QString displayName() const = 0;
    virtual QString id() const = 0;
};

using DeviceBaseInfoPtr = QSharedPointer<IDeviceBaseInfo>;

} // namespace Core::DorvixComponents

Q_DECLARE_METATYPE(Core::DorvixComponents::DeviceBaseInfoPtr)
