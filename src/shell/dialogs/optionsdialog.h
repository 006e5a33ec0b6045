#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace yw {

class SettingsStore;
struct Setting;
struct Installation;
struct ProjectState;

// The platform's one-line input box: (parent, title, prompt, initial text) -> the answer, or an
// empty text when the user cancels. Tests replace it.
using InputBox = std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;
InputBox standardInputBox();

// dlgPrefs: the preferences, the edition and the package site values.
class OptionsDialog : public QDialog
{
    Q_OBJECT
public:
    // `rereadLocators` reads the base breed's locator file again after the edition changed
    // (the main window's getLOX).
    OptionsDialog(SettingsStore& settings, Installation& install,
                  std::function<void()> rereadLocators, QWidget* parent = nullptr,
                  InputBox inputBox = standardInputBox());

    QCheckBox* optAsk() const { return m_ask; }
    QCheckBox* optSplash() const { return m_splash; }
    QCheckBox* optProjVers() const { return m_projVers; }
    QCheckBox* optGrow() const { return m_grow; }
    QRadioButton* usOption() const { return m_us; }
    QRadioButton* ukOption() const { return m_uk; }
    QPushButton* btnSiteName() const { return m_siteName; }
    QPushButton* btnURL() const { return m_url; }
    QPushButton* btnOK() const { return m_ok; }
    QPushButton* btnCancel() const { return m_cancel; }

private:
    QGroupBox* createGeneral();
    void load();
    void acceptChanges();
    void askForSiteValue(const QString& prompt, const Setting& setting);

    SettingsStore& m_settings;
    Installation& m_install;
    std::function<void()> m_rereadLocators;
    InputBox m_inputBox;
    QCheckBox* m_ask = nullptr;
    QCheckBox* m_splash = nullptr;
    QCheckBox* m_projVers = nullptr;
    QCheckBox* m_grow = nullptr;
    QRadioButton* m_us = nullptr;
    QRadioButton* m_uk = nullptr;
    QPushButton* m_siteName = nullptr;
    QPushButton* m_url = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace yw
