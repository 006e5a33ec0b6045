#pragma once

#include "files/breedresources.h"
#include "files/breedsheet.h"

#include <QTransform>
#include <QWidget>
#include <vector>

class QAbstractButton;

namespace yw {

class Document;

// The live picture of the breed: both ball sets as discs sized by diameter, in their colours
// (a baby's are its adult's, as the game draws them), rings, sprecks and fuzz, laid out by the
// breed sheet's code. It follows every change of the project (typing, tools, undo and redo) and
// reads the breed's shape again when another project replaces it. Each disc is a button named by
// its eBall's label, so hovering shows the label, a click or Space opens the eBall, and screen
// readers find it.
class BreedPreview : public QWidget
{
    Q_OBJECT
public:
    explicit BreedPreview(Document& document, QWidget* parent = nullptr);

    const BreedSheet& sheet() const { return m_sheet; }
    // The disc of `record`, or null when the preview shows no such eBall.
    QAbstractButton* disc(int record) const;
    QSize sizeHint() const override;

signals:
    // The user chose the disc of eBall record `record`.
    void ballClicked(int record);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Takes the document's shape and makes the discs afresh.
    void reload();
    void showTitle();
    // The sheet from the state as it is now; the discs keep their places.
    void relayout();
    void placeDiscs();

    Document& m_document;
    QString m_problem; // why there is nothing to show
    BreedSheet m_sheet;
    QTransform m_toWidget;
    std::vector<QAbstractButton*> m_discs;
};

} // namespace yw
