#pragma once

// Drives the whole wizard the way a user does: the plug-in in a simulated
// viewer, real pages, clicks on their buttons and the update file typed into
// page 2. Log lines are compared without their time stamps.

#include "support/SimulatedHost.h"

#include "host/ServiceLookup.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "plugin/CFirmwareUpdaterPlugin.h"
#include "api/IFirmwareUpdaterService.h"
#include "view/CCameraSelectionDialog.h"
#include "view/CFirmwareUpdateDialog.h"
#include "view/CResultSummaryDialog.h"
#include "view/CUpdateSelectionDialog.h"
#include "view/CUpdateSummaryDialog.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QtTest>

namespace FU = Plugin::FirmwareUpdater;
namespace View = FU::Internal::View;

class WizardDriver
{
public:
    WizardDriver()
    {
        plugin->initialize(host.registry);
        plugin->extensionsInitialized();
        service = Core::Service::findService<FU::IFirmwareUpdaterService>(host.registry);
        page1 = host.mainWindow->findChild<View::CCameraSelectionDialog *>();
        page2 = host.mainWindow->findChild<View::CUpdateSelectionDialog *>();
        page3 = host.mainWindow->findChild<View::CUpdateSummaryDialog *>();
        page4 = host.mainWindow->findChild<View::CFirmwareUpdateDialog *>();
        page5 = host.mainWindow->findChild<View::CResultSummaryDialog *>();
    }

    ~WizardDriver()
    {
        unload();
    }

    // The viewer unloading the plug-in.
    void unload()
    {
        if (plugin)
            plugin->uninitialize(host.registry);
        service.reset();
        plugin.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // "id|display name|model|firmware" on one transport layer.
    void addCameras(const QStringList &cameras)
    {
        host.pool.addTransportLayer(QStringLiteral("GigE"), QStringLiteral("GigE"));
        for (const QString &line : cameras) {
            const QStringList f = line.split('|');
            Simulator::CSimulatedCamera::Setup setup(f.value(0), f.value(1), f.value(2), f[3]);
            setup.secondaryName = QStringLiteral("S-") + setup.id;
            setup.detailText = QStringLiteral("detail ") + setup.id;
            host.pool.addCamera(QStringLiteral("GigE"), setup);
        }
    }

    // Cameras "SN00000".. "Camera SN00000".. of model M on firmware 1.0; their ids.
    QStringList addNumberedCameras(int count)
    {
        QStringList setup;
        QStringList ids;
        for (int i = 0; i < count; ++i) {
            ids << QStringLiteral("SN%1").arg(i, 5, 10, QLatin1Char('0'));
            setup << QStringLiteral("%1|Camera %1|M|1.0").arg(ids.last());
        }
        addCameras(setup);
        return ids;
    }

    QString writeUpdateFile(const QByteArray &content)
    {
        QFile file(temp.path() + QStringLiteral("/update.guf"));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(content);
        return file.fileName();
    }

    static QAbstractButton *button(QWidget *page, const QString &text)
    {
        for (QAbstractButton *b : page->findChild<QDialogButtonBox *>("buttonBox")->buttons())
            if (b->text().remove(QLatin1Char('&')) == text)
                return b;
        return nullptr;
    }

    static bool click(QWidget *page, const QString &text)
    {
        QAbstractButton *b = button(page, text);
        if (!b || !b->isEnabled() || !b->isVisible())
            return false;
        // Page 3 takes no Next within a double-click's time of being shown.
        if (qobject_cast<View::CUpdateSummaryDialog *>(page) && text == QLatin1String("Next"))
            QTest::qWait(QApplication::doubleClickInterval() + 1);
        QTest::mouseClick(b, Qt::LeftButton);
        return true;
    }

    bool start()
    {
        service->startWizard();
        SimulatedHost::settle();
        return page1 && page1->isVisible();
    }

    // Checks cameras the way the check box editor does.
    void check(const QStringList &ids, bool checked = true)
    {
        const auto model = page1->treeModel();
        for (const QString &id : ids) {
            const QModelIndex index = model->findCameraIndex(QStringLiteral("GigE"), id, 0);
            model->setData(index, checked, Qt::EditRole);
            model->applySelectionRules(index);
        }
    }

    void typePath(const QString &path)
    {
        auto *edit = page2->findChild<QLineEdit *>("updateFileLineEdit");
        edit->clear();
        QTest::keyClicks(edit, path);
    }

    // Page 1 to page 3 with the given cameras checked and file typed.
    bool toSummary(const QStringList &ids, const QString &path)
    {
        check(ids);
        if (!click(page1, QStringLiteral("Next")) || !page2->isVisible())
            return false;
        typePath(path);
        return click(page2, QStringLiteral("Next")) && page3->isVisible();
    }

    bool waitForResults()
    {
        return QTest::qWaitFor([this] { return page5->isVisible(); }, 60000);
    }

    bool closeOn(QWidget *page)
    {
        logPath = service->logFilePath();
        const bool clicked = click(page, QStringLiteral("Close"));
        SimulatedHost::settle();
        return clicked && !page->isVisible() && service->logFilePath().isEmpty();
    }

    // The run's log without time stamps: "LEVEL message".
    QStringList log() const
    {
        QFile file(logPath);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return { QStringLiteral("<no log at %1>").arg(logPath) };
        static const QRegularExpression stamp(
                QStringLiteral("^.*? (?=(DEBUG|INFO|WARNING|CRITICAL) )"));
        QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        if (lines.last().isEmpty())
            lines.removeLast();
        return lines.replaceInStrings(stamp, QString());
    }

    // "ok failed skipped" as page 5 counts them.
    QString counts() const
    {
        int failed = 0, ok = 0, skipped = 0;
        page5->treeModel()->countUpdateResults(&failed, &ok, &skipped);
        return QStringLiteral("%1 %2 %3").arg(ok).arg(failed).arg(skipped);
    }

    // The run logs land in this driver's own folder, apart from other tests.
    TempFolder temp;
    SimulatedHost host;
    std::unique_ptr<FU::CFirmwareUpdaterPlugin> plugin { new FU::CFirmwareUpdaterPlugin };
    QSharedPointer<FU::IFirmwareUpdaterService> service;
    QPointer<View::CCameraSelectionDialog> page1;
    QPointer<View::CUpdateSelectionDialog> page2;
    QPointer<View::CUpdateSummaryDialog> page3;
    QPointer<View::CFirmwareUpdateDialog> page4;
    QPointer<View::CResultSummaryDialog> page5;
    QString logPath;
};
