#include "shell/mainwindow/startup.h"

#include "editors/dialogparts.h"
#include "model/gameinstall.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/prompts.h"
#include "platform/setting.h"
#include "shell/mainwindow/mainwindow.h"
#include "shell/mainwindow/splash.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <new>

namespace yw {

QString buildString(int revision)
{
    return QStringLiteral("%1").arg(revision, 4, 10, QLatin1Char('0'));
}

QString commandLineProject(const QStringList& arguments)
{
    QString line = arguments.mid(1).join(QLatin1Char(' '));
    line.remove(QLatin1Char('"'));
    return line;
}

QString criticalStartUpMessage(int number, const QString& description, const QString& component)
{
    return QStringLiteral("A critical error was encountered while trying to start Yolkwright. "
                          "Please forward the following information to Brindlecote:\r\n") +
           QStringLiteral("Error #") + QString::number(number) + QStringLiteral("(") + description +
           QStringLiteral(") in ") + component;
}

QSize firstRunWindowSize(const QSize& design, const QSize& least, const QRect& screen)
{
    // 600 pixels high was the screen the design was drawn on; a window of 1.6 times the design
    // holds the eBall editor beside the lists.
    const double scale = std::max(1.6, screen.height() / 600.0);
    const QSize most(screen.width() * 4 / 5, screen.height() * 4 / 5);
    return (design * scale).boundedTo(most).expandedTo(least);
}

int currentStartUpErrorNumber()
{
    try {
        throw;
    } catch (const FileError&) {
        return int(StartUpErrorNumber::FileError);
    } catch (const FormatError&) {
        return int(StartUpErrorNumber::FormatError);
    } catch (const std::bad_alloc&) {
        return int(StartUpErrorNumber::OutOfMemory);
    } catch (...) {
        return int(StartUpErrorNumber::Unexpected);
    }
}

EditorStartUp::EditorStartUp(Installation& install, ProjectState& state, const FileSystem& fso,
                             SettingsStore& settings, Prompts& prompts)
    : m_install(install), m_state(state), m_fso(fso), m_settings(settings), m_prompts(prompts)
{}

EditorStartUp::~EditorStartUp()
{
    if (m_splash)
        delete m_splash.data();
}

Splash* EditorStartUp::splash() const
{
    return m_splash;
}

bool EditorStartUp::run(const QString& commandLine, const QProcessEnvironment& env)
{
    QString component = QStringLiteral("dlgSplash");
    try {
        m_install.buildNo = buildString(YW_REVISION).toStdString();
        m_install.fso = &m_fso;
        if (m_programFolder.isEmpty()) {
            m_install.programFolder = programDataFolder();
            m_install.userFolder = userDataFolder();
        } else {
            m_install.programFolder = m_programFolder;
        }
        const QString gameFolder = findGameFolder(m_fso, m_prompts, env);
        if (gameFolder.isEmpty())
            return false;

        component = QStringLiteral("mfmCore");
        m_window = std::make_unique<MainWindow>(m_install, m_state, m_settings, m_prompts);
        checkEdition(m_install, m_settings, m_prompts, env);
        m_install.gameFolder = gameFolder;
        const bool firstRun =
            m_settings.read(kSectionMdi, setting::width.key, QString()).isEmpty() &&
            m_settings.read(kSectionMdi, setting::height.key, QString()).isEmpty();
        m_window->load(commandLine);
        if (const QScreen* screen = QGuiApplication::primaryScreen(); firstRun && screen) {
            m_window->setGeometry(centredOnScreen(firstRunWindowSize(
                QSize(464, 388), m_window->minimumSize(), screen->availableGeometry())));
        }

        component = QStringLiteral("dlgSplash");
        // Made only when it is to be shown: its large title font costs start-up time.
        if (setting::optSplash.number(m_settings) >= 1)
            m_splash = new Splash(QString::fromStdString(m_install.buildNo));
        m_window->show();
        if (m_splash) {
            m_splash->show();
            m_splash->raise();
            m_splash->activateWindow();
        }
        return true;
    } catch (...) {
        const int number = currentStartUpErrorNumber();
        QString description;
        try {
            throw;
        } catch (const Error& e) {
            description = e.message();
        } catch (const std::exception& e) {
            description = QString::fromLocal8Bit(e.what());
        } catch (...) {
            description = QStringLiteral("Unknown error");
        }
        delete m_splash.data();
        m_window.reset();
        m_prompts.message(criticalStartUpMessage(number, description, component),
                          PromptIcon::Critical);
        return false;
    }
}

} // namespace yw
