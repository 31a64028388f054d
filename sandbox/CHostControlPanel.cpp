#include "sandbox/CHostControlPanel.h"

#include "simulator/CCameraPool.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace Sandbox {

namespace {

struct Speed
{
    const char *label;
    double scale;
};

const Speed kSpeeds[] = {
    { QT_TRANSLATE_NOOP("Sandbox::CHostControlPanel", "Instant"), 0.0 },
    { QT_TRANSLATE_NOOP("Sandbox::CHostControlPanel", "10 times faster"), 0.1 },
    { QT_TRANSLATE_NOOP("Sandbox::CHostControlPanel", "4 times faster"), 0.25 },
    { QT_TRANSLATE_NOOP("Sandbox::CHostControlPanel", "Real time"), 1.0 },
};

struct Language
{
    const char *code;
    const char *name;
};

// Each language names itself, so it can be found whatever is shown now.
const Language kLanguages[] = {
    { "en", "English" },
    { "ja", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E" },
    { "ko", "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4" },
    { "zh", "\xE4\xB8\xAD\xE6\x96\x87" },
};

} // namespace

CHostControlPanel::CHostControlPanel(Simulator::CCameraPool *pool, QWidget *parent)
    : QWidget(parent)
    , m_pool(pool)
{
    setObjectName(QStringLiteral("hostControlPanel"));
    auto *layout = new QVBoxLayout(this);

    auto *cameraGroup = new QGroupBox(tr("Selected camera"), this);
    auto *cameraLayout = new QVBoxLayout(cameraGroup);
    m_busyCheckBox = new QCheckBox(tr("Busy (acquiring or recording)"), cameraGroup);
    m_busyCheckBox->setObjectName(QStringLiteral("busyCheckBox"));
    m_removeButton = new QPushButton(tr("Remove camera"), cameraGroup);
    m_removeButton->setObjectName(QStringLiteral("removeCameraButton"));
    cameraLayout->addWidget(m_busyCheckBox);
    cameraLayout->addWidget(m_removeButton);
    layout->addWidget(cameraGroup);

    auto *addGroup = new QGroupBox(tr("Add camera"), this);
    auto *addLayout = new QFormLayout(addGroup);
    m_layerComboBox = new QComboBox(addGroup);
    m_nameLineEdit = new QLineEdit(tr("New camera"), addGroup);
    m_modelLineEdit = new QLineEdit(QStringLiteral("A1-20"), addGroup);
    m_firmwareLineEdit = new QLineEdit(QStringLiteral("1.0.0"), addGroup);
    auto *addButton = new QPushButton(tr("Add camera"), addGroup);
    addButton->setObjectName(QStringLiteral("addCameraButton"));
    addLayout->addRow(tr("Transport layer"), m_layerComboBox);
    addLayout->addRow(tr("Name"), m_nameLineEdit);
    addLayout->addRow(tr("Model"), m_modelLineEdit);
    addLayout->addRow(tr("Firmware"), m_firmwareLineEdit);
    addLayout->addRow(addButton);
    layout->addWidget(addGroup);

    auto *simulationGroup = new QGroupBox(tr("Host"), this);
    auto *simulationLayout = new QFormLayout(simulationGroup);
    m_speedComboBox = new QComboBox(simulationGroup);
    m_speedComboBox->setObjectName(QStringLiteral("speedComboBox"));
    for (const Speed &speed : kSpeeds)
        m_speedComboBox->addItem(tr(speed.label), speed.scale);
    m_languageComboBox = new QComboBox(simulationGroup);
    m_languageComboBox->setObjectName(QStringLiteral("languageComboBox"));
    for (const Language &language : kLanguages)
        m_languageComboBox->addItem(QString::fromUtf8(language.name),
                                    QString::fromLatin1(language.code));
    simulationLayout->addRow(tr("Update speed"), m_speedComboBox);
    simulationLayout->addRow(tr("Language"), m_languageComboBox);
    layout->addWidget(simulationGroup);
    layout->addStretch();

    connect(m_busyCheckBox, &QCheckBox::toggled, this, &CHostControlPanel::setBusy);
    connect(m_removeButton, &QPushButton::clicked, this, &CHostControlPanel::removeCurrentCamera);
    connect(addButton, &QPushButton::clicked, this, &CHostControlPanel::addCamera);
    connect(m_speedComboBox, QOverload<int>::of(&QComboBox::activated), this,
            [this](int index) { setTimeScale(m_speedComboBox->itemData(index).toDouble()); });
    connect(m_languageComboBox, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
        emit languageRequested(m_languageComboBox->itemData(index).toString());
    });
    refresh();
}

CHostControlPanel::~CHostControlPanel() = default;

void CHostControlPanel::showLanguage(const QString &language)
{
    const int index = m_languageComboBox->findData(language);
    if (index >= 0)
        m_languageComboBox->setCurrentIndex(index);
}

QStringList CHostControlPanel::languages()
{
    QStringList codes;
    for (const Language &language : kLanguages)
        codes.append(QString::fromLatin1(language.code));
    return codes;
}

void CHostControlPanel::refresh()
{
    if (!m_pool)
        return;
    const QString layer = m_layerComboBox->currentData().toString();
    m_layerComboBox->clear();
    for (const Plugin::Dorvix::TransportLayerInfoPtr &info : m_pool->transportLayers())
        m_layerComboBox->addItem(info->displayName(), info->id());
    m_layerComboBox->setCurrentIndex(qMax(0, m_layerComboBox->findData(layer)));

    // The closest offered speed stands for a scale set elsewhere.
    int closest = 0;
    for (int i = 1; i < m_speedComboBox->count(); ++i) {
        if (qAbs(m_speedComboBox->itemData(i).toDouble() - m_pool->timeScale())
            < qAbs(m_speedComboBox->itemData(closest).toDouble() - m_pool->timeScale()))
            closest = i;
    }
    m_speedComboBox->setCurrentIndex(closest);

    const Simulator::SimulatedCameraPtr camera = m_pool->camera(m_cameraId);
    const QSignalBlocker blocker(m_busyCheckBox);
    m_busyCheckBox->setChecked(camera && camera->isBusy());
    m_busyCheckBox->setEnabled(!camera.isNull());
    m_removeButton->setEnabled(!camera.isNull());
}

void CHostControlPanel::setCurrentCamera(const QString &cameraId)
{
    m_cameraId = cameraId;
    refresh();
}

void CHostControlPanel::setBusy(bool busy)
{
    if (!m_pool || !m_pool->setCameraBusy(m_cameraId, busy))
        return;
    emit camerasChanged();
}

QString CHostControlPanel::addCamera()
{
    if (!m_pool)
        return {};
    Simulator::CSimulatedCamera::Setup setup(freeCameraId(), m_nameLineEdit->text().trimmed(),
                                             m_modelLineEdit->text().trimmed(),
                                             m_firmwareLineEdit->text().trimmed());
    if (setup.displayName.isEmpty())
        setup.displayName = setup.id;
    if (setup.modelName.isEmpty()
        || !m_pool->addCamera(m_layerComboBox->currentData().toString(), setup))
        return {};
    m_pool->announceEnumerationChanged();
    return setup.id;
}

bool CHostControlPanel::removeCurrentCamera()
{
    if (!m_pool || !m_pool->removeCamera(m_cameraId))
        return false;
    m_cameraId.clear();
    refresh();
    m_pool->announceEnumerationChanged();
    return true;
}

void CHostControlPanel::setTimeScale(double scale)
{
    if (m_pool)
        m_pool->setTimeScale(scale);
    refresh();
}

QString CHostControlPanel::freeCameraId() const
{
    for (int number = 1;; ++number) {
        const QString id = QStringLiteral("SBX-%1").arg(number, 4, 10, QLatin1Char('0'));
        if (!m_pool->camera(id))
            return id;
    }
}

} // namespace Sandbox
