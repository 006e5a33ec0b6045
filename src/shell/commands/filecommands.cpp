#include "shell/commands/filecommands.h"

#include "document/document.h"
#include "files/breedsheet.h"
#include "files/egggrowth.h"
#include "files/eggwriter.h"
#include "files/keptoriginals.h"
#include "files/packagewriter.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/prompts.h"
#include "shell/commands/importcommand.h"
#include "shell/dialogs/breedsheetwindow.h"
#include "shell/dialogs/filedialogs.h"
#include "shell/dialogs/newprojectwizard.h"
#include "shell/mainwindow/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QInputDialog>
#include <QMenu>
#include <QStatusBar>

namespace yw {

namespace {

// The busy pointer for the length of a write, restored however the write ends.
class BusyPointer
{
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// How long the status bar says what was written, before the project path is back.
constexpr int kWrittenNoteMs = 10000;

// Growing as the Options window says; else asking, for a write that needs it.
EggGrowth growthFor(const Document& document)
{
    EggGrowth growth;
    growth.allowed = document.textsMayGrow();
    growth.ask = true;
    return growth;
}

// What grew, for the status bar after what was written.
QString grownNote(const EggGrowth& growth)
{
    QStringList grown;
    for (const GrownResource& g : growth.grown)
        grown << QStringLiteral("%1 by %2 bytes").arg(g.resource).arg(g.newLength - g.oldLength);
    return grown.isEmpty() ? QString()
                           : QStringLiteral("; grown: ") + grown.join(QStringLiteral(", "));
}

} // namespace

FileCommands::FileCommands(MainWindow& window, const Installation& install, ProjectState& state,
                           SettingsStore& settings, Prompts& prompts, FileDialogs& dialogs)
    : m_window(window), m_menu(window.menus().file), m_install(install), m_state(state),
      m_settings(settings), m_prompts(prompts), m_dialogs(dialogs),
      m_runWizard([](NewProjectWizard& wizard) { return wizard.exec() == QDialog::Accepted; }),
      m_chooseBreed([this](const QStringList& breeds) {
          bool ok = false;
          const QString breed = QInputDialog::getItem(
              &m_window, QStringLiteral("Restore Game Egg"),
              QStringLiteral("Put back the game's own egg of:"), breeds, 0, false, &ok);
          return ok ? breed : QString();
      })
{
    connect(m_menu.newProject, &QAction::triggered, this, &FileCommands::New);
    connect(m_menu.open, &QAction::triggered, this, &FileCommands::mnuOpen_Click);
    connect(m_menu.openEggOrPackage, &QAction::triggered, this, [this] {
        openEggOrPackage(m_install, m_state, m_window.document(), m_prompts, m_dialogs);
    });
    connect(m_menu.saveProject, &QAction::triggered, this, &FileCommands::Save);
    connect(m_menu.saveEgg, &QAction::triggered, this, &FileCommands::SaveEgg);
    connect(m_menu.savePackage, &QAction::triggered, this, &FileCommands::SavePackage);
    connect(m_menu.saveAs, &QAction::triggered, this, &FileCommands::SaveAs);
    connect(m_menu.exportSheet, &QAction::triggered, this, &FileCommands::ExportSheet);
    connect(m_menu.restoreEgg, &QAction::triggered, this, &FileCommands::RestoreGameEgg);
    for (int k = 1; k <= kRecentFileCount; ++k)
        connect(m_menu.recent[size_t(k)], &QAction::triggered, this, [this, k] { openRecent(k); });
    // The save commands follow the Save button, copied each time the File menu opens.
    connect(m_menu.menu, &QMenu::aboutToShow, this,
            [this] { m_window.setSaveEnabled(m_window.isSaveEnabled()); });
}

FileCommands::~FileCommands() = default;

void FileCommands::reportFailure(const QString& what, const QString& reason)
{
    m_prompts.message(what + QStringLiteral("\r\n") + reason, PromptIcon::Exclamation);
}

void FileCommands::New()
{
    NewProjectWizard wizard(m_install, m_state, m_prompts, m_dialogs, &m_window);
    if (!m_runWizard(wizard))
        return;
    m_window.document().adoptNew(wizard.created(), wizard.createdPath());
}

void FileCommands::mnuOpen_Click()
{
    if (!m_window.document().askSaveQuestion())
        return;
    const QString path = m_dialogs.openPath(FileKind::Project, kProjectFilter);
    if (path.isEmpty())
        return;
    m_window.document().openAndRemember(path);
}

void FileCommands::Save()
{
    // The shortcut reaches here only while saving is enabled; the guard keeps it that way.
    const QString path = m_window.document().path();
    if (!m_window.isSaveEnabled() || path.isEmpty())
        return;
    m_window.document().saveAs(path);
}

void FileCommands::SaveAs()
{
    if (!m_window.isSaveEnabled())
        return;
    m_dialogs.suggestName(QFileInfo(m_window.document().path()).completeBaseName());
    const QString path = m_dialogs.savePath(FileKind::Project, kProjectFilter);
    if (path.isEmpty())
        return;
    m_window.document().saveAs(path);
}

bool FileCommands::writeFile(FileKind kind, const QString& filter, const QString& failure,
                             const std::function<void(const QString& path)>& write)
{
    if (!m_window.isSaveEnabled())
        return false;
    m_dialogs.suggestName(fileNameFrom(cp1252::toUnicode(m_state.breedName)));
    const QString path = m_dialogs.savePath(kind, filter);
    if (path.isEmpty())
        return false;
    try {
        const BusyPointer busy;
        write(path);
        return true;
    } catch (const Cancelled&) {
        return false;
    } catch (const Error& e) {
        reportFailure(failure.arg(path), e.message());
        return false;
    }
}

void FileCommands::SaveEgg()
{
    const Document& document = m_window.document();
    writeFile(FileKind::Egg, kEggFilter, QStringLiteral("The egg %1 could not be written."),
              [&](const QString& path) {
                  EggGrowth growth = growthFor(document);
                  saveODD(m_install, m_state, document.shape(), path, m_prompts, document.path(),
                          &growth);
                  QString note = tr("Egg written: %1").arg(path) + grownNote(growth);
                  if (const QString kept = keptOriginalFor(m_install, path); !kept.isEmpty())
                      note += QStringLiteral(". ") + keptNote(kept);
                  m_window.statusBar()->showMessage(note, kWrittenNoteMs);
              });
}

void FileCommands::SavePackage()
{
    const Document& document = m_window.document();
    writeFile(FileKind::Package, kPackageFilter,
              QStringLiteral("The package %1 could not be written."), [&](const QString& path) {
                  EggGrowth growth = growthFor(document);
                  SaveYPK(m_install, m_state, document.shape(), path, m_prompts, m_settings,
                          document.path(), &growth);
                  m_window.statusBar()->showMessage(
                      tr("Package written: %1").arg(path) + grownNote(growth), kWrittenNoteMs);
              });
}

void FileCommands::ExportSheet()
{
    const Document& document = m_window.document();
    QImage picture;
    const auto draw = [&](const BreedSheet& sheet, bool svg) {
        picture = renderBreedSheet(sheet);
        if (svg)
            return breedSheetSvg(sheet);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        return png;
    };
    if (!writeFile(FileKind::Sheet, kSheetFilter,
                   QStringLiteral("The breed sheet %1 could not be written."),
                   [&](const QString& path) {
                       const bool svg = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
                       saveBreedSheet(m_install, m_state, document.shape(), path, document.path(),
                                      [&](const BreedSheet& sheet) { return draw(sheet, svg); });
                   }))
        return;
    auto* window = new BreedSheetWindow(picture, cp1252::toUnicode(m_state.breedName), &m_window);
    window->show();
}

void FileCommands::RestoreGameEgg()
{
    const QStringList kept = keptBreeds(m_install);
    if (kept.isEmpty()) {
        m_prompts.message(QStringLiteral("Yolkwright has not written over any egg of the game, "
                                         "so there is no original egg to put back."),
                          PromptIcon::Information);
        return;
    }
    const QString breed = m_chooseBreed(kept);
    if (breed.isEmpty())
        return;
    try {
        const BusyPointer busy;
        const QString egg = restoreGameEgg(m_install, breed);
        m_window.statusBar()->showMessage(tr("Original egg put back: %1").arg(egg), kWrittenNoteMs);
    } catch (const Error& e) {
        reportFailure(QStringLiteral("The original egg of %1 could not be put back.").arg(breed),
                      e.message());
    }
}

void FileCommands::openRecent(int k)
{
    m_window.document().openRecent(k);
}

} // namespace yw
