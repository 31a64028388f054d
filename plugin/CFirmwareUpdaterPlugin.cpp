#include "plugin/CFirmwareUpdaterPlugin.h"

#include "host/CContext.h"
#include "host/CId.h"
#include "host/DorvixEnums.h"
#include "host/ICameraEnumerationService.h"
#include "host/IDeviceSelectorService.h"
#include "host/IMenuService.h"
#include "host/ServiceLookup.h"
#include "service/CFirmwareUpdaterService.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Plugin::FirmwareUpdater {

using Core::Service::findService;
using Internal::Service::CFirmwareUpdaterService;

namespace {

QString startActionText()
{
    return CFirmwareUpdaterPlugin::tr("Firmware Updater");
}

// The object name lets tools find the action in any language.
QAction *createStartAction(const char *name, QObject *parent)
{
    auto *action = new QAction(startActionText(), parent);
    action->setObjectName(QLatin1String(name));
    action->setIcon(
            QIcon(QStringLiteral(":/firmwareupdater/icons/firmware_updater_icon_16x16_en")));
    return action;
}

} // namespace

CFirmwareUpdaterPlugin::CFirmwareUpdaterPlugin()
{
    // The language change reaches the application object, not plain objects.
    if (QCoreApplication *application = QCoreApplication::instance())
        application->installEventFilter(this);
}

CFirmwareUpdaterPlugin::~CFirmwareUpdaterPlugin()
{
    if (m_qtTranslator)
        QCoreApplication::removeTranslator(m_qtTranslator.get());
    // Deleted without uninitialize: the wizard must still not outlive us.
    if (m_service)
        m_service->shutdown();
    m_service.reset();
    m_registry.clear();
}

bool CFirmwareUpdaterPlugin::initialize(QPointer<Core::Service::IServiceRegistry> registry)
{
    m_registry = registry;
    // The worker thread's step signals cross threads by queued connection.
    qRegisterMetaType<Plugin::Dorvix::EFirmwareUpdateStep>("Plugin::Dorvix::EFirmwareUpdateStep");
    if (!m_service)
        m_service = CFirmwareUpdaterService::create(m_registry, this);
    if (m_registry)
        m_registry->addService(m_service);
    return true;
}

bool CFirmwareUpdaterPlugin::extensionsInitialized()
{
    if (const auto menuService = findService<Plugin::Vantor::IMenuService>(m_registry)) {
        Plugin::Vantor::IActionContainer *contextMenu
                = menuService->actionContainer(Core::CId("OndrelViewer.LintrelContextMenu"));
        Plugin::Vantor::IActionContainer *toolsMenu
                = menuService->actionContainer(Core::CId("OndrelViewer.Menu.Tools"));

        m_menuAction = createStartAction("FirmwareUpdater.Menu.Start", this);
        m_menuAction->setVisible(true);
        m_menuAction->setEnabled(false);
        m_contextAction = createStartAction("FirmwareUpdater.Context.Start", this);
        m_contextAction->setVisible(false);

        const Core::VantorComponents::CContext context(Core::CId("Vantor.Global.Context"));
        Plugin::Vantor::ICommand *menuCommand = menuService->registerAction(
                m_menuAction, Core::CId("FirmwareUpdater.Menu.Start"), context);
        Plugin::Vantor::ICommand *contextCommand = menuService->registerAction(
                m_contextAction, Core::CId("FirmwareUpdater.Context.Start"), context);

        if (m_service) {
            m_service->createWizard();
            connect(m_menuAction, &QAction::triggered, m_service.data(),
                    &IFirmwareUpdaterService::startWizard);
            connect(m_contextAction, &QAction::triggered, m_service.data(),
                    &IFirmwareUpdaterService::startWizard);
        }

        // The host promises both; a broken host must still not crash us.
        if (contextMenu && contextCommand)
            contextMenu->addAction(contextCommand,
                                   Core::CId("OndrelViewer.Group.LintrelContextMenu.Misc"));
        if (toolsMenu && menuCommand)
            toolsMenu->addAction(menuCommand, Core::CId("OndrelViewer.Group.Tools.Tools"));
    }

    if (const auto enumerationService
        = findService<Plugin::Dorvix::ICameraEnumerationService>(m_registry)) {
        // The plug-in's handler must run before the service rebuilds its tree.
        connect(enumerationService.data(),
                &Plugin::Dorvix::ICameraEnumerationService::enumerationChanged, this,
                &CFirmwareUpdaterPlugin::onEnumerationChanged);
        if (m_service)
            connect(enumerationService.data(),
                    &Plugin::Dorvix::ICameraEnumerationService::enumerationChanged,
                    m_service.data(), &IFirmwareUpdaterService::onEnumerationChanged);
    }

    if (const auto selectorService
        = findService<Plugin::Lintrel::IDeviceSelectorService>(m_registry))
        connect(selectorService.data(), &Plugin::Lintrel::IDeviceSelectorService::selectionChanged,
                this, &CFirmwareUpdaterPlugin::onSelectionChanged);

    return true;
}

bool CFirmwareUpdaterPlugin::uninitialize(QPointer<Core::Service::IServiceRegistry> registry)
{
    Q_UNUSED(registry)
    if (m_registry && m_service)
        m_registry->removeService(m_service);
    // The states hold the service too; shutting down releases them, so the
    // service goes here and no state outlives it.
    if (m_service)
        m_service->shutdown();
    m_service.reset();
    return true;
}

bool CFirmwareUpdaterPlugin::setLanguage(const QString &language)
{
    const bool ours = ALocalizedPlugin::setLanguage(language);
    if (m_qtTranslator) {
        QCoreApplication::removeTranslator(m_qtTranslator.get());
        m_qtTranslator.reset();
    }
    // English needs none; a language without Qt's catalogue keeps Qt's English.
    auto translator = std::make_unique<QTranslator>();
    if (ours && language != QLatin1String("en")
        && translator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        m_qtTranslator = std::move(translator);
    }
    return ours;
}

bool CFirmwareUpdaterPlugin::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && watched == QCoreApplication::instance()) {
        for (QAction *action : { m_menuAction, m_contextAction }) {
            if (action)
                action->setText(startActionText());
        }
    }
    return ALocalizedPlugin::eventFilter(watched, event);
}

void CFirmwareUpdaterPlugin::onEnumerationChanged()
{
    // Without the menu service there are no actions to keep in step.
    if (!m_menuAction || !m_contextAction)
        return;
    const auto enumerationService
            = findService<Plugin::Dorvix::ICameraEnumerationService>(m_registry);
    if (!enumerationService)
        return;

    bool anyCamera = false;
    const QVector<Plugin::Dorvix::TransportLayerInfoPtr> transportLayers
            = enumerationService->transportLayers();
    for (const Plugin::Dorvix::TransportLayerInfoPtr &transportLayer : transportLayers) {
        if (transportLayer && !transportLayer->cameras().isEmpty()) {
            anyCamera = true;
            break;
        }
    }
    m_menuAction->setEnabled(anyCamera);
    if (!anyCamera)
        m_contextAction->setVisible(false);
}

void CFirmwareUpdaterPlugin::onSelectionChanged(Core::DorvixComponents::DeviceBaseInfoPtr device)
{
    if (!m_service)
        return;
    const Core::DorvixComponents::CameraInfoPtr camera
            = device.dynamicCast<Core::DorvixComponents::ICameraInfo>();
    if (camera) {
        if (m_contextAction)
            m_contextAction->setVisible(m_service->isCameraSupported(camera));
        m_service->setPreselectedCamera(camera);
    } else if (m_contextAction) {
        m_contextAction->setVisible(false);
    }
}

} // namespace Plugin::FirmwareUpdater
