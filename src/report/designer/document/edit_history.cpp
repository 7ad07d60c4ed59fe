#include "report/designer/document/edit_history.h"

#include <algorithm>

namespace dorvana {

void EditHistory::push(std::unique_ptr<QUndoCommand> command) {
    command->redo();
    while (canRedo()) dropNewest();
    if (clean_ > index_) clean_ = -1;
    QUndoCommand* last = index_ > 0 ? commands_[size_t(index_ - 1)].get() : nullptr;
    if (last && command->id() != -1 && last->id() == command->id() && clean_ != index_ &&
        last->mergeWith(command.get())) {
        if (last->isObsolete()) {
            commands_.erase(commands_.begin() + (index_ - 1));
            --index_;
        }
        return;
    }
    commands_.push_back(std::move(command));
    ++index_;
    while (count() > limit_) dropOldest();
}

QString EditHistory::undoText() const {
    return canUndo() ? commands_[size_t(index_ - 1)]->text() : QString();
}

QString EditHistory::redoText() const {
    return canRedo() ? commands_[size_t(index_)]->text() : QString();
}

void EditHistory::undo() {
    if (!canUndo()) return;
    --index_;
    commands_[size_t(index_)]->undo();
}

void EditHistory::redo() {
    if (!canRedo()) return;
    commands_[size_t(index_)]->redo();
    ++index_;
}

void EditHistory::setUndoLimit(int limit) {
    limit_ = std::max(0, limit);
    while (count() > limit_ && index_ > 0) dropOldest();
    while (count() > limit_) dropNewest();
}

void EditHistory::clear(bool clean) {
    commands_.clear();
    index_ = 0;
    clean_ = clean ? 0 : -1;
}

void EditHistory::dropOldest() {
    commands_.erase(commands_.begin());
    --index_;
    clean_ = clean_ > 0 ? clean_ - 1 : -1;
}

void EditHistory::dropNewest() {
    commands_.pop_back();
    if (clean_ > count()) clean_ = -1;
}

}  // namespace dorvana
