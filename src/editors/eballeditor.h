#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace yw {

struct Installation;
struct ProjectState;
struct EBallRecord;
class ColorButton;
class NumberBar;
class ProjectEdits;
enum class EBallField : unsigned;

// eBallEditor: shows one record of the eBall table and writes every change into it, each as a
// step of the project's history; it shows the record again whenever the record changes.
// `curBall` belongs to the editor windows, which outlive this window: -1 before any eBall was
// shown, 511 (the parking record) after the window was closed.
class EBallEditor : public QWidget
{
    Q_OBJECT
public:
    EBallEditor(ProjectEdits& edits, const Installation& install, QWidget* parent = nullptr);

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
    enum ColorField { Fill, Border, Sprecks };

    void arrangePanel();
    void switchTo(int newIndex, int oldIndex, const QString& componentName, bool takeFocus);
    // What the controls show, as the record holds it.
    EBallRecord shown() const;
    // Writes the shown values that differ into record `index`.
    void storeInto(int index);
    // Shows `record`; with onlyDifferent, a control that shows the stored value already keeps
    // what it shows (a diameter being typed as "12.7" stays). Changes nothing in the project.
    void load(const EBallRecord& record, bool onlyDifferent = false);
    // The user changed a field of the shown record.
    void changed(EBallField field, int16_t value, bool typing = false);

    void chooseColor(ColorField field);
    void setColor(ColorField field, int index);
    void diameterTextChanged();
    // Apply to Others... on the shown eBall's set.
    void applyToOthers();

    ProjectEdits& m_edits;
    const ProjectState& m_state;
    const Installation& m_install;
    int m_curBall = -1;
    bool m_loading = false;

    QWidget* m_panel = nullptr;
    int m_panelWidth = 0;
    int m_captionWidth = 0;
    std::array<ColorButton*, 3> m_colorButtons{};
    std::array<QLabel*, 3> m_colorNumbers{};
    QComboBox* m_fuzz = nullptr;
    QComboBox* m_thickness = nullptr;
    QLineEdit* m_diameterText = nullptr;
    NumberBar* m_diameterBar = nullptr;
    QCheckBox* m_useTexture = nullptr;
    QPushButton* m_applyToOthers = nullptr;
};

} // namespace yw
