#include "std/sidethread.h"

#include <exception>
#include <system_error>
#include <utility>

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#else
#include <thread>
#endif

namespace tamo {

#if defined(__linux__)

struct SideThread::State {
    std::function<void()> work;
    pthread_t id{};
    cpu_set_t allowed{}; // the processors the new thread may use once it runs
    bool hinted = false; // it was made on the others than the caller's
};

namespace {

void *runWork(void *state)
{
    auto *s = static_cast<SideThread::State *>(state);
    if (s->hinted)
        pthread_setaffinity_np(pthread_self(), sizeof s->allowed, &s->allowed);
    try {
        s->work();
    } catch (...) {
        std::terminate();
    }
    return nullptr;
}

} // namespace

SideThread::SideThread(std::function<void()> work)
    : m_state(std::make_unique<State>())
{
    State &s = *m_state;
    s.work = std::move(work);
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    const int here = sched_getcpu();
    if (here >= 0 && here < CPU_SETSIZE &&
        sched_getaffinity(0, sizeof s.allowed, &s.allowed) == 0) {
        cpu_set_t others = s.allowed;
        CPU_CLR(here, &others);
        s.hinted = CPU_COUNT(&others) > 0 &&
                   pthread_attr_setaffinity_np(&attributes, sizeof others, &others) == 0;
    }
    int error = pthread_create(&s.id, &attributes, runWork, &s);
    if (error != 0 && s.hinted) { // the hint refused: made as any thread
        s.hinted = false;
        pthread_attr_destroy(&attributes);
        pthread_attr_init(&attributes);
        error = pthread_create(&s.id, &attributes, runWork, &s);
    }
    pthread_attr_destroy(&attributes);
    if (error != 0) {
        m_state.reset();
        throw std::system_error(error, std::generic_category(), "pthread_create");
    }
}

void SideThread::join()
{
    if (!m_state)
        return;
    pthread_join(m_state->id, nullptr);
    m_state.reset();
}

#else

struct SideThread::State {
    std::thread thread;
};

SideThread::SideThread(std::function<void()> work)
    : m_state(std::make_unique<State>())
{
    m_state->thread = std::thread(std::move(work));
}

void SideThread::join()
{
    if (!m_state)
        return;
    m_state->thread.join();
    m_state.reset();
}

#endif

SideThread::SideThread() = default;

SideThread::SideThread(SideThread &&other) noexcept = default;

SideThread &SideThread::operator=(SideThread &&other) noexcept
{
    if (this != &other) {
        join();
        m_state = std::move(other.m_state);
    }
    return *this;
}

SideThread::~SideThread()
{
    join();
}

} // namespace tamo
