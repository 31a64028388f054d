#pragma once

#include <QString>
#include <QStringList>

namespace Sandbox {

// One scripted walk through the wizard on the shipped sample setup: how it
// starts, what the user checks and picks, and what the result page and the
// log must then show.
class CDemoScenario
{
public:
    enum EStart { FromToolsMenu, FromContextMenu };

    // Null name when there is no scenario of that name.
    static CDemoScenario byName(const QString &name);
    static QStringList names();

    bool isValid() const { return !name.isEmpty(); }

    QString name;
    EStart start = FromToolsMenu;
    // Picked in the camera selector first when starting from its menu.
    QString contextCameraId;
    // Display names of the cameras to check on the first page.
    QStringList cameras;
    // Relative to the samples folder.
    QString updateFile;
    bool cancelDuringFirstUpdate = false;
    // Retry once from the result page; the expectations are the retry's.
    bool retryFailed = false;
    double timeScale = 0.1;
    int expectedSuccessful = 0;
    int expectedFailed = 0;
    int expectedSkipped = 0;
    QStringList expectedLogLines;
};

} // namespace Sandbox
