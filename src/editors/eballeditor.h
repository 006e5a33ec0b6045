#pragma once

#include "model/eballfields.h"

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace yw {

struct ProjectState;
struct EBallRecord;
class ColorButton;
class Document;
class NumberBar;
class Prompts;
class ProjectEdits;

// eBallEditor: shows one record of the eBall table and writes every change into it, each as a
// step of the project's history; it shows the record again whenever the record changes.
// `curBall` belongs to the editor windows, which outlive this window: -1 before any eBall was
// shown, 511 (the parking record) after the window was closed.
class EBallEditor : public QWidget
{
    Q_OBJECT
public:
    EBallEditor(Document& document, Prompts& prompts, QWidget* parent = nullptr);

    // The record being edited: -1 before any was shown, 511 after the window closed.
    int curBall() const { return m_curBall; }

    // Shows record newIndex after storing the shown values into oldIndex (-1: nothing to store).
    // The caption becomes the record's comment, followed by " in " and componentName if given.
    void SwitchTo(int newIndex, int oldIndex, const QString& componentName);

    QSize sizeHint() const override;

signals:
    void curBallChanged(int index);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The colour rows of the field table (kColourFieldCount of them), by their place there.
    enum ColorField { Fill, Border, Sprecks };

    void createCaptions();
    void createColourButtons();
    void createLists();
    void createDiameter();
    void createLowerRow();
    void bindFields();
    void arrangePanel();
    // A baby eBall's colours are kept but not drawn by the game: they show faded, with a note.
    void showColoursUsed(bool used);
    // SwitchTo, and the closing window's last store, which must not take the focus.
    void showRecord(int newIndex, int oldIndex, const QString& componentName, bool takeFocus);
    QString captionOf(int index) const;
    int16_t shownValue(EBallField field) const;
    // What the controls show, as the record holds it.
    EBallRecord shown() const;
    // Writes the shown values that differ into record `index`.
    void storeInto(int index);
    // Shows `record`; with onlyDifferent, a control that shows the stored value already keeps
    // what it shows (a diameter being typed as "12.7" stays). Changes nothing in the project.
    void load(const EBallRecord& record, bool onlyDifferent = false);
    // How the control of `field` shows a value and what value it shows.
    void bind(EBallField field, std::function<void(int16_t)> show, std::function<int16_t()> read);
    // The user changed a field of the shown record.
    void changed(EBallField field, bool typing = false);

    void chooseColor(ColorField field);
    void setColor(ColorField field, int index);
    void diameterTextChanged();
    // Apply to Others... on the shown eBall's set.
    void applyToOthers();

    Document& m_document;
    ProjectEdits& m_edits;
    const ProjectState& m_state;
    Prompts& m_prompts;
    int m_curBall = -1;
    bool m_loading = false;
    struct FieldControl
    {
        std::function<void(int16_t)> show;
        std::function<int16_t()> read;
    };
    // One per row of the eBall field table.
    std::array<FieldControl, kEBallFields.size()> m_controls{};

    QWidget* m_panel = nullptr;
    int m_panelWidth = 0;
    int m_captionWidth = 0;
    std::array<ColorButton*, kColourFieldCount> m_colorButtons{};
    std::array<QLabel*, kColourFieldCount> m_colorNumbers{};
    std::array<QLabel*, kColourFieldCount> m_colorCaptions{};
    QLabel* m_babyNote = nullptr;
    QComboBox* m_fuzz = nullptr;
    QComboBox* m_thickness = nullptr;
    QLineEdit* m_diameterText = nullptr;
    NumberBar* m_diameterBar = nullptr;
    QCheckBox* m_useTexture = nullptr;
    QPushButton* m_applyToOthers = nullptr;
};

} // namespace yw
