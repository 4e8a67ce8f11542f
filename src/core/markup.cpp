#include "core/markup.h"

#include "core/text.h"

namespace mirtal::core {

std::string markupToPlain(std::string_view message)
{
    std::string out;
    size_t pos = 0;
    while (pos < message.size()) {
        const size_t open = message.find('[', pos);
        if (open == std::string_view::npos)
            break;
        const size_t close = message.find(']', open);
        if (close == std::string_view::npos)
            break;    // an unclosed "[" is shown as it stands rather than looping forever
        out.append(message.substr(pos, open - pos));
        pos = close + 1;
    }
    out.append(message.substr(pos));
    return out;
}

namespace {

// Platform colour values keep red in the lowest byte.
uint32_t platformToRgb(uint32_t v)
{
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

void applyTag(StyledSpan& span, std::string_view tag)
{
    if (tag == "b")
        span.bold = true;
    else if (tag == "i")
        span.italic = true;
    else if (tag == "u")
        span.underline = true;
    else if (tag == "s1")
        span.sizePt = 10;
    else if (tag == "s2")
        span.sizePt = 12;
    else if (tag.substr(0, 2) == "c:")
        span.rgb = platformToRgb(hexToNumber(tag.substr(2)));
    else if (tag == "bl")
        span.rgb = 0x0000FF;
    else if (tag == "gr")
        span.rgb = 0x00FF00;
    else if (tag == "re")
        span.rgb = 0xFF0000;
    else
        span.sizePt = 8;
}

StyledSpan plainSpan(std::string_view text)
{
    StyledSpan span;
    span.text = std::string(text);
    return span;
}

void addSpan(std::vector<StyledSpan>& spans, StyledSpan span)
{
    if (!span.text.empty())
        spans.push_back(std::move(span));
}

}  // namespace

std::vector<StyledSpan> parseMarkup(std::string_view message)
{
    std::vector<StyledSpan> spans;
    std::string_view rest = message;
    while (true) {
        const size_t open = rest.find('[');
        const size_t close = open == std::string_view::npos ? open : rest.find(']', open);
        if (close == std::string_view::npos) {
            addSpan(spans, plainSpan(rest));
            return spans;
        }
        addSpan(spans, plainSpan(rest.substr(0, open)));
        const std::string_view tag = rest.substr(open + 1, close - open - 1);
        rest.remove_prefix(close + 1);
        if (!tag.empty() && tag.front() == '/')
            continue;    // a stray closing tag
        const std::string closing = "[/" + std::string(tag) + "]";
        const size_t end = rest.find(closing);
        StyledSpan span;
        applyTag(span, tag);
        if (end == std::string_view::npos) {
            span.text = markupToPlain(rest);
            addSpan(spans, std::move(span));
            return spans;
        }
        span.text = markupToPlain(rest.substr(0, end));
        addSpan(spans, std::move(span));
        rest.remove_prefix(end + closing.size());
    }
}

}  // namespace mirtal::core
