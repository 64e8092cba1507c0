// A layer's process-wide state: one object built on first use (so no start-up order matters) and replaced
// whole by Reset, which tests call between cases.
#pragma once

#include <memory>
#include <utility>

template <class State>
class ProcessState {
public:
    static State& Get() { return *Holder(); }

    // The fresh state is in place before the old one goes, so whatever the old one's objects do as they go
    // (uninstalling themselves, say) lands on the fresh one.
    static void Reset() { std::exchange(Holder(), std::make_unique<State>()).reset(); }

private:
    static std::unique_ptr<State>& Holder() {
        static std::unique_ptr<State> state = std::make_unique<State>();
        return state;
    }
};
