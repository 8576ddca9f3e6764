#pragma once
// Captures what the library writes to the debugger output and shows in message boxes, on both
// targets: through the platform layer's hook on POSIX, and on Windows by redirecting tkl.dll's
// imports of OutputDebugStringA and MessageBoxA while a capture is alive.

#include <string>
#include <vector>

namespace tkltest {

struct CapturedOutput {
    bool messageBox;      // false: debugger output
    std::string caption;  // message box only
    std::string text;
    unsigned style;       // message box only
};

class OutputCapture {
public:
    OutputCapture();
    ~OutputCapture();
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    const std::vector<CapturedOutput>& entries() const { return entries_; }
    // The debugger lines alone, in order.
    std::vector<std::string> debugLines() const;
    void clear() { entries_.clear(); }

    // Called by the redirected functions.
    void record(CapturedOutput entry) { entries_.push_back(std::move(entry)); }

private:
    std::vector<CapturedOutput> entries_;
};

}  // namespace tkltest
