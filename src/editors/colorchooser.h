#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QPushButton;

namespace yw {

class PalettePicture;
class NoColorBox;

// dlgColor: the modal chooser of a palette index. The caller sets pickIndex and pickColor,
// calls prepare() and exec(), then reads them back: a pick changes them, Cancel, Escape and
// closing leave the values the caller set.
class ColorChooser : public QDialog
{
    Q_OBJECT
public:
    explicit ColorChooser(QWidget* parent = nullptr);

    int pickIndex = 0;
    uint32_t pickColor = 0;

    // Caption and marker for pickIndex; the marker is hidden for no colour (index below 0).
    void prepare();

    // "37 (Hex: 25)"
    static QString indexCaption(int index);

private:
    void pick(int index);

    PalettePicture* m_picture = nullptr;
    QWidget* m_highlight = nullptr;
    NoColorBox* m_trans = nullptr;
    QLabel* m_label = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace yw
