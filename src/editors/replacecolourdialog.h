#pragma once

#include "model/eballtools.h"

#include <QDialog>
#include <array>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace yw {

class ColorButton;
class Document;
class ProjectEdits;

// Replace Colour: one palette index becomes another in the chosen colour fields of the chosen
// ball sets, as one step of the project's history. The adult set is chosen at first, as the game
// colours both forms from it. The dialog says how many eBalls will change before it applies.
class ReplaceColourDialog : public QDialog
{
    Q_OBJECT
public:
    // setNames: the two ball sets' file names; ballsPerSet as the information file gives it.
    ReplaceColourDialog(Document& document, int ballsPerSet,
                        const std::array<std::string, 2>& setNames, QWidget* parent = nullptr);

    // Both colours start as `colour` (the shown eBall's fill), so only the new one is chosen.
    void startFrom(int colour);

    ColourReplacement replacement() const;
    int count() const;

private:
    void chooseColour(ColorButton* button, QLabel* number);
    void update();
    void apply();

    ProjectEdits& m_edits;
    int m_ballsPerSet;
    ColorButton* m_from = nullptr;
    ColorButton* m_to = nullptr;
    std::array<QCheckBox*, kColourFieldCount> m_fields{};
    QRadioButton* m_setA = nullptr;
    QRadioButton* m_setB = nullptr;
    QRadioButton* m_both = nullptr;
    std::array<QLabel*, 2> m_numbers{};
    QLabel* m_count = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace yw
