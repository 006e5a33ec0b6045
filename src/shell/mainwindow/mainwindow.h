#pragma once

#include "shell/mainwindow/componentlist.h"
#include "shell/mainwindow/mainmenus.h"

#include <QLabel>
#include <QMainWindow>
#include <memory>

class QFrame;
class QListWidget;
class QMdiArea;
class QStatusBar;
class QTimer;

namespace yw {

struct Installation;
struct ProjectState;
class Document;
class EditorWindows;
class MainCommands;
enum class ProjectText;
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

// The main window `mfmCore`: the menus, the left panel with the component and eBall lists and
// the tips box, the child-window area and the status bar that holds the project path.
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

    // Fills the eBall list with the labels of the shown ball set, as the document's shape has
    // them. A shape that could not be read leaves the list empty and tells the user.
    void epopulate();

    // The open project.
    Document& document() const { return *m_document; }
    MainCommands& commands() const { return *m_commands; }
    const MainMenus& menus() const { return m_menus; }

    bool isSaveEnabled() const { return m_saveEnabled; }
    void setSaveEnabled(bool enabled);

    // Rebuilds the File menu's recent files from the settings.
    void ShowRecentFiles();

    bool tipsVisible() const;
    void setTipsVisible(bool visible);

    // Chooses eBall `record` in the lists, which opens it in the eBall editor; gives its label
    // (empty when the breed has no such eBall).
    QString showBall(int record);
    // Chooses the panel that edits `text` in the component list, which brings it to the front;
    // gives the panel's name.
    QString showTextPanel(ProjectText text);

    // Forwards to the commands; the toolbar's buttons by index.
    void tBarButton_Click(int index);

    // The child windows the lists open.
    EditorWindows* editorWindows() const { return m_editors.get(); }

signals:
    void saveEnabledChanged(bool enabled);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createLeftPanel();
    void createStatusBar();
    void fitStatusNote(const QString& note);
    // Puts the tips box 75 twips above the panel's bottom and lets the eBall list end 90 twips
    // above it (or above the panel's bottom while the box is hidden).
    void layoutLeftPanel();
    void componentChosen(Component component);
    void openSelectedBall();
    void writeWindowSettings();
    void closeEditors();
    // After a project was opened or created: the component list shows the breed and its ball
    // sets with the breed selected and enabled, and saving is possible.
    void showOpenedProject();

    // The ball set the eBall list shows: 0 set A, 1 set B.
    int lnzSet = 0;
    // True while the eBall list holds the eBalls of a ball set.
    bool m_listHoldsBalls = false;

    MainMenus m_menus;
    // The toolbar strip goes here, above the left panel and the child-window area.
    QWidget* TBarUltimateHolder = nullptr;
    QWidget* lBack = nullptr;
    ComponentList* compnt = nullptr;
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
    Document* m_document = nullptr;
    std::unique_ptr<EditorWindows> m_editors;
    MainCommands* m_commands = nullptr;
    QLabel* m_pathLabel = nullptr;
    QLabel* m_modifiedMark = nullptr;
    bool m_fittingNote = false;
    QTimer* m_layoutTimer = nullptr;
    bool m_saveEnabled = true;
    bool m_mouseDownInList = false;
    bool m_openedByPress = false;
    bool m_fillingList = false;
    bool m_keepListFocus = false;
};

} // namespace yw
