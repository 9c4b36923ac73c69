#pragma once
// Removing and inserting many entries of a vector in one pass, by ascending index lists.
#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

// Removes the entries at At (ascending, each once); the others close up. Each removed entry
// is handed to Take(j, entry) first, j being its place in At. Indexes outside V are
// ignored. The work goes by the gaps between removed entries, so removing every other
// entry of a long vector costs a few steps per entry.
template <class T, class F>
void EraseIndexes(std::vector<T> &V, const std::vector<int> &At, F &&Take)
{
    const size_t n = V.size();
    const size_t first = size_t(std::lower_bound(At.begin(), At.end(), 0) - At.begin());
    const size_t last = size_t(std::lower_bound(At.begin(), At.end(), int64_t(n)) - At.begin());
    if (first == last)
        return;
    T *v = V.data();
    const int *at = At.data();
    size_t w = size_t(at[first]);
    for (size_t j = first; j < last; ++j) {
        const size_t gone = size_t(at[j]);
        Take(j, std::move(v[gone]));
        const size_t end = j + 1 < last ? size_t(at[j + 1]) : n;
        for (size_t i = gone + 1; i < end; ++i)
            v[w++] = std::move(v[i]);
    }
    V.resize(w);
}

template <class T>
void EraseIndexes(std::vector<T> &V, const std::vector<int> &At)
{
    EraseIndexes(V, At, [](size_t, T &&) {});
}

// Inserts Fill so that the new entries end up at the ascending final indexes At. An index
// past the end of the grown vector (a sparse tail) is not materialised.
// How many entries of At InsertIndexes materialises in a vector of n entries.
inline size_t InsertedCount(size_t n, const std::vector<int> &At)
{
    size_t k = 0;
    while (k < At.size() && At[k] >= 0 && size_t(At[k]) <= n + k)
        ++k;
    return k;
}

template <class T, class F>
void InsertIndexes(std::vector<T> &V, const std::vector<int> &At, const F &Fill)
{
    const size_t n = V.size();
    const size_t k = InsertedCount(n, At);
    if (k == 0)
        return;
    V.resize(n + k);
    T *v = V.data();
    size_t src = n;
    size_t dst = n + k;
    for (size_t j = k; j > 0; --j) {
        const size_t at = size_t(At[j - 1]);
        while (dst > at + 1)
            v[--dst] = std::move(v[--src]);
        v[--dst] = Fill;
    }
}
