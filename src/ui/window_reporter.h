#pragma once
// The window's side of the library's reporting: log lines rendered from their markup into the
// Status tab's log view, the two status panels with the error display, the beep, the tone, the
// progress bar, and the activation-delay wait; polling for Cancel
// processes the window's pending events.

#include "core/report.h"

#include <QElapsedTimer>

#include <array>
#include <optional>
#include <string>


class QLabel;
class QProgressBar;
class QStatusBar;
class QTextEdit;

namespace mirtal::ui {

class WindowReporter final : public core::Reporter {
public:
    // The views are attached once the window has made them; nothing is shown before.
    void attach(QTextEdit* log, QStatusBar* bar, QLabel* panel0, QLabel* panel1, QProgressBar* progress);

    void logLine(std::string_view markup) override;
    void statusText(int panel, std::string_view text) override;
    void errorDisplay(std::string_view text) override;
    void beep() override;
    void tone(int hz, int ms) override;
    void progress(int64_t done, int64_t total) override;
    bool cancelRequested() override;
    void wait(int ms) override;

    [[nodiscard]] bool errorShown() const { return m_errorShown; }
    // Error displays so far, and the text of the last one: an operation that reported an error
    // on the way shows it again when it ends, so later state texts do not hide it.
    [[nodiscard]] int errorCount() const { return m_errors; }
    void showLastErrorSince(int count);
    // A long run with progress starts or ends: meanwhile the status texts and the bar are
    // brought up to date every few milliseconds; at the end they show the last reports.
    void setLongRun(bool running);
    // How often a long run lets the window's events through (10 ms); 0: at every 64th poll.
    void setPumpIntervalMs(int ms) { m_pumpIntervalMs = ms; }
    // Log lines appended since start-up (the tests read them back).
    [[nodiscard]] int lineCount() const { return m_lines; }

private:
    void repaintBar();
    [[nodiscard]] bool deferred() const;
    void flush();
    void applyStatus(int panel, const std::string& text);

    [[nodiscard]] bool attached() const { return m_log != nullptr; }

    QTextEdit* m_log = nullptr;
    QStatusBar* m_bar = nullptr;
    QLabel* m_panel0 = nullptr;
    QLabel* m_panel1 = nullptr;
    QProgressBar* m_progress = nullptr;
    int m_pumpIntervalMs = 10;
    static constexpr uint32_t kClockPolls = 64;
    static constexpr int kPaintIntervalMs = 30;
    QElapsedTimer m_pumped;
    QElapsedTimer m_painted;
    uint32_t m_polls = 0;
    bool m_longRun = false;
    std::array<std::optional<std::string>, 2> m_pending;
    std::optional<int> m_pendingProgress;    // -1: reset
    bool m_errorShown = false;
    int m_lines = 0;
    int m_errors = 0;
    std::string m_lastError;
};

}  // namespace mirtal::ui
