#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace yw {

class NumberBar;

struct ProjectState;
class CodePageTextEdit;
class Document;
class ProjectEdits;
enum class ProjectText;

// frmSlotTray: the breed's name, slot, tray, description and attributes. Reads the state when
// it is created and writes every change back at once, each as a step of the project's history;
// it keeps nothing of its own and shows every change of these texts, undone ones too.
class SlotTrayPanel : public QWidget
{
    Q_OBJECT
public:
    explicit SlotTrayPanel(Document& document, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createBreedName();
    void createNumbers();
    void createTexts();
    void connectFields();
    void load();
    // The texts' length limits, by whether they may grow past the base egg's room, and the room
    // each uses.
    void setLimits();
    void showRoom();
    // Shows the stored text anew where the field shows something else.
    void showText(ProjectText text);
    void store(ProjectText text, const QString& shown, bool typing);
    // Holds a number box's text between low and high, then returns it for the state.
    static void clampNumberText(QLineEdit* box, int low, int high);

    Document& m_document;
    ProjectEdits& m_edits;
    const ProjectState& m_state;
    bool m_loading = false;

    QWidget* m_fields = nullptr;
    int m_captionRight = 0;
    QLineEdit* m_breedName = nullptr;
    QLineEdit* m_slotText = nullptr;
    NumberBar* m_slotBar = nullptr;
    QLineEdit* m_trayText = nullptr;
    NumberBar* m_trayBar = nullptr;
    QWidget* m_lower = nullptr;
    QTabWidget* m_tabs = nullptr;
    CodePageTextEdit* m_description = nullptr;
    CodePageTextEdit* m_attributes = nullptr;
    QLabel* m_descriptionRoom = nullptr;
    QLabel* m_attributesRoom = nullptr;
};

} // namespace yw
