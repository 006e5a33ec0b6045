#pragma once

#include "shell/commands/filecommands.h"

#include <QLabel>
#include <QMainWindow>
#include <array>
#include <memory>

class QAction;
class QComboBox;
class QFrame;
class QListWidget;
class QMdiArea;
class QMenu;
class QStatusBar;
class QTimer;

namespace yw {

struct Installation;
struct ProjectState;
class DesktopCommands;
class EditorWindows;
enum class ProjectText;
class ProjectEdits;
class ProjectSession;
class UndoCommands;
class Prompts;
class SettingsStore;

// The tips box's close glyph: red while a mouse button is down on it, a click closes the box.
class CloseGlyph : public QLabel
{
    Q_OBJECT
public:
    explicit CloseGlyph(QWidget* parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The main window `mfmCore`: menus, the left panel with the component and eBall lists and the
// tips box, the child-window area and the status bar that holds the project path.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(Installation& install, ProjectState& state, SettingsStore& settings,
               Prompts& prompts, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The part of the window's load that follows the edition check and the game folder: the
    // stored preferences and window size, the start-up values, the command-line project and
    // the recent files. Throws when a stored setting cannot be read (a critical start-up error).
    void load(const QString& commandLineProject);

    // Fills `list` with the eBall labels of the base breed's information file. All or nothing:
    // a missing or unreadable file leaves the list empty and tells the user.
    void epopulate(QListWidget* list);

    // Open, save, the save question and the recent files; the status bar shows its path.
    ProjectSession& session() const { return *m_session; }
    // Every change of the project, as a step of its history.
    ProjectEdits& edits() const { return *m_edits; }

    bool isSaveEnabled() const { return m_saveEnabled; }
    void setSaveEnabled(bool enabled);

    // Rebuilds the File menu's recent files from the settings.
    void ShowRecentFiles();

    // Puts the tips box 75 twips above the panel's bottom and lets the eBall list end 90 twips
    // above it (or above the panel's bottom while the box is hidden).
    void layoutLeftPanel();
    bool tipsVisible() const;
    void setTipsVisible(bool visible);

    // Item 0 of the component list follows the breed-name field of the Slot/Tray panel.
    void setBreedNameItem(const QString& name);

    // Chooses eBall `record` in the lists, which opens it in the eBall editor; gives its label
    // (empty when the breed has no such eBall).
    QString showBall(int record);
    // Chooses the panel that edits `text` in the component list, which brings it to the front;
    // gives the panel's name.
    QString showTextPanel(ProjectText text);

    // The toolbar, Options, the Edit and Help menus.
    DesktopCommands* desktop() const { return m_desktop; }
    void tBarButton_Click(int index);

    // Replaces the child windows the lists open (tests use a recording stand-in).
    void setEditorWindows(std::unique_ptr<EditorWindows> editors);
    EditorWindows* editorWindows() const { return m_editors.get(); }

    // The File menu's items, for the commands that answer them.
    FileCommands::Actions fileActions() const;

signals:
    void saveEnabledChanged(bool enabled);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void createLeftPanel();
    void fillWindowMenu();
    void tileSubWindows(Qt::Orientation orientation);
    void arrangeIcons();
    void componentChosen(int index);
    void openSelectedBall();
    void writeWindowSettings();
    void closeEditors();
    // After a project was opened or created: the component list shows the breed and its ball
    // sets with the breed selected and enabled, and saving is possible.
    void showOpenedProject();

    // The ball set the eBall list shows: 0 set A, 1 set B.
    int lnzSet = 0;
    // True while the eBall list holds the eBalls of a ball set.
    bool eblistHoldsBalls = false;

    QMenu* mnuFile = nullptr;
    QAction* mnuNew = nullptr;
    QAction* mnuOpen = nullptr;
    QMenu* mnuSave = nullptr;
    QAction* mnuSaveOPJ = nullptr;
    QAction* mnuSaveODD = nullptr;
    QAction* mnuSaveYPK = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuExportSheet = nullptr;
    std::array<QAction*, 5> mnuRecentFile{};
    QAction* mnuFile_Exit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuCut = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuPaste = nullptr;
    QAction* mnuClear = nullptr;
    QAction* mnuReplaceColour = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuView_Tips = nullptr;
    QAction* mnuView_Tbar = nullptr;
    QAction* mnuOptions = nullptr;
    QMenu* mnUWindow = nullptr;
    QAction* mnuWindArrangeHor = nullptr;
    QAction* mnuWindArrangeVert = nullptr;
    QAction* mnuWindCascade = nullptr;
    QAction* mnuWindArrangeIcons = nullptr;
    QAction* mnuWindPreview = nullptr;
    QMenu* mnuHelp = nullptr;

    // The toolbar strip goes here, above the left panel and the child-window area.
    QWidget* TBarUltimateHolder = nullptr;
    QWidget* lBack = nullptr;
    QComboBox* compnt = nullptr;
    QListWidget* eblist = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QFrame* tippy = nullptr;
    QLabel* ttex = nullptr;
    CloseGlyph* tclose = nullptr;
    QStatusBar* statbar = nullptr;
    QMdiArea* mdiArea = nullptr;
    Installation& m_install;
    ProjectState& m_state;
    SettingsStore& m_settings;
    Prompts& m_prompts;
    std::unique_ptr<EditorWindows> m_editors;
    ProjectSession* m_session = nullptr;
    ProjectEdits* m_edits = nullptr;
    UndoCommands* m_undo = nullptr;
    DesktopCommands* m_desktop = nullptr;
    QLabel* m_pathLabel = nullptr;
    QTimer* m_layoutTimer = nullptr;
    QAction* m_windowListSeparator = nullptr;
    bool m_saveEnabled = true;
    bool m_mouseDownInList = false;
    bool m_openedByPress = false;
    bool m_componentJustChanged = false;
    bool m_fillingList = false;
    bool m_keepListFocus = false;
};

} // namespace yw
