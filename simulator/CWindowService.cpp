#include "simulator/CWindowService.h"

namespace Simulator {

CWindowService::CWindowService(QWidget *mainWindow, QObject *parent)
    : IWindowService(parent)
    , m_mainWindow(mainWindow)
{ }

CWindowService::~CWindowService() = default;

QWidget *CWindowService::mainWindow() const
{
    return m_mainWindow.data();
}

} // namespace Simulator
