#pragma once

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace Simulator {
class CCameraPool;
}

namespace Sandbox {

// What a tester changes on the host side while the plug-in runs: busy
// cameras, cameras plugged in or out, the simulated update speed and the
// plug-in's language.
class CHostControlPanel : public QWidget
{
    Q_OBJECT

public:
    explicit CHostControlPanel(Simulator::CCameraPool *pool, QWidget *parent = nullptr);
    ~CHostControlPanel() override;

    // Language codes offered, in menu order.
    static QStringList languages();

    // Reads the pool again: transport layers, time scale, the camera's state.
    void refresh();

public slots:
    // The camera the busy and remove controls act on; empty for none.
    void setCurrentCamera(const QString &cameraId);
    void setBusy(bool busy);
    // Adds a camera with a fresh id on the chosen transport layer and
    // announces the new enumeration; the new id, or empty when refused.
    QString addCamera();
    bool removeCurrentCamera();
    void setTimeScale(double scale);
    // Shows the language in use without requesting it again.
    void showLanguage(const QString &language);

signals:
    // Busy state or firmware changed without a new enumeration.
    void camerasChanged();
    void languageRequested(const QString &language);

private:
    QString freeCameraId() const;

    QPointer<Simulator::CCameraPool> m_pool;
    QString m_cameraId;
    QCheckBox *m_busyCheckBox = nullptr;
    QPushButton *m_removeButton = nullptr;
    QComboBox *m_layerComboBox = nullptr;
    QLineEdit *m_nameLineEdit = nullptr;
    QLineEdit *m_modelLineEdit = nullptr;
    QLineEdit *m_firmwareLineEdit = nullptr;
    QComboBox *m_speedComboBox = nullptr;
    QComboBox *m_languageComboBox = nullptr;
};

} // namespace Sandbox
