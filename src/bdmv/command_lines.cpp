#include "bdmv/editing.h"

namespace mirtal::bdmv {

std::optional<size_t> insertCommandLine(TMovieObjectFile&, size_t, std::optional<size_t>)
{
    return std::nullopt;
}

std::optional<size_t> deleteCommandLines(TMovieObjectFile&, size_t, size_t, size_t)
{
    return std::nullopt;
}

}  // namespace mirtal::bdmv
