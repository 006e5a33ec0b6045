#pragma once

#include <QComboBox>

namespace yw {

struct BreedShape;

// The seven entries of the component list, in list order; None while nothing is chosen.
enum class Component {
    None = -1,
    Breed,
    Appearance,
    BabySet,
    AdultSet,
    TextAndImages,
    SlotTray,
    Tips,
};

// What the tips box says about a component.
QString componentHelp(Component component);

// The component list `compnt`: the breed, its two ball sets and its texts. Disabled until a
// project is open.
class ComponentList : public QComboBox
{
    Q_OBJECT
public:
    explicit ComponentList(QWidget* parent);

    // A project was opened or made: the ball sets are named as the shape names them, the breed
    // is shown and chosen without a signal, and the list is enabled.
    void showProject(const QString& breedName, const BreedShape& shape);
    // Item 0 follows the breed name as it is edited.
    void setBreedName(const QString& name) { setItemText(int(Component::Breed), name); }

signals:
    // The user or code chose a component; choosing the one already shown counts too, so a list
    // is reloaded and a panel comes back.
    void chosen(yw::Component component);

private:
    bool m_justChanged = false;
};

} // namespace yw
