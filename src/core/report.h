#pragma once
// The one way the library talks to whoever shows its findings: a window, mirtal-cli or a test.

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

namespace mirtal::core {

// What a view implements. Every call comes from the thread that runs the operation.
class Reporter {
public:
    virtual ~Reporter() = default;
    // One line of the message log, with its markup ([b] … [/b] and friends).
    virtual void logLine(std::string_view markup) = 0;
    // Status panel 0 (state) or 1 (detail); the empty text clears the panel.
    virtual void statusText(int panel, std::string_view text) { (void)panel; (void)text; }
    // The error display: "ERROR" in panel 0, the message in panel 1, until the next statusText.
    virtual void errorDisplay(std::string_view text) { (void)text; }
    virtual void beep() {}
    // A short tone; a view without a tone generator may beep instead.
    virtual void tone(int hz, int ms) { (void)hz; (void)ms; }
    virtual void progress(int64_t done, int64_t total) { (void)done; (void)total; }
    // Polled by long operations; a window may process its pending events here.
    virtual bool cancelRequested() { return false; }
    // The activation-delay pause of traced runs and animations.
    virtual void wait(int ms) { (void)ms; }
};

class NullReporter final : public Reporter {
public:
    void logLine(std::string_view) override {}
};

// The log and status operations the formats and the emulator call, over a Reporter. Holds the
// error flag that the savers clear and test, and the cancel flag that the Cancel button sets.
class Report {
public:
    explicit Report(Reporter& sink) : m_sink(&sink) {}

    void log(std::string_view message) { m_sink->logLine(message); }
    void log2(std::string_view message);
    // A red line, the error display, the error flag and a beep.
    void erlog(std::string_view message);
    void slog(std::string_view text, int panel);
    // slog, then the activation delay.
    void slogw(std::string_view text, int panel);
    void erslog(std::string_view text) { m_sink->errorDisplay(text); }
    void beep() { m_sink->beep(); }
    void tone(int hz, int ms) { m_sink->tone(hz, ms); }
    void progress(int64_t done, int64_t total) { m_sink->progress(done, total); }
    void wait(int ms) { m_sink->wait(ms); }

    [[nodiscard]] bool errorFlag() const { return m_error; }
    void clearError() { m_error = false; }

    void requestCancel() { m_cancel = true; }
    void clearCancel() { m_cancel = false; }
    [[nodiscard]] bool cancelled() { return m_sink->cancelRequested() || m_cancel; }

    [[nodiscard]] int actiDelayMs() const { return m_actiDelayMs; }
    void setActiDelayMs(int ms) { m_actiDelayMs = ms; }

    Reporter& sink() { return *m_sink; }

private:
    Reporter* m_sink;
    bool m_error = false;
    std::atomic<bool> m_cancel = false;
    int m_actiDelayMs = 500;
};

}  // namespace mirtal::core
