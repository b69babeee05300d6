#pragma once

// -1, 0 or 1 as a sorts before, with or after b.
template <typename T>
int Order(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}
