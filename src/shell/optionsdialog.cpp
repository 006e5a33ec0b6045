#include "shell/optionsdialog.h"

#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace yw {

namespace {

const QString kAsk = QStringLiteral("optAsk");
const QString kSplash = QStringLiteral("optSplash");
const QString kProjVers = QStringLiteral("optProjVers");
const QString kUK = QStringLiteral("optUK");
const QString kSiteName = QStringLiteral("YPKSiteName");
const QString kURL = QStringLiteral("YPKURL");

// A check box holds 0 (clear), 1 (checked) or 2 (greyed). A stored text that is not one of
// these whole numbers (a hand-edited store) shows the box at its default, checked, and OK then
// stores a valid value again.
void loadCheckBox(QCheckBox* box, const SettingsStore& settings, const QString& key)
{
    long long value = 1;
    try {
        value = readStrictNumber(settings, kSectionMain, key, 1);
    } catch (const Error&) {
        value = 1;
    }
    if (value < 0 || value > 2)
        value = 1;
    box->setCheckState(value == 2   ? Qt::PartiallyChecked
                       : value == 1 ? Qt::Checked
                                    : Qt::Unchecked);
    // A greyed value is only ever shown; the user's click makes it a plain check box again.
    QObject::connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
}

QString checkBoxValue(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Unchecked:
        return QStringLiteral("0");
    case Qt::PartiallyChecked:
        return QStringLiteral("2");
    case Qt::Checked:
        break;
    }
    return QStringLiteral("1");
}

} // namespace

InputBox standardInputBox()
{
    return
        [](QWidget* parent, const QString& title, const QString& prompt, const QString& initial) {
            bool ok = false;
            const QString answer =
                QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, initial, &ok);
            return ok ? answer : QString();
        };
}

OptionsDialog::OptionsDialog(SettingsStore& settings, ProjectState& state,
                             std::function<void()> rereadLocators, QWidget* parent,
                             InputBox inputBox)
    : QDialog(parent), m_settings(settings), m_state(state),
      m_rereadLocators(std::move(rereadLocators)), m_inputBox(std::move(inputBox))
{
    setObjectName(QStringLiteral("dlgPrefs"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);

    auto* general = new QGroupBox(QStringLiteral("General"), this);
    m_ask = new QCheckBox(QStringLiteral("Ask before going online."), general);
    m_splash = new QCheckBox(QStringLiteral("Show splash screen on start."), general);
    m_projVers =
        new QCheckBox(QStringLiteral("Warn if a project is out of date or too new."), general);
    m_ask->setObjectName(kAsk);
    m_splash->setObjectName(kSplash);
    m_projVers->setObjectName(kProjVers);
    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(m_ask);
    generalLayout->addWidget(m_splash);
    generalLayout->addWidget(m_projVers);

    auto* region = new QGroupBox(QStringLiteral("Region"), this);
    m_us = new QRadioButton(QStringLiteral("Use US Egg Information."), region);
    m_uk = new QRadioButton(QStringLiteral("Use UK Egg Information."), region);
    m_us->setObjectName(QStringLiteral("optUK1"));
    m_uk->setObjectName(QStringLiteral("optUK0"));
    m_us->setChecked(true);
    auto* regionLayout = new QVBoxLayout(region);
    regionLayout->addWidget(m_us);
    regionLayout->addWidget(m_uk);

    auto* sites = new QGroupBox(QStringLiteral("YPK2 Settings"), this);
    m_siteName = new QPushButton(QStringLiteral("Change Site Name"), sites);
    m_url = new QPushButton(QStringLiteral("Change URL"), sites);
    m_siteName->setObjectName(QStringLiteral("btnSiteName"));
    m_url->setObjectName(QStringLiteral("btnURL"));
    m_siteName->setAutoDefault(false);
    m_url->setAutoDefault(false);
    auto* sitesLayout = new QHBoxLayout(sites);
    sitesLayout->addWidget(m_siteName);
    sitesLayout->addWidget(m_url);

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    m_ok->setDefault(true);
    m_cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(region);
    layout->addWidget(sites);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ok, &QPushButton::clicked, this, &OptionsDialog::acceptChanges);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_siteName, &QPushButton::clicked, this, [this] {
        askForSiteValue(
            QStringLiteral(
                "Please enter the name of the website you would like to display in YPK files."),
            kSiteName);
    });
    connect(m_url, &QPushButton::clicked, this, [this] {
        askForSiteValue(
            QStringLiteral(
                "Please enter the location of the website you would like to display in YPK files."),
            kURL);
    });

    load();
}

void OptionsDialog::load()
{
    loadCheckBox(m_ask, m_settings, kAsk);
    loadCheckBox(m_splash, m_settings, kSplash);
    loadCheckBox(m_projVers, m_settings, kProjVers);
    bool uk = false;
    try {
        uk = readBoolean(m_settings, kSectionMain, kUK, false);
    } catch (const Error&) {
        uk = false; // not a boolean: the design-time choice, US
    }
    if (uk)
        m_uk->setChecked(true);
}

void OptionsDialog::acceptChanges()
{
    const QString ask = checkBoxValue(m_ask);
    m_settings.write(kSectionMain, kAsk, ask);
    m_state.askBeforeBrowsing = ask != QLatin1String("0");
    m_settings.write(kSectionMain, kProjVers, checkBoxValue(m_projVers));
    m_settings.write(kSectionMain, kSplash, checkBoxValue(m_splash));
    const bool uk = m_uk->isChecked();
    m_settings.write(kSectionMain, kUK, uk ? QStringLiteral("True") : QStringLiteral("False"));
    m_state.edition = uk ? Edition::UK : Edition::US;
    if (m_rereadLocators)
        m_rereadLocators();
    accept();
}

void OptionsDialog::askForSiteValue(const QString& prompt, const QString& key)
{
    const QString current = m_settings.read(kSectionMain, key, QString());
    // Written at once: Cancel on the dialog afterwards keeps it, and the box's own Cancel
    // answers an empty text, which empties the value.
    m_settings.write(kSectionMain, key, m_inputBox(this, kProgramTitle, prompt, current));
}

} // namespace yw
