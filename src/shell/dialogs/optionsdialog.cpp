#include "shell/dialogs/optionsdialog.h"

#include "model/installation.h"
#include "platform/errors.h"
#include "platform/prompts.h"
#include "platform/setting.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace yw {

namespace {

// A check box holds 0 (clear), 1 (checked) or 2 (greyed), read by the setting's own rule so
// that the box shows what the program does. Any other value (a hand-edited store) shows the
// box at its default, and OK then stores a valid value again.
void loadCheckBox(QCheckBox* box, const SettingsStore& settings, const Setting& setting)
{
    const long long fallback = lenientNumber(setting.defaultValue);
    long long value = fallback;
    try {
        value = setting.number(settings);
    } catch (const Error&) {
        value = fallback;
    }
    if (value < 0 || value > 2)
        value = fallback;
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

OptionsDialog::OptionsDialog(SettingsStore& settings, Installation& install,
                             std::function<void()> rereadLocators, QWidget* parent,
                             InputBox inputBox)
    : QDialog(parent), m_settings(settings), m_install(install),
      m_rereadLocators(std::move(rereadLocators)), m_inputBox(std::move(inputBox))
{
    setObjectName(QStringLiteral("dlgPrefs"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);

    QGroupBox* general = createGeneral();

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
            setting::siteName);
    });
    connect(m_url, &QPushButton::clicked, this, [this] {
        askForSiteValue(
            QStringLiteral(
                "Please enter the location of the website you would like to display in YPK files."),
            setting::siteUrl);
    });

    load();
}

QGroupBox* OptionsDialog::createGeneral()
{
    auto* general = new QGroupBox(QStringLiteral("General"), this);
    m_ask = new QCheckBox(QStringLiteral("Ask before going online."), general);
    m_splash = new QCheckBox(QStringLiteral("Show splash screen on start."), general);
    m_projVers =
        new QCheckBox(QStringLiteral("Warn if a project is out of date or too new."), general);
    m_grow = new QCheckBox(QStringLiteral("Let texts grow past the base egg's room"), general);
    m_grow->setToolTip(
        QStringLiteral("Longer texts, tips and eBall comments: writing the egg gives the parts "
                       "that hold them more room at the end of the egg."));
    m_ask->setObjectName(setting::optAsk.key);
    m_splash->setObjectName(setting::optSplash.key);
    m_projVers->setObjectName(setting::optProjVers.key);
    m_grow->setObjectName(setting::optGrow.key);
    auto* layout = new QVBoxLayout(general);
    for (QCheckBox* box : {m_ask, m_splash, m_projVers, m_grow})
        layout->addWidget(box);
    return general;
}

void OptionsDialog::load()
{
    loadCheckBox(m_ask, m_settings, setting::optAsk);
    loadCheckBox(m_splash, m_settings, setting::optSplash);
    loadCheckBox(m_projVers, m_settings, setting::optProjVers);
    m_grow->setChecked(setting::optGrow.number(m_settings) == 1);
    // The edition in use, so that OK without a change keeps it.
    if (editionFromSetting(setting::optUK.text(m_settings)) == Edition::UK)
        m_uk->setChecked(true);
}

void OptionsDialog::acceptChanges()
{
    const QString ask = checkBoxValue(m_ask);
    setting::optAsk.write(m_settings, ask);
    m_install.askBeforeBrowsing = ask != QLatin1String("0");
    setting::optProjVers.write(m_settings, checkBoxValue(m_projVers));
    setting::optSplash.write(m_settings, checkBoxValue(m_splash));
    const bool uk = m_uk->isChecked();
    setting::optUK.write(m_settings, uk ? QStringLiteral("True") : QStringLiteral("False"));
    m_install.edition = uk ? Edition::UK : Edition::US;
    setting::optGrow.write(m_settings,
                           m_grow->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    if (m_rereadLocators)
        m_rereadLocators();
    accept();
}

void OptionsDialog::askForSiteValue(const QString& prompt, const Setting& setting)
{
    const QString current = setting.text(m_settings);
    // Written at once: Cancel on the dialog afterwards keeps it, and the box's own Cancel
    // answers an empty text, which empties the value.
    setting.write(m_settings, m_inputBox(this, kProgramTitle, prompt, current));
}

} // namespace yw
