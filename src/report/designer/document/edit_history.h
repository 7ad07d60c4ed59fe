#pragma once
// The undo history of a template being designed: the edit commands done so
// far and undone since, with the clean point of the last save. It behaves
// like QUndoStack (push runs the command, a command may merge into the one
// before it, the clean point tells whether the template is modified) and adds
// what the designer's history needs: its limit can change while steps are
// kept (the oldest go first, then the newest), and a limit of 0 keeps no step.

#include <QString>
#include <QUndoCommand>
#include <memory>
#include <vector>

namespace dorvana {

class EditHistory {
public:
    // Runs the command (redo) and keeps it after the current position: undone
    // commands are dropped first; when the limit is exceeded the oldest goes.
    // A command whose id() is not -1 merges into the one before it when that
    // one has the same id, is not undone, is not the clean point and agrees.
    void push(std::unique_ptr<QUndoCommand> command);

    bool canUndo() const { return index_ > 0; }
    bool canRedo() const { return index_ < count(); }
    // The step names of the command undo and redo would run; empty when none.
    QString undoText() const;
    QString redoText() const;
    void undo();
    void redo();

    // How many steps can be undone at most; changing it keeps the newest steps
    // before the current position and then the oldest after it.
    void setUndoLimit(int limit);
    int undoLimit() const { return limit_; }

    int count() const { return int(commands_.size()); }
    int index() const { return index_; }

    // The clean point: the position of the last save. A clean point dropped
    // from the history can never be reached again.
    bool isClean() const { return clean_ == index_; }
    void setClean() { clean_ = index_; }
    // Forgets every step; the current state is clean or not as given.
    void clear(bool clean);

private:
    void dropOldest();
    void dropNewest();

    std::vector<std::unique_ptr<QUndoCommand>> commands_;
    int index_ = 0;   // commands before it are done
    int clean_ = 0;   // -1: the saved state is no longer in the history
    int limit_ = 9;
};

}  // namespace dorvana
