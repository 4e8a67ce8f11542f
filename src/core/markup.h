#pragma once
// The inline markup of log lines: [b] [i] [u] [s1] [s2] [c:hex] [bl] [gr] [re], each closed by
// [/name]. Spans follow one another and never nest.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirtal::core {

struct StyledSpan {
    std::string text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int sizePt = 0;                  // 0: the log's base size
    std::optional<uint32_t> rgb;     // 0xRRGGBB; none: the window-text colour
    bool operator==(const StyledSpan&) const = default;
};

// The message with every tag removed: what a plain-text log shows.
[[nodiscard]] std::string markupToPlain(std::string_view message);
// The message as styled spans whose texts joined give markupToPlain(message). A tag without
// its closing tag styles the rest of the line.
[[nodiscard]] std::vector<StyledSpan> parseMarkup(std::string_view message);

}  // namespace mirtal::core
