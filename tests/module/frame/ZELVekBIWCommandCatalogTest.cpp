#include <gtest/gtest.h>

#include "QIVDispatcher.h"
#include "QIVStateCommand.h"
#include "frame/ZELVekBIWCommandCatalog.h"

// Each row of the catalogue builds what it says: a command with the row's
// behaviour word and mode, or the dialog entry point's dialog.
TEST(ZELVekBIWCommandCatalogTest, EachRowBuildsItsCommandWithTheRowsBehaviourAndMode) {
  QIVDispatcher dispatcher;  // the main window the dialog is built on
  const auto rows = ZELVekBIWCommandCatalog::Rows();
  ASSERT_EQ(rows.size(), 37u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ZELVekBIWCommandRow& row = rows[i];
    QIVFactoryFunction plain = ZELVekBIWCommandCatalog::Factory(i);
    QIVFactoryArgFunction withArgument = ZELVekBIWCommandCatalog::FactoryWithArgument(i);
    ASSERT_NE(plain == nullptr, withArgument == nullptr) << row.className;
    EXPECT_EQ(withArgument != nullptr, row.argument != ZELVekBIWArgument::None) << row.className;
    QIVBaseUnknown* made = plain ? plain() : withArgument(nullptr);
    ASSERT_NE(made, nullptr) << row.className;
    if (auto* command = dynamic_cast<QIVStateCommand*>(made)) {
      EXPECT_EQ(command->GetBehavior(), row.behavior) << row.className;
      EXPECT_EQ(command->GetMode(), row.mode) << row.className;
    } else {
      EXPECT_EQ(row.commandName, nullptr) << row.className;
    }
    made->Release();
  }
}
