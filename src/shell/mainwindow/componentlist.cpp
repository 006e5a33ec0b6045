#include "shell/mainwindow/componentlist.h"

#include "document/document.h"
#include "platform/cp1252.h"

#include <utility>

namespace yw {

QString componentHelp(Component component)
{
    switch (component) {
    case Component::Breed:
        return QStringLiteral(
            "This is the breed name for your work. It can be modified in the Slot/Tray Panel.");
    case Component::Appearance:
        return QStringLiteral("This contains all the visual data for this breed. They can be "
                              "edited by selecting the LNZ file, then the eBall in the panel "
                              "above.");
    case Component::BabySet:
        return QStringLiteral("This is the definition file for the baby. Colors set here are "
                              "ignored by Oddballz (it uses adult colors instead.)");
    case Component::AdultSet:
        return QStringLiteral("This is the definition file for the adult. Both the adult and baby "
                              "forms take their colors from the adult file.");
    case Component::TextAndImages:
        return QStringLiteral("This contains all the text and images for this breed. You can "
                              "edit them by selecting what you want to work with in the menu "
                              "above.");
    case Component::SlotTray:
        return QStringLiteral("The Slot/Tray panel lets you choose where the egg appears "
                              "in-game, as well as the name of the breed and its information.");
    case Component::Tips:
        return QStringLiteral("On-screen tips are displayed at the bottom of the playpen, and "
                              "differ between registered and demo Oddballz versions.");
    case Component::None:
        break;
    }
    return QStringLiteral("No information is available for this topic.");
}

ComponentList::ComponentList(QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("compnt"));
    setAccessibleName(QStringLiteral("Components"));
    addItems({QStringLiteral("Yolkwright Breed"), QStringLiteral("   Appearance"),
              QStringLiteral("      qp_small.lnz"), QStringLiteral("      qp.lnz"),
              QStringLiteral("   Text & Images"), QStringLiteral("      Slot/Tray"),
              QStringLiteral("      Tips")});
    setEnabled(false);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        emit chosen(Component(index));
        // The user's choice that changed the index is reported again as activated; the flag
        // lasts until the event loop turns, so a change made by code leaves nothing behind.
        m_justChanged = true;
        QMetaObject::invokeMethod(
            this, [this] { m_justChanged = false; }, Qt::QueuedConnection);
    });
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!std::exchange(m_justChanged, false))
            emit chosen(Component(index));
    });
}

void ComponentList::showProject(const QString& breedName, const BreedShape& shape)
{
    const QString indent(6, QLatin1Char(' '));
    setItemText(int(Component::BabySet), indent + cp1252::toUnicode(shape.header.lnzNameA));
    setItemText(int(Component::AdultSet), indent + cp1252::toUnicode(shape.header.lnzNameB));
    setBreedName(breedName);
    {
        const QSignalBlocker quiet(this);
        setCurrentIndex(int(Component::Breed));
    }
    emit chosen(Component::Breed);
    setEnabled(true);
}

} // namespace yw
