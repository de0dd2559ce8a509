// Fixed-capacity handle allocator of the script layer. Handles are chained
// through `next`; 255 ends the chain and `head` is -1 when every handle is out.
#pragma once

#include <cstdint>

template <int N> class cFreeList {
    static_assert(N > 0 && N < 127, "handles must fit the signed head byte");

public:
    cFreeList() { Reset(); }

    void Reset()
    {
        for (int i = 0; i < N - 1; ++i)
            next[i] = static_cast<uint8_t>(i + 1);
        next[N - 1] = 255;
        head = 0;
    }

    // The handle the next Alloc will hand out, -1 when exhausted. Loaders peek
    // first and pop only once the slot is complete, so a failure costs nothing.
    int Peek() const { return head; }

    int Alloc()
    {
        if (head == -1)
            return -1;
        const int h = head;
        head = next[h] == 255 ? int8_t(-1) : static_cast<int8_t>(next[h]);
        next[h] = 255;
        return h;
    }

    void Free(int h)
    {
        if (h < 0 || h >= N)
            return;
        next[h] = head == -1 ? uint8_t(255) : static_cast<uint8_t>(head);
        head = static_cast<int8_t>(h);
    }

    static constexpr int Capacity() { return N; }

private:
    uint8_t next[N];
    int8_t head;
};
