// The output of one export: a text writer over a file that replaces the target only when it
// is complete, and the unassigned-vertex warning shown once after the file is in place.
//
//     ExportFile file(path);
//     if (!file.IsOpen())
//         return file.Finish();
//     file.Writer().Print(...);
//     if (!WriteSomeBoneRows(...))
//         file.NoteUnassignedVertices();
//     return file.Finish();
#pragma once

#include "export/ExportCommon.h"
#include "export/TextWriter.h"
#include "platform/AtomicFile.h"

#include <memory>
#include <string>

class ExportFile {
public:
    // Opens the temporary file beside the CP932 path (IsOpen tells whether that worked).
    explicit ExportFile(const std::string& cp932Path);
    ~ExportFile();  // an export that did not Finish leaves the target as it was
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    bool IsOpen() const { return m_file.IsOpen(); }
    TextWriter& Writer() { return *m_writer; }

    // Some writer met a vertex without a bone; the warning follows a successful Finish.
    void NoteUnassignedVertices() { m_unassigned = true; }

    // Flushes and puts the file in place. The result fails (and the target keeps what it
    // held) when the file could not be opened or any byte could not be written. After a
    // success with unassigned vertices noted, the warning is shown once.
    ExportResult Finish();

private:
    class Sink : public OutputSink {
    public:
        explicit Sink(AtomicFile& file) : m_file(file) {}
        bool Write(const char* data, std::size_t size) override { return m_file.Write(data, size); }

    private:
        AtomicFile& m_file;
    };

    std::string m_path;
    AtomicFile m_file;
    Sink m_sink{m_file};
    std::unique_ptr<TextWriter> m_writer;
    bool m_unassigned = false;
    bool m_finished = false;
};
