#pragma once

#include "host/IWindowService.h"

#include <QPointer>
#include <QWidget>

namespace Simulator {

class CWindowService : public Plugin::Vantor::IWindowService
{
    Q_OBJECT

public:
    explicit CWindowService(QWidget *mainWindow, QObject *parent = nullptr);
    ~CWindowService() override;

    QWidget *mainWindow() const override;

private:
    QPointer<QWidget> m_mainWindow;
};

} // namespace Simulator
