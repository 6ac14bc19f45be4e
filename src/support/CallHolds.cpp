#include "support/CallHolds.h"

namespace es {

namespace {

// The thread's holds form one stack, newest on top; each guarded call remembers where it began.
thread_local CallHold* t_holds = nullptr;
thread_local GuardedCallScope* t_scope = nullptr;

}  // namespace

void CallHold::Record() {
    if (!t_scope || recorded_) return;
    below_ = t_holds;
    t_holds = this;
    recorded_ = true;
}

void CallHold::Forget() {
    if (!recorded_) return;
    recorded_ = false;
    // Locals end newest first, so this is the top; the walk only guards against a hold kept longer.
    for (CallHold** link = &t_holds; *link; link = &(*link)->below_) {
        if (*link != this) continue;
        *link = below_;
        return;
    }
}

GuardedCallScope::GuardedCallScope() : outer_(t_scope), holdsBefore_(t_holds) { t_scope = this; }

GuardedCallScope::~GuardedCallScope() { t_scope = outer_; }

const wchar_t* GuardedCallScope::ReleaseHolds() {
    const wchar_t* unsafe = nullptr;
    while (t_holds && t_holds != holdsBefore_) {
        CallHold& hold = *t_holds;
        t_holds = hold.below_;
        hold.recorded_ = false;
        if (!unsafe) unsafe = hold.unsafeToContinue_;
        hold.release_(hold);
    }
    return unsafe;
}

}  // namespace es
