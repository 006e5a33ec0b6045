#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QPushButton;

namespace yw {

class PalettePicture;
class NoColorBox;

// dlgColor: the modal chooser of a palette index, opened on the current one.
class ColorChooser : public QDialog
{
    Q_OBJECT
public:
    explicit ColorChooser(int current, QWidget* parent = nullptr);

    // Shows the chooser modally over `parent`: the palette index picked (-1 for no colour), or
    // nothing when it was cancelled, escaped or closed. With `swatch`, it opens beside that.
    static std::optional<int> pick(int current, QWidget* parent, const QWidget* swatch = nullptr);

    std::optional<int> picked() const { return m_picked; }

    // "37 (Hex: 25)"
    static QString indexCaption(int index);

private:
    // Caption and marker for the current index; the marker is hidden for no colour (below 0).
    void markCurrent(int current);
    void choose(int index);

    PalettePicture* m_picture = nullptr;
    QWidget* m_highlight = nullptr;
    NoColorBox* m_trans = nullptr;
    QLabel* m_label = nullptr;
    QPushButton* m_cancel = nullptr;
    std::optional<int> m_picked;
};

} // namespace yw
