#pragma once

#include "host/HostExport.h"

#include <QObject>

namespace Core::Service {

// Base of every service published in the registry.
class HOST_EXPORT IService : public QObject
{
    Q_OBJECT

public:
    explicit IService(QObject *parent = nullptr);
    ~IService() override;
};

} // namespace Core::Service
