#pragma once
// FAQs that the conversion of a store of the earlier schema renamed: two FAQs whose names differ
// only where full case folding makes them equal ("Émile", "émile") stay two, the later one under
// a free name, and its document follows it.
#include <string>
#include <vector>

#include "store/registry.h"

namespace quorella {

// Renames the document of each FAQ key among `renames` (of the application key or the test key,
// which share the documents) to the FAQ's new name, under the lock of `app_dir`, unless a file of
// the new name is there already. Returns a notice for each FAQ renamed.
std::vector<std::string> FollowRenamedFaqs(const std::string& app_dir,
                                           const std::vector<RenamedKey>& renames);

}  // namespace quorella
