// An offscreen OpenGL compatibility context (EGL surfaceless, Mesa llvmpipe) for tests and
// benchmarks: no display needed.
#pragma once

class EglContext {
public:
    // Creates a width x height pbuffer context and makes it current. ok() tells whether it worked.
    EglContext(int width = 256, int height = 256);
    ~EglContext();
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    bool ok() const { return m_ok; }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    void* m_display = nullptr;
    void* m_context = nullptr;
    void* m_surface = nullptr;
    int m_width;
    int m_height;
    bool m_ok = false;
};
