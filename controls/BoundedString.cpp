#include "BoundedString.h"

namespace {

const size_t kMaxCapacity = 0x7FFFFFFF;

// Index of the terminator within the first `limit` characters, or `limit`.
size_t FindTerminator(const WCHAR* text, size_t limit)
{
    size_t length = 0;
    while (length < limit && text[length] != L'\0')
        ++length;
    return length;
}

}  // namespace

HRESULT BoundedLength(const WCHAR* text, size_t limit, size_t* lengthInBytes)
{
    if (lengthInBytes)
        *lengthInBytes = 0;
    if (text == NULL || limit == 0 || limit > kMaxCapacity)
        return E_INVALIDARG;
    const size_t length = FindTerminator(text, limit);
    if (length == limit)
        return E_INVALIDARG;
    if (lengthInBytes)
        *lengthInBytes = length * sizeof(WCHAR);
    return S_OK;
}

HRESULT BoundedCopy(WCHAR* destination, size_t capacity, const WCHAR* source)
{
    if (destination == NULL || capacity == 0 || capacity > kMaxCapacity)
        return E_INVALIDARG;
    if (source == NULL) {
        destination[0] = L'\0';
        return E_INVALIDARG;
    }
    for (size_t i = 0; i < capacity; ++i) {
        destination[i] = source[i];
        if (source[i] == L'\0')
            return S_OK;
    }
    destination[capacity - 1] = L'\0';
    return kBoundedTruncated;
}

HRESULT BoundedAppend(WCHAR* destination, size_t capacity, const WCHAR* source)
{
    if (destination == NULL || capacity == 0 || capacity > kMaxCapacity)
        return E_INVALIDARG;
    const size_t length = FindTerminator(destination, capacity);
    if (length == capacity)
        return E_INVALIDARG;
    return BoundedCopy(destination + length, capacity - length, source);
}
