// The recorder model table and its lookups.
#include <gtest/gtest.h>

#include <string>

#include "base/ModelTable.h"

namespace {

TEST(ModelTable, MenuOrderIdsAndDialogs) {
  std::string ids, dialogs, names;
  for (const ModelEntry& model : ModelTable()) {
    ids += std::to_string(model.modelId);
    dialogs += std::string(DeviceSettingDialogName(model.dialog)) + " ";
    names += std::string(model.menuEntry) + "=" + model.commandName + " ";
  }
  EXPECT_EQ(ids, "01234569") << "MX-H is 9, not 7 or 8";
  EXPECT_EQ(dialogs,
            "CDlgSetting CDlgSetting CDlgSetting CDlgSetting CDlgSetting15 CDlgSetting15 CDlgSetting2 CDlgSetting3 ");
  EXPECT_EQ(names.substr(0, 18), "MX-A=ToolModelMXA ");
  EXPECT_EQ(std::string(FindModel(9)->menuEntry), "MX-H");
  EXPECT_EQ(ModelMenuText(*FindModel(9)), "MX-H(&7)");
}

TEST(ModelTable, IdsOutsideTheTableSelectNothing) {
  for (int id : {-1, 7, 8, 10, 1000}) EXPECT_EQ(FindModel(id), nullptr) << id;
  EXPECT_TRUE(IsMxHModel(9));
  EXPECT_FALSE(IsMxHModel(8));
  EXPECT_EQ(LayoutChangeFor(7, 9), LayoutChange::kToMxH);
  EXPECT_EQ(LayoutChangeFor(9, 7), LayoutChange::kToOrdinary) << "an unknown id takes the ordinary layout";
  EXPECT_EQ(LayoutChangeFor(0, 6), LayoutChange::kNone);
}

}  // namespace
