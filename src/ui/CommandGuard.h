#pragma once

#include <utility>

// Every user command (slot, event handler) runs inside this guard: a silent abort ends the
// command quietly, an engine error or any other failure is shown in the error box through the
// installed prompter, and nothing propagates into the windowing code.

// Shows the exception being handled, or drops it when it is the silent abort. Call only from
// inside a catch block.
void reportCurrentException() noexcept;

// Runs the command; true when it ran to its end, false when it failed or was aborted.
template <typename Command>
bool runGuarded(Command &&command) noexcept
{
    try {
        std::forward<Command>(command)();
        return true;
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

// A slot for connect() that runs the member function inside the guard. Pass the object as the
// connection's context too, so the slot is dropped with it.
template <typename Object, typename Class, typename Result, typename... Args>
auto guarded(Object *object, Result (Class::*method)(Args...))
{
    return [object, method](Args... args) { runGuarded([&] { (object->*method)(args...); }); };
}

// A slot for connect() that runs a callable without arguments inside the guard.
template <typename Command>
auto guarded(Command command)
{
    return [command = std::move(command)]() { runGuarded(command); };
}
