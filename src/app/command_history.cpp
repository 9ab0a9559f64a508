#include "app/command_history.hpp"

namespace skerry {

void CommandHistory::Push(std::unique_ptr<Command> command) {
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(index_), steps_.end());
    if (mergeable_ && !steps_.empty() && steps_.back()->MergeWith(*command)) {
        return;
    }
    steps_.push_back(std::move(command));
    if (steps_.size() > limit_) {
        steps_.pop_front();
    }
    index_ = steps_.size();
    mergeable_ = true;
}

std::string CommandHistory::UndoText() const {
    return CanUndo() ? steps_[index_ - 1]->Text() : std::string();
}

std::string CommandHistory::RedoText() const {
    return CanRedo() ? steps_[index_]->Text() : std::string();
}

void CommandHistory::Undo() {
    if (CanUndo()) {
        steps_[--index_]->Undo();
    }
    mergeable_ = false;
}

void CommandHistory::Redo() {
    if (CanRedo()) {
        steps_[index_++]->Redo();
    }
    mergeable_ = false;
}

}  // namespace skerry
