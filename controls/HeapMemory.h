// Allocation that returns NULL instead of throwing, straight from the process
// heap, so the program needs none of the C++ runtime's exception machinery.
#ifndef LAUNCHER_HEAP_MEMORY_H
#define LAUNCHER_HEAP_MEMORY_H

#include <windows.h>

inline void* HeapAllocate(size_t bytes)
{
    return HeapAlloc(GetProcessHeap(), 0, bytes);
}

inline void HeapRelease(void* block)
{
    if (block != NULL)
        HeapFree(GetProcessHeap(), 0, block);
}

#endif
