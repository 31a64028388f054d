#pragma once

#include "host/IPlugin.h"

class QTranslator;

namespace Core::Plugin {

// A plug-in that ships its own catalogues as ":/translation/<Name>_<language>.qm",
// where <Name> is the namespace under "Plugin::" of the concrete class.
class HOST_EXPORT ALocalizedPlugin : public IPlugin
{
    Q_OBJECT

public:
    ALocalizedPlugin();
    ~ALocalizedPlugin() override;

    // Installs the catalogue for the language in place of the previous one;
    // false (and no catalogue of ours installed) when there is none.
    virtual bool setLanguage(const QString &language);

    QString pluginName() const;

private:
    QTranslator *m_translator = nullptr;
};

} // namespace Core::Plugin
