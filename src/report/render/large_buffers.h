#pragma once
// Writing a PDF, Qt's engine takes two 10 MB buffers for every page's
// content and gives them back at the end of the page. By the C library's
// default rules such blocks go back to the system and come again for the
// next page (page faults, fresh memory cleared each time). While a
// KeepLargeBuffersInHeap exists, blocks up to 32 MB stay in the heap and
// freed memory is not handed back; when the last one ends the library's
// defaults return and the spare memory is handed back at once.

namespace dorvana {

class KeepLargeBuffersInHeap {
public:
    KeepLargeBuffersInHeap();
    ~KeepLargeBuffersInHeap();
    KeepLargeBuffersInHeap(const KeepLargeBuffersInHeap&) = delete;
    KeepLargeBuffersInHeap& operator=(const KeepLargeBuffersInHeap&) = delete;
};

}  // namespace dorvana
