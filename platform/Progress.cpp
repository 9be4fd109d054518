#include "platform/Progress.h"

namespace {

IProgressSink* g_sink = nullptr;
IProgressSink* g_taskSink = nullptr;  // the sink the running outermost task began on
int g_depth = 0;
bool g_cancelled = false;

}  // namespace

IProgressSink* SetProgressSink(IProgressSink* sink)
{
    IProgressSink* previous = g_sink;
    g_sink = sink;
    return previous;
}

ProgressTask::ProgressTask(std::string_view textUtf8)
{
    if (g_depth++ > 0)
        return;
    g_cancelled = false;
    g_taskSink = g_sink;
    if (g_taskSink)
        g_taskSink->Begin(std::string(textUtf8));
}

void ProgressTask::End()
{
    if (!m_running)
        return;
    m_running = false;
    m_cancelled = g_cancelled;
    if (--g_depth > 0)
        return;
    IProgressSink* sink = g_taskSink;
    g_taskSink = nullptr;
    if (sink)
        sink->End();
}

bool ProgressTask::Cancelled() const { return m_running ? g_cancelled : m_cancelled; }

bool ReportProgress(std::uint64_t done, std::uint64_t total)
{
    if (g_depth == 0)
        return true;
    if (!g_cancelled && g_taskSink && !g_taskSink->Update(done, total))
        g_cancelled = true;
    return !g_cancelled;
}
