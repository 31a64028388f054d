#include "state/CFirmwareUpdateStepBase.h"

#include "host/ServiceLookup.h"
#include "api/IFirmwareUpdaterService.h"

namespace Plugin::FirmwareUpdater::Internal::State {

CFirmwareUpdateStepBase::CFirmwareUpdateStepBase(QPointer<Core::Service::IServiceRegistry> registry,
                                                 QWidget *page, QState *parent)
    : QState(parent)
    , m_page(page)
    , m_service(Core::Service::findService<IFirmwareUpdaterService>(registry))
{ }

CFirmwareUpdateStepBase::~CFirmwareUpdateStepBase() = default;

QPointer<QWidget> CFirmwareUpdateStepBase::page()
{
    return m_page;
}

void CFirmwareUpdateStepBase::onEntry(QEvent *event)
{
    QState::onEntry(event);
    QWidget *page = m_page.data();
    if (!page)
        return;
    if (!m_service) {
        page->show();
        return;
    }
    const QSize size = m_service->pageSize();
    const QPoint position = m_service->pagePosition();
    if (!size.isValid()) {
        page->show();
        return;
    }
    const Qt::WindowStates state = m_service->pageWindowState();
    // A full-screen page comes back maximized, not full screen.
    if (state.testFlag(Qt::WindowFullScreen) || state.testFlag(Qt::WindowMaximized)) {
        page->showMaximized();
        return;
    }
    page->setWindowState(state);
    page->move(position);
    page->resize(size);
    page->show();
}

void CFirmwareUpdateStepBase::onExit(QEvent *event)
{
    QState::onExit(event);
    QWidget *page = m_page.data();
    if (!page)
        return;
    if (m_service) {
        m_service->setPageSize(page->size());
        m_service->setPagePosition(page->pos());
        m_service->setPageWindowState(page->windowState());
    }
    page->hide();
}

} // namespace Plugin::FirmwareUpdater::Internal::State
