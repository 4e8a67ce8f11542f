#pragma once
// The --json listings: every document is an object that names its schema and version first, so
// scripts can rely on them ({"schema": "mirtal-titles", "version": 1, ...}). Members keep the
// order they are added in. Numbers are the fields as read; where the text output is a grid, each
// record that is a row of it carries that row's texts as "cells", and the document's "captions"
// object gives the caption row under the key of those records.

#include "cli/cli.h"
#include "core/extension_data.h"
#include "hdmv/command.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <string_view>

namespace mirtal::cli {

using Json = nlohmann::ordered_json;

// The version of every mirtal-cli JSON schema; it grows when a document changes in a way that
// breaks its readers.
constexpr int kJsonVersion = 1;

// {"schema": "mirtal-" + schema, "version": 1}; the command adds its data after these members.
[[nodiscard]] Json jsonDocument(std::string_view schema);

// The document on standard output, indented by two spaces and ending in a newline, as UTF-8;
// bytes of disc texts that are no UTF-8 are written as U+FFFD instead of stopping the output.
void printJson(const Json& document);

// An ExtensionData() block: its caption ("1 entry, 36 bytes"), header fields, entries and the
// data bytes as hexadecimal text.
[[nodiscard]] Json extensionDataJson(const core::TExtensionData& block);

// One navigation command as line `line` of its list: the three words, the command line and its
// validity, and with withCells the command grid's row.
[[nodiscard]] Json commandJson(const hdmv::TNavCommand& command, size_t line, bool withCells = true);
[[nodiscard]] Json commandListJson(const hdmv::CommandList& commands);

// A document whose last but one member is an array of any length (a traced run's steps, the
// emulator's messages), written element by element as they come so that it is never held whole.
// The text is the one printJson gives for the whole document.
class JsonArrayStream {
public:
    // Prints the members of head, then the array's name.
    JsonArrayStream(const Json& head, std::string_view key);
    void push(const Json& element);
    // Ends the array and the document with the members of tail.
    void finish(const Json& tail);

private:
    bool m_empty = true;
};

// The main status detail (panel 1) as the answer of a command: the emulator's messages and the
// preview lines. Off until `answering` is set (a load's progress texts are no answer); then
// given to onLine when set (a --json document), else printed one a line.
class AnswerReporter final : public StderrReporter {
public:
    bool answering = false;
    std::function<void(std::string_view)> onLine;
    void statusText(int panel, std::string_view text) override;
};

}  // namespace mirtal::cli
