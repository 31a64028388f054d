#include "host/ALocalizedPlugin.h"

#include <QCoreApplication>
#include <QTranslator>

namespace Core::Plugin {

ALocalizedPlugin::ALocalizedPlugin() = default;

ALocalizedPlugin::~ALocalizedPlugin()
{
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator);
    delete m_translator;
}

QString ALocalizedPlugin::pluginName() const
{
    const QStringList parts
            = QString::fromLatin1(metaObject()->className()).split(QStringLiteral("::"));
    if (parts.size() > 2 && parts.first() == QLatin1String("Plugin"))
        return parts.at(1);
    return parts.last();
}

bool ALocalizedPlugin::setLanguage(const QString &language)
{
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator);
        delete m_translator;
        m_translator = nullptr;
    }
    auto *translator = new QTranslator;
    const QString file = QStringLiteral("%1_%2").arg(pluginName(), language);
    if (language.isEmpty() || !translator->load(file, QStringLiteral(":/translation"))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    m_translator = translator;
    return true;
}

} // namespace Core::Plugin
