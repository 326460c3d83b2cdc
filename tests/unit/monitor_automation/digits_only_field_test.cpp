#include "monitor/automation/digits_only_field.h"

#include <gtest/gtest.h>

#include "automation_fixture.h"

namespace skel::monitor::testing {
namespace {

class ViewLog : public ui::ControlView {
 public:
  void ControlChanged(const ui::Control& control, ui::ControlAspect aspect) override {
    if (aspect == ui::ControlAspect::SelectAll) selectedAll.push_back(control.name);
  }
  std::vector<std::string> selectedAll;
};

TEST(DigitsOnlyKeyTest, AcceptsDigitsAndTheEditingKeysOnly) {
  std::string accepted;
  for (int key = 0; key < 256; ++key) {
    if (IsDigitsOnlyKey(key)) accepted += std::to_string(key) + " ";
  }
  // 3 copy, 8 backspace, 23 and 24 cut, then "0".."9". Paste (22), enter,
  // minus, the decimal point and letters are not among them.
  EXPECT_EQ(accepted, "3 8 23 24 48 49 50 51 52 53 54 55 56 57 ");
}

class DigitsOnlyFieldTest : public AutomationFixture {};

// Every digits-only field of the automation, with its key.
const std::pair<const char*, const char*> kFields[] = {
    {"Text1", "autocleanpercent"},
    {"Text2", "autocleanmin"},
    {"Text10", "autocleanfilecachesize"},
    {"Text11", "autocleanfilecahcemin"},
};

TEST_F(DigitsOnlyFieldTest, EveryFieldFiltersSelectsAllAndWritesOnEachKeyRelease) {
  Start();
  ViewLog view;
  form.Controls().SetView(&view);
  for (const auto& [field, key] : kFields) {
    SCOPED_TRACE(field);
    form.Controls().UserFocus(field);
    EXPECT_EQ(view.selectedAll.back(), field);

    for (int typed : {int{'a'}, int{'.'}, int{'-'}, int{' '}, 22}) {
      int k = typed;
      EXPECT_FALSE(form.Controls().UserKeyPress(field, k));
      EXPECT_EQ(k, 0);
    }
    int backspace = 8;
    EXPECT_TRUE(form.Controls().UserKeyPress(field, backspace));
    EXPECT_EQ(backspace, 8);

    // The key is written as the text stands, even unchanged or empty.
    store.writes.clear();
    form.Controls().UserKeyUp(field);
    form.Controls().UserKeyUp(field);
    std::string now = form.Controls().Get(field).text;
    EXPECT_EQ(store.writes, (std::vector<std::string>{std::string(key) + "=" + now,
                                                      std::string(key) + "=" + now}));
    Type(field, "");
    EXPECT_EQ(store.values[key], "");
    Type(field, "12a");  // pasted: written unvalidated
    EXPECT_EQ(store.values[key], "12a");
  }
  form.Controls().SetView(nullptr);
}

TEST_F(DigitsOnlyFieldTest, AttachesToAnyTextBox) {
  ui::Control box;
  box.name = "Text3";
  box.kind = ui::ControlKind::TextBox;
  form.Controls().Add(box);
  int writes = 0;
  AttachDigitsOnlyField(form.Controls(), "Text3", [&] { ++writes; });
  int key = 'Z';
  EXPECT_FALSE(form.Controls().UserKeyPress("Text3", key));
  form.Controls().UserKeyUp("Text3");
  EXPECT_EQ(writes, 1);
}

}  // namespace
}  // namespace skel::monitor::testing
