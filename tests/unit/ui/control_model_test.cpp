#include "ui/control_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace skel::ui {
namespace {

class ControlModelTest : public ::testing::Test, public ControlView {
 protected:
  void SetUp() override {
    model.Add({.name = "Check1", .kind = ControlKind::CheckBox});
    model.Add({.name = "OptA", .kind = ControlKind::OptionButton, .value = 1, .group = "g"});
    model.Add({.name = "OptB", .kind = ControlKind::OptionButton, .group = "g"});
    model.Add({.name = "Text1", .kind = ControlKind::TextBox, .maxLength = 5});
    model.Add({.name = "Combo1", .kind = ControlKind::ComboList, .items = {"SHIFT", "F1"}});
    for (const char* n : {"Check1", "OptA", "OptB", "Text1", "Combo1"}) {
      model.On(n, ControlEvent::Click, [this](Control& c) { log.push_back("click " + c.name); });
      model.On(n, ControlEvent::Change, [this](Control& c) { log.push_back("change " + c.name); });
    }
    model.SetView(this);
  }
  void ControlChanged(const Control& c, ControlAspect aspect) override {
    if (aspect == ControlAspect::Value) views.push_back(c.name + "=" + std::to_string(c.value));
  }

  ControlModel model;
  std::vector<std::string> log, views;
};

TEST_F(ControlModelTest, SettingANewValueRunsTheHandlerOnlyOnChange) {
  model.SetValue("Check1", 0);  // unchanged: no click
  model.SetValue("Check1", 1);
  model.SetValue("Check1", 1);
  model.SetText("Text1", "75");
  model.SetText("Text1", "75");
  model.SetListIndex("Combo1", 1);
  model.SelectListText("Combo1", "F1");         // same entry: nothing
  model.SelectListText("Combo1", "NOT THERE");  // unknown: no selection
  EXPECT_EQ(model.Get("Combo1").listIndex, -1);
  EXPECT_EQ(log, (std::vector<std::string>{"click Check1", "change Text1", "click Combo1",
                                           "click Combo1"}));
}

TEST_F(ControlModelTest, OptionGroupsClearEachOtherAndClickOnlyTheChosen) {
  model.SetValue("OptB", 1);
  EXPECT_FALSE(model.Checked("OptA"));
  EXPECT_TRUE(model.Checked("OptB"));
  EXPECT_EQ(log, (std::vector<std::string>{"click OptB"}));
  EXPECT_EQ(views, (std::vector<std::string>{"OptA=0", "OptB=1"}));
}

TEST_F(ControlModelTest, UserActionsRespectEnablingAndKeyFilters) {
  model.SetEnabled("Check1", false);
  model.UserClick("Check1");
  EXPECT_FALSE(model.Checked("Check1"));
  model.SetEnabled("Check1", true);
  model.UserClick("Check1");
  model.UserClick("Check1");
  EXPECT_FALSE(model.Checked("Check1"));
  EXPECT_EQ(log.size(), 2u);

  model.OnKeyPress("Text1", [](Control&, int& key) {
    if (key < '0' || key > '9') key = 0;
  });
  int digit = '7', letter = 'x';
  EXPECT_TRUE(model.UserKeyPress("Text1", digit));
  EXPECT_FALSE(model.UserKeyPress("Text1", letter));
  model.UserType("Text1", "1234567");  // the limit cuts a paste
  EXPECT_EQ(model.Get("Text1").text, "12345");
}

TEST_F(ControlModelTest, UnknownNamesAreHarmless) {
  model.SetValue("Nope", 1);
  model.UserClick("Nope");
  EXPECT_FALSE(model.Checked("Nope"));
  EXPECT_EQ(model.ListText("Nope"), "");
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace skel::ui
