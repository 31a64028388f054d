#include "sandbox/CDemoScenario.h"

namespace Sandbox {

namespace {

QList<CDemoScenario> scenarios()
{
    const QStringList threeCameras = { QStringLiteral("Bench left"), QStringLiteral("Bench right"),
                                       QStringLiteral("Desk") };

    CDemoScenario success;
    success.name = QStringLiteral("success");
    success.start = CDemoScenario::FromContextMenu;
    success.contextCameraId = QStringLiteral("A120-0001");
    success.cameras = QStringList { QStringLiteral("Bench left"), QStringLiteral("Desk") };
    success.updateFile = QStringLiteral("updates/A1-20_1.5.0.guf");
    success.expectedSuccessful = 2;
    success.expectedLogLines = QStringList { QStringLiteral("Finished firmware update (2/2)"),
                                             QStringLiteral("DeviceFirmwareVersion: 1.5.0"),
                                             QStringLiteral("Finished all firmware updates") };

    CDemoScenario failure;
    failure.name = QStringLiteral("failure");
    failure.cameras = threeCameras;
    failure.updateFile = QStringLiteral("updates/A1-20_1.6.0_upload-fails.guf");
    failure.expectedFailed = 1;
    failure.expectedSkipped = 2;
    failure.expectedLogLines = QStringList {
        QStringLiteral("The camera rejected the firmware image (checksum mismatch in "
                       "block 12)"),
        QStringLiteral("Firmware update (1/3) failed."),
        QStringLiteral("Further firmware updates will be skipped")
    };

    CDemoScenario cancel;
    cancel.name = QStringLiteral("cancel");
    cancel.cameras = threeCameras;
    cancel.updateFile = QStringLiteral("updates/A1-20_1.5.0.guf");
    cancel.cancelDuringFirstUpdate = true;
    // Slow enough that the first camera is still running when Cancel comes.
    cancel.timeScale = 0.2;
    cancel.expectedSuccessful = 1;
    cancel.expectedSkipped = 2;
    cancel.expectedLogLines
            = QStringList { QStringLiteral("User canceled firmware update"),
                            QStringLiteral("Finished firmware update (1/3)"),
                            QStringLiteral("Firmware updates have been canceled by the user") };

    CDemoScenario retry;
    retry.name = QStringLiteral("retry");
    retry.cameras = threeCameras;
    retry.updateFile = QStringLiteral("updates/A1-20_1.6.0_fails-once.guf");
    retry.retryFailed = true;
    retry.expectedSuccessful = 2;
    retry.expectedLogLines
            = QStringList { QStringLiteral("Firmware update (2/3) failed."),
                            QStringLiteral("Retrying the failed and skipped cameras"),
                            QStringLiteral("Finished firmware update (2/2)") };

    return { success, failure, cancel, retry };
}

} // namespace

CDemoScenario CDemoScenario::byName(const QString &name)
{
    for (const CDemoScenario &scenario : scenarios()) {
        if (scenario.name == name)
            return scenario;
    }
    return {};
}

QStringList CDemoScenario::names()
{
    QStringList result;
    for (const CDemoScenario &scenario : scenarios())
        result.append(scenario.name);
    return result;
}

} // namespace Sandbox
