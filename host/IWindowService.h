#pragma once

#include "host/IService.h"

class QWidget;

namespace Plugin::Vantor {

class HOST_EXPORT IWindowService : public Core::Service::IService
{
    Q_OBJECT

public:
    explicit IWindowService(QObject *parent = nullptr);
    ~IWindowService() override;

    virtual QWidget *mainWindow() const = 0;
};

} // namespace Plugin::Vantor
