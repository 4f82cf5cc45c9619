#pragma once
// Whole outputs compared byte for byte with the files kept under tests/html/golden/. Setting
// QUORELLA_UPDATE_GOLDEN=1 rewrites the kept files from the current output instead (review the
// difference before committing it).
#include <string>

namespace quorella::testing {

// Every file of the folder `output_dir` against the golden folder `name`: the same file names,
// the same bytes.
void ExpectFolderMatchesGolden(const std::string& name, const std::string& output_dir);

}  // namespace quorella::testing
