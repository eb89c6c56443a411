#include <gtest/gtest.h>

#include "framework/core/GrowBuf.h"

namespace {

struct ResizeCase {
  const char* name;
  int32_t granularity;
  int32_t minimumAllocation;
  int32_t firstSize;
  int32_t secondSize;
  bool allowShrink;
  int32_t expectedAllocation;
};

// Allocation sizes after two resizes, worked out from the growth rules.
const ResizeCase kResizeCases[] = {
    {"page granularity, first byte", 4096, 0, 0, 1, true, 4000},
    {"page granularity, fits", 4096, 0, 1, 4000, true, 4000},
    {"page granularity, one past", 4096, 0, 1, 4001, true, 8096},
    {"large growth half rounded to pages", 4096, 0, 0, 100000, true, 147360},
    {"huge growth half capped at 4 MiB", 4096, 0, 0, 20000000, true, 24190880},
    {"shrink far below", 4096, 0, 100000, 1000, true, 4000},
    {"shrink not allowed", 4096, 0, 100000, 1000, false, 147360},
    {"shrink not below half", 4096, 0, 100000, 80000, true, 147360},
    {"small granularity", 32, 0, 0, 8, true, 40},
    {"small granularity grows by half", 32, 0, 8, 100, true, 150},
    {"minimum allocation", 32, 256, 0, 8, true, 256},
};

TEST(GrowBuf, ResizeFollowsGrowthRules) {
  for (const ResizeCase& c : kResizeCases) {
    GrowBuf buf(c.granularity);
    buf.SetMinimumAllocation(c.minimumAllocation);
    buf.Resize(c.firstSize);
    buf.Resize(c.secondSize, c.allowShrink);
    EXPECT_EQ(buf.AllocatedSize(), c.expectedAllocation) << c.name;
    EXPECT_EQ(buf.Size(), c.secondSize) << c.name;
  }
}

TEST(GrowBuf, KeepsContentsAndReportsEmptyAsNull) {
  GrowBuf buf;
  EXPECT_EQ(buf.Resize(0), nullptr);
  auto* bytes = static_cast<unsigned char*>(buf.Resize(3));
  ASSERT_NE(bytes, nullptr);
  bytes[0] = 7;
  bytes[2] = 9;
  bytes = static_cast<unsigned char*>(buf.Resize(50000));
  EXPECT_EQ(bytes[0], 7);
  EXPECT_EQ(bytes[2], 9);
  EXPECT_EQ(buf.Resize(0), nullptr);
  EXPECT_EQ(buf.Size(), 0);
}

TEST(GrowBuf, ResizeZeroedClearsOnlyNewBytes) {
  GrowBuf buf;
  auto* bytes = static_cast<unsigned char*>(buf.Resize(2));
  bytes[0] = 1;
  bytes[1] = 2;
  buf.Resize(1);
  ASSERT_TRUE(buf.ResizeZeroed(4));
  bytes = static_cast<unsigned char*>(buf.Data());
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(bytes[3], 0);
}

TEST(GrowBuf, RefusesNegativeAndUnallocatableSizes) {
  GrowBuf buf;
  buf.Resize(10);
  buf.Resize(-1);
  EXPECT_EQ(buf.Size(), 10);
  EXPECT_FALSE(buf.ResizeZeroed(-5));
  EXPECT_FALSE(buf.ResizeZeroed(INT32_MAX));
  EXPECT_EQ(buf.Size(), 10);
}

struct Counted {
  explicit Counted(std::vector<int>* log, int id) : log_(log), id_(id) {}
  ~Counted() { log_->push_back(id_); }
  std::vector<int>* log_;
  int id_;
};

TEST(PtrArray, IndexesAndRefusesOutOfRange) {
  int a = 1, b = 2, c = 3;
  PtrArray<int> list(32);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Get(0), nullptr);
  list.Add(&a);
  list.Add(&b);
  list.AddFront(&c);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Get(0), &c);
  EXPECT_EQ(list.Get(1), &a);
  EXPECT_EQ(list.Get(2), &b);
  EXPECT_EQ(list.Get(-1), nullptr);
  EXPECT_EQ(list.Get(3), nullptr);
}

TEST(PtrArray, OwningListDeletesLastFirst) {
  std::vector<int> log;
  {
    OwningPtrArray<Counted> list;
    for (int i = 0; i < 4; ++i) list.Add(new Counted(&log, i));
  }
  EXPECT_EQ(log, (std::vector<int>{3, 2, 1, 0}));
}

}  // namespace
