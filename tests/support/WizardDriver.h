#pragma once

// Drives the whole wizard the way a user does: the plug-in in a simulated
// viewer, real pages, clicks on their buttons and the update file typed into
// page 2. Log lines are compared without their time stamps.

#include "support/SimulatedHost.h"

#include "host/ServiceLookup.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "plugin/CFirmwareUpdaterPlugin.h"
#include "plugin/IFirmwareUpdaterService.h"
#include "view/CCameraSelectionDialog.h"
#include "view/CFirmwareUpdateDialog.h"
#include "view/CResultSummaryDialog.h"
#include "view/CUpdateSelectionDialog.h"
#include "view/CUpdateSummaryDialog.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace View = Plugin::FirmwareUpdater::Internal::View;

class WizardDriver
{
public:
    WizardDriver()
        : oldTempDir(qgetenv("TMPDIR"))
    {
        // The run logs land in this driver's own folder, apart from other tests.
        qputenv("TMPDIR", dir.path().toLocal8Bit());
        plugin->initialize(host.registry);
        plugin->extensionsInitialized();
        service = Core::Service::findService<Plugin::FirmwareUpdater::IFirmwareUpdaterService>(
                host.registry);
        page1 = host.mainWindow->findChild<View::CCameraSelectionDialog *>();
        page2 = host.mainWindow->findChild<View::CUpdateSelectionDialog *>();
        page3 = host.mainWindow->findChild<View::CUpdateSummaryDialog *>();
        page4 = host.mainWindow->findChild<View::CFirmwareUpdateDialog *>();
        page5 = host.mainWindow->findChild<View::CResultSummaryDialog *>();
    }

    ~WizardDriver()
    {
        plugin->uninitialize(host.registry);
        service.reset();
        plugin.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (oldTempDir.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", oldTempDir);
    }

    // "id|display name|model|firmware" on one transport layer.
    void addCameras(const QStringList &cameras)
    {
        host.pool.addTransportLayer(QStringLiteral("GigE"), QStringLiteral("GigE"));
        for (const QString &line : cameras) {
            const QStringList f = line.split(QLatin1Char('|'));
            Simulator::CSimulatedCamera::Setup setup;
            setup.id = f.value(0);
            setup.displayName = f.value(1);
            setup.modelName = f.value(2);
            setup.firmwareVersion = f.value(3);
            setup.secondaryName = QStringLiteral("S-") + setup.id;
            setup.detailText = QStringLiteral("detail ") + setup.id;
            host.pool.addCamera(QStringLiteral("GigE"), setup);
        }
    }

    QString writeUpdateFile(const QByteArray &content)
    {
        QFile file(dir.filePath(QStringLiteral("update.guf")));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(content);
        return file.fileName();
    }

    static QAbstractButton *button(QWidget *page, const QString &text)
    {
        auto *box = page->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        for (QAbstractButton *candidate : box->buttons()) {
            if (candidate->text().remove(QLatin1Char('&')) == text)
                return candidate;
        }
        return nullptr;
    }

    static bool click(QWidget *page, const QString &text)
    {
        QAbstractButton *b = button(page, text);
        if (!b || !b->isEnabled() || !b->isVisible())
            return false;
        QTest::mouseClick(b, Qt::LeftButton);
        return true;
    }

    static bool nextEnabled(QWidget *page)
    {
        QAbstractButton *b = button(page, QStringLiteral("Next"));
        return b && b->isEnabled();
    }

    static void settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    bool start()
    {
        service->startWizard();
        settle();
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

    // Page 3's check boxes on the update model.
    void checkPlanned(const QString &id, bool checked)
    {
        const auto model = page3->treeModel();
        model->setData(model->findCameraIndex(QString(), id, 0), checked, Qt::EditRole);
    }

    void typePath(const QString &path)
    {
        auto *edit = page2->findChild<QLineEdit *>(QStringLiteral("updateFileLineEdit"));
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
        settle();
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
        QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        if (lines.last().isEmpty())
            lines.removeLast();
        for (QString &line : lines)
            line.remove(stamp);
        return lines;
    }

    // "ok failed skipped" as page 5 counts them.
    QString counts() const
    {
        int failed = 0, ok = 0, skipped = 0;
        page5->treeModel()->countUpdateResults(&failed, &ok, &skipped);
        return QStringLiteral("%1 %2 %3").arg(ok).arg(failed).arg(skipped);
    }

    QByteArray oldTempDir;
    SimulatedHost host;
    QTemporaryDir dir;
    std::unique_ptr<Plugin::FirmwareUpdater::CFirmwareUpdaterPlugin> plugin {
        new Plugin::FirmwareUpdater::CFirmwareUpdaterPlugin
    };
    QSharedPointer<Plugin::FirmwareUpdater::IFirmwareUpdaterService> service;
    QPointer<View::CCameraSelectionDialog> page1;
    QPointer<View::CUpdateSelectionDialog> page2;
    QPointer<View::CUpdateSummaryDialog> page3;
    QPointer<View::CFirmwareUpdateDialog> page4;
    QPointer<View::CResultSummaryDialog> page5;
    QString logPath;
};
