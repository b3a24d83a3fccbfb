#include "write_behind.h"

#include <system_error>

namespace tagora::cli {

WriteBehind::WriteBehind(std::size_t capacity)
{
    for (auto& buffer : m_buffers)
        buffer = std::make_unique_for_overwrite<char[]>(capacity);
}

WriteBehind::~WriteBehind()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

// The thread starts with the first buffer handed over, so that a short
// output never needs one; without a thread (or for a device), buffers are
// written at once.
bool WriteBehind::startThread()
{
    if (m_thread.joinable())
        return true;
    const SignalsLeftToMainThread signals;
    try {
        m_thread = std::thread(&WriteBehind::writeJobs, this);
    } catch (const std::system_error&) {  // the caller writes instead
    }
    return m_thread.joinable();
}

bool WriteBehind::handOver(OutputFile& output, std::size_t size, bool last)
{
    if (last && m_thread.joinable()) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_job.output == nullptr; });
    }
    if (last || output.isDevice() || !startThread()) {
        m_failed = m_failed || !output.write(buffer(), size);
        return !m_failed;
    }
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_job.output == nullptr; });
    if (m_failed)
        return false;
    m_job = {&output, buffer(), size};
    lock.unlock();
    m_changed.notify_all();
    m_filling = 1 - m_filling;
    return true;
}

bool WriteBehind::wait()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_job.output == nullptr; });
    const bool succeeded = !m_failed;
    m_failed = false;
    return succeeded;
}

void WriteBehind::writeJobs()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_job.output != nullptr || m_stopping; });
        if (m_job.output == nullptr)
            return;
        const Job job = m_job;
        lock.unlock();
        const bool written = job.output->write(job.bytes, job.size);
        lock.lock();
        m_failed = m_failed || !written;
        m_job = {};
        m_changed.notify_all();
    }
}

}  // namespace tagora::cli
