#pragma once
// What every reader of a disc file gives back: the value as far as it was read, whether it read,
// and where the input ended or broke. The type and version check the structured files start
// with is here too, written once.

#include "core/field_reader.h"

#include <cstdint>
#include <utility>

namespace mirtal::core {

constexpr uint32_t kVersion0100 = 0x30313030;    // "0100"
constexpr uint32_t kVersion0200 = 0x30323030;    // "0200"

enum class ReadStatus {
    Ok,             // read; endedEarly says whether the input held all it declared
    FormatError,    // a wrong type or version, or a structure that cannot be read on
    Truncated,      // the input ended before a part the value cannot do without
    TooMany,        // a count above what the format allows
    FileError,      // the file could not be opened or read
    Cancelled,      // stopped by the user before the end; the value is empty
};

template <typename T>
struct ReadResult {
    T value{};
    ReadStatus status = ReadStatus::FormatError;
    // Read, but the input ended before its counts or lengths said: what it declares past its end
    // is empty (zeros) in the value.
    bool endedEarly = false;
    // Where the input broke (the check that failed) or ended early; the bytes read otherwise.
    uint64_t stopPosition = 0;
    [[nodiscard]] bool ok() const { return status == ReadStatus::Ok; }
    // A good read replaces target and gives true; otherwise target stays as it was.
    bool into(T& target)
    {
        if (!ok())
            return false;
        target = std::move(value);
        return true;
    }
};

// Reads the type indicator and version words (8 bytes) into type and version; true when the type
// is `expected` and the version one the editor reads (0100 or 0200).
inline bool readTypeAndVersion(FieldReader& in, uint32_t expected, uint32_t& type, uint32_t& version)
{
    type = in.readlword();
    version = in.readlword();
    return !in.overrun() && type == expected && (version == kVersion0100 || version == kVersion0200);
}

}  // namespace mirtal::core
