#include "store/mappedfile.h"

#include "store/regularfile.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <atomic>
#include <csignal>
#include <cstdint>
#include <limits>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace tamo {

#ifdef Q_OS_UNIX

namespace {

// The live mappings, for the fault handler. A slot is claimed with used; the handler reads
// begin and end only, and finds a slot only while both are set.
struct Slot {
    std::atomic<bool> used = false;
    std::atomic<std::uintptr_t> begin = 0;
    std::atomic<std::uintptr_t> end = 0; // the end of the file's last page
    std::atomic<bool> truncated = false;
};
constexpr int kSlots = 64;
Slot liveMappings[kSlots];

std::uintptr_t pageBytes = 0;
struct sigaction previousHandler {};
bool handlerInstalled = false;

// Runs in the faulting thread. Everything it calls is a plain system call (mmap, sigaction,
// raise) or an atomic load or store.
void onBusError(int signal, siginfo_t *info, void *context)
{
    const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
    if (info->si_code > 0) { // a fault, not a signal sent by someone
        for (Slot &slot : liveMappings) {
            const std::uintptr_t begin = slot.begin.load(std::memory_order_acquire);
            const std::uintptr_t end = slot.end.load(std::memory_order_acquire);
            if (begin == 0 || at < begin || at >= end)
                continue;
            // The file was cut short: zero pages from here to the end of the mapping, and the
            // faulting load runs again on them.
            const std::uintptr_t page = at & ~(pageBytes - 1);
            void *zeros = ::mmap(reinterpret_cast<void *>(page), end - page, PROT_READ,
                                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
            if (zeros != MAP_FAILED) {
                slot.truncated.store(true, std::memory_order_release);
                return;
            }
            break;
        }
    }
    // Not ours: the handler from before, or the default action (which ends the process).
    if ((previousHandler.sa_flags & SA_SIGINFO) && previousHandler.sa_sigaction) {
        previousHandler.sa_sigaction(signal, info, context);
        return;
    }
    if (!(previousHandler.sa_flags & SA_SIGINFO) && previousHandler.sa_handler != SIG_DFL &&
        previousHandler.sa_handler != SIG_IGN) {
        previousHandler.sa_handler(signal);
        return;
    }
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    ::sigaction(signal, &byDefault, nullptr);
    ::raise(signal); // delivered as the handler returns
}

void installHandler()
{
    const long page = ::sysconf(_SC_PAGESIZE);
    if (page <= 0 || (page & (page - 1)) != 0 || page < MappedFile::guardBytes())
        return;
    pageBytes = std::uintptr_t(page);
    struct sigaction action {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    handlerInstalled = ::sigaction(SIGBUS, &action, &previousHandler) == 0;
}

int claimSlot()
{
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (liveMappings[i].used.compare_exchange_strong(expected, true))
            return i;
    }
    return -1; // that many mappings at once: the caller reads the file instead
}

} // namespace

bool MappedFile::open(const QString &path)
{
    close();
    static std::once_flag once;
    std::call_once(once, installHandler);
    if (!handlerInstalled)
        return false;
    QFile file;
    if (!openRegularFile(file, path))
        return false;
    const qint64 size = file.size();
    if (size <= 0 || size > std::numeric_limits<qsizetype>::max() / 2)
        return false;
    const std::uintptr_t fileBytes = (std::uintptr_t(size) + pageBytes - 1) & ~(pageBytes - 1);
    const int slot = claimSlot();
    if (slot < 0)
        return false;
    // A guard page on either side of the file: anonymous pages read as zeros.
    const std::uintptr_t regionBytes = fileBytes + 2 * pageBytes;
    void *region = ::mmap(nullptr, regionBytes, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (region == MAP_FAILED) {
        liveMappings[slot].used.store(false);
        return false;
    }
    char *start = static_cast<char *>(region) + pageBytes;
    if (::mmap(start, size_t(size), PROT_READ, MAP_PRIVATE | MAP_FIXED, file.handle(), 0) ==
        MAP_FAILED) {
        ::munmap(region, regionBytes);
        liveMappings[slot].used.store(false);
        return false;
    }
    Slot &s = liveMappings[slot];
    s.truncated.store(false);
    s.end.store(reinterpret_cast<std::uintptr_t>(start) + fileBytes, std::memory_order_release);
    s.begin.store(reinterpret_cast<std::uintptr_t>(start), std::memory_order_release);
    m_region = static_cast<char *>(region);
    m_regionBytes = qsizetype(regionBytes);
    m_data = start;
    m_size = size;
    m_slot = slot;
    return true;
}

void MappedFile::close()
{
    if (!m_region)
        return;
    Slot &s = liveMappings[m_slot];
    s.begin.store(0, std::memory_order_release);
    s.end.store(0, std::memory_order_release);
    ::munmap(m_region, size_t(m_regionBytes));
    s.used.store(false, std::memory_order_release);
    m_region = nullptr;
    m_regionBytes = 0;
    m_data = nullptr;
    m_size = 0;
    m_slot = -1;
}

bool MappedFile::truncated() const
{
    return m_slot >= 0 && liveMappings[m_slot].truncated.load(std::memory_order_acquire);
}

#else

bool MappedFile::open(const QString &)
{
    return false; // read as usual
}

void MappedFile::close() {}

bool MappedFile::truncated() const
{
    return false;
}

#endif

MappedFile::~MappedFile()
{
    close();
}

} // namespace tamo
