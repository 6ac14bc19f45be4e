// What a guarded handler call holds while it runs: a lock, a GDI object selected into a DC. When
// a fault abandons the call, its frames never run again and their destructors never give these
// back; the guard gives them back itself, newest first, before anything else runs on the thread.
// Only a thread that runs guarded calls (the message thread) records its holds; on every other
// thread a hold is plain RAII.
#pragma once

namespace es {

class CallHold {
public:
    CallHold(const CallHold&) = delete;
    CallHold& operator=(const CallHold&) = delete;

protected:
    // release gives the hold back on abandon. A hold that leaves shared data half-changed when
    // abandoned names why; the program must not go on after such a call.
    using Release = void (*)(CallHold& self);
    explicit CallHold(Release release, const wchar_t* unsafeToContinue = nullptr)
        : release_(release), unsafeToContinue_(unsafeToContinue) {}
    ~CallHold() { Forget(); }
    // Once the resource is held, and before it is given back, so that an abandon between the
    // two finds nothing to give back twice.
    void Record();
    void Forget();

private:
    friend class GuardedCallScope;
    Release release_;
    const wchar_t* unsafeToContinue_;
    CallHold* below_ = nullptr;
    bool recorded_ = false;
};

// Opened by the exception guard around each handler call, innermost last.
class GuardedCallScope {
public:
    GuardedCallScope();
    ~GuardedCallScope();
    GuardedCallScope(const GuardedCallScope&) = delete;
    GuardedCallScope& operator=(const GuardedCallScope&) = delete;

    // For an abandoned call: gives back every hold taken inside it and not yet given back, newest
    // first. Returns why going on is unsafe, or null when it is safe.
    const wchar_t* ReleaseHolds();

private:
    GuardedCallScope* outer_;
    CallHold* holdsBefore_;
};

// A locked mutex as a hold: unlocked on abandon. A lock taken to change what it guards says why.
template <typename Mutex>
class HeldLock final : public CallHold {
public:
    explicit HeldLock(Mutex& mutex, const wchar_t* changing = nullptr)
        : CallHold([](CallHold& self) { static_cast<HeldLock&>(self).mutex_.unlock(); }, changing), mutex_(mutex) {
        mutex_.lock();
        Record();
    }
    ~HeldLock() {
        Forget();
        mutex_.unlock();
    }

private:
    Mutex& mutex_;
};

}  // namespace es
