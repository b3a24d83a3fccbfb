// Output written by a second thread while the next part of it is being
// produced: two buffers, one filled while the other is written.
#pragma once

#include "files.h"

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>

namespace tagora::cli {

class WriteBehind {
public:
    explicit WriteBehind(std::size_t capacity);
    WriteBehind(const WriteBehind&) = delete;
    WriteBehind& operator=(const WriteBehind&) = delete;
    ~WriteBehind();

    // The buffer being filled, of the capacity given.
    char* buffer() const { return m_buffers[m_filling].get(); }
    // Hands the first size bytes of buffer() over to be written to the
    // output; buffer() is then the other one. False once a write failed.
    // The last part of an output is written by the calling thread once
    // the part before it is: nothing is produced meanwhile, and a short
    // output never waits for the other thread.
    bool handOver(OutputFile& output, std::size_t size, bool last = false);
    // Waits until all that was handed over is written; false when a write
    // failed since the last wait. Nothing is being written afterwards.
    bool wait();

private:
    struct Job {
        OutputFile* output = nullptr;
        const char* bytes = nullptr;
        std::size_t size = 0;
    };

    void writeJobs();
    bool startThread();

    std::unique_ptr<char[]> m_buffers[2];
    int m_filling = 0;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    Job m_job;  // handed over, not yet written
    bool m_failed = false;
    bool m_stopping = false;
    std::thread m_thread;
};

}  // namespace tagora::cli
