#pragma once
// A configuration to back up: FAQs with values and documents in a private store and application
// directory, and a scripted front end.
#include <optional>
#include <string>
#include <vector>

#include "backup/scripted_ui.h"
#include "backup/store_fixture.h"
#include "store/catalogue.h"
#include "util/file_io.h"

namespace quorella::testing {

class BackupTest : public StoreTest {
 public:
  // A FAQ with two values, and its document when `document` is given.
  void MakeFaq(const std::string& name, std::optional<std::string> document) {
    context.settings().WriteSettingString(context.FaqKey(name), "Title", name + " title");
    context.settings().WriteSettingInteger(context.FaqKey(name), "TotalQuestions", 1);
    if (document) WriteFile(context.DocumentPath(name), *document);
  }

  ScriptedUi ui;
  std::string backup_dir = dir / "backup/";
};

}  // namespace quorella::testing
