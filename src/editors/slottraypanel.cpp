#include "editors/slottraypanel.h"

#include "document/document.h"
#include "editors/codepagefields.h"
#include "editors/numberbar.h"
#include "editors/twips.h"
#include "files/egggrowth.h"
#include "files/fieldcodec.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/numbers.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace yw {

namespace {

constexpr int kBreedNameLength = 30;
constexpr int kUpperHeightTwips = 1140;
const char* const kCaptions[] = {"Breed Name", "Slot", "Tray"};

struct NumberRange
{
    int low;
    int high;
};
constexpr NumberRange kSlotRange{1, 12};
// The box holds the tray between 3 and 45; its bar covers the same, so no click is lost at
// either end.
constexpr NumberRange kTrayRange{3, 45};

// A whole number written as one (optional sign and digits), or nothing.
std::optional<int> wholeNumber(const std::string& text)
{
    if (text.find_first_not_of("+-0123456789 ") != std::string::npos)
        return std::nullopt;
    const auto value = parseInt32(text);
    if (!value)
        return std::nullopt;
    return *value;
}

// Sets a scroll bar from a stored text; a text that is no whole number in its range is skipped.
void setBarFromText(NumberBar* bar, const std::string& text)
{
    const auto value = wholeNumber(text);
    if (value && *value >= bar->leastNumber() && *value <= bar->mostNumber())
        bar->setNumber(*value);
}

} // namespace

SlotTrayPanel::SlotTrayPanel(Document& document, QWidget* parent)
    : QWidget(parent), m_document(document), m_edits(document.edits()), m_state(document.state())
{
    setObjectName(QStringLiteral("frmSlotTray"));
    setWindowTitle(tr("Slot/Tray"));
    for (int row = 0; row < 3; ++row) {
        auto* label = new QLabel(tr(kCaptions[row]), this);
        label->setGeometry(twips(120), twips(60 + 360 * row), twips(2625), twips(330));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_captionRight = std::max(m_captionRight, label->x() + label->sizeHint().width());
    }
    m_fields = new QWidget(this);
    m_fields->setObjectName(QStringLiteral("Picture2"));
    m_fields->setGeometry(twipsRect(2805, 0, 1875, kUpperHeightTwips));
    createBreedName();
    createNumbers();
    createTexts();
    connectFields();

    const QSize least = innerSizeOfOuterTwips(3150, 3600);
    setMinimumSize(std::max(least.width(), m_captionRight + twips(120) + m_fields->width()),
                   least.height());
    resize(sizeHint());
    load();
}

void SlotTrayPanel::createBreedName()
{
    m_breedName = new QLineEdit(m_fields);
    m_breedName->setObjectName(QStringLiteral("fldBreedName"));
    m_breedName->setMaxLength(kBreedNameLength);
    // The egg finds the tray and slot on the line after the name.
    holdToCodePage(*m_breedName, QStringLiteral("\r\n"), tr("a line break"));
    m_breedName->setAccessibleName(tr(kCaptions[0]));
    // Wide enough that a whole name of capitals shows without scrolling.
    const QMargins margins = m_breedName->textMargins() + m_breedName->contentsMargins();
    const int nameWidth = std::max(
        twips(1815),
        m_breedName->fontMetrics().horizontalAdvance(QString(kBreedNameLength, QLatin1Char('N'))) +
            margins.left() + margins.right() + 2 * twips(60));
    m_breedName->setGeometry(0, twips(60), nameWidth, twips(330));
    m_fields->resize(std::max(m_fields->width(), nameWidth + twips(60)), m_fields->height());
}

void SlotTrayPanel::createNumbers()
{
    // The numbers change only through their scroll bars (the mouse, or Up and Down in the box):
    // the boxes look read-only, and each bar runs exactly over what its box may hold.
    auto makeNumber = [this](const QString& caption, const char* textName, const char* barName,
                             int top, const QString& start, NumberRange range) {
        auto* box = new QLineEdit(start, m_fields);
        box->setObjectName(QLatin1String(textName));
        box->setReadOnly(true);
        QPalette looks = box->palette();
        looks.setColor(QPalette::Base, looks.color(QPalette::Window));
        box->setPalette(looks);
        box->setGeometry(twipsRect(0, top, 600, 330));
        box->setAccessibleName(caption);
        auto* bar = new NumberBar(range.low, range.high, m_fields);
        bar->setObjectName(QLatin1String(barName));
        bar->setAccessibleName(caption);
        bar->setPageStep(1);
        bar->setGeometry(twipsRect(615, top, 225, 330));
        bar->stepWithArrowKeysIn(box);
        return std::pair{box, bar};
    };
    std::tie(m_slotText, m_slotBar) =
        makeNumber(tr(kCaptions[1]), "slotTX", "slotS", 420, QStringLiteral("1"), kSlotRange);
    std::tie(m_trayText, m_trayBar) =
        makeNumber(tr(kCaptions[2]), "trayTX", "trayS", 780, QStringLiteral("3"), kTrayRange);
}

void SlotTrayPanel::createTexts()
{
    m_lower = new QWidget(this);
    m_lower->setObjectName(QStringLiteral("greuber"));
    m_tabs = new QTabWidget(m_lower);
    m_tabs->setObjectName(QStringLiteral("textabs"));
    m_tabs->move(twips(60), twips(60));

    auto addPage = [this](const QString& caption, const char* name, QLabel*& room) {
        auto* page = new QWidget;
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(twips(60), twips(60), twips(60), twips(60));
        auto* edit = new CodePageTextEdit(page);
        edit->setObjectName(QLatin1String(name));
        edit->setAccessibleName(caption);
        layout->addWidget(edit);
        room = new QLabel(page);
        room->setObjectName(QLatin1String(name) + QStringLiteral("Room"));
        room->setWordWrap(true);
        layout->addWidget(room);
        m_tabs->addTab(page, caption);
        return edit;
    };
    m_description = addPage(tr("Description"), "eddesc", m_descriptionRoom);
    m_attributes = addPage(tr("Attributes"), "edattr", m_attributesRoom);
}

void SlotTrayPanel::connectFields()
{
    connect(m_breedName, &QLineEdit::textChanged, this,
            [this](const QString& text) { store(ProjectText::BreedName, text, true); });
    connect(m_slotBar, &NumberBar::numberChanged, this,
            [this](int value) { m_slotText->setText(QString::number(value)); });
    connect(m_trayBar, &NumberBar::numberChanged, this,
            [this](int value) { m_trayText->setText(QString::number(value)); });
    connect(m_slotText, &QLineEdit::textChanged, this, [this] {
        clampNumberText(m_slotText, kSlotRange.low, kSlotRange.high);
        store(ProjectText::Slot, m_slotText->text(), false);
    });
    connect(m_trayText, &QLineEdit::textChanged, this, [this] {
        clampNumberText(m_trayText, kTrayRange.low, kTrayRange.high);
        store(ProjectText::Tray, m_trayText->text(), false);
    });
    connect(m_description, &QPlainTextEdit::textChanged, this,
            [this] { store(ProjectText::Description, m_description->storedText(), true); });
    connect(m_attributes, &QPlainTextEdit::textChanged, this,
            [this] { store(ProjectText::Attributes, m_attributes->storedText(), true); });
    for (QWidget* field : {static_cast<QWidget*>(m_breedName), static_cast<QWidget*>(m_description),
                           static_cast<QWidget*>(m_attributes)})
        m_edits.endTypingOnFocusOut(field);
    connect(&m_document, &Document::changed, this, [this](const DocumentChange& change) {
        if (change.what == DocumentChange::What::Text)
            showText(change.text);
        showRoom();
    });
    connect(&m_document, &Document::textsMayGrowChanged, this, &SlotTrayPanel::setLimits);
}

void SlotTrayPanel::setLimits()
{
    // Growing, a text may be longer than its room up to the cap (and a longer room stays whole).
    const bool grow = m_document.textsMayGrow();
    m_description->setMaxLength(grow ? std::max(m_state.locDescLen, kGrownTextCap)
                                     : m_state.locDescLen);
    m_attributes->setMaxLength(grow ? std::max(m_state.locAttrLen, kGrownTextCap)
                                    : m_state.locAttrLen);
    showRoom();
}

void SlotTrayPanel::showRoom()
{
    const bool grow = m_document.textsMayGrow();
    const QString otherwise = tr("writing the egg offers to grow it.");
    m_descriptionRoom->setText(
        roomUsedText(qint64(m_state.breedDescription.size()), m_state.locDescLen, grow, otherwise));
    m_attributesRoom->setText(
        roomUsedText(qint64(m_state.breedAttributes.size()), m_state.locAttrLen, grow, otherwise));
}

QSize SlotTrayPanel::sizeHint() const
{
    return QSize(std::max(twips(4680), minimumWidth()), std::max(twips(3255), minimumHeight()));
}

void SlotTrayPanel::store(ProjectText text, const QString& shown, bool typing)
{
    if (m_loading)
        return;
    // The fields refuse what the code page cannot hold; should anything slip past them, the
    // project keeps its text rather than losing it.
    const auto bytes = cp1252::fromUnicode(shown);
    if (!bytes)
        return;
    std::string value = *bytes;
    // The project file cannot hold a straight double quote in these texts.
    if (text == ProjectText::Description || text == ProjectText::Attributes)
        value = toStoredQuotes(value);
    m_edits.setText(text, value, typing ? ProjectEdits::Typing::Merge : ProjectEdits::Typing::No);
}

void SlotTrayPanel::showText(ProjectText text)
{
    m_loading = true;
    const std::string& value = m_edits.text(text);
    switch (text) {
    case ProjectText::BreedName:
        if (cp1252::fromUnicode(m_breedName->text()) != value) {
            const QString name = cp1252::toUnicode(value);
            m_breedName->setMaxLength(std::max(kBreedNameLength, int(name.size())));
            m_breedName->setText(name);
        }
        break;
    case ProjectText::Slot:
    case ProjectText::Tray: {
        QLineEdit* box = text == ProjectText::Slot ? m_slotText : m_trayText;
        if (cp1252::fromUnicode(box->text()) != value) {
            setBarFromText(text == ProjectText::Slot ? m_slotBar : m_trayBar, value);
            box->setText(cp1252::toUnicode(value));
        }
        break;
    }
    case ProjectText::Description:
    case ProjectText::Attributes: {
        CodePageTextEdit* edit = text == ProjectText::Description ? m_description : m_attributes;
        const auto shown = cp1252::fromUnicode(edit->storedText());
        if (!shown || toStoredQuotes(*shown) != value)
            edit->setStoredText(cp1252::toUnicode(fromStoredQuotes(value)));
        break;
    }
    default:
        break;
    }
    m_loading = false;
}

void SlotTrayPanel::load()
{
    // A stored name longer than the box allows is shown whole rather than cut in the state.
    const QString name = cp1252::toUnicode(m_state.breedName);
    m_breedName->setMaxLength(std::max(kBreedNameLength, int(name.size())));
    m_loading = true;
    m_breedName->setText(name);
    m_breedName->setCursorPosition(0); // a long name shows its beginning
    setBarFromText(m_slotBar, m_state.eggSlot);
    setBarFromText(m_trayBar, m_state.eggTray);
    m_description->setStoredText(cp1252::toUnicode(fromStoredQuotes(m_state.breedDescription)));
    m_attributes->setStoredText(cp1252::toUnicode(fromStoredQuotes(m_state.breedAttributes)));
    m_loading = false;
    setLimits();
}

void SlotTrayPanel::clampNumberText(QLineEdit* box, int low, int high)
{
    if (leadingValue(box->text().toStdString()) > high)
        box->setText(QString::number(high));
    if (leadingValue(box->text().toStdString()) < low)
        box->setText(QString::number(low));
}

void SlotTrayPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The fields keep their place, moving left only as far as the captions allow.
    m_fields->move(
        std::clamp(width() - m_fields->width(), m_captionRight + twips(120), twips(2805)), 0);
    const int top = twips(kUpperHeightTwips);
    m_lower->setGeometry(0, top, width(), std::max(0, height() - top));
    const QPoint corner = m_tabs->pos();
    m_tabs->resize(std::max(0, width() - 2 * corner.x()),
                   std::max(0, m_lower->height() - 2 * corner.y()));
}

} // namespace yw
