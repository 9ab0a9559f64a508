#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>

namespace skerry {

// One change to the document, carried out already when it is pushed: undo takes it back,
// redo carries it out again.
class Command {
  public:
    explicit Command(std::string text) : text_(std::move(text)) {}
    virtual ~Command() = default;
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    virtual void Undo() = 0;
    virtual void Redo() = 0;
    // Takes a later command into this one (typing into a box letter by letter is one step);
    // false when the two stay steps of their own.
    virtual bool MergeWith(const Command& /*later*/) { return false; }

    // What the step did, as the Edit menu says it: "value of light".
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

// The steps of the run that can be undone and redone, oldest first. A step pushed while some
// are undone drops those. The oldest steps go once the limit is reached.
class CommandHistory {
  public:
    static constexpr std::size_t kDefaultLimit = 1000;

    explicit CommandHistory(std::size_t limit = kDefaultLimit) : limit_(limit) {}

    void Push(std::unique_ptr<Command> command);
    // The next command starts a step of its own, even one that could merge (after a save, an
    // undo, or a command of another kind).
    void StopMerging() { mergeable_ = false; }

    bool CanUndo() const { return index_ > 0; }
    bool CanRedo() const { return index_ < steps_.size(); }
    // Empty when there is nothing to undo or redo.
    std::string UndoText() const;
    std::string RedoText() const;
    void Undo();
    void Redo();

    std::size_t Count() const { return steps_.size(); }

  private:
    std::deque<std::unique_ptr<Command>> steps_;
    std::size_t index_ = 0;  // steps before it are done, those from it on undone
    std::size_t limit_;
    bool mergeable_ = false;
};

}  // namespace skerry
