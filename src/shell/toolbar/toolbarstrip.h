#pragma once

#include "shell/toolbar/toolbarcolours.h"
#include "shell/toolbar/toolbaricons.h"

#include <QWidget>
#include <array>

class QMenu;

namespace yw {

class ToolbarStrip;

// One of the strip's square buttons or the Save arrow: an 18-pixel-high picture that shows the
// button-face colour, the 3-D highlight while the left button is down, and acts on a click only
// while the strip is armed.
class StripControl : public QWidget
{
    Q_OBJECT
public:
    StripControl(ToolbarStrip& strip, ToolbarGlyph glyph, QWidget* parent);
    ToolbarGlyph glyph() const { return m_glyph; }
    // Screen readers are told whether it is pressed.
    bool isPressed() const { return m_pressed; }
    // The click that follows a release; does nothing unless the strip is armed.
    void click();
    // Acts at once, as the accessibility interface's press does.
    void press();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    ToolbarStrip& m_strip;
    ToolbarGlyph m_glyph;
    bool m_pressed = false;
};

// The strip along the top of the main window (TBarUltimateHolder) with its holder of the seven
// buttons, the Save arrow and the three grip lines. Measures in pixels.
class ToolbarStrip : public QWidget
{
    Q_OBJECT
public:
    enum Button { New, Open, Save, Options, Update, Help, About };
    static constexpr int kButtonCount = 7;
    static constexpr int kStripHeight = 24;

    explicit ToolbarStrip(QWidget* parent = nullptr);

    QWidget* holder() const { return m_holder; }
    StripControl* button(int index) const;
    StripControl* saveArrow() const { return m_arrow; }

    // Shared by every button and the arrow: a press disarms, a left release arms.
    bool buttonArmed() const { return m_armed; }
    void setButtonArmed(bool armed) { m_armed = armed; }

    // The Save button (greyed picture) and the arrow are enabled only while a project is open.
    void setProjectOpen(bool open);

    // The submenu the arrow drops down (the File menu's Save submenu).
    void setSaveMenu(QMenu* menu) { m_saveMenu = menu; }
    QMenu* saveMenu() const { return m_saveMenu; }
    // Where the pop-up opens: just below the arrow's left edge, in global coordinates.
    QPoint saveMenuPosition() const;

    // The strip's current colours (the design colours until the button face first changes).
    StripColours colours() const { return m_colours; }
    // Run by the holder's repaint: recomputes the colours after the button face changed.
    void refreshColours();

signals:
    // A button acted (armed click); the argument is its index 0 to 6.
    void buttonClicked(int index);

private:
    void layoutHolder();
    void popUpSaveMenu();

    QWidget* m_holder = nullptr;
    std::array<StripControl*, kButtonCount> m_buttons{};
    StripControl* m_arrow = nullptr;
    QMenu* m_saveMenu = nullptr;
    bool m_armed = false;
    StripColourCache m_cache;
    StripColours m_colours = kDesignStripColours;
};

} // namespace yw
