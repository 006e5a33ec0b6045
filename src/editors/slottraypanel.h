#pragma once

#include <QWidget>
#include <functional>

class QLineEdit;
class QScrollBar;
class QTabWidget;

namespace yw {

struct ProjectState;
class CodePageTextEdit;

// frmSlotTray: the breed's name, slot, tray, description and attributes. Reads the state when
// it is created and writes every change back at once; it keeps nothing of its own.
class SlotTrayPanel : public QWidget
{
    Q_OBJECT
public:
    // breedNameChanged receives every new breed name, so the component list can show it.
    SlotTrayPanel(ProjectState& state, std::function<void(const QString&)> breedNameChanged,
                  QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void load();
    // Holds a number box's text between low and high, then returns it for the state.
    static void clampNumberText(QLineEdit* box, int low, int high);

    ProjectState& m_state;
    std::function<void(const QString&)> m_breedNameChanged;

    QWidget* m_fields = nullptr;
    int m_captionRight = 0;
    QLineEdit* m_breedName = nullptr;
    QLineEdit* m_slotText = nullptr;
    QScrollBar* m_slotBar = nullptr;
    QLineEdit* m_trayText = nullptr;
    QScrollBar* m_trayBar = nullptr;
    QWidget* m_lower = nullptr;
    QTabWidget* m_tabs = nullptr;
    CodePageTextEdit* m_description = nullptr;
    CodePageTextEdit* m_attributes = nullptr;
    bool m_loading = false;
};

} // namespace yw
