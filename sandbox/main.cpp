#include "sandbox/CDemoDriver.h"
#include "sandbox/CDemoScenario.h"
#include "sandbox/CHostControlPanel.h"
#include "sandbox/CSandboxCommandLine.h"
#include "sandbox/CSandboxMainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPalette>
#include <QStyle>

#include <cstdio>
#include <memory>

namespace {

constexpr int UsageExitCode = 2;

bool isHeadlessPlatform(const QByteArray &platform)
{
    return platform.startsWith("offscreen") || platform.startsWith("minimal");
}

// Without any display the sandbox can only show what it does in pictures.
bool noDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return isHeadlessPlatform(platform);
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// A dark desktop scheme, to see the pages as its users do.
void useDarkPalette()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    QApplication::setPalette(dark);
}

int usageError(const QString &message)
{
    std::fprintf(stderr, "firmware-updater-sandbox: %s\n", message.toUtf8().constData());
    return UsageExitCode;
}

// Shows the host and, for a demo, drives the wizard; returns the exit code.
int run(QApplication &app, Sandbox::CSandboxMainWindow &window, Sandbox::CDemoDriver *driver,
        bool setTimeScale, double timeScale)
{
    window.show();
    if (driver) {
        QObject::connect(driver, &Sandbox::CDemoDriver::finished, &app, &QCoreApplication::exit,
                         Qt::QueuedConnection);
        driver->start();
    }
    if (setTimeScale) {
        window.pool().setTimeScale(timeScale);
        window.controlPanel()->refresh();
    }
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    if (noDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    const QCommandLineOption pluginOption(
            QStringLiteral("plugin"), QStringLiteral("The plug-in file to load."),
            QStringLiteral("path"), Sandbox::CSandboxCommandLine::defaultPluginFile());
    const QCommandLineOption setupOption(
            QStringLiteral("setup"), QStringLiteral("The camera setup to start with."),
            QStringLiteral("file"),
            Sandbox::CSandboxCommandLine::defaultSamplesDir() + QStringLiteral("/cameras.json"));
    const QCommandLineOption samplesOption(
            QStringLiteral("samples"), QStringLiteral("The folder of the demo's update files."),
            QStringLiteral("dir"), Sandbox::CSandboxCommandLine::defaultSamplesDir());
    const QCommandLineOption demoOption(
            QStringLiteral("demo"),
            QStringLiteral("Walk through the wizard unattended; the default without a display."));
    const QCommandLineOption outOption(QStringLiteral("out"),
                                       QStringLiteral("Where the demo saves its screenshots."),
                                       QStringLiteral("dir"), QStringLiteral("sandbox-demo"));
    const QCommandLineOption timeScaleOption(
            QStringLiteral("time-scale"),
            QStringLiteral("Simulated update speed: 0 instant, 1 real time."),
            QStringLiteral("factor"));
    const QCommandLineOption languageOption(
            QStringLiteral("language"),
            QStringLiteral("The plug-in's language: %1.")
                    .arg(Sandbox::CHostControlPanel::languages().join(QStringLiteral(", "))),
            QStringLiteral("code"));
    const QCommandLineOption darkOption(QStringLiteral("dark"),
                                        QStringLiteral("Use a dark Fusion palette."));
    // A new option goes into this list, so that Qt cannot take it either.
    const QList<QCommandLineOption> options {
        pluginOption, setupOption,     samplesOption,  demoOption,
        outOption,    timeScaleOption, languageOption, darkOption,
    };

    Sandbox::CSandboxCommandLine commandLine(argc, argv, options);
    QApplication app(commandLine.argc(), commandLine.argv());
    QApplication::setApplicationName(QStringLiteral("firmware-updater-sandbox"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
            QStringLiteral("Hosts the FirmwareUpdater plug-in with a simulated camera pool."));
    parser.addHelpOption();
    parser.addOptions(options);
    parser.addPositionalArgument(
            QStringLiteral("scenario"),
            QStringLiteral("Demo scenario: %1 (default %2).")
                    .arg(Sandbox::CDemoScenario::names().join(QStringLiteral(", ")),
                         Sandbox::CDemoScenario::names().first()),
            QStringLiteral("[scenario]"));
    if (!commandLine.errorText().isEmpty()) {
        std::fprintf(stderr, "firmware-updater-sandbox: %s\n",
                     commandLine.errorText().toUtf8().constData());
        return 1;
    }
    parser.process(app);
    if (parser.isSet(darkOption))
        useDarkPalette();

    const bool demo = parser.isSet(demoOption)
            || isHeadlessPlatform(QGuiApplication::platformName().toLatin1());
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1 || (!positional.isEmpty() && !demo))
        return usageError(QStringLiteral("a scenario is only taken with --demo"));
    const Sandbox::CDemoScenario scenario = Sandbox::CDemoScenario::byName(
            positional.value(0, Sandbox::CDemoScenario::names().first()));
    if (!scenario.isValid())
        return usageError(QStringLiteral("unknown scenario \"%1\"; known: %2")
                                  .arg(positional.value(0),
                                       Sandbox::CDemoScenario::names().join(QStringLiteral(", "))));
    bool scaleOk = true;
    const double timeScale = parser.value(timeScaleOption).toDouble(&scaleOk);
    if (parser.isSet(timeScaleOption) && (!scaleOk || timeScale < 0.0))
        return usageError(QStringLiteral("--time-scale takes a number of 0 or more"));

    int exitCode = 0;
    {
        auto window = std::make_unique<Sandbox::CSandboxMainWindow>();
        std::unique_ptr<Sandbox::CDemoDriver> driver;
        QString error;
        if (!window->loadSetup(parser.value(setupOption), &error)
            || !window->startPlugin(parser.value(pluginOption), &error,
                                    parser.value(languageOption))) {
            exitCode = usageError(error);
        } else {
            if (demo) {
                std::printf("Plug-in file: %s\n", qPrintable(parser.value(pluginOption)));
                driver = std::make_unique<Sandbox::CDemoDriver>(window.get(), scenario,
                                                                parser.value(samplesOption),
                                                                parser.value(outOption));
            }
            exitCode = run(app, *window, driver.get(), parser.isSet(timeScaleOption), timeScale);
        }
        window->shutDown();
        driver.reset();
    }
    // The pages' last deferred deletions run the plug-in's code: finish them
    // while it is loaded.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return exitCode;
}
