// `kvrdata layout` prints a record's stored fields with offsets and sizes.
#include <gtest/gtest.h>

#include "Layouts.h"

namespace kv::kvrdata {
namespace {

TEST(LayoutTest, NamesEveryFieldWithItsOffset) {
    const auto item = RecordLayout("ItemDef");
    ASSERT_TRUE(item.has_value());
    EXPECT_NE(item->find("ItemDef: 281 bytes"), std::string::npos);
    EXPECT_NE(item->find("128      2  Integer       BrokenInto"), std::string::npos) << *item;
    const auto event = RecordLayout("EventDef");
    ASSERT_TRUE(event.has_value());
    EXPECT_NE(event->find("EventDef: 641 bytes"), std::string::npos);
    EXPECT_FALSE(RecordLayout("Item").has_value());
    EXPECT_EQ(LayoutNames().size(), 12u);
}

}  // namespace
}  // namespace kv::kvrdata
