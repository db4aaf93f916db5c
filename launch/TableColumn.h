// One field of every row of a constant table, in row order: the control ids
// a message-table row answers for, taken from the table that owns them.
#pragma once

#include <array>
#include <cstddef>
#include <type_traits>

template <auto Field, class Row, std::size_t N>
constexpr auto columnOf(const std::array<Row, N>& rows)
{
    std::array<std::remove_cv_t<std::remove_reference_t<decltype(rows[0].*Field)>>, N> column{};
    for (std::size_t i = 0; i < N; ++i)
        column[i] = rows[i].*Field;
    return column;
}
