#include "editors/eballeditor.h"

#include "document/document.h"
#include "editors/applytoothersdialog.h"
#include "editors/colorbutton.h"
#include "editors/colorchooser.h"
#include "editors/numberbar.h"
#include "editors/twips.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/numbers.h"
#include "platform/prompts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

namespace yw {

namespace {

constexpr EBallFieldRow kDiameter = fieldRow(EBallField::Diameter);
constexpr int kPanelWidthTwips = 1575;

// The number the text starts with, rounded half to even, held to 16 bits.
int16_t numericValue(const QString& text)
{
    const std::string bytes = text.toStdString();
    return int16_t(std::clamp<long long>(leadingNumber(bytes), INT16_MIN, INT16_MAX));
}

// The captions are the field rows' names; the texture row's tick carries its own text.
constexpr std::array<const char*, kEBallFields.size() - 1> kCaptionObjectNames = {
    "Label1", "Label2", "Label3", "Label4", "Label12", "Label14"};
static_assert(kEBallFields.back().field == EBallField::UseTexture);

const char* caption(EBallField field)
{
    return fieldRow(field).name;
}

constexpr size_t rowOf(EBallField field)
{
    return size_t(&fieldRow(field) - kEBallFields.data());
}

} // namespace

EBallEditor::EBallEditor(Document& document, Prompts& prompts, QWidget* parent)
    : QWidget(parent), m_document(document), m_edits(document.edits()), m_state(document.state()),
      m_prompts(prompts)
{
    setObjectName(QStringLiteral("eBallEditor"));
    createCaptions();
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("Picture1"));
    m_panel->setAutoFillBackground(true);
    createColourButtons();
    createLists();
    createDiameter();
    createLowerRow();
    connect(&m_document, &Document::changed, this, [this](const DocumentChange& change) {
        if (change.what == DocumentChange::What::Ball && change.record == m_curBall)
            load(m_state.ball(change.record), true);
    });
    bindFields();
    arrangePanel();
    resize(sizeHint());
}

void EBallEditor::createCaptions()
{
    for (size_t i = 0; i < kCaptionObjectNames.size(); ++i) {
        auto* label = new QLabel(tr(kEBallFields[i].name), this);
        label->setObjectName(QLatin1String(kCaptionObjectNames[i]));
        label->move(twips(60), twips(120 + 360 * int(i)) - 1);
        label->resize(twips(4860), label->sizeHint().height());
        m_captionWidth = std::max(m_captionWidth, label->sizeHint().width());
        if (i < m_colorCaptions.size())
            m_colorCaptions[i] = label;
    }
}

void EBallEditor::createColourButtons()
{
    const char* buttonNames[] = {"fillthing", "borderthing", "spreckthing"};
    const char* numberNames[] = {"fn", "bn", "sn"};
    for (int i = 0; i < int(kColourFieldCount); ++i) {
        auto* button = new ColorButton(m_panel);
        button->setObjectName(QLatin1String(buttonNames[i]));
        button->setAccessibleName(tr(kEBallFields[size_t(i)].name));
        connect(button, &QPushButton::clicked, this, [this, i] { chooseColor(ColorField(i)); });
        m_colorButtons[size_t(i)] = button;

        // Right-aligned so that the number ends just left of its button.
        auto* number = new QLabel(QStringLiteral("0"), m_panel);
        number->setObjectName(QLatin1String(numberNames[i]));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_colorNumbers[size_t(i)] = number;
    }
}

void EBallEditor::createLists()
{
    m_fuzz = new QComboBox(m_panel);
    m_fuzz->setObjectName(QStringLiteral("fuzzthing"));
    m_fuzz->setAccessibleName(tr(caption(EBallField::Fuzziness)));
    m_fuzz->addItems(
        {tr("0 (no fuzz)"), tr("1 (light fuzz)"), tr("2 (medium fuzz)"), tr("3 (heavy fuzz)")});
    connect(m_fuzz, &QComboBox::currentIndexChanged, this,
            [this] { changed(EBallField::Fuzziness); });

    m_thickness = new QComboBox(m_panel);
    m_thickness->setObjectName(QStringLiteral("thkthing"));
    m_thickness->setAccessibleName(tr(caption(EBallField::BorderThickness)));
    m_thickness->addItems(
        {tr("-1 (no border)"), tr("0 (half border)"), tr("1 (1-pixel)"), tr("2 (2-pixel)")});
    connect(m_thickness, &QComboBox::currentIndexChanged, this,
            [this] { changed(EBallField::BorderThickness); });
}

void EBallEditor::createDiameter()
{
    m_diameterText = new QLineEdit(QStringLiteral("0"), m_panel);
    m_diameterText->setObjectName(QStringLiteral("diaTX"));
    m_diameterText->setAccessibleName(tr(kDiameter.name));
    connect(m_diameterText, &QLineEdit::textChanged, this, &EBallEditor::diameterTextChanged);
    m_edits.endTypingOnFocusOut(m_diameterText);

    m_diameterBar = new NumberBar(kDiameter.least, kDiameter.most, m_panel);
    m_diameterBar->setObjectName(QStringLiteral("diaS"));
    m_diameterBar->setAccessibleName(tr(kDiameter.name));
    m_diameterBar->setPageStep(10);
    m_diameterBar->setNumber(0);
    // Used with the mouse only; the keyboard edits the text box, whose Up and Down step the bar.
    m_diameterBar->setFocusPolicy(Qt::NoFocus);
    m_diameterBar->stepWithArrowKeysIn(m_diameterText);
    // A click on the bar is a step of its own; a drag is one step until the slider is let go.
    connect(m_diameterBar, &NumberBar::numberChanged, this, [this](int value) {
        if (!m_diameterBar->isSliderDown())
            m_edits.endTyping();
        m_diameterText->setText(QString::number(value));
        if (!m_diameterBar->isSliderDown())
            m_edits.endTyping();
    });
    connect(m_diameterBar, &QScrollBar::sliderReleased, &m_edits, &ProjectEdits::endTyping);
}

void EBallEditor::createLowerRow()
{
    m_useTexture = new QCheckBox(tr("If a texture is specified, use it."), this);
    m_useTexture->setObjectName(QStringLiteral("usetexture"));
    m_useTexture->setGeometry(twipsRect(60, 2220, 4575, 315));
    connect(m_useTexture, &QCheckBox::toggled, this, [this] { changed(EBallField::UseTexture); });
    m_applyToOthers = new QPushButton(tr("Apply to Others..."), this);
    m_applyToOthers->setObjectName(QStringLiteral("btnApply"));
    m_applyToOthers->setGeometry(twipsRect(60, 2580, 1800, 345));
    m_applyToOthers->resize(std::max(m_applyToOthers->width(), m_applyToOthers->sizeHint().width()),
                            m_applyToOthers->height());
    m_applyToOthers->setEnabled(false);
    connect(m_applyToOthers, &QPushButton::clicked, this, &EBallEditor::applyToOthers);

    // The game draws a baby in the colours of the adult eBall of its place; the file keeps the
    // baby's own, so they stay editable.
    m_babyNote = new QLabel(tr("Oddballz draws this baby eBall in the colours of its adult eBall; "
                               "the colours here are kept in the file but not used."),
                            this);
    m_babyNote->setObjectName(QStringLiteral("babyNote"));
    m_babyNote->setWordWrap(true);
    m_babyNote->setEnabled(false);
    m_babyNote->hide();
}

void EBallEditor::bindFields()
{
    for (int i = 0; i < int(kColourFieldCount); ++i)
        bind(
            kEBallFields[size_t(i)].field,
            [this, i](int16_t index) { setColor(ColorField(i), index); },
            [this, i] { return int16_t(m_colorButtons[size_t(i)]->index()); });
    // Values the lists have no item for show as the nearest item (none below the first for
    // fuzziness).
    const EBallFieldRow& fuzz = fieldRow(EBallField::Fuzziness);
    bind(
        fuzz.field,
        [this, fuzz](int16_t value) {
            m_fuzz->setCurrentIndex(value >= fuzz.most ? fuzz.most - fuzz.least
                                                       : std::max(value - fuzz.least, -1));
        },
        [this, fuzz] { return int16_t(m_fuzz->currentIndex() + fuzz.least); });
    const EBallFieldRow& thickness = fieldRow(EBallField::BorderThickness);
    bind(
        thickness.field,
        [this, thickness](int16_t value) {
            m_thickness->setCurrentIndex(std::clamp(value, thickness.least, thickness.most) -
                                         thickness.least);
        },
        [this, thickness] { return int16_t(m_thickness->currentIndex() + thickness.least); });
    bind(
        EBallField::Diameter,
        [this](int16_t value) {
            m_diameterText->setText(QString::number(value));
            // The text box has held the value to its range already.
            m_diameterBar->setNumber(numericValue(m_diameterText->text()));
        },
        [this] { return numericValue(m_diameterText->text()); });
    bind(
        EBallField::UseTexture, [this](int16_t value) { m_useTexture->setChecked(value != 0); },
        [this] { return int16_t(m_useTexture->isChecked() ? 1 : 0); });
}

void EBallEditor::showColoursUsed(bool used)
{
    for (size_t i = 0; i < kColourFieldCount; ++i) {
        m_colorButtons[i]->setUnused(!used);
        m_colorButtons[i]->setToolTip(used ? QString() : m_babyNote->text());
        m_colorNumbers[i]->setEnabled(used);
        m_colorCaptions[i]->setEnabled(used);
    }
    m_babyNote->setVisible(!used);
}

void EBallEditor::arrangePanel()
{
    // The panel is as wide as the layout asks, or wider when the lists' texts need it.
    const int margin = twips(60);
    const int listWidth =
        std::max({twips(1335), m_fuzz->sizeHint().width(), m_thickness->sizeHint().width()});
    m_panelWidth = std::max(twips(kPanelWidthTwips), twips(180) + listWidth + margin);
    const int right = m_panelWidth - margin;

    for (int i = 0; i < int(kColourFieldCount); ++i) {
        ColorButton* button = m_colorButtons[size_t(i)];
        button->setGeometry(right - twips(915), twips(60 + 360 * i), twips(915), twips(315));
        m_colorNumbers[size_t(i)]->setGeometry(0, button->y(), button->x() - twips(30),
                                               button->height());
    }
    m_fuzz->setGeometry(right - listWidth, twips(1140), listWidth, twips(315));
    m_thickness->setGeometry(right - listWidth, twips(1500), listWidth, twips(315));
    const int barWidth = twips(195);
    m_diameterBar->setGeometry(right - barWidth, twips(1860), barWidth, twips(300));
    m_diameterText->setGeometry(right - listWidth, twips(1860), listWidth - barWidth - twips(45),
                                twips(300));

    // Small enough for the layout's least size, never so small that a caption is cut.
    const QSize least = innerSizeOfOuterTwips(3000, 3000);
    const int leastWidth = std::max({least.width(), m_captionWidth + twips(180) + m_panelWidth,
                                     m_useTexture->sizeHint().width() + twips(120)});
    // The note's room is kept whether it shows or not, so the window never jumps.
    const int noteTop = m_applyToOthers->geometry().bottom() + twips(60);
    const int noteWidth = leastWidth - twips(120);
    m_babyNote->setGeometry(twips(60), noteTop, noteWidth, m_babyNote->heightForWidth(noteWidth));
    setMinimumSize(leastWidth,
                   std::max(least.height(), m_babyNote->geometry().bottom() + twips(60)));
}

QSize EBallEditor::sizeHint() const
{
    return QSize(std::max(twips(4650), minimumWidth()), std::max(twips(3165), minimumHeight()));
}

void EBallEditor::changed(EBallField field, bool typing)
{
    if (m_loading || m_curBall < 0 || m_curBall >= kEBallCount)
        return;
    m_edits.setBallField(m_curBall, field, shownValue(field),
                         typing ? ProjectEdits::Typing::Merge : ProjectEdits::Typing::No);
}

void EBallEditor::SwitchTo(int newIndex, int oldIndex, const QString& componentName)
{
    showRecord(newIndex, oldIndex, componentName, true);
}

void EBallEditor::showRecord(int newIndex, int oldIndex, const QString& componentName,
                             bool takeFocus)
{
    m_edits.endTyping();
    if (oldIndex >= 0)
        storeInto(oldIndex);
    m_curBall = newIndex;
    emit curBallChanged(newIndex);

    const EBallRecord& record = m_state.ball(newIndex);
    load(record);
    // What the controls show is what the record holds from now on (a fuzziness of 7 is 3).
    storeInto(newIndex);
    m_applyToOthers->setEnabled(newIndex >= 0 && newIndex != kParkingRecord);
    showColoursUsed(newIndex < 0 || newIndex >= m_document.ballsPerSet());

    QString caption = captionOf(newIndex);
    if (!componentName.isEmpty())
        caption += QStringLiteral(" in ") + componentName;
    setWindowTitle(caption);

    if (takeFocus) {
        if (auto* subWindow = qobject_cast<QMdiSubWindow*>(parentWidget());
            subWindow && subWindow->mdiArea())
            subWindow->mdiArea()->setActiveSubWindow(subWindow);
        else
            setFocus();
    }
}

QString EBallEditor::captionOf(int index) const
{
    // The eBall's label as the list shows it; the raw comment ("; body") only where the breed
    // has no label for it.
    const BreedShape& shape = m_document.shape();
    const int perSet = shape.ballsPerSet();
    if (index >= 0 && index < 2 * perSet && size_t(index % perSet) < shape.labels.size()) {
        const QString label = cp1252::toUnicode(shape.labels[size_t(index % perSet)]).trimmed();
        if (!label.isEmpty())
            return label;
    }
    return cp1252::toUnicode(m_state.ball(index).comment);
}

void EBallEditor::bind(EBallField field, std::function<void(int16_t)> show,
                       std::function<int16_t()> read)
{
    m_controls[rowOf(field)] = {std::move(show), std::move(read)};
}

int16_t EBallEditor::shownValue(EBallField field) const
{
    return m_controls[rowOf(field)].read();
}

EBallRecord EBallEditor::shown() const
{
    EBallRecord record;
    for (size_t row = 0; row < kEBallFields.size(); ++row)
        record.*kEBallFields[row].member = m_controls[row].read();
    return record;
}

void EBallEditor::storeInto(int index)
{
    const EBallRecord values = shown();
    for (const EBallFieldRow& row : kEBallFields)
        m_edits.setBallField(index, row.field, values.*row.member);
}

void EBallEditor::load(const EBallRecord& source, bool onlyDifferent)
{
    // Showing a record is no change of it; the caller stores what is shown where it must.
    const EBallRecord record = source;
    const EBallRecord before = shown();
    m_loading = true;
    for (size_t row = 0; row < kEBallFields.size(); ++row) {
        int16_t EBallRecord::*member = kEBallFields[row].member;
        if (!onlyDifferent || before.*member != record.*member)
            m_controls[row].show(record.*member);
    }
    m_loading = false;
}

void EBallEditor::setColor(ColorField field, int index)
{
    m_colorButtons[size_t(field)]->setIndex(index);
    m_colorNumbers[size_t(field)]->setText(QString::number(index));
}

void EBallEditor::chooseColor(ColorField field)
{
    ColorButton* button = m_colorButtons[size_t(field)];
    if (const std::optional<int> picked = ColorChooser::pick(button->index(), this, button))
        setColor(field, *picked);
    changed(kEBallFields[size_t(field)].field);
}

void EBallEditor::diameterTextChanged()
{
    const std::string text = m_diameterText->text().toStdString();
    const double value = leadingValue(text);
    if (value > kDiameter.most)
        m_diameterText->setText(QString::number(kDiameter.most));
    else if (value < kDiameter.least)
        m_diameterText->setText(QString::number(kDiameter.least));
    // A replaced text has run this handler again already.
    if (m_diameterText->text().toStdString() != text)
        return;

    const int16_t diameter = numericValue(m_diameterText->text());
    {
        const QSignalBlocker blocker(m_diameterBar);
        m_diameterBar->setNumber(diameter);
    }
    changed(EBallField::Diameter, true);
}

void EBallEditor::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_panel->setGeometry(width() - m_panelWidth, 0, m_panelWidth, height());
    m_useTexture->resize(std::max(0, width() - twips(120)), m_useTexture->height());
}

void EBallEditor::closeEvent(QCloseEvent* event)
{
    // The shown values go into the record being edited; the parking record takes the rest.
    showRecord(kParkingRecord, m_curBall, QString(), false);
    QWidget::closeEvent(event);
}

void EBallEditor::applyToOthers()
{
    const BreedShape& shape = m_document.shape();
    if (shape.ballsPerSet() == 0) {
        m_prompts.message(tr("Apply to Others needs the eBalls of the base breed."),
                          PromptIcon::Exclamation);
        return;
    }
    const int perSet = shape.header.ballsPerSet;
    if (m_curBall < 0 || m_curBall >= 2 * perSet)
        return;
    const BallSet set = m_curBall < perSet ? BallSet::A : BallSet::B;
    ApplyToOthersDialog dialog(m_document, perSet, set, m_curBall % perSet, shape.labels, this);
    dialog.exec();
}

} // namespace yw
