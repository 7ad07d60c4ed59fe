#pragma once
// The note panel "Poznámka": a floating panel over the grid with a memo
// bound to a note field of the record shown (the label file's `pozn`, or a
// memo column of a foreign table). It can be moved and resized and has a
// close button; the note is stored with the record like any other field.

#include "controls/floating_panel.h"

namespace dorvana {

class DataSet;
class Messages;
class TDBMemoZelvan;

// The longest note the memo takes (characters); a longer stored note is
// shown whole, but typing or pasting cannot make it longer.
inline constexpr int kNoteMaxLength = 32000;

class NotePanel : public TPlovouciPanel {
    Q_OBJECT
public:
    explicit NotePanel(QWidget* parent = nullptr);

    TDBMemoZelvan* memo() const { return memo_; }
    void setMessages(Messages* messages);
    // Binds the memo to a field of a data set (the panel keeps it until rebound).
    void bind(DataSet* dataSet, const QString& field);
    // Shows the panel with the cursor in the note.
    void showForEditing();

private:
    TDBMemoZelvan* memo_;
};

}  // namespace dorvana
