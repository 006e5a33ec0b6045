#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace yw {

struct ProjectState;
struct EBallRecord;
class ColorButton;

// eBallEditor: shows one record of the eBall table and writes every change into it.
// `curBall` belongs to the editor windows, which outlive this window: -1 before any eBall was
// shown, 511 (the parking record) after the window was closed.
class EBallEditor : public QWidget
{
    Q_OBJECT
public:
    EBallEditor(ProjectState& state, int& curBall, QWidget* parent = nullptr);

    // Shows record newIndex after storing the shown values into oldIndex (-1: nothing to store).
    // The caption becomes the record's comment, followed by " in " and componentName if given.
    void SwitchTo(int newIndex, int oldIndex, const QString& componentName);

    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum ColorField { Fill, Border, Sprecks };

    void arrangePanel();
    void switchTo(int newIndex, int oldIndex, const QString& componentName, bool takeFocus);
    void storeInto(EBallRecord& record) const;
    void load(const EBallRecord& record);
    // The record the editor shows, or nullptr while it shows none of the table's records.
    EBallRecord* current();

    void chooseColor(ColorField field);
    void setColor(ColorField field, int index);
    void diameterTextChanged();

    ProjectState& m_state;
    int& m_curBall;

    QWidget* m_panel = nullptr;
    int m_panelWidth = 0;
    int m_captionWidth = 0;
    std::array<ColorButton*, 3> m_colorButtons{};
    std::array<QLabel*, 3> m_colorNumbers{};
    QComboBox* m_fuzz = nullptr;
    QComboBox* m_thickness = nullptr;
    QLineEdit* m_diameterText = nullptr;
    QScrollBar* m_diameterBar = nullptr;
    QCheckBox* m_useTexture = nullptr;
};

} // namespace yw
