#pragma once

#include "host/CContext.h"
#include "host/IActionContainer.h"
#include "host/ICommand.h"
#include "host/IService.h"

class QAction;

namespace Plugin::Vantor {

class HOST_EXPORT IMenuService : public Core::Service::IService
{
    Q_OBJECT

public:
    explicit IMenuService(QObject *parent = nullptr);
    ~IMenuService() override;

    virtual ICommand *registerAction(QAction *action, const Core::CId &id,
                                     const Core::VantorComponents::CContext &context)
            = 0;
    virtual IActionContainer *actionContainer(const Core::CId &id) = 0;
};

} // namespace Plugin::Vantor
