#pragma once

// Clears an owner's ready flag while a modal dialog runs and puts back the state it found, on every way
// out (exceptions included). The previous state, not "ready": a dialog opened from another dialog must
// not enable the main window while the outer one still runs. `Owner` offers Ready() and SetReady(bool).
namespace brindle::ui {

template <class Owner>
class ReadyScope {
public:
    explicit ReadyScope(Owner& owner) : owner_(owner), previous_(owner.Ready()) { owner_.SetReady(false); }
    ~ReadyScope() { owner_.SetReady(previous_); }
    ReadyScope(const ReadyScope&) = delete;
    ReadyScope& operator=(const ReadyScope&) = delete;

private:
    Owner& owner_;
    bool previous_;
};

}  // namespace brindle::ui
