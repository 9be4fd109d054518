// How far a long read has come, and whether the user wants it to go on. The document opens a
// task around reading a scene or model file; the readers report the bytes read of the file's
// size as they go. The application installs a sink that shows a progress dialog with a
// cancel button; tests install one that records or cancels. Without a task or a sink a
// report does nothing and the read goes on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class IProgressSink {
public:
    virtual ~IProgressSink() = default;
    // A task starts; textUtf8 says what it does.
    virtual void Begin(const std::string& textUtf8) = 0;
    // done of total bytes; false when the user asked to stop.
    virtual bool Update(std::uint64_t done, std::uint64_t total) = 0;
    // The task has ended (finished, failed or cancelled).
    virtual void End() = 0;
};

// Installs a sink (not owned); returns the previous one. Null removes it.
IProgressSink* SetProgressSink(IProgressSink* sink);

// A task that reports progress while it lives. Tasks may nest: only the outermost one talks
// to the sink, and a cancel stops them all.
class ProgressTask {
public:
    explicit ProgressTask(std::string_view textUtf8);
    ~ProgressTask() { End(); }
    ProgressTask(const ProgressTask&) = delete;
    ProgressTask& operator=(const ProgressTask&) = delete;

    // Ends the task before its scope does (so that a message can follow it).
    void End();
    // The user asked to stop while the task ran.
    bool Cancelled() const;

private:
    bool m_running = true;
    bool m_cancelled = false;
};

// Reports done of total bytes of the read under way. False once the user has asked the
// running task to stop (and on every later report of that task); true outside a task.
bool ReportProgress(std::uint64_t done, std::uint64_t total);
