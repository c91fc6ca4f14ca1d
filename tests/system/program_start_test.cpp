// What the entry point does before anything else, where it can be seen from outside.
#include "system/program_start.h"

#include <gtest/gtest.h>

#include "system/sanitizers.h"

#ifdef __GLIBC__
#include <malloc.h>
#include <sys/resource.h>

#include <cstdlib>
#include <cstring>

namespace {

// Each test starts the program and grows its heap as its entry point does. AddressSanitizer
// replaces the heap these tests look at with an allocator of its own.
class ProgramStart : public testing::Test {
 protected:
  void SetUp() override {
#ifdef MORAVIN_ADDRESS_SANITIZER
    GTEST_SKIP() << "AddressSanitizer has an allocator of its own";
#endif
    char name[] = "moravin";
    char* argv[] = {name};
    StartProgram(1, argv);
    GrowHeapOnce();
  }
};

long MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

}  // namespace

// A picture of the largest screen size must come from the heap, where its memory stays after it
// is freed, and not from a mapping of its own that the kernel clears again for the next one.
TEST_F(ProgramStart, LargePicturesComeFromTheHeapAndStayThere) {
  const size_t mappedBefore = mallinfo2().hblkhd;
  constexpr size_t kPicture = 1920 * 1080 * 4;
  void* picture = std::malloc(kPicture);
  ASSERT_NE(picture, nullptr);
  std::memset(picture, 1, kPicture);
  EXPECT_EQ(mallinfo2().hblkhd, mappedBefore) << "the picture was given a mapping of its own";
  std::free(picture);
  EXPECT_GE(mallinfo2().fordblks, kPicture) << "the freed picture went back to the kernel";
}

// The memory of a scene's pictures is in place before the game allocates it: filling them
// has the kernel fault in no page (it would be 3,072 pages for these 12 MB).
TEST_F(ProgramStart, TheHeapIsInMemoryBeforeTheScenesAllocate) {
  constexpr size_t kScene = 12 << 20;
  const long before = MinorFaults();
  auto* pictures = static_cast<volatile char*>(std::malloc(kScene));
  ASSERT_NE(pictures, nullptr);
  for (size_t page = 0; page < kScene; page += 4096) pictures[page] = 1;
  const long faults = MinorFaults() - before;
  std::free(const_cast<char*>(pictures));
  EXPECT_LT(faults, 64) << "pages faulted in by a picture allocated after the start";
}
#endif
