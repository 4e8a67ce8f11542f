#include "core/report.h"

namespace mirtal::core {

void Report::log2(std::string_view message)
{
    log(message);
    log("");
}

void Report::erlog(std::string_view message)
{
    std::string line;
    line.reserve(message.size() + 9);
    line += "[re]";
    line += message;
    line += "[/re]";
    log(line);
    erslog(message);
    m_error = true;
    beep();
}

void Report::slog(std::string_view text, int panel)
{
    m_sink->statusText(panel, text);
}

void Report::slogw(std::string_view text, int panel)
{
    slog(text, panel);
    m_sink->wait(m_actiDelayMs);
}

}  // namespace mirtal::core
