#pragma once

#include <functional>
#include <memory>

namespace tamo {

// A thread for work that runs beside the calling thread's own share of it: as std::thread,
// but started on another processor where the process may use one. Linux may queue a new
// thread on the processor of the thread that made it, busy with its own share, and move it
// only at a later balancing tick, milliseconds on; so the new thread is made on the other
// processors, and once it runs it may move anywhere, as any thread.
//
// Throws std::system_error where no thread is to be had, as std::thread does. An exception
// that leaves the work ends the program, as with std::thread. The destructor joins.
class SideThread {
public:
    SideThread();
    explicit SideThread(std::function<void()> work);
    SideThread(SideThread &&other) noexcept;
    SideThread &operator=(SideThread &&other) noexcept;
    ~SideThread();

    bool joinable() const { return m_state != nullptr; }
    void join();

    struct State; // the thread and its work, for the code that runs it

private:
    std::unique_ptr<State> m_state;
};

} // namespace tamo
