// Runs a callable when the scope ends, on every path out (return, exception).
// Portable. Usage: ScopeExit restore([&] { ... });
#pragma once

#include <utility>

template <typename F>
class ScopeExit {
public:
    explicit ScopeExit(F action) noexcept(noexcept(F(std::move(action)))) : action_(std::move(action)) {}
    ~ScopeExit()
    {
        action_();
    }

    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ScopeExit(ScopeExit&&) = delete;
    ScopeExit& operator=(ScopeExit&&) = delete;

private:
    F action_;
};
