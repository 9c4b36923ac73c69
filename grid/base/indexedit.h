#pragma once
// Removing and inserting many entries of a vector in one pass, by ascending index lists.
#include <cstddef>
#include <utility>
#include <vector>

// Removes the entries at At (ascending, each once); the others close up. Indexes at or
// beyond the end are ignored.
template <class T>
void EraseIndexes(std::vector<T> &V, const std::vector<int> &At)
{
    size_t w = 0;
    size_t j = 0;
    for (size_t i = 0; i < V.size(); ++i) {
        while (j < At.size() && At[j] < int(i))
            ++j;
        if (j < At.size() && size_t(At[j]) == i) {
            ++j;
            continue;
        }
        if (w != i)
            V[w] = std::move(V[i]);
        ++w;
    }
    V.resize(w);
}

// Inserts Fill so that the new entries end up at the ascending final indexes At. An index
// past the end of the grown vector (a sparse tail) is not materialised.
template <class T, class F>
void InsertIndexes(std::vector<T> &V, const std::vector<int> &At, const F &Fill)
{
    const size_t n = V.size();
    size_t k = 0;
    while (k < At.size() && At[k] >= 0 && size_t(At[k]) <= n + k)
        ++k;
    if (k == 0)
        return;
    V.resize(n + k);
    size_t src = n;
    size_t dst = n + k;
    size_t j = k;
    while (j > 0) {
        --dst;
        if (size_t(At[j - 1]) == dst) {
            V[dst] = Fill;
            --j;
        } else {
            --src;
            V[dst] = std::move(V[src]);
        }
    }
}
