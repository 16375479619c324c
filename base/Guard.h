#pragma once

// Sets a flag for one scope and clears it on every way out: the mark of a handler that is
// running, so that what it sets off does not run it again inside itself.
class TGuard {
public:
    explicit TGuard(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TGuard() { FFlag = false; }
    TGuard(const TGuard&) = delete;
    TGuard& operator=(const TGuard&) = delete;

private:
    bool& FFlag;
};
