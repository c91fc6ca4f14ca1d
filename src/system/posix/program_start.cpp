// Program start on POSIX systems: the heap kept for the scenes' pictures.
#include "system/program_start.h"

#include "system/sanitizers.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <array>
#include <cstdlib>

namespace {

// Every scene change frees pictures by the megabyte and allocates the next scene's. glibc hands
// blocks that large back to the kernel when they are freed, so each new picture was faulted in
// and cleared again page by page: 3 of the 13 ms of a display-mode switch on a virtual machine.
// Blocks up to glibc's largest threshold (32 MiB on 64-bit systems) now come from the heap, and
// the heap keeps up to 128 MiB of freed memory. The peak memory use does not change.
void KeepFreedMemory() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
}

}  // namespace

std::vector<std::string> StartProgram(int argc, char** argv) {
  KeepFreedMemory();
  return {argv, argv + argc};
}

// The heap is grown page by page and freed again: the heap keeps it (see above). Not under
// AddressSanitizer, whose allocator would only hold the blocks back.
void GrowHeapOnce() {
#if defined(__GLIBC__) && !defined(MORAVIN_ADDRESS_SANITIZER)
  // The heap a game reaches: the pictures of a scene, those kept decoded between scenes, the
  // screen and the sounds (51.4 MB measured in an X window).
  constexpr size_t kHeapReached = 52 << 20;
  // Blocks below the largest threshold above, so that they come from the heap.
  constexpr size_t kHeapBlock = 13 << 20;
  std::array<void*, kHeapReached / kHeapBlock> blocks{};
  for (void*& block : blocks) {
    block = std::malloc(kHeapBlock);
    if (!block) break;
    auto* bytes = static_cast<volatile char*>(block);
    for (size_t page = 0; page < kHeapBlock; page += 4096) bytes[page] = 0;
  }
  for (void* block : blocks) std::free(block);
#endif
}
