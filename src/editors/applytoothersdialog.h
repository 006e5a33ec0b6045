#pragma once

#include "model/eballtools.h"

#include <QDialog>
#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace yw {

class Document;
class ProjectEdits;

// Apply to Others: chosen fields of the shown eBall go to the ticked eBalls of its set, as one
// step of the project's history. The checklist holds the set's labels; a word ticks every label
// that contains it ("Tentacle").
class ApplyToOthersDialog : public QDialog
{
    Q_OBJECT
public:
    // `labels`: the information file's eBall labels; `source`: the shown eBall's list position.
    ApplyToOthersDialog(Document& document, int ballsPerSet, BallSet set, int source,
                        const std::vector<std::string>& labels, QWidget* parent = nullptr);

    EBallFields fields() const;
    std::vector<int> targets() const;

private:
    void tickMatching();
    void update();
    void apply();

    ProjectEdits& m_edits;
    int m_ballsPerSet;
    BallSet m_set;
    int m_source;
    std::vector<std::string> m_labels;
    std::array<QCheckBox*, kEBallFields.size()> m_fields{};
    QLineEdit* m_word = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace yw
